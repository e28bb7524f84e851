#include "kv32/tables/trade_table.h"

#include <cstdio>
#include <cstring>

#include "kv32/res/trading_strings.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/print_log.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/record_text.h"

namespace {
constexpr char kStatusLetters[] = "MPWUYLS";
constexpr char kDissLetters[] = "NIDSRL";
// Trades are fewer than orders: the index starts small.
constexpr int kIndexCapacity = 4096;
} // namespace

CTradeTable::CTradeTable()
    : CNumberedTable<CTradeRec>(kTableId, 512, kRequest, kIndexCapacity)
    , m_statusTexts({ IDS_TRADE_MATCHED, IDS_TRADE_PENDING, IDS_TRADE_CANCELLED, IDS_TRADE_UNAPPROVED,
          IDS_TRADE_UNCONFIRMED_BUY, IDS_TRADE_UNCONFIRMED_SELL, IDS_STATUS_ERROR })
    , m_dissTexts({ IDS_DISS_NOT_MATCHED, IDS_DISS_IMMEDIATE, IDS_DISS_DELAYED, IDS_DISS_SENT,
          IDS_DISS_RELEASED, IDS_DISS_LAPSED })
{
}

void CTradeTable::OnSessionStart()
{
    if (m_aColorNames.empty()) {
        FillWindowColors(m_aColors, m_aColorNames,
            { IDS_TRADE_MATCHED, IDS_TRADE_PENDING, IDS_TRADE_CANCELLED, IDS_TRADE_ERROR,
                IDS_TRADE_UNAPPROVED, IDS_TRADE_UNCONFIRMED_BUY, IDS_TRADE_UNCONFIRMED_SELL });
    }
}

std::string CTradeTable::GetStatusText(char letter, uint32_t* code) const
{
    // The last letter, 'S', reads as an error, as any unknown letter does.
    const char* at = letter != '\0' ? std::strchr(kStatusLetters, letter) : nullptr;
    const uint32_t i = at != nullptr ? static_cast<uint32_t>(at - kStatusLetters) : 6;
    if (code != nullptr)
        *code = i;
    return m_statusTexts[i];
}

char CTradeTable::GetStatusLetter(std::string_view text) const
{
    for (const char* p = kStatusLetters; *p != '\0'; ++p) {
        if (GetStatusText(*p) == text)
            return *p;
    }
    return ' ';
}

std::string CTradeTable::GetDissStatusText(char letter) const
{
    const char* at = letter != '\0' ? std::strchr(kDissLetters, letter) : nullptr;
    return at != nullptr ? m_dissTexts[static_cast<size_t>(at - kDissLetters)] : std::string();
}

int CTradeTable::FindRowByNumber(std::string_view number) const
{
    CRecordReader reader(number.data(), number.size() < 12 ? number.size() : 12);
    return FindRow(reader.ULong(static_cast<int>(reader.Remaining())));
}

int CTradeTable::Decode(CRecordReader& reader)
{
    const std::string seq = reader.TextNoStrip(kSeqNumWidth);
    const char carries = reader.Char();
    const uint32_t tradeNo = reader.ULong(12);
    if (!reader.Ok())
        return 0;
    const auto takeKeys = [&] {
        TakeSeqNum(seq);
        TakeLastNumber(tradeNo);
    };
    if (carries != 'Y') {
        takeKeys();
        return 1;
    }

    CTradeRec rec {};
    const char print = reader.Char();
    rec.nBuyOrderNo = reader.ULong(12);
    rec.nSellOrderNo = reader.ULong(12);
    const std::string time = reader.TextNoStrip(6);
    rec.dtAmend = reader.Time6();
    const std::string buyReference = reader.Text(40);
    const std::string sellReference = reader.Text(40);
    const std::string buyUser = reader.Text(12);
    const std::string sellUser = reader.Text(12);
    const std::string buyFirm = reader.Text(12);
    const std::string sellFirm = reader.Text(12);
    const std::string buyAccount = reader.Text(12);
    const std::string sellAccount = reader.Text(12);
    const std::string code = reader.TextNoStrip(17);
    const CSecurityNames security = LookUpSecurity(code);
    rec.dPrice = reader.Decimal(9, security.priceDec);
    rec.dYield = reader.Decimal(9, security.yieldDec);
    rec.dQty = reader.Decimal(16, 0);
    rec.dValue = reader.Decimal(16, security.valueDec);
    rec.dtSettle = reader.Date8();
    rec.dAccruedInt = reader.Decimal(16, security.valueDec);
    rec.dtTrade = reader.Date8();
    const char status = reader.Char();
    const char source = reader.Char();
    rec.dtDiss = reader.Time6();
    const char dissStatus = reader.Char();
    if (!reader.Ok())
        return 0;
    takeKeys();

    rec.nTradeNo = tradeNo;
    if (rec.dtTrade.IsValid())
        rec.dtTrade.SetTimeVORL(time.c_str());
    CopyText(rec.szSecurity, security.shortName);
    CopyText(rec.szSecurityCode, code);
    CopyText(rec.szBoardCode, security.boardCode);
    CopyText(rec.szBoardName, security.boardName);
    CopyText(rec.szBuyReference, buyReference);
    CopyText(rec.szSellReference, sellReference);
    CopyText(rec.szBuyUser, buyUser);
    CopyText(rec.szSellUser, sellUser);
    CopyText(rec.szBuyFirm, buyFirm);
    CopyText(rec.szSellFirm, sellFirm);
    CopyText(rec.szBuyTrdAcc, buyAccount);
    CopyText(rec.szSellTrdAcc, sellAccount);
    CopyText(rec.szStatus, GetStatusText(status, &rec.nStatusCode));
    CopyText(rec.szDissStatus, GetDissStatusText(dissStatus));
    rec.cTradeSourceLetter = source;
    if (const int letter = FlagTable().FindByLetter(source); letter >= 0) {
        const FlagRec& f = *FlagTable().GetRec(letter);
        CopyText(rec.szTradeSource, f.szName);
        rec.cTradeSourceFlag = f.cEnabled;
    }
    rec.cDealFlag = source == kDealSourceLetter ? 'Y' : 'N';

    if (print == 'Y' && KvAppSettings().bPrintLog != 0)
        PrintRecord(rec);
    StoreByNumber(rec, tradeNo);
    return 1;
}

void CTradeTable::PrintRecord(const CTradeRec& rec)
{
    KvPrintLogLine(
        FormatLine("T %s %-8s %*ld %*ld %*ld %-4s %-10s %-12s %-12s %12s %13s %-12s %-12s %1c %-12s %-12s",
            PrintDate(rec.dtTrade).c_str(), PrintTime(rec.dtTrade).c_str(), 12,
            static_cast<long>(rec.nBuyOrderNo), 12, static_cast<long>(rec.nSellOrderNo), 12,
            static_cast<long>(rec.nTradeNo), rec.szBoardCode, rec.szSecurity, rec.szBuyTrdAcc,
            rec.szSellTrdAcc, PrintAmount(rec.dPrice).c_str(), PrintAmount(rec.dQty).c_str(), rec.szBuyUser,
            rec.szSellUser, PrintLetter(GetStatusLetter(rec.szStatus)), rec.szBuyFirm, rec.szSellFirm));
}
