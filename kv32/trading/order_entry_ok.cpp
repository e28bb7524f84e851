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

// ---- OK ----

KvOrderOkResult COrderEntryForm::Refuse(unsigned textId, uint32_t focus)
{
    std::string text = textId == IDS_INVALID_NUMBER ? Kv32ShellDialogString(textId) : Kv32OrderEntryString(textId);
    // A number refused for a misplaced thousands separator says so: "invalid value" alone would
    // not tell the user that "2774.50" needs the decimal comma.
    constexpr uint32_t kNumbers[]
        = { IDC_OE_PRICE, IDC_OE_TRIGGER, IDC_OE_QUANTITY, IDC_OE_HIDDEN, IDC_OE_MIN_FILL, IDC_OE_COUNTER };
    if (std::find(std::begin(kNumbers), std::end(kNumbers), focus) != std::end(kNumbers))
        text = NumberRefusalText(Control(focus).text, text);
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
    const KvOrderRecordResult record
        = toBook ? BuildPrivateOrderEntry(workArea, yield, o) : BuildOrderRecord(o);
    if (!record.Ok())
        return Refuse(IDS_OE_INVALID_VALUE, FieldControl(record.failed));

    if (On(IDC_OE_CONFIRM)) {
        const std::string question = KvFillText(Kv32OrderEntryString(IDS_OE_CONFIRM),
            { Kv32OrderEntryString(m_nSide == 1 ? IDS_OE_BUY : IDS_OE_SELL), board, security, priceText,
                quantity, account });
        if (AreYouShureEx(true, question) != fw::IDYES)
            return KvOrderOkResult::Declined;
    }

    m_sLastRecord = record.text;
    if (!toBook) {
        std::string text = record.text;
        if (VORLTransaction(KvOrderRecord::kTransaction, text.data(), static_cast<int>(text.size()), 1)
            == 0) {
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
