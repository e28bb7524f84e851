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
#include "kv32/trading/order_entry_text.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/prompts.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/number_text.h"

using namespace kvform;

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
    const std::string& expiryTime, const CDouble& minFill, const std::string& settleDate,
    const CDouble& trigger)
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
