#include "kv32/trading/order_entry_form.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "fw/core/msgbox.h"
#include "kv32/res/order_entry_ids.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/res/table_strings.h"
#include "kv32/res/trading_strings.h"
#include "kv32/shell/session.h"
#include "kv32/shell/text_format.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/local_order_table.h"
#include "kv32/trading/active_row.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/prompts.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/number_text.h"

namespace {

constexpr uint32_t kValidity[] = { IDC_OE_SESSION, IDC_OE_DAY, IDC_OE_GTC, IDC_OE_GTD };
constexpr uint32_t kFills[] = { IDC_OE_FILL_ANY, IDC_OE_FILL_MIN, IDC_OE_ALL_OR_NONE, IDC_OE_FILL_OR_KILL,
    IDC_OE_FILL_AND_KILL };

constexpr uint32_t kRegularIds[] = { IDC_OE_BUY, IDC_OE_SELL, IDC_OE_MARKET, IDC_OE_LIMIT, IDC_OE_BOARD,
    IDC_OE_SECURITY, IDC_OE_ACCOUNT, IDC_OE_PRICE, IDC_OE_PRICE_LABEL, IDC_OE_YIELD, IDC_OE_COUNTER,
    IDC_OE_COUNTER_LABEL, IDC_OE_QUANTITY, IDC_OE_HIDDEN, IDC_OE_REFERENCE, IDC_OE_SEND_POB, IDC_OE_WAI,
    IDC_OE_SESSION, IDC_OE_DAY, IDC_OE_GTC, IDC_OE_GTD, IDC_OE_EXPIRY_DATE, IDC_OE_EXPIRY_TIME, IDC_OE_TIME_LABEL,
    IDC_OE_FILL_ANY, IDC_OE_FILL_MIN, IDC_OE_ALL_OR_NONE, IDC_OE_FILL_OR_KILL, IDC_OE_FILL_AND_KILL, IDC_OE_MIN_FILL,
    IDC_OE_MIN_FILL_LABEL, IDC_OE_SETTLE, IDC_OE_SETTLE_DATE, IDC_OE_SETTLE_LABEL, IDC_OE_STOP, IDC_OE_TRIGGER,
    IDC_OE_TRIGGER_LABEL, IDC_OE_BUYIN, IDC_OE_CONFIRM, fw::kIdOk, fw::kIdCancel };
constexpr uint32_t kPrimaryIds[] = { IDC_OE_BOARD, IDC_OE_SECURITY, IDC_OE_ACCOUNT, IDC_OE_CUSTODIAN, IDC_OE_PRICE,
    IDC_OE_QUANTITY, IDC_OE_HIDDEN, IDC_OE_REFERENCE_PD, IDC_OE_MARKET, IDC_OE_LIMIT, IDC_OE_STOP,
    IDC_OE_PD_FILL_OR_KILL, IDC_OE_PD_ALL_OR_NONE, IDC_OE_PD_IMMEDIATE, IDC_OE_SESSION, IDC_OE_DAY, IDC_OE_GTC,
    IDC_OE_GTD, IDC_OE_EXPIRY_DATE_LABEL, IDC_OE_EXPIRY_DATE, IDC_OE_CONFIRM, fw::kIdOk, fw::kIdCancel };

std::string Trim(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string Stripped(const char* text, size_t size)
{
    std::string s(text, strnlen(text, size));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}
template <size_t N> std::string Stripped(const char (&text)[N])
{
    return Stripped(text, N);
}

// A number as the form shows it: the user's separators, no digit groups, zero shown.
std::string Shown(const CDouble& value)
{
    return value.Format(0, 1);
}
std::string Shown(double value, int decimals)
{
    return CDouble(value, static_cast<unsigned>(std::max(decimals, 0))).Format(0, 1);
}

bool Nonzero(const CDouble& value)
{
    return static_cast<double>(value) != 0 && !value.IsNoValue();
}

std::string Today()
{
    return CDateTime::GetTickCount().FormatDateVORL();
}

std::string NowTime()
{
    return CDateTime::GetTickCount().FormatTimeVORL();
}

int OrderExit()
{
    const CSession* session = KvSession();
    return session != nullptr ? session->m_bOrderExit : 1;
}

} // namespace

COrderEntryForm::COrderEntryForm(int side, bool primary, bool preset, bool copyMethods)
    : m_nSide(side == 1 ? 1 : 2)
    , m_bPrimary(primary)
    , m_bPreset(preset)
    , m_bCopyMethods(copyMethods)
{
    if (m_bPrimary) {
        for (uint32_t id : kPrimaryIds)
            Declare(id);
        // No record field carries them.
        for (uint32_t id : { IDC_OE_CUSTODIAN, IDC_OE_PD_FILL_OR_KILL, IDC_OE_PD_ALL_OR_NONE, IDC_OE_PD_IMMEDIATE })
            C(id).enabled = false;
    } else {
        for (uint32_t id : kRegularIds)
            Declare(id);
        C(IDC_OE_PRICE_LABEL).text = Kv32OrderEntryString(IDS_OE_PRICE) + ":";
        C(IDC_OE_COUNTER_LABEL).text = Kv32OrderEntryString(IDS_OE_YIELD) + ":";
    }
    C(m_nSide == 1 ? IDC_OE_BUY : IDC_OE_SELL).checked = true;
    C(IDC_OE_CONFIRM).checked = ps != nullptr && ps->m_bConfirm != 0;
}

void COrderEntryForm::Declare(uint32_t id)
{
    m_controls.emplace(id, KvFormControl {});
}

void COrderEntryForm::SetPreset(const std::string& board, const std::string& security, const std::string& price,
    const std::string& quantity, bool priceIsYield)
{
    m_bPreset = true;
    m_prefill.board = board;
    m_prefill.security = security;
    (priceIsYield ? m_prefill.yield : m_prefill.price) = price;
    m_prefill.quantity = quantity;
    m_prefill.yieldFlag = priceIsYield;
}

void COrderEntryForm::SetPrivateOrder(int index)
{
    m_bPrivate = true;
    m_nPrivate = index;
}

const KvFormControl& COrderEntryForm::Control(uint32_t id) const
{
    static const KvFormControl none = [] {
        KvFormControl c;
        c.enabled = false;
        return c;
    }();
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? none : it->second;
}

bool COrderEntryForm::On(uint32_t id) const
{
    const auto it = m_controls.find(id);
    return it != m_controls.end() && it->second.checked;
}

void COrderEntryForm::Enable(uint32_t id, bool on)
{
    if (Has(id))
        C(id).enabled = on;
}

void COrderEntryForm::Check(uint32_t id, bool on)
{
    if (Has(id))
        C(id).checked = on;
}

void COrderEntryForm::EnableCheck(uint32_t id, bool on)
{
    Enable(id, on);
    if (!on)
        Check(id, false);
}

void COrderEntryForm::SetText(uint32_t id, const std::string& text)
{
    if (Has(id))
        C(id).text = text;
}

std::string COrderEntryForm::Sel(uint32_t id) const
{
    const KvFormControl& c = Control(id);
    return c.sel >= 0 && c.sel < static_cast<int>(c.items.size()) ? c.items[static_cast<size_t>(c.sel)] : std::string();
}

uint32_t COrderEntryForm::ReferenceId() const
{
    return m_bPrimary ? IDC_OE_REFERENCE_PD : IDC_OE_REFERENCE;
}

const SecurityRec* COrderEntryForm::Security() const
{
    CSecurityTable& table = SecurityTable();
    return m_nSecurity >= 0 && m_nSecurity < table.GetCount() ? table.GetRec(m_nSecurity) : nullptr;
}

bool COrderEntryForm::Perm(int pos) const
{
    const SecurityRec* s = Security();
    return s != nullptr && KvFlagSet(s->szMethods, pos);
}

uint32_t COrderEntryForm::TakeFocus()
{
    return std::exchange(m_nFocus, 0u);
}

std::string COrderEntryForm::Caption() const
{
    const std::string side = Kv32OrderEntryString(m_nSide == 1 ? IDS_OE_BUY : IDS_OE_SELL);
    if (m_bPrimary)
        return Kv32OrderEntryString(IDS_OE_CAPTION_PD) + side;
    return KvFillText(Kv32OrderEntryString(IDS_OE_CAPTION), { Kv32OrderEntryString(IDS_OE_REGULAR), side });
}

// ---- Lists ----

void COrderEntryForm::FillAccounts()
{
    KvFormControl& list = C(IDC_OE_ACCOUNT);
    list.items.clear();
    list.sel = -1;
    if (const CTrAccLocalArray* accounts = GetCurrentSessionData())
        for (const CTrAccLocal& a : accounts->m_entries)
            list.items.push_back(a.account);
    if (list.items.size() == 1) {
        list.sel = 0;
        return;
    }
    const CDefSelTable& defaults = DefSelTable();
    if (defaults.m_anChoice[0] != 0
        && std::find(list.items.begin(), list.items.end(), defaults.m_sText) != list.items.end())
        KvLastTradingAccount() = defaults.m_sText;
    SelectAccountText(KvLastTradingAccount());
}

void COrderEntryForm::SelectAccountText(const std::string& account)
{
    KvFormControl& list = C(IDC_OE_ACCOUNT);
    const auto it = std::find(list.items.begin(), list.items.end(), account);
    if (it != list.items.end())
        list.sel = static_cast<int>(it - list.items.begin());
}

void COrderEntryForm::SelectOnlyOrLastAccount()
{
    KvFormControl& list = C(IDC_OE_ACCOUNT);
    if (list.items.size() == 1)
        list.sel = 0;
    else
        SelectAccountText(KvLastTradingAccount());
}

void COrderEntryForm::FillBoards()
{
    KvFormControl& list = C(IDC_OE_BOARD);
    list.items = BoardTable().FillList();
    list.sel = -1;
}

void COrderEntryForm::FillReferences()
{
    std::vector<std::string> items;
    int selected = -1;
    DefSelTable().FillList(items, selected);
    if (!m_bPrimary)
        C(IDC_OE_REFERENCE).items = items;
}

void COrderEntryForm::FillSecurities()
{
    KvFormControl& list = C(IDC_OE_SECURITY);
    const std::string previous = Sel(IDC_OE_SECURITY);
    list.items.clear();
    list.data.clear();
    list.sel = -1;
    CBoardTable& boards = BoardTable();
    const int board = boards.FindByName(Sel(IDC_OE_BOARD).c_str());
    if (board >= 0) {
        const std::string code = Stripped(boards.GetRec(board)->szCode);
        const std::string yes = Kv32TableString(IDS_YES);
        CSecurityTable& table = SecurityTable();
        for (int i = 0; i < table.GetCount(); ++i) {
            const SecurityRec& s = *table.GetRec(i);
            if (!CSecurityTable::CodeHasBoard(s.szCode, code.c_str()))
                continue;
            // Primary distributions are entered in their own layout only.
            if (!m_bPrimary && !yes.empty() && Stripped(s.szDistribution) == yes)
                continue;
            list.items.push_back(Stripped(s.szShortName));
            list.data.push_back(i);
        }
    }
    const auto it = std::find(list.items.begin(), list.items.end(), previous);
    if (it != list.items.end())
        list.sel = static_cast<int>(it - list.items.begin());
    m_nSecurity = list.sel >= 0 ? list.data[static_cast<size_t>(list.sel)] : -1;
}

// ---- Initialisation and prefill ----

void COrderEntryForm::Init()
{
    FillReferences();
    FillAccounts();
    FillBoards();
    if (!m_bPrimary)
        C(IDC_OE_WAI).items = LocalOrderTable().FillWorkAreas();
    if (!m_bPreset)
        Prefill();
    else if (Has(IDC_OE_YIELD))
        C(IDC_OE_YIELD).enabled = false;
    ApplyPrefillTexts();
    if (!m_prefill.account.empty())
        SelectAccountText(m_prefill.account);
    if (OrderExit() == 0)
        C(fw::kIdCancel).text = Kv32OrderEntryString(IDS_OE_CLOSE);
    if (On(IDC_OE_MARKET))
        SetText(IDC_OE_PRICE, "");
    m_sPriceText = Control(IDC_OE_PRICE).text;

    SecurityChanged();
    ShowStatus(IDC_OE_SECURITY);
    if (!m_bPrimary) {
        ValidityChanged();
        SettleChanged();
        StopChanged();
    }
    Convert();
    m_bPriceTaken = false;
    if (m_bCopyMethods)
        CopyMethods();
}

void COrderEntryForm::Prefill()
{
    const bool keepPrivate = m_bPrivate;
    m_prefill = Prefilled {};
    KvActiveRow* active = KvActiveListRow();
    if (m_bPrimary || active == nullptr)
        return;
    const int row = active->RecordIndex();
    const int column = active->CurrentColumn();
    const bool selling = m_nSide != 1;
    const auto nameAndBoard = [this](std::string_view code) {
        const int s = SecurityTable().FindByCode(code);
        if (s < 0)
            return -1;
        const SecurityRec& rec = *SecurityTable().GetRec(s);
        m_prefill.board = Stripped(rec.szBoardName);
        m_prefill.security = Stripped(rec.szShortName);
        return s;
    };
    const auto takeRow = [&](const auto& rec) {
        m_prefill.board = Stripped(rec.szBoardName);
        m_prefill.security = Stripped(rec.szSecurity);
        nameAndBoard(Stripped(rec.szSecurityCode));
        m_prefill.price = Shown(rec.dPrice);
        m_prefill.quantity = Shown(rec.dQty);
    };
    const auto bookRow = [&](int bidSizeCol, int bidCol, int offerSizeCol, int offerCol) {
        const int s = nameAndBoard(active->BookSecurityKey());
        if (s < 0)
            return;
        const int dec = SecurityTable().GetRec(s)->nPriceDec;
        const KvBookRow r = active->BookRow();
        const bool sizeOrPrice = selling ? (column == bidSizeCol || column == bidCol)
                                         : (column == offerSizeCol || column == offerCol);
        // Selling to the bid the user points at, or buying the offer; else the other side's price.
        const bool bid = selling == sizeOrPrice;
        m_prefill.price = Shown(static_cast<double>(bid ? r.bid : r.offer), dec);
        if (sizeOrPrice)
            m_prefill.quantity = Shown(bid ? r.bidSize : r.offerSize);
    };

    switch (active->TableId()) {
    case kListSecurities: {
        CSecurityTable& table = SecurityTable();
        if (row < 0 || row >= table.GetCount())
            return;
        const SecurityRec& s = *table.GetRec(row);
        m_prefill.board = Stripped(s.szBoardName);
        m_prefill.security = Stripped(s.szShortName);
        const bool pointed = selling ? (column == 4 || column == 19) : (column == 5 || column == 22);
        const bool bid = selling == pointed;
        const CDouble& price = bid ? s.dBid : s.dOffer;
        if (pointed) {
            m_prefill.price = Shown(static_cast<double>(price), s.nPriceDec);
            m_prefill.quantity = Shown(bid ? s.dBidDepth : s.dOfferDepth);
        } else if (Nonzero(price)) {
            m_prefill.price = Shown(static_cast<double>(price), s.nPriceDec);
        }
        if (!m_prefill.price.empty() && Nonzero(bid ? s.dBidYield : s.dOfferYield))
            m_prefill.yield = Shown(static_cast<double>(bid ? s.dBidYield : s.dOfferYield), s.nYieldDec);
        if (m_prefill.price.empty() || Str2Dbl(m_prefill.price, 0) == 0) {
            m_prefill.price.clear();
            m_prefill.yield.clear();
            for (const CDouble* fallback : { &s.dClose, &s.dPrevPrice, &s.dRefPrice })
                if (Nonzero(*fallback)) {
                    m_prefill.price = Shown(static_cast<double>(*fallback), s.nPriceDec);
                    break;
                }
        }
        break;
    }
    case kListOrders: {
        COrderTable& orders = OrderTable();
        if (row < 0 || row >= orders.GetCount())
            return;
        const COrderRec& o = *orders.GetRec(row);
        takeRow(o);
        KvLastTradingAccount() = Stripped(o.szTrdAcc);
        m_prefill.reference = Stripped(o.szReference);
        break;
    }
    case kListTrades: {
        CTradeTable& trades = TradeTable();
        if (row < 0 || row >= trades.GetCount())
            return;
        takeRow(*trades.GetRec(row));
        break;
    }
    case kListNegDeals: {
        CNegDealTable& deals = NegDealTable();
        if (row < 0 || row >= deals.GetCount())
            return;
        takeRow(*deals.GetRec(row));
        break;
    }
    case kListOrderBook:
        bookRow(2, 4, 7, 5);
        break;
    case kListMarketOrders:
        bookRow(2, 3, 5, 4);
        break;
    case kListPrivateOrders: {
        CLocalOrderTable& book = LocalOrderTable();
        if (!keepPrivate || m_bPrivateRead || m_nPrivate < 0 || m_nPrivate >= book.GetSize())
            return;
        m_bPrivateRead = true;
        const CLocalOrderRec& p = *book.GetAt(m_nPrivate);
        m_prefill.board = Stripped(p.szBoardName);
        m_prefill.security = Stripped(p.szSecurity);
        nameAndBoard(Stripped(p.szSecurityCode));
        m_prefill.price = Shown(p.dPrice);
        m_prefill.yield = Shown(p.dYield);
        m_prefill.yieldFlag = p.nEntryMark != 0;
        m_prefill.quantity = Shown(p.dQty);
        m_prefill.reference = Stripped(p.szReference);
        m_prefill.account = Stripped(p.szTrdAcc);
        m_prefill.workArea = Stripped(p.szWorkArea);
        if (Has(IDC_OE_SEND_POB))
            C(IDC_OE_SEND_POB).enabled = false;
        Enable(IDC_OE_WAI, true);
        const std::string flags = Stripped(p.szType);
        PendingFromFlags(flags, p.dtExpiry.FormatDateVORL(), Stripped(p.szExpiryTimeText), p.dFillMinQty,
            p.dtSettle.FormatDateVORL(), p.dTriggerPrice);
        m_bPosition5 = KvFlagSet(flags, kFlagMarketMaker);
        const std::string buy = Kv32TradingString(IDS_SIDE_BUY);
        const std::string side = Stripped(p.szBuySell);
        m_nSide = side == buy || side == "B" ? 1 : 2;
        C(IDC_OE_BUY).checked = m_nSide == 1;
        C(IDC_OE_SELL).checked = m_nSide != 1;
        break;
    }
    default:
        break;
    }
}

void COrderEntryForm::PendingFromFlags(const std::string& flags, const std::string& expiryDate,
    const std::string& expiryTime, const CDouble& minFill, const std::string& settleDate, const CDouble& trigger)
{
    const auto f = [&](int pos) { return KvFlagSet(flags, pos); };
    m_pending = Pending {};
    if (f(kFlagSession))
        m_pending.validity = IDC_OE_SESSION;
    else if (f(kFlagDay))
        m_pending.validity = IDC_OE_DAY;
    else if (f(kFlagGoodTillCancelled))
        m_pending.validity = IDC_OE_GTC;
    else if (f(kFlagGoodTillDate) || f(kFlagGoodTillTime)) {
        m_pending.validity = IDC_OE_GTD;
        m_pending.expiryDate = expiryDate;
        m_pending.expiryTime = expiryTime;
    }
    const bool kill = f(kFlagImmediate);
    if (f(kFlagFillAny))
        m_pending.fill = kill ? IDC_OE_FILL_AND_KILL : IDC_OE_FILL_ANY;
    else if (f(kFlagFillMinimum)) {
        m_pending.fill = IDC_OE_FILL_MIN;
        m_pending.minFill = Shown(minFill);
    } else if (f(kFlagAllOrNone))
        m_pending.fill = kill ? IDC_OE_FILL_OR_KILL : IDC_OE_ALL_OR_NONE;
    m_pending.settle = f(kFlagSettle);
    m_pending.settleDate = settleDate;
    m_pending.stop = f(kFlagStop);
    m_pending.trigger = Shown(trigger);
    m_pending.market = f(kFlagMarket);
}

void COrderEntryForm::ApplyPrefillTexts()
{
    KvFormControl& boards = C(IDC_OE_BOARD);
    const auto board = std::find(boards.items.begin(), boards.items.end(), m_prefill.board);
    if (board != boards.items.end())
        boards.sel = static_cast<int>(board - boards.items.begin());
    FillSecurities();
    KvFormControl& secs = C(IDC_OE_SECURITY);
    const auto sec = std::find(secs.items.begin(), secs.items.end(), m_prefill.security);
    if (sec != secs.items.end()) {
        secs.sel = static_cast<int>(sec - secs.items.begin());
        m_nSecurity = secs.data[static_cast<size_t>(secs.sel)];
    }
    SelectOnlyOrLastAccount();
    SetText(IDC_OE_QUANTITY, m_prefill.quantity);
    SetText(IDC_OE_PRICE, m_prefill.price);
    if (!m_bPrimary && !m_prefill.yield.empty()) {
        if (m_prefill.price.empty())
            SetText(IDC_OE_COUNTER, m_prefill.yield);
        m_sYieldText = m_prefill.yield;
    }
    if (!m_bPrimary && !m_prefill.workArea.empty())
        SetText(IDC_OE_WAI, m_prefill.workArea);
    std::string reference = m_prefill.reference;
    const CDefSelTable& defaults = DefSelTable();
    if (reference.empty() && defaults.m_anChoice[1] != 0)
        reference = defaults.m_sCurrent;
    SetText(ReferenceId(), reference);
}

// ---- The security and the order methods it allows ----

void COrderEntryForm::SecurityChanged()
{
    if (m_bPrimary) {
        QuantityRule();
        return;
    }
    const SecurityRec* s = Security();
    if (s == nullptr) {
        NoSecurity();
        return;
    }
    const bool account = !Perm(kFlagNoAccount);
    Enable(IDC_OE_ACCOUNT, account);
    if (account)
        SelectOnlyOrLastAccount();
    else
        C(IDC_OE_ACCOUNT).sel = -1;

    Enable(IDC_OE_PRICE, true);
    Enable(IDC_OE_YIELD, Perm(kFlagYield) && !m_bPreset);
    Check(IDC_OE_YIELD, m_bPrivate ? Control(IDC_OE_YIELD).enabled && m_prefill.yieldFlag : Control(IDC_OE_YIELD).enabled);
    if (!m_bPriceTaken) {
        m_sPriceText.clear();
        m_sYieldText.clear();
        SetText(IDC_OE_PRICE, "");
        SetText(IDC_OE_COUNTER, "");
    }
    YieldChanged();

    Enable(IDC_OE_QUANTITY, true);
    Enable(IDC_OE_HIDDEN, Perm(kFlagHidden));
    if (!Perm(kFlagHidden))
        SetText(IDC_OE_HIDDEN, "");
    Enable(IDC_OE_REFERENCE, true);
    Enable(IDC_OE_WAI, On(IDC_OE_SEND_POB) || m_bPrivate);
    Enable(IDC_OE_MIN_FILL, true);
    Enable(IDC_OE_TRIGGER, false);

    Enable(IDC_OE_LIMIT, Perm(kFlagLimit));
    Enable(IDC_OE_MARKET, Perm(kFlagMarket));
    Check(IDC_OE_LIMIT, false);
    Check(IDC_OE_MARKET, false);
    if (Perm(kFlagLimit)) {
        Check(IDC_OE_LIMIT, true);
        LimitClicked();
    } else if (Perm(kFlagMarket)) {
        Check(IDC_OE_MARKET, true);
        MarketClicked();
    }

    Enable(IDC_OE_SESSION, Perm(kFlagSession));
    Enable(IDC_OE_DAY, Perm(kFlagDay));
    Enable(IDC_OE_GTC, Perm(kFlagGoodTillCancelled));
    Enable(IDC_OE_GTD, Perm(kFlagGoodTillDate) || Perm(kFlagGoodTillTime));
    Enable(IDC_OE_EXPIRY_DATE, Perm(kFlagGoodTillDate));
    if (!Perm(kFlagGoodTillDate))
        SetText(IDC_OE_EXPIRY_DATE, "");
    Enable(IDC_OE_EXPIRY_TIME, Perm(kFlagGoodTillTime));
    Enable(IDC_OE_TIME_LABEL, Perm(kFlagGoodTillTime));
    if (!Perm(kFlagGoodTillTime))
        SetText(IDC_OE_EXPIRY_TIME, "");

    Enable(IDC_OE_FILL_ANY, Perm(kFlagFillAny));
    Enable(IDC_OE_FILL_MIN, Perm(kFlagFillMinimum));
    Enable(IDC_OE_ALL_OR_NONE, Perm(kFlagAllOrNone));
    Enable(IDC_OE_FILL_OR_KILL, Perm(kFlagAllOrNone) && Perm(kFlagImmediate));
    Enable(IDC_OE_FILL_AND_KILL, Perm(kFlagFillAny) && Perm(kFlagImmediate));
    if (On(IDC_OE_MARKET))
        for (uint32_t id : { IDC_OE_ALL_OR_NONE, IDC_OE_FILL_MIN, IDC_OE_FILL_AND_KILL })
            Enable(id, false);

    EnableCheck(IDC_OE_SETTLE, Perm(kFlagSettle));
    if (!Perm(kFlagSettle))
        SetText(IDC_OE_SETTLE_DATE, "");
    EnableCheck(IDC_OE_STOP, Perm(kFlagStop));
    EnableCheck(IDC_OE_BUYIN, false);

    if (m_pending.market && Control(IDC_OE_MARKET).enabled) {
        Check(IDC_OE_MARKET, true);
        Check(IDC_OE_LIMIT, false);
        for (uint32_t id : { IDC_OE_ALL_OR_NONE, IDC_OE_FILL_MIN, IDC_OE_FILL_AND_KILL })
            EnableCheck(id, false);
    }
    if (m_pending.settle && Control(IDC_OE_SETTLE).enabled) {
        Check(IDC_OE_SETTLE, true);
        Enable(IDC_OE_SETTLE_LABEL, true);
        Enable(IDC_OE_SETTLE_DATE, true);
        SetText(IDC_OE_SETTLE_DATE, m_pending.settleDate);
    }
    if (m_pending.stop && Control(IDC_OE_STOP).enabled) {
        Check(IDC_OE_STOP, true);
        Enable(IDC_OE_TRIGGER, true);
        SetText(IDC_OE_TRIGGER, m_pending.trigger);
    }

    for (uint32_t id : kValidity)
        Check(id, false);
    uint32_t validity = 0;
    if (m_pending.validity != 0 && Control(m_pending.validity).enabled)
        validity = m_pending.validity;
    else
        for (uint32_t id : { IDC_OE_DAY, IDC_OE_SESSION, IDC_OE_GTC, IDC_OE_GTD })
            if (Control(id).enabled) {
                validity = id;
                break;
            }
    if (validity != 0)
        Check(validity, true);

    for (uint32_t id : kFills)
        Check(id, false);
    uint32_t fill = 0;
    if (m_pending.fill != 0 && Control(m_pending.fill).enabled)
        fill = m_pending.fill;
    else
        for (uint32_t id : kFills)
            if (Control(id).enabled) {
                fill = id;
                break;
            }
    if (fill != 0)
        Check(fill, true);
    if (fill == IDC_OE_FILL_MIN)
        SetText(IDC_OE_MIN_FILL, m_pending.minFill);

    ValidityChanged();
    FillChanged();
    SettleChanged();
    StopChanged();
    m_pending = Pending {};
    ShowStatus(IDC_OE_SECURITY);
}

void COrderEntryForm::NoSecurity()
{
    for (uint32_t id : { IDC_OE_MARKET, IDC_OE_LIMIT, IDC_OE_YIELD, IDC_OE_SESSION, IDC_OE_DAY, IDC_OE_GTC, IDC_OE_GTD,
             IDC_OE_FILL_ANY, IDC_OE_FILL_MIN, IDC_OE_ALL_OR_NONE, IDC_OE_FILL_OR_KILL, IDC_OE_FILL_AND_KILL,
             IDC_OE_SETTLE, IDC_OE_STOP, IDC_OE_BUYIN })
        EnableCheck(id, false);
    for (uint32_t id : { IDC_OE_EXPIRY_DATE, IDC_OE_EXPIRY_TIME, IDC_OE_MIN_FILL, IDC_OE_SETTLE_DATE, IDC_OE_TRIGGER,
             IDC_OE_PRICE, IDC_OE_COUNTER, IDC_OE_QUANTITY, IDC_OE_HIDDEN }) {
        SetText(id, "");
        Enable(id, false);
    }
    for (uint32_t id : { IDC_OE_TIME_LABEL, IDC_OE_MIN_FILL_LABEL, IDC_OE_SETTLE_LABEL, IDC_OE_TRIGGER_LABEL })
        Enable(id, false);
    C(IDC_OE_ACCOUNT).sel = -1;
    m_sPriceText.clear();
    m_sYieldText.clear();
}

void COrderEntryForm::SideChanged(int side)
{
    if (side == m_nSide)
        return;
    m_nSide = side;
    Check(IDC_OE_BUY, side == 1);
    Check(IDC_OE_SELL, side != 1);
    if (m_bPrivate)
        return;
    Prefill();
    ApplyPrefillTexts();
    SecurityChanged();
    SetText(IDC_OE_PRICE, "");
    SetText(IDC_OE_COUNTER, "");
}

void COrderEntryForm::MarketClicked()
{
    SetText(IDC_OE_PRICE, "");
    SetText(IDC_OE_COUNTER, "");
    bool wasChecked = false;
    for (uint32_t id : { IDC_OE_ALL_OR_NONE, IDC_OE_FILL_MIN, IDC_OE_FILL_AND_KILL }) {
        wasChecked = wasChecked || On(id);
        EnableCheck(id, false);
    }
    if (wasChecked) {
        if (Control(IDC_OE_FILL_ANY).enabled)
            Check(IDC_OE_FILL_ANY, true);
        else if (Control(IDC_OE_FILL_OR_KILL).enabled)
            Check(IDC_OE_FILL_OR_KILL, true);
        FillChanged();
    }
}

void COrderEntryForm::LimitClicked()
{
    Enable(IDC_OE_ALL_OR_NONE, Perm(kFlagAllOrNone));
    Enable(IDC_OE_FILL_MIN, Perm(kFlagFillMinimum));
    Enable(IDC_OE_FILL_AND_KILL, Perm(kFlagFillAny) && Perm(kFlagImmediate));
}

void COrderEntryForm::ValidityChanged()
{
    if (On(IDC_OE_GTD)) {
        const std::string date = m_pending.expiryDate.empty() ? Today() : m_pending.expiryDate;
        if (Perm(kFlagGoodTillDate)) {
            Enable(IDC_OE_EXPIRY_DATE, true);
            if (Control(IDC_OE_EXPIRY_DATE).text.empty() || !m_pending.expiryDate.empty())
                SetText(IDC_OE_EXPIRY_DATE, date);
        }
        if (Perm(kFlagGoodTillTime)) {
            Enable(IDC_OE_TIME_LABEL, true);
            Enable(IDC_OE_EXPIRY_TIME, true);
            if (Control(IDC_OE_EXPIRY_TIME).text.empty() || !m_pending.expiryTime.empty())
                SetText(IDC_OE_EXPIRY_TIME, m_pending.expiryTime.empty() ? NowTime() : m_pending.expiryTime);
        }
        return;
    }
    for (uint32_t id : { IDC_OE_EXPIRY_DATE, IDC_OE_EXPIRY_TIME }) {
        SetText(id, "");
        Enable(id, false);
    }
    Enable(IDC_OE_TIME_LABEL, false);
}

void COrderEntryForm::SettleChanged()
{
    const bool on = On(IDC_OE_SETTLE);
    Enable(IDC_OE_SETTLE_LABEL, on);
    Enable(IDC_OE_SETTLE_DATE, on);
    if (!on)
        SetText(IDC_OE_SETTLE_DATE, "");
    else if (Control(IDC_OE_SETTLE_DATE).text.empty())
        SetText(IDC_OE_SETTLE_DATE, Today());
}

void COrderEntryForm::StopChanged()
{
    const bool on = On(IDC_OE_STOP);
    Enable(IDC_OE_TRIGGER_LABEL, on);
    Enable(IDC_OE_TRIGGER, on);
    if (!on)
        SetText(IDC_OE_TRIGGER, "");
}

void COrderEntryForm::FillChanged()
{
    const bool minimum = On(IDC_OE_FILL_MIN);
    if (!minimum)
        SetText(IDC_OE_MIN_FILL, "");
    Enable(IDC_OE_MIN_FILL_LABEL, minimum);
    Enable(IDC_OE_MIN_FILL, minimum);
    if (On(IDC_OE_FILL_AND_KILL)) {
        SetText(IDC_OE_HIDDEN, "");
        Enable(IDC_OE_HIDDEN, false);
    } else {
        Enable(IDC_OE_HIDDEN, Perm(kFlagHidden));
    }
}

void COrderEntryForm::YieldChanged()
{
    const SecurityRec* s = Security();
    const std::string priceWord = Kv32OrderEntryString(IDS_OE_PRICE) + ":";
    const std::string yieldWord = Kv32OrderEntryString(IDS_OE_YIELD) + ":";
    KvFormControl& price = C(IDC_OE_PRICE);
    KvFormControl& counter = C(IDC_OE_COUNTER);
    if (On(IDC_OE_YIELD)) {
        SetText(IDC_OE_PRICE_LABEL, yieldWord);
        m_sPriceText = price.text;
        if (counter.text.empty() && m_sYieldText.empty() && !price.text.empty() && s != nullptr) {
            // The yield of the price entered, asked once.
            CDouble yield;
            PriceYieldInput in { false, Stripped(s->szCode), Sel(IDC_OE_BOARD), Control(IDC_OE_SETTLE_DATE).text,
                CDouble(Str2Dbl(price.text, 0), static_cast<unsigned>(s->nPriceDec)),
                static_cast<unsigned>(s->nPriceDec), static_cast<unsigned>(s->nYieldDec) };
            if (convert && convert(in, yield) == PriceYieldResult::Converted)
                m_sYieldText = Shown(static_cast<double>(yield), s->nYieldDec);
            counter.text = m_sPriceText;
            price.text = m_sYieldText;
        } else {
            const std::string shown = counter.text.empty() ? m_sYieldText : counter.text;
            counter.text = m_sPriceText;
            price.text = shown;
        }
        SetText(IDC_OE_COUNTER_LABEL, priceWord);
    } else {
        SetText(IDC_OE_PRICE_LABEL, priceWord);
        if (!m_bPriceTaken) {
            m_sYieldText = price.text;
            const std::string shown = counter.text.empty() ? m_sPriceText : counter.text;
            counter.text = m_sYieldText;
            price.text = shown;
        }
        SetText(IDC_OE_COUNTER_LABEL, yieldWord);
    }
    Convert();
}

void COrderEntryForm::Convert()
{
    if (m_bPrimary) {
        QuantityRule();
        return;
    }
    const SecurityRec* s = Security();
    const std::string& text = Control(IDC_OE_PRICE).text;
    if (s == nullptr || text.empty() || !convert)
        return;
    const bool yield = On(IDC_OE_YIELD);
    const int from = yield ? s->nYieldDec : s->nPriceDec;
    const int to = yield ? s->nPriceDec : s->nYieldDec;
    PriceYieldInput in { yield, Stripped(s->szCode), Sel(IDC_OE_BOARD), Control(IDC_OE_SETTLE_DATE).text,
        CDouble(Str2Dbl(text, 0), static_cast<unsigned>(from)), static_cast<unsigned>(s->nPriceDec),
        static_cast<unsigned>(s->nYieldDec) };
    CDouble out;
    switch (convert(in, out)) {
    case PriceYieldResult::Converted:
        SetText(IDC_OE_COUNTER, Shown(static_cast<double>(out), to));
        break;
    case PriceYieldResult::Failed:
    case PriceYieldResult::NotSent:
        SetText(IDC_OE_COUNTER, "");
        break;
    default:
        break;
    }
}

void COrderEntryForm::QuantityRule()
{
    // Nothing to hold: the price takes 12 digits as an amount when the
    // quantity is 0, which OK reads from the quantity itself.
}

void COrderEntryForm::ShowStatus(uint32_t id)
{
    if (id == IDC_OE_SECURITY) {
        if (const SecurityRec* s = Security())
            KvSetStatusText(Stripped(s->szName));
    } else if (id == IDC_OE_ACCOUNT) {
        std::string name;
        if (const CTrAccLocalArray* accounts = GetCurrentSessionData())
            accounts->FindName(Sel(IDC_OE_ACCOUNT), name);
        KvSetStatusText(name);
    }
}

void COrderEntryForm::CopyMethods()
{
    KvActiveRow* active = KvActiveListRow();
    COrderTable& orders = OrderTable();
    if (active == nullptr || active->TableId() != kListOrders || active->RecordIndex() < 0
        || active->RecordIndex() >= orders.GetCount())
        return;
    const COrderRec& o = *orders.GetRec(active->RecordIndex());
    const std::string flags = Stripped(o.szType);
    PendingFromFlags(flags, Stripped(o.szExpiryDate), Stripped(o.szExpiryTime), o.dFillMinQty,
        o.dtSettle.FormatDateVORL(), o.dTriggerPrice);
    if (KvFlagSet(flags, kFlagMarket) && Control(IDC_OE_MARKET).enabled) {
        Check(IDC_OE_MARKET, true);
        Check(IDC_OE_LIMIT, false);
        MarketClicked();
    } else if (KvFlagSet(flags, kFlagLimit) && Control(IDC_OE_LIMIT).enabled) {
        Check(IDC_OE_LIMIT, true);
        Check(IDC_OE_MARKET, false);
        LimitClicked();
    }
    if (m_pending.validity != 0 && Control(m_pending.validity).enabled) {
        for (uint32_t id : kValidity)
            Check(id, id == m_pending.validity);
        ValidityChanged();
    }
    if (m_pending.fill != 0 && Control(m_pending.fill).enabled) {
        for (uint32_t id : kFills)
            Check(id, id == m_pending.fill);
        FillChanged();
        if (m_pending.fill == IDC_OE_FILL_MIN)
            SetText(IDC_OE_MIN_FILL, m_pending.minFill);
    }
    if (m_pending.stop && Control(IDC_OE_STOP).enabled) {
        Check(IDC_OE_STOP, true);
        StopChanged();
        SetText(IDC_OE_TRIGGER, m_pending.trigger);
    }
    if (m_pending.settle && Control(IDC_OE_SETTLE).enabled) {
        Check(IDC_OE_SETTLE, true);
        SetText(IDC_OE_SETTLE_DATE, m_pending.settleDate);
        SettleChanged();
    }
    m_pending = Pending {};
}

// ---- What the user does ----

void COrderEntryForm::SelectBoard(int index)
{
    KvFormControl& boards = C(IDC_OE_BOARD);
    boards.sel = index >= 0 && index < static_cast<int>(boards.items.size()) ? index : -1;
    FillSecurities();
    SecurityChanged();
}

void COrderEntryForm::SelectSecurity(int index)
{
    KvFormControl& secs = C(IDC_OE_SECURITY);
    secs.sel = index >= 0 && index < static_cast<int>(secs.items.size()) ? index : -1;
    m_nSecurity = secs.sel >= 0 ? secs.data[static_cast<size_t>(secs.sel)] : -1;
    SecurityChanged();
}

void COrderEntryForm::SelectAccount(int index)
{
    KvFormControl& list = C(IDC_OE_ACCOUNT);
    list.sel = index >= 0 && index < static_cast<int>(list.items.size()) ? index : -1;
    if (list.sel >= 0)
        KvLastTradingAccount() = list.items[static_cast<size_t>(list.sel)];
    ShowStatus(IDC_OE_ACCOUNT);
}

void COrderEntryForm::Click(uint32_t id)
{
    if (!Has(id) || !Control(id).enabled)
        return;
    const auto radio = [this](std::initializer_list<uint32_t> group, uint32_t chosen) {
        for (uint32_t g : group)
            Check(g, g == chosen);
    };
    switch (id) {
    case IDC_OE_BUY:
    case IDC_OE_SELL:
        SideChanged(id == IDC_OE_BUY ? 1 : 2);
        break;
    case IDC_OE_MARKET:
        radio({ IDC_OE_MARKET, IDC_OE_LIMIT }, id);
        MarketClicked();
        break;
    case IDC_OE_LIMIT:
        radio({ IDC_OE_MARKET, IDC_OE_LIMIT }, id);
        LimitClicked();
        break;
    case IDC_OE_SESSION:
    case IDC_OE_DAY:
    case IDC_OE_GTC:
    case IDC_OE_GTD:
        radio({ IDC_OE_SESSION, IDC_OE_DAY, IDC_OE_GTC, IDC_OE_GTD }, id);
        if (!m_bPrimary)
            ValidityChanged();
        else
            Enable(IDC_OE_EXPIRY_DATE, id == IDC_OE_GTD);
        break;
    case IDC_OE_FILL_ANY:
    case IDC_OE_FILL_MIN:
    case IDC_OE_ALL_OR_NONE:
    case IDC_OE_FILL_OR_KILL:
    case IDC_OE_FILL_AND_KILL:
        radio({ IDC_OE_FILL_ANY, IDC_OE_FILL_MIN, IDC_OE_ALL_OR_NONE, IDC_OE_FILL_OR_KILL, IDC_OE_FILL_AND_KILL }, id);
        FillChanged();
        break;
    case IDC_OE_YIELD:
        Check(id, !On(id));
        YieldChanged();
        break;
    case IDC_OE_STOP:
        Check(id, !On(id));
        if (!m_bPrimary)
            StopChanged();
        break;
    case IDC_OE_SETTLE:
        Check(id, !On(id));
        SettleChanged();
        break;
    case IDC_OE_SEND_POB:
        Check(id, !On(id));
        Enable(IDC_OE_WAI, On(id));
        if (!On(id))
            SetText(IDC_OE_WAI, "");
        break;
    case IDC_OE_CONFIRM:
    case IDC_OE_BUYIN:
        Check(id, !On(id));
        break;
    default:
        break;
    }
}

void COrderEntryForm::Type(uint32_t id, const std::string& text)
{
    if (!Has(id))
        return;
    C(id).text = text;
    if (id == IDC_OE_PRICE)
        SetText(IDC_OE_COUNTER, "");
}

void COrderEntryForm::Focus(uint32_t id)
{
    switch (id) {
    case IDC_OE_SECURITY:
    case IDC_OE_ACCOUNT:
        ShowStatus(id);
        break;
    case IDC_OE_PRICE:
    case IDC_OE_QUANTITY:
    case IDC_OE_HIDDEN:
        if (m_nQuote < 0 && Security() != nullptr)
            m_nQuote = m_nSecurity;
        if (id == IDC_OE_PRICE && !m_sPriceHint.empty())
            KvSetStatusText(m_sPriceHint);
        break;
    default:
        break;
    }
}

void COrderEntryForm::Leave(uint32_t id)
{
    switch (id) {
    case IDC_OE_SECURITY:
    case IDC_OE_ACCOUNT:
        KvSetStatusText(m_sSavedStatus);
        break;
    case IDC_OE_PRICE:
        KvSetStatusText(m_sSavedStatus);
        m_nQuote = -1;
        Convert();
        break;
    case IDC_OE_QUANTITY:
    case IDC_OE_HIDDEN:
        m_nQuote = -1;
        break;
    default:
        break;
    }
}

void COrderEntryForm::Key(int code, bool shift)
{
    switch (code) {
    case 114:
        if (Security() != nullptr && Control(IDC_OE_PRICE).enabled) {
            std::string text = Control(IDC_OE_PRICE).text;
            if (SecurityTable().StepPrice(text, m_nSecurity, !shift) != 0)
                Type(IDC_OE_PRICE, text);
        }
        break;
    case 116:
        m_nFocus = IDC_OE_SECURITY;
        break;
    case 117:
        m_nFocus = IDC_OE_ACCOUNT;
        break;
    case 118:
        m_nFocus = IDC_OE_PRICE;
        break;
    case 119:
        m_nFocus = IDC_OE_QUANTITY;
        break;
    default:
        break;
    }
}

// ---- OK ----

KvOrderOkResult COrderEntryForm::Refuse(unsigned textId, uint32_t focus)
{
    const std::string text
        = textId == IDS_INVALID_NUMBER ? Kv32ShellDialogString(textId) : Kv32OrderEntryString(textId);
    KvMessageBox(text, fw::MB_ICONSTOP);
    m_nFocus = focus;
    return KvOrderOkResult::Refused;
}

uint32_t COrderEntryForm::FieldControl(KvOrderField field) const
{
    switch (field) {
    case KvOrderField::Account:
        return IDC_OE_ACCOUNT;
    case KvOrderField::Security:
        return IDC_OE_SECURITY;
    case KvOrderField::Price:
    case KvOrderField::Yield:
        return IDC_OE_PRICE;
    case KvOrderField::Quantity:
        return IDC_OE_QUANTITY;
    case KvOrderField::Hidden:
        return IDC_OE_HIDDEN;
    case KvOrderField::Reference:
        return ReferenceId();
    case KvOrderField::ExpiryDate:
        return IDC_OE_EXPIRY_DATE;
    case KvOrderField::ExpiryTime:
        return IDC_OE_EXPIRY_TIME;
    case KvOrderField::Trigger:
        return IDC_OE_TRIGGER;
    case KvOrderField::SettleDate:
        return IDC_OE_SETTLE_DATE;
    case KvOrderField::MinFill:
        return IDC_OE_MIN_FILL;
    case KvOrderField::WorkArea:
        return IDC_OE_WAI;
    default:
        return 0;
    }
}

void COrderEntryForm::HostFieldFocus()
{
    if (fErrorCheckEx == 0)
        return;
    switch (nErrorEx) {
    case 1:
        m_nFocus = IDC_OE_ACCOUNT;
        break;
    case 3:
        m_nFocus = IDC_OE_SECURITY;
        break;
    case 5:
    case 6:
        m_nFocus = IDC_OE_PRICE;
        break;
    case 7:
        m_nFocus = IDC_OE_QUANTITY;
        break;
    case 8:
        m_nFocus = IDC_OE_HIDDEN;
        break;
    case 9:
        m_nFocus = IDC_OE_EXPIRY_DATE;
        break;
    case 10:
        m_nFocus = IDC_OE_EXPIRY_TIME;
        break;
    case 11:
        m_nFocus = IDC_OE_STOP;
        break;
    default:
        break;
    }
}

KvOrderOkResult COrderEntryForm::Ok()
{
    m_bClose = false;
    const std::string reference = Trim(Control(ReferenceId()).text);
    const std::string board = Sel(IDC_OE_BOARD);
    const std::string security = Sel(IDC_OE_SECURITY);
    const int row = SecurityTable().FindOnBoard(security, board.c_str());
    if (security.empty() || row < 0)
        return Refuse(IDS_OE_INVALID_SECURITY, IDC_OE_SECURITY);
    const SecurityRec& s = *SecurityTable().GetRec(row);
    const std::string account = Control(IDC_OE_ACCOUNT).enabled ? Sel(IDC_OE_ACCOUNT) : std::string();
    const std::string quantity = Control(IDC_OE_QUANTITY).text;
    if (Control(IDC_OE_QUANTITY).enabled && Trim(quantity).empty())
        return Refuse(IDS_OE_NO_QUANTITY, IDC_OE_QUANTITY);
    const bool amount = m_bPrimary && Str2Dbl(quantity, 0) == 0;
    const double minFill = Str2Dbl(Control(IDC_OE_MIN_FILL).text, 0);
    if (On(IDC_OE_FILL_MIN) && minFill == 0)
        return Refuse(IDS_INVALID_NUMBER, IDC_OE_MIN_FILL);
    if (Str2Dbl(quantity, 0) < minFill)
        return Refuse(IDS_OE_INVALID_VALUE, IDC_OE_MIN_FILL);

    const bool yield = On(IDC_OE_YIELD);
    const std::string priceText = Control(IDC_OE_PRICE).text;
    const std::string counter = Control(IDC_OE_COUNTER).text;
    const bool toBook = On(IDC_OE_SEND_POB) || m_bPrivate;

    KvOrderDescription o;
    o.user = ps != nullptr ? ps->m_sUser : std::string();
    o.account = account;
    o.side = m_nSide == 1 ? 'B' : 'S';
    o.securityKey = std::string(s.szCode, strnlen(s.szCode, sizeof s.szCode));
    o.priceDecimals = s.nPriceDec;
    o.yieldDecimals = s.nYieldDec;
    o.amount = amount;
    if (yield)
        o.yield = priceText;
    else
        o.price = priceText;
    // Each number checked alone first, so that the message names the field.
    {
        KvOrderDescription price = o;
        price.quantity.clear();
        const KvOrderField first = BuildOrderRecord(price).failed;
        if (first == KvOrderField::Price || first == KvOrderField::Yield)
            return Refuse(IDS_OE_INVALID_VALUE, IDC_OE_PRICE);
        price.trigger = Control(IDC_OE_TRIGGER).text;
        if (BuildOrderRecord(price).failed == KvOrderField::Trigger)
            return Refuse(IDS_OE_INVALID_VALUE, IDC_OE_TRIGGER);
    }
    o.quantity = quantity;
    o.hidden = Control(IDC_OE_HIDDEN).text;
    o.reference = reference;
    o.trigger = Control(IDC_OE_TRIGGER).text;

    std::string flags = KvOrderFlags({});
    const auto set = [&flags](int pos, bool on) {
        if (on)
            flags[static_cast<size_t>(pos)] = '1';
    };
    const bool perm26 = KvFlagSet(s.szMethods, kFlagGoodTillDate);
    const bool perm23 = KvFlagSet(s.szMethods, kFlagGoodTillTime);
    if (On(IDC_OE_GTD)) {
        // The primary-distribution layout has no time field; its date follows the check alone.
        if (perm26 || m_bPrimary)
            o.expiryDate = Control(IDC_OE_EXPIRY_DATE).text;
        if (perm23)
            o.expiryTime = Control(IDC_OE_EXPIRY_TIME).text;
    }
    if (On(IDC_OE_SETTLE))
        o.settleDate = Control(IDC_OE_SETTLE_DATE).text;
    set(kFlagMarket, On(IDC_OE_MARKET));
    set(kFlagLimit, On(IDC_OE_LIMIT));
    set(kFlagMarketMaker, m_bPrivate && m_bPosition5);
    set(kFlagBuyIn, On(IDC_OE_BUYIN));
    set(kFlagYield, yield);
    set(kFlagHidden, !Trim(o.hidden).empty());
    set(kFlagStop, On(IDC_OE_STOP));
    set(kFlagSettle, On(IDC_OE_SETTLE));
    set(kFlagAllOrNone, On(IDC_OE_ALL_OR_NONE) || On(IDC_OE_FILL_OR_KILL));
    set(kFlagFillMinimum, On(IDC_OE_FILL_MIN));
    set(kFlagFillAny, On(IDC_OE_FILL_ANY) || On(IDC_OE_FILL_AND_KILL));
    set(kFlagGoodTillTime, !o.expiryTime.empty());
    set(kFlagSession, On(IDC_OE_SESSION));
    set(kFlagDay, On(IDC_OE_DAY));
    set(kFlagGoodTillDate, !o.expiryDate.empty());
    set(kFlagGoodTillCancelled, On(IDC_OE_GTC));
    set(kFlagImmediate, On(IDC_OE_FILL_OR_KILL) || On(IDC_OE_FILL_AND_KILL));
    o.flags = flags;
    o.minFill = On(IDC_OE_ALL_OR_NONE) || On(IDC_OE_FILL_OR_KILL) ? quantity : Control(IDC_OE_MIN_FILL).text;

    if (On(IDC_OE_LIMIT) && Trim(priceText).empty())
        return Refuse(IDS_OE_INVALID_VALUE, IDC_OE_PRICE);
    const std::string workArea = Trim(Control(IDC_OE_WAI).text);
    if (toBook) {
        if (workArea.empty())
            return Refuse(IDS_OE_WAI_BLANK, IDC_OE_WAI);
        if (On(IDC_OE_LIMIT) && std::fabs(Str2Dbl(priceText, 0)) < 1e-9)
            return Refuse(IDS_OE_INVALID_VALUE, IDC_OE_PRICE);
        // The book keeps both: the counterpart completes the one not entered.
        if (yield)
            o.price = counter;
        else
            o.yield = counter;
    }
    const KvOrderRecordResult record = toBook ? BuildPrivateOrderEntry(workArea, yield, o) : BuildOrderRecord(o);
    if (!record.Ok())
        return Refuse(IDS_OE_INVALID_VALUE, FieldControl(record.failed));

    if (On(IDC_OE_CONFIRM)) {
        const std::string question = KvFillText(Kv32OrderEntryString(IDS_OE_CONFIRM),
            { Kv32OrderEntryString(m_nSide == 1 ? IDS_OE_BUY : IDS_OE_SELL), board, security, priceText, quantity,
                account });
        if (AreYouShureEx(true, question) != fw::IDYES)
            return KvOrderOkResult::Declined;
    }

    m_sLastRecord = record.text;
    if (!toBook) {
        std::string text = record.text;
        if (VORLTransaction(KvOrderRecord::kTransaction, text.data(), static_cast<int>(text.size()), 1) == 0) {
            HostFieldFocus();
            return KvOrderOkResult::Failed;
        }
        AfterSuccess(reference);
        return KvOrderOkResult::Sent;
    }
    CLocalOrderTable& book = LocalOrderTable();
    if (book.AddFromEntry(record.text, m_bPrivate ? m_nPrivate : -1) < 0)
        return Refuse(IDS_OE_INVALID_VALUE, IDC_OE_WAI);
    book.AddWorkArea(workArea);
    C(IDC_OE_WAI).items = book.FillWorkAreas();
    AfterSuccess(reference);
    return KvOrderOkResult::Stored;
}

void COrderEntryForm::AfterSuccess(const std::string& reference)
{
    CDefSelTable& defaults = DefSelTable();
    if (defaults.m_anChoice[2] != 0 && !reference.empty())
        defaults.AddSelection(reference);
    if (OrderExit() != 0) {
        const std::string account = Sel(IDC_OE_ACCOUNT);
        if (!account.empty())
            KvLastTradingAccount() = account;
        m_bClose = true;
        return;
    }
    FillReferences();
    if (defaults.m_anChoice[0] != 0)
        SelectAccountText(defaults.m_sText);
}
