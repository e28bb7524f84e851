#include "kv32/dialogs/mm_tick_dlg.h"

#include <tuple>

#include "fw/core/msgbox.h"
#include "kv32/dialogs/side_colours.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/tick_form.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"

namespace {

constexpr unsigned kTickCommand = 33161;

struct AllBox {
    uint32_t box;
    uint32_t list;
};
constexpr AllBox kAllBoxes[] = {
    { IDC_TK_ALL_FIRMS, IDC_TK_FIRM },
    { IDC_TK_ALL_USERS, IDC_TK_USER },
    { IDC_TK_ALL_BOARDS, IDC_TK_BOARD },
    { IDC_TK_ALL_SECURITIES, IDC_TK_SECURITY },
    { IDC_TK_ALL_ACCOUNTS, IDC_TK_ACCOUNT },
};

} // namespace

void KvInstallTickDialog()
{
    KvSetCommandDialog(kTickCommand, [](int) {
        CMMkrTickDlg dlg;
        return dlg.doModal();
    });
}

CMMkrTickDlg::CMMkrTickDlg(QWidget* parent)
    : CKvDialog(Kv32MarketDialog(IDD_MM_TICK), parent)
{
    fw::CommandMap& map = commands();
    map.onNotify(IDC_TK_BOARD, fw::Notify::SelChange, [this] { BoardChanged(); });
    for (const AllBox& a : kAllBoxes)
        if (a.box != IDC_TK_ALL_SECURITIES)
            map.onNotify(a.box, fw::Notify::Clicked, [this, a] { AllClicked(a.box, a.list); });
    map.onNotify(IDC_TK_ALL_SECURITIES, fw::Notify::Clicked, [this] { AllSecuritiesClicked(); });
    map.onNotify(IDC_TK_UP, fw::Notify::Clicked, [this] {
        m_nDirection = kTickUp;
        UpdateOk();
    });
    map.onNotify(IDC_TK_DOWN, fw::Notify::Clicked, [this] {
        m_nDirection = kTickDown;
        UpdateOk();
    });
    map.onNotify(IDC_TK_TICKS, fw::Notify::Change, [this] { UpdateOk(); });
    map.onNotify(IDC_TK_BUY, fw::Notify::Clicked, [this] { UpdateOk(); });
    map.onNotify(IDC_TK_SELL, fw::Notify::Clicked, [this] { UpdateOk(); });
}

CMMkrTickDlg::~CMMkrTickDlg() = default;

bool CMMkrTickDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    const KvTickPreset preset = TickPreset();
    for (const std::string& code : ParticipantTable().FillCodes())
        addString(IDC_TK_FIRM, code);
    for (const std::string& code : TraderTable().FillCodes())
        addString(IDC_TK_USER, code);
    for (const std::string& name : BoardTable().FillList())
        addString(IDC_TK_BOARD, name);
    KvFillTradingAccounts(*this, IDC_TK_ACCOUNT);
    // The logged-on user's own orders unless the user chooses others.
    if (const CSession* session = KvSession(); session != nullptr) {
        std::string firm = session->m_sUserFirm;
        if (const int row = TraderTable().FindByCode(session->m_sUser.c_str()); firm.empty() && row >= 0)
            firm = TraderTable().GetRec(row)->szFirm;
        setCurSel(IDC_TK_FIRM, firm.empty() ? -1 : findStringExact(IDC_TK_FIRM, -1, firm));
        setCurSel(IDC_TK_USER, findStringExact(IDC_TK_USER, -1, session->m_sUser));
    }
    setCurSel(IDC_TK_BOARD,
        preset.boardRow >= 0 ? findStringExact(IDC_TK_BOARD, -1, BoardTable().GetRec(preset.boardRow)->szName) : -1);
    BoardChanged();
    if (preset.securityRow >= 0)
        setCurSel(IDC_TK_SECURITY,
            findStringExact(IDC_TK_SECURITY, -1, SecurityTable().GetRec(preset.securityRow)->szShortName));
    checkButton(IDC_TK_ALL_ACCOUNTS, 1);
    AllClicked(IDC_TK_ALL_ACCOUNTS, IDC_TK_ACCOUNT);
    checkButton(IDC_TK_BUY, 1);
    checkButton(IDC_TK_SELL, 1);
    UpdateOk();
    return true;
}

void CMMkrTickDlg::BoardChanged()
{
    const std::string previous = itemText(IDC_TK_SECURITY);
    resetContent(IDC_TK_SECURITY);
    const int board = BoardTable().FindByName(itemText(IDC_TK_BOARD).c_str());
    if (board >= 0) {
        const BoardRec& b = *BoardTable().GetRec(board);
        CSecurityTable& securities = SecurityTable();
        for (int i = 0; i < securities.GetCount(); ++i) {
            const SecurityRec& s = *securities.GetRec(i);
            if (!CSecurityTable::CodeHasBoard(s.szCode, b.szCode))
                continue;
            const int at = addString(IDC_TK_SECURITY, s.szShortName);
            setItemData(IDC_TK_SECURITY, at, static_cast<uint64_t>(i));
        }
    }
    setCurSel(IDC_TK_SECURITY, previous.empty() ? -1 : findStringExact(IDC_TK_SECURITY, -1, previous));
}

void CMMkrTickDlg::AllClicked(uint32_t box, uint32_t list)
{
    const bool all = isButtonChecked(box) != 0;
    if (all)
        setCurSel(list, -1);
    enableItem(list, !all);
    if (list == IDC_TK_BOARD)
        BoardChanged();
}

void CMMkrTickDlg::AllSecuritiesClicked()
{
    AllClicked(IDC_TK_ALL_SECURITIES, IDC_TK_SECURITY);
    // The record names no board: all securities means every board too.
    const bool all = isButtonChecked(IDC_TK_ALL_SECURITIES) != 0;
    checkButton(IDC_TK_ALL_BOARDS, all ? 1 : 0);
    enableItem(IDC_TK_ALL_BOARDS, !all);
    AllClicked(IDC_TK_ALL_BOARDS, IDC_TK_BOARD);
}

void CMMkrTickDlg::UpdateOk()
{
    enableItem(fw::kIdOk,
        TickOkEnabled(m_nDirection, itemText(IDC_TK_TICKS), isButtonChecked(IDC_TK_BUY) != 0,
            isButtonChecked(IDC_TK_SELL) != 0));
}

int CMMkrTickDlg::SelectedSecurity() const
{
    const int at = curSel(IDC_TK_SECURITY);
    if (at < 0 || itemCount(IDC_TK_BOARD) == 0)
        return -1;
    const int row = static_cast<int>(itemData(IDC_TK_SECURITY, at));
    return row < SecurityTable().GetCount() ? row : -1;
}

void CMMkrTickDlg::onOK()
{
    KvTickInput in;
    in.user = ps != nullptr ? ps->m_sUser : std::string();
    const auto chosen = [this](uint32_t box, uint32_t list) {
        return isButtonChecked(box) ? std::string() : itemText(list);
    };
    // An empty selector means "All": a list left without a choice is refused, never sent as such.
    for (const auto& [box, list, message] : { std::tuple { IDC_TK_ALL_FIRMS, IDC_TK_FIRM, IDS_INVALID_FIRM },
             std::tuple { IDC_TK_ALL_USERS, IDC_TK_USER, IDS_INVALID_USER } }) {
        if (!isButtonChecked(box) && curSel(list) < 0) {
            KvMessageBox(Kv32DealDialogString(message), fw::MB_ICONSTOP);
            gotoItem(list);
            return;
        }
    }
    in.firm = chosen(IDC_TK_ALL_FIRMS, IDC_TK_FIRM);
    in.userCode = chosen(IDC_TK_ALL_USERS, IDC_TK_USER);
    in.account = chosen(IDC_TK_ALL_ACCOUNTS, IDC_TK_ACCOUNT);
    if (!isButtonChecked(IDC_TK_ALL_SECURITIES)) {
        // A security chosen but not found is refused, never sent as "All".
        const int row = SelectedSecurity();
        if (row < 0) {
            KvMessageBox(Kv32DealDialogString(IDS_INVALID_SECURITY), fw::MB_ICONSTOP);
            gotoItem(IDC_TK_SECURITY);
            return;
        }
        in.securityKey = SecurityTable().GetRec(row)->szCode;
    }
    in.buy = isButtonChecked(IDC_TK_BUY) != 0;
    in.sell = isButtonChecked(IDC_TK_SELL) != 0;
    in.direction = m_nDirection;
    in.ticks = itemText(IDC_TK_TICKS);
    std::string record = BuildTickRecord(in);
    if (record.empty()) {
        KvMessageBox(Kv32DealDialogString(IDS_INVALID_VALUE), fw::MB_ICONSTOP);
        return;
    }
    if (VORLTransaction(kTickTransaction, record.data(), static_cast<int>(record.size()), 1))
        endDialog(fw::IDOK);
}
