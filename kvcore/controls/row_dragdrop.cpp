#include "kvcore/controls/row_dragdrop.h"

#include <algorithm>

int KvDragDropRows::QueryAcceptKvData(const CKvClipboardFormat&)
{
    return 0;
}

int KvDragDropRows::QueryAcceptKvSingleData(const CKvClipboardFormat& list)
{
    return list.rows.size() == 1 ? 1 : 0;
}

int KvDragDropRows::QueryAcceptKvSecData(const CKvClipboardFormat& list)
{
    return std::any_of(list.rows.begin(), list.rows.end(), [](const CKvRowData& r) { return r.m_nSec != -1; })
        ? 1
        : 0;
}

int KvDragDropRows::GetSec(int, int32_t&)
{
    return 0;
}
int KvDragDropRows::GetBoard(int, int32_t&)
{
    return 0;
}
int KvDragDropRows::GetOrder(int, int32_t&)
{
    return 0;
}
int KvDragDropRows::GetUser(int, int32_t&)
{
    return 0;
}
int KvDragDropRows::GetFirm(int, int32_t&)
{
    return 0;
}
int KvDragDropRows::GetQuantity(int, CDouble&)
{
    return 0;
}
int KvDragDropRows::GetPrice(int, CDouble&)
{
    return 0;
}
int KvDragDropRows::SetSec(int32_t, int)
{
    return 0;
}
int KvDragDropRows::SetBoard(int32_t, int)
{
    return 0;
}
int KvDragDropRows::SetOrder(int32_t, int)
{
    return 0;
}
int KvDragDropRows::SetUser(int32_t, int)
{
    return 0;
}
int KvDragDropRows::SetFirm(int32_t, int)
{
    return 0;
}
int KvDragDropRows::SetQuantity(CDouble, int)
{
    return 0;
}
int KvDragDropRows::SetPrice(CDouble, int)
{
    return 0;
}

std::vector<uint8_t> KvDragDropRows::CacheGlobalData(
    std::span<const int32_t> viewRows, const std::function<int(int32_t)>& viewToDoc)
{
    CKvClipboardFormat list;
    for (int32_t viewRow : viewRows) {
        const int row = viewToDoc(viewRow);
        if (row < 0)
            continue;
        CKvRowData data;
        GetSec(row, data.m_nSec);
        GetBoard(row, data.m_nBoard);
        GetOrder(row, data.m_nOrder);
        GetUser(row, data.m_nUser);
        GetFirm(row, data.m_nFirm);
        GetQuantity(row, data.m_Quantity);
        GetPrice(row, data.m_Price);
        list.rows.push_back(data);
    }
    return WriteRowPayload(list);
}

int KvDragDropRows::QueryAcceptData(std::span<const uint8_t> payload)
{
    const auto list = ReadRowPayload(payload);
    if (!list || list->rows.empty())
        return 0;
    return QueryAcceptKvData(*list);
}

int KvDragDropRows::DropData(std::span<const uint8_t> payload, uint32_t dropEffect)
{
    const auto list = ReadRowPayload(payload);
    if (!list)
        return 0;
    int result = 0;
    int mode = (dropEffect & kDropEffectCopy) ? 1 : 0;
    for (const CKvRowData& row : list->rows) {
        if (row.m_nSec != -1)
            result |= SetSec(row.m_nSec, mode);
        if (row.m_nBoard != -1)
            result |= SetBoard(row.m_nBoard, mode);
        if (row.m_nOrder != -1)
            result |= SetOrder(row.m_nOrder, mode);
        if (row.m_nUser != -1)
            result |= SetUser(row.m_nUser, mode);
        if (row.m_nFirm != -1)
            result |= SetFirm(row.m_nFirm, mode);
        result |= SetQuantity(row.m_Quantity, mode);
        result |= SetPrice(row.m_Price, mode);
        mode = 1; // every later row adds to what the first one set
    }
    return result;
}
