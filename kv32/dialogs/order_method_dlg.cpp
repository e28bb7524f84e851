#include "kv32/dialogs/order_method_dlg.h"

#include <cstring>
#include <string>

#include "kv32/dialogs/selection_rules.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/shell/order_method_form.h"
#include "kv32/tables/all_tables.h"

#include <QWidget>

namespace {

// The boxes only show: the mouse and the focus pass them by (a click that
// still reaches one puts the shown state back).
void MakeReadOnly(fw::Dialog& dlg, uint32_t id)
{
    if (QWidget* w = dlg.item(id)) {
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
        w->setFocusPolicy(Qt::NoFocus);
    }
}

std::string BoardCodeOf(int boardRow)
{
    CBoardTable& boards = BoardTable();
    return boardRow >= 0 && boardRow < boards.GetCount() ? boards.GetRec(boardRow)->szCode : std::string();
}

} // namespace

// ---- One order ----

COrderMethodDlg::COrderMethodDlg(const COrderRec& order, QWidget* parent)
    : CKvDialog(Kv32DealDialog(IDD_ORDER_METHOD), parent)
    , m_order(order)
{
    for (const KvOrderMethodBox& box : OrderMethodBoxes(""))
        commands().onNotify(box.id, fw::Notify::Clicked, [this] { ShowMethods(); });
}

void COrderMethodDlg::ShowMethods()
{
    const std::string_view flags(m_order.szType, strnlen(m_order.szType, sizeof m_order.szType));
    for (const KvOrderMethodBox& box : OrderMethodBoxes(flags))
        checkButton(box.id, box.checked ? 1 : 0);
}

bool COrderMethodDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    ShowMethods();
    for (const KvOrderMethodBox& box : OrderMethodBoxes(""))
        MakeReadOnly(*this, box.id);
    const KvOrderMethodValues v = OrderMethodValues(m_order);
    if (!v.expiryDate.empty()) {
        setItemText(IDC_OM_EXPIRY_DATE, v.expiryDate);
        setItemText(IDC_OM_EXPIRY_TIME, v.expiryTime);
    }
    setItemText(IDC_OM_SETTLE_DATE, v.settleDate);
    setItemText(IDC_OM_TRIGGER, v.trigger);
    gotoItem(fw::kIdCancel);
    return false;
}

// ---- A security's permitted methods ----

CSecOrMetDlg::CSecOrMetDlg(int securityRow, QWidget* parent)
    : CKvDialog(Kv32DealDialog(IDD_SEC_ORDER_METHODS), parent)
    , m_nSecurity(securityRow)
{
    commands().onNotify(IDC_OM_BOARD, fw::Notify::SelChange, [this] { BoardChanged(); });
    commands().onNotify(IDC_OM_SECURITY, fw::Notify::SelChange, [this] { ShowMethods(); });
    for (const KvMethodCheck& c : OrderMethodChecks(""))
        commands().onNotify(c.id, fw::Notify::Clicked, [this] { ShowMethods(); });
}

bool CSecOrMetDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    for (const KvMethodCheck& c : OrderMethodChecks(""))
        MakeReadOnly(*this, c.id);
    for (const std::string& name : BoardTable().FillList())
        addString(IDC_OM_BOARD, name);
    CSecurityTable& securities = SecurityTable();
    if (m_nSecurity >= 0 && m_nSecurity < securities.GetCount()) {
        const SecurityRec& s = *securities.GetRec(m_nSecurity);
        char code[5] = {};
        std::memcpy(code, s.szCode + 1, 4);
        setCurSel(IDC_OM_BOARD, BoardTable().FindByCode(code));
        BoardChanged();
        const int at = findStringExact(IDC_OM_SECURITY, -1, s.szShortName);
        if (at >= 0)
            setCurSel(IDC_OM_SECURITY, at);
        ShowMethods();
    } else
        BoardChanged();
    return true;
}

void CSecOrMetDlg::BoardChanged()
{
    const std::string previous = itemText(IDC_OM_SECURITY);
    const std::string code = BoardCodeOf(curSel(IDC_OM_BOARD));
    setRedraw(IDC_OM_SECURITY, false);
    resetContent(IDC_OM_SECURITY);
    CSecurityTable& securities = SecurityTable();
    if (!code.empty())
        for (int i = 0; i < securities.GetCount(); ++i)
            if (CSecurityTable::CodeHasBoard(securities.GetRec(i)->szCode, code.c_str()))
                addString(IDC_OM_SECURITY, securities.GetRec(i)->szShortName);
    setRedraw(IDC_OM_SECURITY, true);
    const int again = previous.empty() ? -1 : findStringExact(IDC_OM_SECURITY, -1, previous);
    setCurSel(IDC_OM_SECURITY, again >= 0 ? again : (itemCount(IDC_OM_SECURITY) > 0 ? 0 : -1));
    ShowMethods();
}

void CSecOrMetDlg::ShowMethods()
{
    const int board = curSel(IDC_OM_BOARD);
    const int row = board < 0 ? -1
                              : SecurityTable().FindOnBoard(itemText(IDC_OM_SECURITY),
                                    BoardTable().GetRec(board)->szName);
    const std::string_view methods = row >= 0 ? SecurityTable().GetRec(row)->szMethods : "";
    for (const KvMethodCheck& c : OrderMethodChecks(methods))
        checkButton(c.id, c.checked ? 1 : 0);
}
