#include "kvcore/dialogs/title_dlg.h"

#include "fw/core/document.h"
#include "fw/ui/childframe.h"
#include "fw/ui/dataexchange.h"
#include "fw/ui/view.h"

CSetWinTextDlg::CSetWinTextDlg(fw::Document* doc, std::string defaultTitle, QWidget* parent)
    : fw::Dialog(IDD_WINDOW_TITLE, parent)
    , m_pDoc(doc)
    , m_sDefault(std::move(defaultTitle))
{
    const fw::ChildFrame* frame = Frame();
    m_bHideTitle = frame && !frame->hasCaption() ? 1 : 0;
    commands().onNotify(IDC_TITLE_TEXT, fw::Notify::Change, [this] { OnChangeText(); });
    commands().onNotify(IDC_TITLE_HIDE, fw::Notify::Clicked, [this] { OnHideTitle(); });
    commands().onCommand(IDC_TITLE_DEFAULT, [this] { OnDefault(); });
}

fw::ChildFrame* CSetWinTextDlg::Frame() const
{
    if (!m_pDoc)
        return nullptr;
    const auto* view = dynamic_cast<const fw::View*>(m_pDoc->firstView());
    return view ? view->parentFrame() : nullptr;
}

void CSetWinTextDlg::doDataExchange(fw::DataExchange& dx)
{
    dx.text(IDC_TITLE_TEXT, m_sTitle, kMaxWindowTitle);
    dx.check(IDC_TITLE_HIDE, m_bHideTitle);
}

bool CSetWinTextDlg::onInitDialog()
{
    fw::Dialog::onInitDialog();
    OnHideTitle();
    OnChangeText();
    return true;
}

void CSetWinTextDlg::OnHideTitle() { enableItem(IDC_TITLE_TEXT, isButtonChecked(IDC_TITLE_HIDE) == 0); }

// An empty title cannot be confirmed.
void CSetWinTextDlg::OnChangeText() { enableItem(fw::kIdOk, !itemText(IDC_TITLE_TEXT).empty()); }

void CSetWinTextDlg::OnDefault()
{
    m_sTitle = m_sDefault;
    m_bHideTitle = 0;
    updateData(false);
    OnHideTitle();
}

void CSetWinTextDlg::onOK()
{
    if (!updateData(true))
        return;
    if (fw::ChildFrame* frame = Frame(); frame && frame->hasCaption() == (m_bHideTitle != 0))
        frame->setCaption(m_bHideTitle == 0);
    endDialog(fw::IDOK);
}
