#include "kv32/dialogs/alerts/alert_select_dlg.h"

#include <QKeyEvent>
#include <QListWidget>
#include <algorithm>

#include "fw/ui/text.h"
#include "kv32/res/shell_strings.h"
#include "kvcore/ui/list_widget_port.h"

void CAlertSelectionList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        emit removeRequested();
        return;
    }
    CDnDListBox::keyPressEvent(event);
}

CAlertSelectDlg::CAlertSelectDlg(unsigned captionId, std::vector<uint32_t>& indices, uint32_t templateId,
    QWidget* parent, bool singleChoice)
    : CKvDialog(Kv32AlertDialog(templateId), parent)
    , m_nCaptionId(captionId)
    , m_indices(indices)
    , m_bSingleChoice(singleChoice)
{
    fw::CommandMap& map = commands();
    const auto act = [this](auto step) {
        return [this, step] {
            if (m_form) {
                step(*m_form);
                ShowState();
            }
        };
    };
    map.onNotify(IDC_SEL_BOARDS, fw::Notify::Clicked,
        act([](KvAlertSelectForm& f) { f.SetMode(KvChooserMode::Boards); }));
    map.onNotify(IDC_SEL_SECURITIES, fw::Notify::Clicked,
        act([](KvAlertSelectForm& f) { f.SetMode(KvChooserMode::Securities); }));
    map.onNotify(
        IDC_SEL_CHOOSER, fw::Notify::SelChange, act([](KvAlertSelectForm& f) { f.ChooserChanged(); }));
    map.onNotify(IDC_SEL_AVAILABLE, fw::Notify::SelChange, act([](KvAlertSelectForm&) {}));
    map.onNotify(IDC_SEL_SELECTION, fw::Notify::SelChange, act([](KvAlertSelectForm&) {}));
    map.onNotify(IDC_SEL_ADD, fw::Notify::Clicked, act([](KvAlertSelectForm& f) { f.Add(); }));
    map.onNotify(IDC_SEL_ADD_ALL, fw::Notify::Clicked, act([](KvAlertSelectForm& f) { f.AddAll(); }));
    map.onNotify(IDC_SEL_REMOVE, fw::Notify::Clicked, act([](KvAlertSelectForm& f) { f.Remove(); }));
    map.onNotify(IDC_SEL_REMOVE_ALL, fw::Notify::Clicked, act([this](KvAlertSelectForm& f) {
        f.RemoveAll();
        gotoItem(IDC_SEL_AVAILABLE);
    }));
    map.onNotify(IDC_SEL_UNSELECT_CHOOSER, fw::Notify::Clicked,
        act([](KvAlertSelectForm& f) { f.UnselectChooser(); }));
    map.onNotify(IDC_SEL_UNSELECT_AVAILABLE, fw::Notify::Clicked,
        act([](KvAlertSelectForm& f) { f.UnselectAvailable(); }));
    map.onNotify(IDC_SEL_AVAILABLE, fw::Notify::DblClk, act([this](KvAlertSelectForm& f) {
        if (m_bSingleChoice)
            f.AddLine(caretIndex(IDC_SEL_AVAILABLE));
        else
            f.Add();
    }));
    map.onNotify(IDC_SEL_SELECTION, fw::Notify::DblClk, act([](KvAlertSelectForm& f) { f.Remove(); }));
    // The default button follows the list that has the focus.
    map.onNotify(IDC_SEL_AVAILABLE, fw::Notify::SetFocus, [this] { setDefaultItem(IDC_SEL_ADD); });
    map.onNotify(IDC_SEL_SELECTION, fw::Notify::SetFocus, [this] { setDefaultItem(IDC_SEL_REMOVE); });
}

CAlertSelectDlg::~CAlertSelectDlg() = default;

bool CAlertSelectDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    setWindowTitle(fw::toQt(Kv32ShellString(m_nCaptionId)));
    m_chooser = std::make_unique<KvListWidgetPort>(*itemAs<QListWidget>(IDC_SEL_CHOOSER));
    m_available = std::make_unique<KvListWidgetPort>(*itemAs<QListWidget>(IDC_SEL_AVAILABLE));
    auto selection = std::make_unique<CAlertSelectionList>();
    m_selection = selection.get();
    // As wide as the available list, whose lines it takes.
    QWidget* available = item(IDC_SEL_AVAILABLE);
    selection->setMinimumWidth(std::max(available->minimumWidth(), available->sizeHint().width()));
    setItemWidget(IDC_SEL_SELECTION, std::move(selection));
    connect(m_selection, &CAlertSelectionList::removeRequested, this, [this] {
        m_form->Remove();
        ShowState();
    });
    m_form = std::make_unique<KvAlertSelectForm>(
        *m_chooser, *m_available, m_selection->Port(), m_indices, m_bSingleChoice);
    m_form->Init();
    checkButton(IDC_SEL_BOARDS, 1);
    if (m_bSingleChoice) {
        for (uint32_t id : { IDC_SEL_ADD_ALL, IDC_SEL_REMOVE_ALL, IDC_SEL_UNSELECT_AVAILABLE })
            showItem(id, false);
    }
    ShowState();
    gotoItem(IDC_SEL_CHOOSER);
    return false;
}

void CAlertSelectDlg::ShowState()
{
    const KvSelectButtons b = m_form->Buttons();
    enableItem(fw::kIdOk, b.ok);
    enableItem(IDC_SEL_ADD, b.add);
    enableItem(IDC_SEL_ADD_ALL, b.addAll);
    enableItem(IDC_SEL_REMOVE, b.remove);
    enableItem(IDC_SEL_REMOVE_ALL, b.removeAll);
    enableItem(IDC_SEL_UNSELECT_CHOOSER, b.unselectChooser);
    enableItem(IDC_SEL_UNSELECT_AVAILABLE, b.unselectAvailable);
}

void CAlertSelectDlg::onOK()
{
    if (!m_form->Buttons().ok)
        return;
    m_form->Accept();
    endDialog(fw::IDOK);
}
