#include "kv32/shell/neg_deal_form.h"

#include <cstring>

#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/res/table_strings.h"
#include "kv32/shell/text_format.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "kvcore/values/field_writer.h"
#include "kvcore/values/number_text.h"

namespace {

constexpr int kUserWidth = 12;
constexpr int kAccountWidth = 12;
constexpr int kKeyWidth = 17;
constexpr int kQuantityWidth = 16;
constexpr int kReferenceWidth = 40;
constexpr int kMinutesWidth = 4;
constexpr int kDateWidth = 8;
constexpr int kTimeWidth = 6;

const SecurityRec* SecurityAt(int row)
{
    CSecurityTable& t = SecurityTable();
    return row >= 0 && row < t.GetCount() ? t.GetRec(row) : nullptr;
}

bool DigitsOnly(std::string_view text)
{
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}


} // namespace

KvNegDealRules NegDealRules(int securityRow)
{
    KvNegDealRules r;
    const SecurityRec* s = SecurityAt(securityRow);
    if (s == nullptr)
        return r;
    r.found = true;
    r.accountEnabled = s->cTrdAccFlag == '0';
    r.dealsAllowed = s->cNegDealFlag == '1';
    r.yieldEnabled = s->cYieldFlag == '1';
    r.settleEnabled = s->cSettleDateFlag == '1';
    r.sellEnabled = s->cSideFlag == 'S' || s->cSideFlag == 'E';
    r.buyEnabled = s->cSideFlag == 'B' || s->cSideFlag == 'E';
    r.ownCounterparty = s->cOwnFirmFlag == '1';
    r.priceDecimals = s->nPriceDec;
    r.yieldDecimals = s->nYieldDec;
    return r;
}

int NegDealAdjustSide(int side, bool buyEnabled, bool sellEnabled)
{
    if (side == kDealSell && !sellEnabled)
        return kDealBuy;
    if (side == kDealBuy && !buyEnabled && sellEnabled)
        return kDealSell;
    return side;
}

KvDealPricePreset NegDealPricePreset(int securityRow, int side)
{
    const SecurityRec* s = SecurityAt(securityRow);
    if (s == nullptr)
        return {};
    const struct {
        const CDouble& price;
        unsigned hint;
    } order[] = {
        { side == kDealBuy ? s->dBid : s->dOffer, side == kDealBuy ? IDS_HINT_BID : IDS_HINT_OFFER },
        { s->dLast, IDS_HINT_LAST_TODAY },
        { s->dPrevPrice, IDS_HINT_LAST_EARLIER },
    };
    for (const auto& o : order)
        if (static_cast<double>(o.price) != 0.0)
            return { o.price, o.hint };
    return { CDouble(0.0, static_cast<unsigned>(s->nPriceDec)), 0 };
}

bool NegDealOkEnabled(const KvNegDealOkInput& in)
{
    return in.boardListed && in.securityListed && in.dealsAllowed && in.counterpartySelected
        && Str2Dbl(in.quantityText, 0) >= 1.0;
}

void KvPriceYieldSwap::Clear()
{
    m_sPrice.clear();
    m_sYield.clear();
}

std::string KvPriceYieldSwap::Toggle(bool yieldNow, const std::string& fieldText, const std::string& convertedText)
{
    std::string& keep = yieldNow ? m_sPrice : m_sYield;
    const std::string& restore = yieldNow ? m_sYield : m_sPrice;
    keep = fieldText;
    return convertedText.empty() ? restore : convertedText;
}

std::vector<KvSecurityChoice> NegDealSecurities(std::string_view boardCode)
{
    std::vector<KvSecurityChoice> out;
    const std::string code(boardCode);
    const std::string yes = Kv32TableString(IDS_YES);
    CSecurityTable& t = SecurityTable();
    for (int i = 0; i < t.GetCount(); ++i) {
        const SecurityRec& s = *t.GetRec(i);
        if (!CSecurityTable::CodeHasBoard(s.szCode, code.c_str()) || yes == s.szDistribution)
            continue;
        out.push_back({ s.szShortName, i });
    }
    return out;
}

KvNegDealCheck CheckNegDeal(int securityRow, std::string_view confirmPeriod, std::string_view reminder,
    std::string_view priceText, int priceDecimals)
{
    if (SecurityAt(securityRow) == nullptr)
        return { IDS_INVALID_SECURITY, IDC_ND_SECURITY };
    if (!DigitsOnly(confirmPeriod))
        return { IDS_INVALID_NUMBER, IDC_ND_CONFIRM_PERIOD };
    if (!DigitsOnly(reminder))
        return { IDS_INVALID_NUMBER, IDC_ND_REMINDER };
    if (!Cur2Str(priceText, kNegDealPriceWidth, priceDecimals))
        return { IDS_INVALID_VALUE, IDC_ND_PRICE };
    return {};
}

KvNegDealCheck CheckNegDealWidths(const KvNegDealInput& in)
{
    if (in.account.size() > static_cast<size_t>(kAccountWidth))
        return { IDS_INVALID_VALUE, IDC_ND_ACCOUNT };
    if (!Cur2Str(in.quantityText, kQuantityWidth, 0))
        return { IDS_INVALID_VALUE, IDC_ND_QUANTITY };
    if (in.reference.size() > static_cast<size_t>(kReferenceWidth))
        return { IDS_INVALID_VALUE, IDC_ND_REFERENCE };
    return {};
}

std::string BuildNegDealRecord(const KvNegDealInput& in)
{
    const std::optional<std::string> price = Cur2Str(in.priceText, kNegDealPriceWidth, in.priceDecimals);
    const std::optional<std::string> quantity = Cur2Str(in.quantityText, kQuantityWidth, 0);
    const std::optional<std::string> confirm = Cur2Str(in.confirmPeriod, kMinutesWidth, 0);
    const std::optional<std::string> reminder = Cur2Str(in.reminder, kMinutesWidth, 0);
    if (!price || !quantity || !confirm || !reminder)
        return {};
    KvFieldWriter w;
    w.TextCut(in.user, kUserWidth);
    w.Text(in.account, kAccountWidth);
    w.Char(in.side == kDealBuy ? 'B' : 'S');
    w.Text(in.securityKey, kKeyWidth);
    w.Text(in.counterparty, kUserWidth);
    const std::string blanks(kNegDealPriceWidth, ' ');
    w.Raw(in.yield ? blanks : *price).Raw(in.yield ? *price : blanks);
    w.Raw(*quantity);
    w.Text(in.reference, kReferenceWidth);
    w.Raw(*confirm).Raw(*reminder);
    w.TextCut(in.user, kUserWidth);
    w.Text(in.settleDate, kDateWidth);
    w.Text(in.disseminationTime, kTimeWidth);
    // A missing source goes out as a blank, never as a NUL inside the text.
    w.Char(in.tradeSource == '\0' ? ' ' : in.tradeSource);
    if (!w.Ok() || w.Size() != kNegDealTextLength)
        return {};
    std::string record = w.Str();
    record.push_back('\0');
    return record;
}

unsigned NegDealErrorFocus(int errorNumber)
{
    switch (errorNumber) {
    case 1:
        return IDC_ND_ACCOUNT;
    case 3:
        return IDC_ND_SECURITY;
    case 4:
        return IDC_ND_COUNTERPARTY;
    case 5:
    case 6:
        return IDC_ND_PRICE;
    case 7:
    case 8:
        return IDC_ND_QUANTITY;
    case 9:
        return IDC_ND_CONFIRM_PERIOD;
    default:
        return 0;
    }
}

std::string NegDealQuestion(int side, const std::string& board, const std::string& security,
    const std::string& price, const std::string& quantity, const std::string& account)
{
    const std::string sideText = Kv32DealDialogString(side == kDealBuy ? IDS_DEAL_BUY : IDS_DEAL_SELL);
    return KvFillText(Kv32DealDialogString(IDS_DEAL_CONFIRM), { sideText, board, security, price, quantity, account });
}

KvDealWindowRow KvActiveDealWindowRow()
{
    KvDealWindowRow w;
    const KvActiveRow* active = KvActiveListRow();
    if (active == nullptr)
        return w;
    w.tableId = active->TableId();
    const int index = active->RecordIndex();
    const auto keyOf = [index](auto& table) {
        return index >= 0 && index < table.GetCount() ? std::string(table.GetRec(index)->szSecurityCode)
                                                      : std::string();
    };
    switch (w.tableId) {
    case kListSecurities:
        w.securityRow = index;
        break;
    case kListOrders:
        w.securityKey = keyOf(OrderTable());
        break;
    case kListTrades:
        w.securityKey = keyOf(TradeTable());
        break;
    case kListNegDeals:
        w.securityKey = keyOf(NegDealTable());
        break;
    case kListOrderBook: {
        w.securityKey = active->BookSecurityKey();
        w.hasBookRow = index >= 0;
        const KvBookRow row = active->BookRow();
        w.firstPrice = row.bid;
        w.secondPrice = row.offer;
        break;
    }
    default:
        break;
    }
    return w;
}

KvNegDealPreset NegDealPreset(const KvDealWindowRow& window, int side, std::optional<int> sourceSecurity)
{
    KvNegDealPreset p;
    CSecurityTable& securities = SecurityTable();
    const auto boardOf = [](int row) {
        const SecurityRec* s = SecurityAt(row);
        if (s == nullptr)
            return -1;
        char code[5] = {};
        std::memcpy(code, s->szCode + 1, 4);
        return BoardTable().FindByCode(code);
    };
    const auto take = [&](int row) {
        p.securityRow = SecurityAt(row) != nullptr ? row : -1;
        p.boardRow = boardOf(p.securityRow);
    };
    switch (window.tableId) {
    case kListSecurities:
        take(window.securityRow);
        p.pricePreset = true;
        break;
    case 7: // summary
        p.boardRow = window.boardRow >= 0 && window.boardRow < BoardTable().GetCount() ? window.boardRow : -1;
        break;
    case kListOrders:
    case kListTrades:
    case kListNegDeals:
        take(securities.FindByCode(window.securityKey));
        break;
    case kListOrderBook:
        take(window.securityRow >= 0 ? window.securityRow : securities.FindByCode(window.securityKey));
        if (window.hasBookRow)
            p.price = side == kDealBuy ? window.firstPrice : window.secondPrice;
        break;
    default:
        break;
    }
    if (sourceSecurity) {
        const int row = SecurityAt(*sourceSecurity) != nullptr ? *sourceSecurity : -1;
        p.securityRow = row;
        if (row >= 0)
            p.boardRow = boardOf(row);
    }
    return p;
}
