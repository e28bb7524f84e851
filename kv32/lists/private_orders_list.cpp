#include "kv32/lists/private_orders_list.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "fw/core/msgbox.h"
#include "kv32/filters/private_order_filter.h"
#include "kv32/lists/order_copies.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/record_text.h"
#include "kvcore/app/prompts.h"

using kvcore::kGXDate;
using kvcore::kGXDouble;
using kvcore::kGXText;
using kvcore::kGXTime;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(CLocalOrderRec, field))

constexpr KvListColumn kColumnTable[] = {
    { 60528, KV_AT(szWorkArea), kJustLeft, kGXText },
    { 60529, KV_AT(szStatus), kJustLeft, kGXText },
    { 60530, KV_AT(szSecurityCode), kJustLeft, kGXText },
    { 60531, KV_AT(szBoardName), kJustLeft, kGXText },
    { 60532, KV_AT(szBuySell), kJustLeft, kGXText },
    { 60533, KV_AT(dPrice), kJustRight, kGXDouble },
    { 60534, KV_AT(dQty), kJustRight, kGXDouble },
    { 60535, KV_AT(dHidden), kJustRight, kGXDouble },
    { 60536, KV_AT(szTrdAcc), kJustLeft, kGXText },
    { 60537, KV_AT(szExpiryDate), kJustLeft, kGXText },
    { 60538, KV_AT(dtExpiry), kJustLeft, kGXTime },
    { 60539, KV_AT(dtSettle), kJustLeft, kGXDate },
    { 60540, KV_AT(szReference), kJustLeft, kGXText },
    { 60541, KV_AT(dYield), kJustRight, kGXDouble },
    { 60542, KV_AT(dTriggerPrice), kJustRight, kGXDouble },
};

#undef KV_AT

void SetState(CLocalOrderRec& order, LocalOrderState state)
{
    CopyText(order.szStatus, LocalOrderTable().StateText(state));
}

} // namespace

CPrivateOrderDoc::CPrivateOrderDoc()
    : CTableIndexDoc(KvMakePrivateOrdersCriteria())
{
    Kv32RegisterListWindowResources();
}

std::span<const KvListColumn> CPrivateOrderDoc::Columns() const
{
    return kColumnTable;
}

int CPrivateOrderDoc::HostCount() const
{
    return LocalOrderTable().GetSize();
}

const std::uint8_t* CPrivateOrderDoc::HostRecord(int i) const
{
    return reinterpret_cast<const std::uint8_t*>(LocalOrderTable().GetAt(i));
}

bool CPrivateOrderDoc::HostChangedInPlace() const
{
    return LocalOrderTable().m_bChanged;
}

// The book has no colours of its own: the window keeps the grid's.
std::vector<std::uint32_t>& CPrivateOrderDoc::HostColors()
{
    static std::vector<std::uint32_t> none;
    none.clear();
    return none;
}

std::vector<std::uint16_t>& CPrivateOrderDoc::HostColorNames()
{
    static std::vector<std::uint16_t> none;
    none.clear();
    return none;
}

CLocalOrderRec* CPrivateOrderDoc::GetRowOrder(int row) const
{
    const int index = HostIndexOfRow(row);
    return index < 0 ? nullptr : LocalOrderTable().GetAt(index);
}

std::vector<int> CPrivateOrderDoc::HostIndicesOf(const std::vector<unsigned>& rows) const
{
    std::vector<int> indices;
    for (unsigned row : KvSortedSelection(rows)) {
        const int index = HostIndexOfRow(static_cast<int>(row));
        if (index >= 0)
            indices.push_back(index);
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

std::unique_ptr<CListCriteria> KvMakePrivateOrdersCriteria()
{
    return std::make_unique<CCriteriaOf<CPrivateOrderFilter, CLocalOrderRec>>();
}

std::string PrivateOrderReplyIdentifier(int i)
{
    char text[40];
    std::snprintf(text, sizeof text, "%-10s_%d", "PrivateOrder", i);
    return text;
}

int ReleasePrivateOrders(CPrivateOrderDoc& doc, const std::vector<unsigned>& rows, CListWindowPort& port)
{
    const std::vector<unsigned> sorted = KvSortedSelection(rows);
    KvRowAction action;
    action.confirm = true;
    action.build = [&doc, &sorted](unsigned row) -> std::optional<KvRowTransaction> {
        const CLocalOrderRec* order = doc.GetRowOrder(static_cast<int>(row));
        if (order == nullptr)
            return std::nullopt;
        std::optional<KvOrderText> text = ReleaseTransaction(*order);
        if (!text)
            return std::nullopt;
        const auto at = std::lower_bound(sorted.begin(), sorted.end(), row) - sorted.begin();
        return KvRowTransaction { text->code, std::move(text->text),
            PrivateOrderReplyIdentifier(static_cast<int>(at)) };
    };
    action.sent = [&doc](unsigned row, bool accepted) {
        if (CLocalOrderRec* order = doc.GetRowOrder(static_cast<int>(row)))
            SetState(*order, accepted ? LocalOrderState::Accepted : LocalOrderState::Rejected);
    };
    const int sent = KvSendForRows(sorted, action, port);
    // Released orders stay in the book with their new state.
    doc.UpdateDocument(0, nullptr);
    return sent;
}

bool MovePrivateOrders(CPrivateOrderDoc& doc, const std::vector<unsigned>& rows, std::string_view workArea)
{
    if (workArea.empty() || workArea.size() >= sizeof CLocalOrderRec::szWorkArea)
        return false;
    CLocalOrderTable& book = LocalOrderTable();
    for (int index : doc.HostIndicesOf(rows))
        CopyText(book.GetAt(index)->szWorkArea, workArea);
    book.AddWorkArea(workArea);
    doc.ApplyFilter(true);
    doc.UpdateDocument(0, nullptr);
    return true;
}

int DeletePrivateOrders(CPrivateOrderDoc& doc, const std::vector<unsigned>& rows)
{
    const std::vector<int> gone = doc.HostIndicesOf(rows);
    if (gone.empty() || AreYouShure(0u) == fw::IDNO)
        return 0;
    // The orders behind each removed one move down, keeping their order.
    CLocalOrderTable& book = LocalOrderTable();
    const int count = book.GetSize();
    int kept = 0;
    std::size_t next = 0;
    for (int i = 0; i < count; ++i) {
        if (next < gone.size() && gone[next] == i) {
            ++next;
            continue;
        }
        if (kept != i)
            CLocalOrderTable::CopyRec(*book.GetAt(kept), *book.GetAt(i));
        book.GetAt(kept)->nRowIndex = static_cast<std::uint32_t>(kept);
        ++kept;
    }
    book.SetSize(kept);
    doc.UpdateDocument(0, nullptr);
    return count - kept;
}

bool ClearPrivateOrders(CPrivateOrderDoc& doc)
{
    if (AreYouShure(0u) == fw::IDNO)
        return false;
    LocalOrderTable().RemoveAll();
    doc.UpdateDocument(0, nullptr);
    return true;
}

int AppendImportedOrders(CPrivateOrderDoc& doc, std::vector<CLocalOrderRec>& orders)
{
    CLocalOrderTable& book = LocalOrderTable();
    const int before = book.GetSize();
    for (const CLocalOrderRec& order : orders) {
        const int row = book.Insert(order);
        SetState(*book.GetAt(row), LocalOrderState::New);
    }
    if (book.GetSize() != before)
        doc.UpdateDocument(0, nullptr);
    return book.GetSize() - before;
}
