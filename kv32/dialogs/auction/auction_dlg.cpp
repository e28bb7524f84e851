#include "kv32/dialogs/auction/auction_dlg.h"

#include <QComboBox>

#include <algorithm>
#include <iterator>

#include "fw/ui/text.h"
#include "kv32/dialogs/auction/dialog_grid.h"
#include "kv32/dialogs/neg_deal_dlg.h"
#include "kv32/res/auction_ids.h"

namespace {

constexpr uint32_t kEdits[] = { IDC_AU_MIN, IDC_AU_MAX, IDC_AU_INCREMENT, IDC_AU_PRICE };
// Statics whose text the form may empty.
constexpr uint32_t kValues[] = { IDC_AU_ORDERS, IDC_AU_BID_QTY, IDC_AU_MKT_QTY, IDC_AU_CONVERTED };

} // namespace

CAuctionDlg::CAuctionDlg(KvAuctionKind kind, QWidget* parent)
    : CKvDialog(Kv32AuctionDialog(IDD_AUCTION), parent)
    , m_form(kind)
{
    fw::CommandMap& map = commands();
    map.onNotify(IDC_AU_BOARD, fw::Notify::SelChange, [this] {
        m_form.SelectBoard(curSel(IDC_AU_BOARD));
        After();
    });
    map.onNotify(IDC_AU_SECURITY, fw::Notify::SelChange, [this] {
        m_form.SelectSecurity(curSel(IDC_AU_SECURITY));
        After();
    });
    for (uint32_t id : kEdits)
        map.onNotify(id, fw::Notify::Change, [this, id] {
            if (m_bSyncing)
                return;
            m_form.Type(id, itemText(id));
            After();
        });
    map.onNotify(IDC_AU_PRICE, fw::Notify::KillFocus, [this] {
        if (m_bSyncing)
            return;
        m_form.Leave(IDC_AU_PRICE);
        After();
    });
    for (uint32_t id : { uint32_t(IDC_AU_YIELD), uint32_t(IDC_AU_CALCULATE) })
        map.onNotify(id, fw::Notify::Clicked, [this, id] {
            if (m_bSyncing)
                return;
            m_form.Click(id);
            After();
        });
    map.onNotify(IDC_AU_MOF, fw::Notify::Clicked, [this] { OpenDeal(); });
    map.onNotify(IDC_AU_EXPORT, fw::Notify::Clicked, [this] { m_grid.ExportCsv(m_form.Traits().firstTitleId); });
}

CAuctionDlg::~CAuctionDlg() = default;

bool CAuctionDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    if (const std::string caption = m_form.Caption(); !caption.empty())
        setWindowTitle(fw::toQt(caption));
    m_grid.Attach(*this, IDC_AU_GRID, m_form.Cells(), m_form.Traits().side);
    m_grid.Init(kAuctionInitialRows, kAuctionColumns, m_form.Traits().firstTitleId);
    m_form.Init();
    After();
    return true;
}

void CAuctionDlg::onOK()
{
    endDialog(fw::IDCANCEL);
}

void CAuctionDlg::OpenDeal()
{
    CNegDealDlg deal(m_form.Traits().side, -1, this);
    deal.doModal();
}

void CAuctionDlg::Show()
{
    m_bSyncing = true;
    for (const auto& [id, c] : m_form.Controls()) {
        QWidget* w = item(id);
        if (w == nullptr)
            continue;
        if (qobject_cast<QComboBox*>(w) != nullptr) {
            bool same = itemCount(id) == static_cast<int>(c.items.size());
            for (int i = 0; same && i < itemCount(id); ++i)
                same = itemString(id, i) == c.items[static_cast<size_t>(i)];
            if (!same) {
                setRedraw(id, false);
                resetContent(id);
                for (size_t i = 0; i < c.items.size(); ++i) {
                    addString(id, c.items[i]);
                    setItemData(id, static_cast<int>(i), i < c.data.size() ? static_cast<uint64_t>(c.data[i]) : 0);
                }
                setRedraw(id, true);
            }
            if (curSel(id) != c.sel)
                setCurSel(id, c.sel);
        } else if (id == IDC_AU_YIELD) {
            checkButton(id, c.checked ? 1 : 0);
        } else if (std::find(std::begin(kEdits), std::end(kEdits), id) != std::end(kEdits)
            || std::find(std::begin(kValues), std::end(kValues), id) != std::end(kValues)) {
            if (itemText(id) != c.text)
                setItemText(id, c.text);
        } else if ((id == IDC_AU_PRICE_LABEL || id == IDC_AU_CONVERTED_LABEL) && !c.text.empty()) {
            setItemText(id, c.text);
        }
        enableItem(id, c.enabled);
    }
    m_bSyncing = false;
    m_grid.Refresh();
}

void CAuctionDlg::After()
{
    Show();
    if (const uint32_t focus = m_form.TakeFocus(); focus != 0 && item(focus) != nullptr) {
        m_bSyncing = true;
        gotoItem(focus);
        m_bSyncing = false;
    }
}

CPrimaryAuctionDlg::CPrimaryAuctionDlg(QWidget* parent)
    : CAuctionDlg(KvAuctionKind::Primary, parent)
{
}

CPrimaryAuctionDlg::~CPrimaryAuctionDlg() = default;

CBuyBackAuctionDlg::CBuyBackAuctionDlg(QWidget* parent)
    : CAuctionDlg(KvAuctionKind::BuyBack, parent)
{
}

CBuyBackAuctionDlg::~CBuyBackAuctionDlg() = default;

int KvRunAuctionDialog(KvAuctionKind kind)
{
    if (kind == KvAuctionKind::Primary) {
        CPrimaryAuctionDlg dlg;
        return dlg.doModal();
    }
    CBuyBackAuctionDlg dlg;
    return dlg.doModal();
}
