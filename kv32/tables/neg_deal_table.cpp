#include "kv32/tables/neg_deal_table.h"

#include <cstdio>
#include <cstring>

#include "kv32/res/trading_strings.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/print_log.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/record_text.h"

namespace {
// The letters in the order of their codes; 'S' and unknown letters are errors.
constexpr char kCodeLetters[] = "OICUMAWE";
constexpr char kStatusLetters[] = "OIMAWCUS";
constexpr int kIndexCapacity = 1024;
} // namespace

CNegDealTable::CNegDealTable()
    : CNumberedTable<CNegDealRec>(kTableId, 256, kRequest, kIndexCapacity)
    , m_statusTexts({ IDS_STATUS_OPEN, IDS_STATUS_INACTIVE, IDS_STATUS_UNCONFIRMED, IDS_STATUS_UNAPPROVED,
          IDS_STATUS_MATCHED, IDS_STATUS_AMENDED, IDS_STATUS_WITHDRAWN, IDS_STATUS_EXPIRED,
          IDS_STATUS_ERROR })
    , m_sideTexts({ IDS_SIDE_BUY, IDS_SIDE_SELL })
{
}

void CNegDealTable::OnSessionStart()
{
    if (m_aColorNames.empty()) {
        FillWindowColors(m_aColors, m_aColorNames,
            { IDS_STATUS_OPEN, IDS_STATUS_INACTIVE, IDS_STATUS_UNCONFIRMED, IDS_STATUS_UNAPPROVED,
                IDS_STATUS_MATCHED, IDS_STATUS_AMENDED, IDS_STATUS_WITHDRAWN, IDS_STATUS_ERROR,
                IDS_STATUS_DISABLED });
    }
}

std::string CNegDealTable::GetStatusText(char letter, uint32_t* code) const
{
    const char* at = letter != '\0' ? std::strchr(kCodeLetters, letter) : nullptr;
    const uint32_t i = at != nullptr ? static_cast<uint32_t>(at - kCodeLetters) : 8;
    if (code != nullptr)
        *code = i;
    return m_statusTexts[i];
}

char CNegDealTable::GetStatusLetter(std::string_view text) const
{
    for (const char* p = kStatusLetters; *p != '\0'; ++p) {
        if (GetStatusText(*p) == text)
            return *p;
    }
    return ' ';
}

std::string CNegDealTable::GetSideText(char letter) const
{
    return m_sideTexts[letter == 'B' ? 0 : 1];
}

int CNegDealTable::Decode(CRecordReader& reader)
{
    const std::string seq = reader.TextNoStrip(kSeqNumWidth);
    const char carries = reader.Char();
    const uint32_t dealNo = reader.ULong(12);
    if (!reader.Ok())
        return 0;
    const auto takeKeys = [&] {
        TakeSeqNum(seq);
        TakeLastNumber(dealNo);
    };
    if (carries != 'Y') {
        takeKeys();
        return 1;
    }

    CNegDealRec rec {};
    const char print = reader.Char();
    reader.Skip(12); // not read: the host's meaning is not known
    const std::string time = reader.TextNoStrip(6);
    const char status = reader.Char();
    const char side = reader.Char();
    const std::string reference = reader.Text(40);
    const std::string user = reader.Text(12);
    const std::string firm = reader.Text(12);
    const std::string counterUser = reader.Text(12);
    const std::string counterFirm = reader.Text(12);
    const std::string account = reader.Text(12);
    const std::string code = reader.TextNoStrip(17);
    const CSecurityNames security = LookUpSecurity(code);
    rec.dPrice = reader.Decimal(9, security.priceDec);
    rec.dQty = reader.Decimal(16, 0);
    const std::string settleDate = reader.TextNoStrip(8);
    rec.nTimeout = reader.Int(4);
    rec.dYield = reader.Decimal(9, security.yieldDec);
    const std::string dissTime = reader.TextNoStrip(6);
    const char dissStatus = reader.Char();
    const char source = reader.Char();
    rec.nWarningTimeout = reader.Int(4);
    const std::string text = reader.TextNoStrip(32);
    if (!reader.Ok())
        return 0;
    takeKeys();
    m_cPrevSide = side;

    rec.nDealNo = dealNo;
    CopyText(rec.szTime, time);
    rec.dtDeal.SetTimeVORL(time.c_str());
    CopyText(rec.szSecurity, security.shortName);
    CopyText(rec.szSecurityCode, code);
    CopyText(rec.szBoardCode, security.boardCode);
    CopyText(rec.szBoardName, security.boardName);
    CopyText(rec.szTrdAcc, account);
    CopyText(rec.szBuySell, GetSideText(side));
    CopyText(rec.szStatus, GetStatusText(status, &rec.nStatusCode));
    CopyText(rec.szReference, reference);
    CopyText(rec.szUser, user);
    CopyText(rec.szFirm, firm);
    CopyText(rec.szCPUser, counterUser);
    CopyText(rec.szCPFirm, counterFirm);
    CopyText(rec.szSettleDate, settleDate);
    rec.dtSettle.SetDateVORL(settleDate.c_str());
    CopyText(rec.szDissTime, dissTime);
    // Blanks (or anything that is not a time) leave it invalid: no dissemination yet.
    rec.dtDiss.SetTimeVORL(dissTime.c_str());
    rec.szDissStatus[0] = dissStatus;
    rec.cTradeSourceLetter = source;
    CopyText(rec.szTradeSource, FlagTable().NameOf(source));
    CopyText(rec.szDealText, text);

    if (print == 'Y' && KvAppSettings().bPrintLog != 0)
        PrintRecord(rec);
    StoreByNumber(rec, dealNo);
    return 1;
}

void CNegDealTable::PrintRecord(const CNegDealRec& rec)
{
    // The deal record carries the time of day only: the line dates it with
    // the trading day the deal was reported on.
    const CDateTime today = CDateTime::GetTickCount();
    KvPrintLogLine(FormatLine("N %s %-8s %12ld %12s %-4s %-10s %-12s %12s %13s %-12s %1c %-12s",
        PrintDate(today).c_str(), PrintTime(rec.dtDeal).c_str(), static_cast<long>(rec.nDealNo), "",
        rec.szBoardCode, rec.szSecurity, rec.szTrdAcc, PrintAmount(rec.dPrice).c_str(),
        PrintAmount(rec.dQty).c_str(), rec.szUser, PrintLetter(GetStatusLetter(rec.szStatus)), rec.szCPFirm));
}
