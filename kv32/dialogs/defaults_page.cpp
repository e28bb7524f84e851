#include "kv32/dialogs/defaults_page.h"

#include <vector>

#include "kv32/res/shell_dialog_ids.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"

namespace {

std::string Trimmed(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

} // namespace

COptionsDefaultsPg::COptionsDefaultsPg()
    : CTPropertyPage(Kv32ShellDialog(IDD_DEFAULT_SELECTION))
{
    commands().onNotify(IDC_DEFSEL_ACCOUNT_CHECK, fw::Notify::Clicked,
        [this] { Checked(IDC_DEFSEL_ACCOUNT_CHECK, IDC_DEFSEL_ACCOUNTS); });
    commands().onNotify(IDC_DEFSEL_BROKER_CHECK, fw::Notify::Clicked,
        [this] { Checked(IDC_DEFSEL_BROKER_CHECK, IDC_DEFSEL_BROKERS); });
    commands().onNotify(IDC_DEFSEL_ADD_NEW, fw::Notify::Clicked, [this] { setModified(); });
    commands().onNotify(IDC_DEFSEL_ACCOUNTS, fw::Notify::SelChange, [this] { setModified(); });
    commands().onNotify(IDC_DEFSEL_BROKERS, fw::Notify::SelChange, [this] { setModified(); });
    commands().onNotify(IDC_DEFSEL_ADD, fw::Notify::Clicked, [this] { AddReference(); });
    commands().onNotify(IDC_DEFSEL_DELETE, fw::Notify::Clicked, [this] { DeleteReference(); });
}

bool COptionsDefaultsPg::onInitDialog()
{
    CTPropertyPage::onInitDialog();
    const CDefSelTable& table = DefSelTable();
    checkButton(IDC_DEFSEL_ACCOUNT_CHECK, table.m_anChoice[0] != 0);
    checkButton(IDC_DEFSEL_BROKER_CHECK, table.m_anChoice[1] != 0);
    checkButton(IDC_DEFSEL_ADD_NEW, table.m_anChoice[2] != 0);

    int account = -1;
    if (const CTrAccLocalArray* accounts = GetCurrentSessionData()) {
        for (const CTrAccLocal& a : accounts->m_entries) {
            const int index = addString(IDC_DEFSEL_ACCOUNTS, a.account);
            if (a.account == table.m_sText)
                account = index;
        }
    }
    if (itemCount(IDC_DEFSEL_ACCOUNTS) == 0) {
        checkButton(IDC_DEFSEL_ACCOUNT_CHECK, 0);
        enableItem(IDC_DEFSEL_ACCOUNT_CHECK, false);
    } else if (account >= 0) {
        setCurSel(IDC_DEFSEL_ACCOUNTS, account);
    } else {
        // The stored account is gone: the first one stands in for it.
        setCurSel(IDC_DEFSEL_ACCOUNTS, 0);
        if (isButtonChecked(IDC_DEFSEL_ACCOUNT_CHECK))
            setModified();
    }

    std::vector<std::string> items;
    int selected = -1;
    table.FillList(items, selected);
    for (const std::string& item : items)
        addString(IDC_DEFSEL_BROKERS, item);
    setCurSel(IDC_DEFSEL_BROKERS, selected);
    if (items.empty()) {
        if (isButtonChecked(IDC_DEFSEL_BROKER_CHECK))
            setModified();
        checkButton(IDC_DEFSEL_BROKER_CHECK, 0);
        enableItem(IDC_DEFSEL_BROKER_CHECK, false);
    }
    return true;
}

void COptionsDefaultsPg::Checked(uint32_t checkId, uint32_t listId)
{
    if (isButtonChecked(checkId) && curSel(listId) < 0 && itemCount(listId) > 0)
        setCurSel(listId, 0);
    setModified();
}

void COptionsDefaultsPg::AddReference()
{
    const std::string text = Trimmed(itemText(IDC_DEFSEL_NEW_REFERENCE));
    if (text.empty())
        return;
    // Exact comparison: references differing in case are different references.
    for (int i = 0; i < itemCount(IDC_DEFSEL_BROKERS); ++i)
        if (itemString(IDC_DEFSEL_BROKERS, i) == text)
            return;
    addString(IDC_DEFSEL_BROKERS, text);
    setItemText(IDC_DEFSEL_NEW_REFERENCE, std::string());
    enableItem(IDC_DEFSEL_BROKER_CHECK, true);
    setModified();
}

void COptionsDefaultsPg::DeleteReference()
{
    const int sel = curSel(IDC_DEFSEL_BROKERS);
    if (sel < 0)
        return;
    deleteString(IDC_DEFSEL_BROKERS, sel);
    if (itemCount(IDC_DEFSEL_BROKERS) == 0) {
        checkButton(IDC_DEFSEL_BROKER_CHECK, 0);
        enableItem(IDC_DEFSEL_BROKER_CHECK, false);
    } else if (isButtonChecked(IDC_DEFSEL_BROKER_CHECK)) {
        setCurSel(IDC_DEFSEL_BROKERS, 0);
    }
    setModified();
}

bool COptionsDefaultsPg::onApply()
{
    std::vector<std::string> items;
    for (int i = 0; i < itemCount(IDC_DEFSEL_BROKERS); ++i)
        items.push_back(itemString(IDC_DEFSEL_BROKERS, i));
    const int account = curSel(IDC_DEFSEL_ACCOUNTS);
    DefSelTable().UpdateFromDialog(isButtonChecked(IDC_DEFSEL_ACCOUNT_CHECK) != 0,
        account >= 0 ? itemString(IDC_DEFSEL_ACCOUNTS, account) : std::string(),
        isButtonChecked(IDC_DEFSEL_BROKER_CHECK) != 0, items, curSel(IDC_DEFSEL_BROKERS),
        isButtonChecked(IDC_DEFSEL_ADD_NEW) != 0);
    return true;
}
