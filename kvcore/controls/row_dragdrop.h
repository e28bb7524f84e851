// What a table document offers and accepts when rows are dragged between windows:
// the row accessors that fill a dragged row, the hooks that decide whether a drop is
// taken, and the setters that a drop calls. The base versions offer nothing and accept
// nothing, so a document takes part only by overriding them.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "kvcore/controls/row_payload.h"
#include "kvcore/kvcore_api.h"

// The copy bit of a drop effect; without it a drop moves.
inline constexpr uint32_t kDropEffectCopy = 1;
inline constexpr uint32_t kDropEffectMove = 2;

class KVCORE_API KvDragDropRows {
public:
    virtual ~KvDragDropRows() = default;

    virtual int QueryAcceptKvData(const CKvClipboardFormat& list);
    // Ready-made answers for QueryAcceptKvData: exactly one row; a row with a security.
    virtual int QueryAcceptKvSingleData(const CKvClipboardFormat& list);
    virtual int QueryAcceptKvSecData(const CKvClipboardFormat& list);

    // Document rows; a getter that does not fill its value leaves the row's "not carried".
    virtual int GetSec(int row, int32_t& value);
    virtual int GetBoard(int row, int32_t& value);
    virtual int GetOrder(int row, int32_t& value);
    virtual int GetUser(int row, int32_t& value);
    virtual int GetFirm(int row, int32_t& value);
    virtual int GetQuantity(int row, CDouble& value);
    virtual int GetPrice(int row, CDouble& value);

    // mode 0: the first row of a move; 1: a copy, or any later row.
    virtual int SetSec(int32_t value, int mode);
    virtual int SetBoard(int32_t value, int mode);
    virtual int SetOrder(int32_t value, int mode);
    virtual int SetUser(int32_t value, int mode);
    virtual int SetFirm(int32_t value, int mode);
    virtual int SetQuantity(CDouble value, int mode);
    virtual int SetPrice(CDouble value, int mode);

    // The payload of the given view rows; viewToDoc maps a view row to a document row
    // (negative: none, and the row is left out).
    std::vector<uint8_t> CacheGlobalData(
        std::span<const int32_t> viewRows, const std::function<int(int32_t)>& viewToDoc);
    // 0 for a malformed or empty payload, else QueryAcceptKvData's answer.
    int QueryAcceptData(std::span<const uint8_t> payload);
    // Calls the setters of every row; the OR of their results, 0 for a malformed payload.
    int DropData(std::span<const uint8_t> payload, uint32_t dropEffect);
};
