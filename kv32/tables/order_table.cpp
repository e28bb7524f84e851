#include "kv32/tables/order_table.h"

#include <cstdio>
#include <cstring>

#include "kv32/res/trading_strings.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/print_log.h"
#include "kv32/tables/record_text.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/app/profile_settings.h"

namespace {

constexpr char kStatusLetters[] = "OIMAWUS";

// The letters of the flag positions that have one; '_' elsewhere.
constexpr char kFlagLetters[COrderTable::kFlagCount + 1] = "MLDN_K___BYHSC_A_______TEDDC____";

bool OverwriteMode()
{
    return iMMOverWrite > 0 && iMMOverWrite % 2 == 1;
}

// The date (and time) texts of a record as a CDateTime; invalid when the date is not one.
CDateTime DateAndTime(const std::string& date, const std::string* time)
{
    CDateTime when;
    if (when.SetDateVORL(date.c_str()) && time != nullptr)
        when.SetTimeVORL(time->c_str());
    return when;
}

} // namespace

COrderTable::COrderTable()
    : CNumberedTable<COrderRec>(kTableId, 1024, kRequest, COrderIndex::kDefaultCapacity)
    , m_statusTexts({ IDS_STATUS_OPEN, IDS_STATUS_INACTIVE, IDS_STATUS_UNAPPROVED, IDS_STATUS_MATCHED,
          IDS_STATUS_AMENDED, IDS_STATUS_WITHDRAWN, IDS_STATUS_EXPIRED, IDS_STATUS_ERROR })
    , m_sideTexts({ IDS_SIDE_BUY, IDS_SIDE_SELL })
    , m_validityTexts({ IDS_VALIDITY_SESSION, IDS_VALIDITY_DAY, IDS_VALIDITY_GTC })
{
}

void COrderTable::OnSessionStart()
{
    m_nMaxOrderNo = 0;
    if (m_aColorNames.empty()) {
        FillWindowColors(m_aColors, m_aColorNames,
            { IDS_STATUS_OPEN, IDS_STATUS_INACTIVE, IDS_STATUS_UNCONFIRMED, IDS_STATUS_UNAPPROVED,
                IDS_STATUS_MATCHED, IDS_STATUS_AMENDED, IDS_STATUS_WITHDRAWN, IDS_STATUS_ERROR,
                IDS_STATUS_DISABLED });
    }
}

std::string COrderTable::GetStatusText(char letter, uint32_t* code) const
{
    static constexpr struct {
        char letter;
        uint32_t code;
    } kCodes[] = { { 'O', 0 }, { 'I', 1 }, { 'U', 3 }, { 'M', 4 }, { 'A', 5 }, { 'W', 6 }, { 'E', 7 } };
    for (size_t i = 0; i < std::size(kCodes); ++i) {
        if (kCodes[i].letter == letter) {
            if (code != nullptr)
                *code = kCodes[i].code;
            return m_statusTexts[i];
        }
    }
    if (code != nullptr)
        *code = 8;
    return m_statusTexts[std::size(kCodes)];
}

char COrderTable::GetStatusLetter(std::string_view text) const
{
    for (const char* p = kStatusLetters; *p != '\0'; ++p) {
        if (GetStatusText(*p) == text)
            return *p;
    }
    return ' ';
}

std::string COrderTable::GetSideText(char letter) const
{
    return m_sideTexts[letter == 'B' ? 0 : 1];
}

std::string COrderTable::GetValidityText(std::string_view flags, std::string_view expiryDate) const
{
    if (TestFlag(flags, kSessionFlag))
        return m_validityTexts[0];
    if (TestFlag(flags, kDayFlag))
        return m_validityTexts[1];
    if (TestFlag(flags, kGtcFlag))
        return m_validityTexts[2];
    if (TestFlag(flags, kUntilDateFlag2) || TestFlag(flags, kUntilDateFlag)) {
        const std::string date(expiryDate.substr(0, 8));
        return PrintDate(DateAndTime(date, nullptr));
    }
    return {};
}

void COrderTable::SetFlag(char* flags, int i, bool on)
{
    if (flags == nullptr || i < 0 || i >= kFlagCount)
        return;
    flags[i] = on ? '1' : '0';
}

bool COrderTable::TestFlag(std::string_view flags, int i)
{
    return i >= 0 && i < kFlagCount && static_cast<size_t>(i) < flags.size()
        && flags[static_cast<size_t>(i)] == '1';
}

bool COrderTable::FormatFlags(std::string_view flags, char* out, size_t size)
{
    if (out != nullptr && size > 0) {
        const size_t n = size - 1;
        for (size_t i = 0; i < n; ++i)
            out[i] = i < static_cast<size_t>(kFlagCount) && TestFlag(flags, static_cast<int>(i))
                ? kFlagLetters[i]
                : '_';
        out[n] = '\0';
    }
    return TestFlag(flags, kMarketMakerFlag);
}

COrderRec* COrderTable::FindSlot(uint32_t orderNo)
{
    const int row = FindRow(orderNo);
    return row < 0 ? nullptr : GetRec(row);
}

void COrderTable::ShowNewOrders() const
{
    CKvAppCoreLogic* app = CKvAppCoreLogic::CurrentLogic();
    if (CMainFrameCoreLogic* frame = app != nullptr ? app->MainFrameLogic() : nullptr)
        frame->SetOrderNumOnStatusBar(m_index.m_nNewOrders);
}

int COrderTable::Decode(CRecordReader& reader)
{
    const std::string seq = reader.TextNoStrip(kSeqNumWidth);
    const char carries = reader.Char();
    const uint32_t orderNo = reader.ULong(12);
    if (!reader.Ok())
        return 0;
    // Both key parts move on with every record; a record that carries an order
    // moves them only once it was read whole, so that a broken record is asked for again.
    const auto takeKeys = [&] {
        TakeSeqNum(seq);
        if (orderNo > m_nMaxOrderNo) {
            m_nMaxOrderNo = orderNo;
            TakeLastNumber(orderNo);
        }
    };
    if (carries != 'Y') {
        takeKeys();
        return 1;
    }
    const bool isNew = orderNo > m_nMaxOrderNo;

    const char print = reader.Char();
    const std::string date = reader.TextNoStrip(8);
    const std::string time = reader.TextNoStrip(6);
    const char status = reader.Char();
    const char side = reader.Char();
    const std::string flags = reader.TextNoStrip(kFlagCount);
    const std::string reference = reader.Text(40);
    const std::string user = reader.Text(12);
    const std::string firm = reader.Text(12);
    const std::string account = reader.Text(12);
    const std::string accountName = reader.Text(30);
    const std::string code = reader.TextNoStrip(17);
    const CSecurityNames security = LookUpSecurity(code);
    const int p = security.priceDec, y = security.yieldDec, v = security.valueDec;

    COrderRec rec {};
    rec.dPrice = reader.Decimal(9, p);
    rec.dYield = reader.Decimal(9, y);
    rec.dQty = reader.Decimal(16, 0);
    rec.dHidden = reader.Decimal(16, 0);
    rec.dBalance = reader.Decimal(16, 0);
    rec.dValue = reader.Decimal(16, v);
    const std::string settleDate = reader.TextNoStrip(8);
    rec.nPrevLinkOrderNo = reader.ULong(12);
    rec.dAccruedInt = reader.Decimal(16, v);
    const std::string expiryDate = reader.TextNoStrip(8);
    const std::string expiryTime = reader.TextNoStrip(6);
    rec.dTriggerPrice = reader.Decimal(9, p);
    rec.nNextLinkOrderNo = reader.ULong(12);
    rec.dAvgPrice = reader.Decimal(11, p + 2);
    rec.dFillMinQty = reader.Decimal(16, 0);
    if (!reader.Ok())
        return 0;
    takeKeys();

    // A change of an order the table does not hold is dropped; an order held
    // already is changed in its row whatever its number.
    const int found = GetCount() > 0 ? FindRow(orderNo) : -1;
    if (found < 0 && GetCount() > 0 && !isNew)
        return 1;
    const bool counted = found < 0;
    if (counted) {
        ++m_index.m_nNewOrders;
        ShowNewOrders();
    }

    rec.nOrderNo = orderNo;
    rec.dtEntry = DateAndTime(date, &time);
    CopyText(rec.szDate, date);
    CopyText(rec.szTime, time);
    rec.dtExpiry = DateAndTime(expiryDate, expiryTime == "000000" ? nullptr : &expiryTime);
    CopyText(rec.szExpiryDate, expiryDate);
    CopyText(rec.szExpiryTime, expiryTime);
    rec.dtSettle = DateAndTime(settleDate, nullptr);
    CopyText(rec.szSettleDate, settleDate);
    CopyText(rec.szSecurity, security.shortName);
    CopyText(rec.szSecurityCode, code);
    CopyText(rec.szBoardCode, security.boardCode);
    CopyText(rec.szBoardName, security.boardName);
    CopyText(rec.szTrdAcc, account);
    CopyText(rec.szTrdAccName, accountName);
    CopyText(rec.szBuySell, GetSideText(side));
    CopyText(rec.szType, flags);
    const bool marketMaker = FormatFlags(flags, rec.szTypeLetters, sizeof rec.szTypeLetters);
    CopyText(rec.szStatus, GetStatusText(status, &rec.nStatusCode));
    CopyText(rec.szReference, reference);
    CopyText(rec.szUser, user);
    CopyText(rec.szFirm, firm);
    rec.nChainOrderNo = orderNo;
    if (rec.nPrevLinkOrderNo != 0) {
        if (const COrderRec* previous = FindSlot(rec.nPrevLinkOrderNo))
            rec.nChainOrderNo = previous->nChainOrderNo;
    }
    CopyText(rec.szValidity, GetValidityText(flags, expiryDate));

    // A market-maker order withdrawn or expired with nothing traded is dead:
    // in overwrite mode its row may serve the next market-maker order.
    const bool recyclable = OverwriteMode() && marketMaker && (status == 'W' || status == 'E')
        && static_cast<double>(rec.dQty) == static_cast<double>(rec.dBalance);
    if (counted && m_countOrder)
        m_countOrder(rec, side, status);
    if (recyclable && counted)
        return 1;
    if (print == 'Y' && KvAppSettings().bPrintLog != 0)
        PrintRecord(rec);
    Store(rec, found, recyclable, marketMaker);
    return 1;
}

void COrderTable::Store(COrderRec& rec, int row, bool recyclable, bool marketMaker)
{
    if (row >= 0) {
        rec.nRowIndex = static_cast<uint32_t>(row);
        SetRec(row, rec);
        m_bChanged = 1;
        m_pendingRows.Add(row);
        const int entry = m_index.Find(rec.nOrderNo);
        if (recyclable)
            m_index.PushFree(entry);
        else
            m_index.RemoveFree(entry); // alive again: its row must not be taken
        return;
    }
    m_index.Reserve(m_index.GetCount() + 1);
    if (OverwriteMode() && marketMaker && m_index.HasFree()) {
        row = m_index.TakeFree();
        rec.nRowIndex = static_cast<uint32_t>(row);
        SetRec(row, rec);
        m_bChanged = 1;
    } else {
        row = GetCount();
        rec.nRowIndex = static_cast<uint32_t>(row);
        AddRec(rec);
    }
    m_index.Insert(rec.nOrderNo, row);
    m_pendingRows.Add(row);
}

void COrderTable::Free()
{
    CNumberedTable<COrderRec>::Free();
    ShowNewOrders();
}

void COrderTable::PrintRecord(const COrderRec& rec)
{
    KvPrintLogLine(FormatLine("O %1c %s %-8s %12ld %12s %-4s %-10s %-12s %12s %13s %-12s %1c",
        PrintLetter(rec.szBuySell[0]), PrintDate(rec.dtEntry).c_str(), PrintTime(rec.dtEntry).c_str(),
        static_cast<long>(rec.nOrderNo), "", rec.szBoardCode, rec.szSecurity, rec.szTrdAcc,
        PrintAmount(rec.dPrice).c_str(), PrintAmount(rec.dQty).c_str(), rec.szUser,
        PrintLetter(GetStatusLetter(rec.szStatus))));
}
