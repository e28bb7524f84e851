#include "kv32/trading/deal_answer_form.h"

#include <algorithm>
#include <cstring>

#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/res/trading_strings.h"
#include "kv32/shell/text_format.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/order_record.h"
#include "kvcore/values/field_writer.h"
#include "kvcore/values/number_text.h"

namespace {

constexpr int kUserWidth = 12;
constexpr int kDealNoWidth = 12;
constexpr int kAccountWidth = 12;
constexpr int kPriceWidth = 9;
constexpr int kQuantityWidth = 16;
constexpr int kReferenceWidth = 40;
constexpr int kMinutesWidth = 4;
constexpr int kDateWidth = 8;
constexpr int kTimeWidth = 6;

bool DigitsOnly(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Blank(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string Minutes(int32_t minutes)
{
    return minutes == 0 ? std::string() : std::to_string(minutes);
}

int DealSide(const CNegDealRec& deal)
{
    return Kv32TradingString(IDS_SIDE_BUY) == deal.szBuySell ? 1 : 2;
}

struct DealSecurity {
    int row = -1;
    std::string boardName;
    std::string shortName;
};

DealSecurity FindDealSecurity(const CNegDealRec& deal)
{
    DealSecurity s;
    const std::string key(deal.szSecurityCode, strnlen(deal.szSecurityCode, sizeof deal.szSecurityCode));
    s.row = SecurityTable().FindByCode(key);
    if (s.row >= 0)
        s.shortName = SecurityTable().GetRec(s.row)->szShortName;
    if (key.size() >= 5) {
        const std::string code = key.substr(1, 4);
        const int board = BoardTable().FindByCode(code.c_str());
        if (board >= 0)
            s.boardName = BoardTable().GetRec(board)->szName;
    }
    return s;
}

// The user's name and the name of his firm.
void CounterpartyNames(const char* userCode, std::string& name, std::string& firmName)
{
    const int user = TraderTable().FindByCode(userCode);
    if (user < 0)
        return;
    const TraderRec& t = *TraderTable().GetRec(user);
    name = t.szName;
    const int firm = ParticipantTable().FindByCode(t.szFirm);
    if (firm >= 0)
        firmName = ParticipantTable().GetRec(firm)->szName;
}

} // namespace

KvDealAmendView DealAmendView(const CNegDealRec& deal)
{
    KvDealAmendView v;
    const DealSecurity security = FindDealSecurity(deal);
    v.securityRow = security.row;
    v.boardName = security.boardName;
    v.securityName = security.shortName;
    v.side = DealSide(deal);
    CounterpartyNames(deal.szCPUser, v.counterpartyName, v.counterpartyFirmName);
    const std::string flags(deal.szDealText, strnlen(deal.szDealText, sizeof deal.szDealText));
    v.settleGiven = KvFlagSet(flags, kFlagSettle);

    KvDealAmendInput& in = v.values;
    in.dealNo = deal.nDealNo;
    in.account = deal.szTrdAcc;
    in.counterparty = deal.szCPUser;
    // The deal's own flag tells whether it was made on a yield: the field shows
    // that value, with the decimals of its kind.
    in.yield = KvFlagSet(flags, kFlagYield);
    const SecurityRec* s = security.row >= 0 ? SecurityTable().GetRec(security.row) : nullptr;
    in.priceDecimals = s == nullptr ? 2 : (in.yield ? s->nYieldDec : s->nPriceDec);
    v.priceValue = static_cast<double>(in.yield ? deal.dYield : deal.dPrice);
    in.priceText = CDouble(v.priceValue, static_cast<unsigned>(in.priceDecimals)).Format(1, 1);
    in.quantityText = deal.dQty.Format(1, 1);
    in.reference = deal.szReference;
    in.confirmPeriod = Minutes(deal.nTimeout);
    in.reminder = Minutes(deal.nWarningTimeout);
    const std::string_view date(deal.szSettleDate, strnlen(deal.szSettleDate, sizeof deal.szSettleDate));
    if (v.settleGiven && date != "00000000" && !Blank(date))
        in.settleDate = std::string(date);
    const std::string_view time(deal.szDissTime, strnlen(deal.szDissTime, sizeof deal.szDissTime));
    if (!Blank(time))
        in.disseminationTime = std::string(time);
    in.tradeSource = deal.cTradeSourceLetter == '\0' ? ' ' : deal.cTradeSourceLetter;
    return v;
}

bool DealAmendOkEnabled(const std::string& quantityText)
{
    return Str2Dbl(quantityText, 0) >= 1.0;
}

KvDealCheck CheckDealAmend(const KvDealAmendInput& in)
{
    if (!DigitsOnly(in.confirmPeriod))
        return { IDS_INVALID_NUMBER, IDC_NA_CONFIRM_PERIOD };
    if (!DigitsOnly(in.reminder))
        return { IDS_INVALID_NUMBER, IDC_NA_REMINDER };
    if (!Cur2Str(in.priceText, kPriceWidth, in.priceDecimals))
        return { IDS_INVALID_VALUE, IDC_NA_PRICE };
    // A name that resolves to no user would go out as blanks.
    if (in.counterparty.empty() || in.counterparty.size() > static_cast<size_t>(kUserWidth))
        return { IDS_INVALID_VALUE, IDC_NA_COUNTERPARTY };
    if (in.account.size() > static_cast<size_t>(kAccountWidth))
        return { IDS_INVALID_VALUE, IDC_NA_ACCOUNT };
    if (!Cur2Str(in.quantityText, kQuantityWidth, 0))
        return { IDS_INVALID_VALUE, IDC_NA_QUANTITY };
    if (in.reference.size() > static_cast<size_t>(kReferenceWidth))
        return { IDS_INVALID_VALUE, IDC_NA_REFERENCE };
    if (in.confirmPeriod.size() > static_cast<size_t>(kMinutesWidth))
        return { IDS_INVALID_VALUE, IDC_NA_CONFIRM_PERIOD };
    if (in.reminder.size() > static_cast<size_t>(kMinutesWidth))
        return { IDS_INVALID_VALUE, IDC_NA_REMINDER };
    return {};
}

std::string BuildDealAmendRecord(const KvDealAmendInput& in)
{
    if (CheckDealAmend(in).messageId != 0)
        return {};
    const std::optional<std::string> price = Cur2Str(in.priceText, kPriceWidth, in.priceDecimals);
    const std::optional<std::string> quantity = Cur2Str(in.quantityText, kQuantityWidth, 0);
    // Unlike the deal input, an empty minute count goes as blanks.
    const auto minutes = [](const std::string& text) {
        return text.empty() ? std::optional<std::string>(std::string(kMinutesWidth, ' '))
                            : Cur2Str(text, kMinutesWidth, 0);
    };
    const std::optional<std::string> confirm = minutes(in.confirmPeriod);
    const std::optional<std::string> reminder = minutes(in.reminder);
    if (!price || !quantity || !confirm || !reminder)
        return {};
    KvFieldWriter w;
    w.TextCut(in.user, kUserWidth);
    w.Unsigned(in.dealNo, kDealNoWidth);
    w.Text(in.account, kAccountWidth);
    w.Text(in.counterparty, kUserWidth);
    const std::string blanks(kPriceWidth, ' ');
    w.Raw(in.yield ? blanks : *price).Raw(in.yield ? *price : blanks);
    w.Raw(*quantity);
    w.Text(in.reference.empty() ? std::string("*") : in.reference, kReferenceWidth);
    w.Raw(*confirm).Raw(*reminder);
    w.Text(in.settleDate, kDateWidth);
    w.Text(in.disseminationTime, kTimeWidth);
    w.Char(in.tradeSource == '\0' ? ' ' : in.tradeSource);
    if (!w.Ok() || w.Size() != kDealAmendLength)
        return {};
    return w.Str();
}

unsigned DealAmendErrorFocus(int errorNumber)
{
    switch (errorNumber) {
    case 1:
        return IDC_NA_ACCOUNT;
    case 4:
        return IDC_NA_COUNTERPARTY;
    case 5:
        return IDC_NA_PRICE;
    case 7:
        return IDC_NA_QUANTITY;
    case 9:
        return IDC_NA_CONFIRM_PERIOD;
    default:
        return 0;
    }
}

KvDealConfirmView DealConfirmView(const CNegDealRec& deal)
{
    KvDealConfirmView v;
    const DealSecurity security = FindDealSecurity(deal);
    v.dealNo = deal.nDealNo;
    v.side = DealSide(deal);
    v.boardName = security.boardName;
    v.securityName = security.shortName;
    std::string firm;
    CounterpartyNames(deal.szCPUser, v.counterpartyName, firm);
    v.priceText = deal.dPrice.Format(1, 1);
    v.quantityText = deal.dQty.Format(1, 1);
    v.reference = deal.szReference;
    return v;
}

std::string BuildDealConfirmRecord(
    const std::string& user, uint32_t dealNo, const std::string& account, const std::string& reference)
{
    KvFieldWriter w;
    w.TextCut(user, kUserWidth);
    w.Unsigned(dealNo, kDealNoWidth);
    w.Text(account, kAccountWidth);
    w.Text(reference, kReferenceWidth);
    if (!w.Ok() || w.Size() != kDealConfirmLength)
        return {};
    return w.Str();
}

unsigned DealConfirmErrorFocus(int errorNumber)
{
    return errorNumber == 1 ? unsigned { IDC_NA_ACCOUNT } : 0u;
}

std::string DealAnswerQuestion(unsigned patternId, int side, const std::string& board, const std::string& security,
    const std::string& price, const std::string& quantity, const std::string& account)
{
    const std::string sideText = Kv32DealDialogString(side == 1 ? IDS_DEAL_BUY : IDS_DEAL_SELL);
    return KvFillText(Kv32MarketDialogString(patternId), { sideText, board, security, price, quantity, account });
}

std::string DealAnswerTitle(unsigned patternId, uint32_t dealNo)
{
    return KvFillText(Kv32MarketDialogString(patternId), { std::to_string(dealNo) });
}
