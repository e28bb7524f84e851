// The two position dialogs: the cash positions' codes by kind, and the
// security positions' firm and trading account, whose accounts come from the
// host.
#include <cstring>

#include "fw/core/msgbox.h"
#include "fw/ui/commondlg.h"
#include "fw/ui/dataexchange.h"
#include "kv32/filters/dialogs/filter_dlgs.h"
#include "kv32/res/filter_dialog_ids.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/router/cvorl.h"

namespace {

std::string MessageText(const tagTMSG* m)
{
    if (m == nullptr || m->pText == nullptr || m->nLength <= 0)
        return {};
    return std::string(reinterpret_cast<const char*>(m->pText), static_cast<size_t>(m->nLength));
}

// A bound on the pages of one account list, in case a host repeats itself.
constexpr int kMaxAccountPages = 1000;

} // namespace

// ---- Cash positions ----

CFilterCurPosDlg::CFilterCurPosDlg(CCurPosFilter& criteria, QWidget* parent)
    : CKvDialog(Kv32FilterDialog(IDD_FILTER_CURPOS), parent)
    , m_target(criteria)
    , m_copy(criteria)
{
    commands().onNotify(IDC_FLT_USERS, fw::Notify::SelChange, [this] { UserChosen(); });
    commands().onNotify(IDC_FLT_FIRMS, fw::Notify::SelChange, [this] { FirmChosen(); });
}

bool CFilterCurPosDlg::onInitDialog()
{
    fw::WaitCursor wait;
    for (const std::string& code : ParticipantTable().FillCodes())
        addString(IDC_FLT_FIRMS, code);
    for (const std::string& code : TraderTable().FillCodes())
        addString(IDC_FLT_USERS, code);
    std::vector<std::string> accounts;
    int selected = -1;
    if (const CTrAccLocalArray* local = GetCurrentSessionData())
        local->FillList(accounts, selected, {});
    for (const std::string& account : accounts)
        addString(IDC_FLT_ACCOUNTS, account);
    // Nothing is chosen until the criteria name it.
    for (uint32_t id : { IDC_FLT_FIRMS, IDC_FLT_USERS, IDC_FLT_ACCOUNTS })
        setCurSel(id, -1);
    const KvCurPosShown shown = CurPosShown(m_copy.m_nKind);
    showItem(IDC_FLT_USER_LABEL, shown.user);
    showItem(IDC_FLT_USERS, shown.user);
    showItem(IDC_FLT_ACCOUNT_LABEL, shown.account);
    showItem(IDC_FLT_ACCOUNTS, shown.account);
    return CKvDialog::onInitDialog();
}

void CFilterCurPosDlg::doDataExchange(fw::DataExchange& dx)
{
    dx.comboText(IDC_FLT_FIRMS, m_copy.m_strFirm);
    dx.comboText(IDC_FLT_USERS, m_copy.m_strUser);
    dx.comboText(IDC_FLT_ACCOUNTS, m_copy.m_strAccount);
}

void CFilterCurPosDlg::UserChosen()
{
    const int sel = curSel(IDC_FLT_USERS);
    if (sel < 0)
        return;
    CTraderTable& traders = TraderTable();
    const int row = traders.FindByCode(itemString(IDC_FLT_USERS, sel).c_str());
    if (row < 0)
        return;
    const int firm = findStringExact(IDC_FLT_FIRMS, -1, traders.GetRec(row)->szFirm);
    if (firm >= 0)
        setCurSel(IDC_FLT_FIRMS, firm);
}

void CFilterCurPosDlg::FirmChosen()
{
    const int userSel = curSel(IDC_FLT_USERS);
    const int firmSel = curSel(IDC_FLT_FIRMS);
    if (userSel < 0 || firmSel < 0)
        return;
    CTraderTable& traders = TraderTable();
    const int row = traders.FindByCode(itemString(IDC_FLT_USERS, userSel).c_str());
    if (row < 0 || itemString(IDC_FLT_FIRMS, firmSel) != traders.GetRec(row)->szFirm)
        setCurSel(IDC_FLT_USERS, -1);
}

void CFilterCurPosDlg::onOK()
{
    if (!updateData(true))
        return;
    m_target = m_copy;
    endDialog(fw::IDOK);
}

// ---- Security positions ----

CFilterSecPosDlg::CFilterSecPosDlg(CSecPosFilter& criteria, QWidget* parent)
    : CKvDialog(Kv32FilterDialog(IDD_FILTER_SECPOS), parent)
    , m_target(criteria)
{
    commands().onNotify(IDC_FLT_FIRMS, fw::Notify::SelChange, [this] { FirmChosen(); });
}

CFilterSecPosDlg::~CFilterSecPosDlg() = default;

bool CFilterSecPosDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    CParticipantTable& firms = ParticipantTable();
    for (const std::string& name : firms.FillBrokerNames())
        addString(IDC_FLT_FIRMS, name);
    setCurSel(IDC_FLT_FIRMS, -1);
    const CSession* session = KvSession();
    const int own = session == nullptr ? -1 : firms.FindByCode(session->m_sUserFirm.c_str());
    const int sel = own < 0 ? -1 : findStringExact(IDC_FLT_FIRMS, -1, firms.GetRec(own)->szName);
    if (sel >= 0) {
        setCurSel(IDC_FLT_FIRMS, sel);
        // The own firm's accounts are offered at once, as if it had been chosen.
        FirmChosen();
    }
    return true;
}

void CFilterSecPosDlg::FirmChosen()
{
    const int sel = curSel(IDC_FLT_FIRMS);
    resetContent(IDC_FLT_ACCOUNTS);
    if (sel < 0)
        return;
    CParticipantTable& firms = ParticipantTable();
    const int row = firms.FindByName(itemString(IDC_FLT_FIRMS, sel).c_str(), "BROK");
    if (row < 0)
        return;
    FetchAccounts(firms.GetRec(row)->szCode);
}

void CFilterSecPosDlg::FetchAccounts(const std::string& firmCode)
{
    fw::WaitCursor wait;
    m_rows.clear();
    std::string continuation = kTrAccFirstPage;
    for (int page = 0; page < kMaxAccountPages; ++page) {
        const std::string key
            = BuildTrAccRequestKey(pvorl == nullptr ? std::string() : pvorl->User(), continuation, firmCode);
        if (key.empty())
            break;
        m_bPageRead = false;
        if (!VORLInfoReq(kTrAccRequest, key.c_str(), static_cast<int>(key.size()), this) || !m_bPageRead)
            break;
        m_rows.insert(m_rows.end(), m_page.rows.begin(), m_page.rows.end());
        // A page that does not move the key on would be asked for again and again.
        if (m_page.last || m_page.continuation == continuation)
            break;
        continuation = m_page.continuation;
    }
    resetContent(IDC_FLT_ACCOUNTS);
    for (const KvTrAccRow& row : m_rows)
        addString(IDC_FLT_ACCOUNTS, row.account);
    if (m_rows.size() == 1) {
        setCurSel(IDC_FLT_ACCOUNTS, 0);
        gotoItem(fw::kIdOk);
    } else {
        setCurSel(IDC_FLT_ACCOUNTS, -1);
        gotoItem(IDC_FLT_ACCOUNTS);
    }
}

int CFilterSecPosDlg::StoreDataItem(tagTMSG* message)
{
    if (message == nullptr || message->nType != kTrAccRequest)
        return 1;
    KvTrAccPage page;
    if (!DecodeTrAccPage(MessageText(message), page)) {
        TraceShortRecord(*message);
        return 1;
    }
    m_page = std::move(page);
    m_bPageRead = true;
    return 1;
}

int CFilterSecPosDlg::Decode(CRecordReader& /*reader*/)
{
    return 0; // StoreDataItem reads the page's fixed offsets itself
}

void CFilterSecPosDlg::onOK()
{
    const int firmSel = curSel(IDC_FLT_FIRMS);
    const int accountSel = curSel(IDC_FLT_ACCOUNTS);
    const KvSecPosCheck check = CheckSecPosChoice(firmSel >= 0, accountSel >= 0);
    if (check.messageId != 0) {
        KvMessageBox(Kv32FilterDialogString(check.messageId), fw::MB_ICONSTOP);
        gotoItem(check.focusId);
        return;
    }
    CParticipantTable& firms = ParticipantTable();
    const int row = firms.FindByName(itemString(IDC_FLT_FIRMS, firmSel).c_str(), "BROK");
    if (row < 0) {
        KvMessageBox(Kv32FilterDialogString(IDS_FIRM_NOT_SELECTED), fw::MB_ICONSTOP);
        gotoItem(IDC_FLT_FIRMS);
        return;
    }
    m_target.m_strFirm = firms.GetRec(row)->szCode;
    m_target.m_strAccount = itemString(IDC_FLT_ACCOUNTS, accountSel);
    endDialog(fw::IDOK);
}
