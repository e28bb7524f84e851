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

namespace {

constexpr uint32_t kRegularIds[] = { IDC_OE_BUY, IDC_OE_SELL, IDC_OE_MARKET, IDC_OE_LIMIT, IDC_OE_BOARD,
    IDC_OE_SECURITY, IDC_OE_ACCOUNT, IDC_OE_PRICE, IDC_OE_PRICE_LABEL, IDC_OE_YIELD, IDC_OE_COUNTER,
    IDC_OE_COUNTER_LABEL, IDC_OE_QUANTITY, IDC_OE_HIDDEN, IDC_OE_REFERENCE, IDC_OE_SEND_POB, IDC_OE_WAI,
    IDC_OE_SESSION, IDC_OE_DAY, IDC_OE_GTC, IDC_OE_GTD, IDC_OE_EXPIRY_DATE, IDC_OE_EXPIRY_TIME,
    IDC_OE_TIME_LABEL, IDC_OE_FILL_ANY, IDC_OE_FILL_MIN, IDC_OE_ALL_OR_NONE, IDC_OE_FILL_OR_KILL,
    IDC_OE_FILL_AND_KILL, IDC_OE_MIN_FILL, IDC_OE_MIN_FILL_LABEL, IDC_OE_SETTLE, IDC_OE_SETTLE_DATE,
    IDC_OE_SETTLE_LABEL, IDC_OE_STOP, IDC_OE_TRIGGER, IDC_OE_TRIGGER_LABEL, IDC_OE_BUYIN, IDC_OE_CONFIRM,
    fw::kIdOk, fw::kIdCancel };
constexpr uint32_t kPrimaryIds[] = { IDC_OE_BOARD, IDC_OE_SECURITY, IDC_OE_ACCOUNT, IDC_OE_CUSTODIAN,
    IDC_OE_PRICE, IDC_OE_QUANTITY, IDC_OE_HIDDEN, IDC_OE_REFERENCE_PD, IDC_OE_MARKET, IDC_OE_LIMIT,
    IDC_OE_STOP, IDC_OE_PD_FILL_OR_KILL, IDC_OE_PD_ALL_OR_NONE, IDC_OE_PD_IMMEDIATE, IDC_OE_SESSION,
    IDC_OE_DAY, IDC_OE_GTC, IDC_OE_GTD, IDC_OE_EXPIRY_DATE_LABEL, IDC_OE_EXPIRY_DATE, IDC_OE_CONFIRM,
    fw::kIdOk, fw::kIdCancel };

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
        for (uint32_t id :
            { IDC_OE_CUSTODIAN, IDC_OE_PD_FILL_OR_KILL, IDC_OE_PD_ALL_OR_NONE, IDC_OE_PD_IMMEDIATE })
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

void COrderEntryForm::SetPreset(const std::string& board, const std::string& security,
    const std::string& price, const std::string& quantity, bool priceIsYield)
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
    return c.sel >= 0 && c.sel < static_cast<int>(c.items.size()) ? c.items[static_cast<size_t>(c.sel)]
                                                                  : std::string();
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
        radio({ IDC_OE_FILL_ANY, IDC_OE_FILL_MIN, IDC_OE_ALL_OR_NONE, IDC_OE_FILL_OR_KILL,
                  IDC_OE_FILL_AND_KILL },
            id);
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
