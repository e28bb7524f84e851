// Every order the host reports to the user in the session, one row per order
// number, kept in step by the standing request 50: new orders are appended,
// changes overwrite their row (found through the sorted order index), and in
// market-maker overwrite mode a dead market-maker order's row is taken over
// by the next new market-maker order. New orders are counted (order counting
// and the status bar); orders the host marks are printed on the print log.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "kv32/tables/order_common.h"
#include "kv32/tables/order_record.h"

class COrderTable : public CNumberedTable<COrderRec> {
public:
    static constexpr uint16_t kTableId = 8;
    static constexpr int kRequest = 50;
    static constexpr int kRecordLength = 375;
    static constexpr int kFlagCount = 32;
    // Flag positions with a meaning of their own.
    static constexpr int kMarketMakerFlag = 5;
    static constexpr int kYieldFlag = 10;
    static constexpr int kFillMinimumFlag = 15;
    static constexpr int kUntilDateFlag = 23;
    static constexpr int kSessionFlag = 24;
    static constexpr int kDayFlag = 25;
    static constexpr int kUntilDateFlag2 = 26;
    static constexpr int kGtcFlag = 27;

    // Order counting of a new order: the record, its side letter and its status letter.
    using CountOrderHook = std::function<void(const COrderRec& rec, char side, char status)>;

    COrderTable();

    // One order record; nonzero when it was read whole.
    int Decode(CRecordReader& reader) override;
    void Free() override;
    // The print-log line of an order.
    virtual void PrintRecord(const COrderRec& rec);

    // The record of the order number; null when the number is unknown or its
    // row went to another order.
    COrderRec* FindSlot(uint32_t orderNo);

    std::string GetStatusText(char letter, uint32_t* code = nullptr) const;
    // The letter of "OIMAWUS" whose text is the given one; ' ' when none.
    char GetStatusLetter(std::string_view text) const;
    std::string GetSideText(char letter) const;
    // "Session", "Day", "GTC", the expiry date (flags 26 or 23), or empty.
    std::string GetValidityText(std::string_view flags, std::string_view expiryDate) const;

    // The 32 flag positions of a flag text; positions outside 0-31 are left alone.
    static void SetFlag(char* flags, int i, bool on);
    static bool TestFlag(std::string_view flags, int i);
    // Fills out (size - 1 characters and a zero) with '_' and the letters of
    // the set flags; true for a market-maker order.
    static bool FormatFlags(std::string_view flags, char* out, size_t size);

    void SetCountOrderHook(CountOrderHook hook) { m_countOrder = std::move(hook); }
    const CountOrderHook& GetCountOrderHook() const { return m_countOrder; }

    uint32_t m_nMaxOrderNo = 0; // the greatest order number received

private:
    void OnSessionStart() override;
    void ShowNewOrders() const;
    // Stores the built record; `entry` is the index entry of a found order or -1.
    void Store(COrderRec& rec, int entry, bool recyclable, bool marketMaker);

    CountOrderHook m_countOrder;
    CTextSet m_statusTexts;
    CTextSet m_sideTexts;
    CTextSet m_validityTexts;
};
