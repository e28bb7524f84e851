#include "kvcore/dialogs/message_box_dlg.h"

#include <QApplication>

#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "fw/ui/app.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/text.h"
#include "kvcore/res/app_ids.h"

namespace {

// The main window's caption, which every box carries; the template's title before there is one.
QString MainCaption()
{
    if (fw::App* app = fw::App::instance())
        if (fw::MainFrame* frame = app->mainFrame(); frame != nullptr && !frame->windowTitle().isEmpty())
            return frame->windowTitle();
    return {};
}

fw::Dialog::StdIcon IconOf(uint32_t type)
{
    switch (type & fw::MB_ICONMASK) {
    case fw::MB_ICONQUESTION:
        return fw::Dialog::StdIcon::Question;
    case fw::MB_ICONEXCLAMATION:
        return fw::Dialog::StdIcon::Exclamation;
    case fw::MB_ICONASTERISK:
        return fw::Dialog::StdIcon::Information;
    case fw::MB_ICONHAND:
        return fw::Dialog::StdIcon::Stop;
    default:
        return fw::Dialog::StdIcon::Application;
    }
}

constexpr uint32_t kAllButtons[] = { fw::IDYES, fw::IDNO, KV_IDABORT, KV_IDRETRY, KV_IDIGNORE, fw::IDOK,
    fw::IDCANCEL };

} // namespace

CMessageBoxDlg::CMessageBoxDlg(const std::string& text, uint32_t type, uint32_t helpId, QWidget* parent)
    : fw::Dialog(IDD_MESSAGE_BOX, parent)
    , m_sText(text)
    , m_nType(type)
    , m_nHelpId(helpId)
{
    // Every answer button ends the box with its own id.
    for (const uint32_t id : kAllButtons) {
        if (id != fw::IDOK && id != fw::IDCANCEL)
            commands().onNotify(id, fw::Notify::Clicked, [this, id] { endDialog(static_cast<int>(id)); });
    }
}

std::vector<uint32_t> CMessageBoxDlg::ButtonsOf(uint32_t type)
{
    switch (type & fw::MB_TYPEMASK) {
    case fw::MB_OKCANCEL:
        return { fw::IDOK, fw::IDCANCEL };
    case KV_MB_ABORTRETRYIGNORE:
        return { KV_IDABORT, KV_IDRETRY, KV_IDIGNORE };
    case fw::MB_YESNOCANCEL:
        return { fw::IDYES, fw::IDNO, fw::IDCANCEL };
    case fw::MB_YESNO:
        return { fw::IDYES, fw::IDNO };
    case KV_MB_RETRYCANCEL:
        return { KV_IDRETRY, fw::IDCANCEL };
    default:
        return { fw::IDOK };
    }
}

bool CMessageBoxDlg::onInitDialog()
{
    fw::Dialog::onInitDialog();
    if (const QString caption = MainCaption(); !caption.isEmpty())
        setWindowTitle(caption);
    setItemText(IDC_MESSAGE_TEXT, m_sText);
    setItemIcon(IDC_BIG_ICON, IconOf(m_nType));
    const std::vector<uint32_t> buttons = ButtonsOf(m_nType);
    for (const uint32_t id : kAllButtons) {
        const bool shown = std::find(buttons.begin(), buttons.end(), id) != buttons.end();
        showItem(id, shown);
        enableItem(id, shown);
    }
    size_t defaultIndex = 0;
    if ((m_nType & KV_MB_DEFMASK) == fw::MB_DEFBUTTON2)
        defaultIndex = 1;
    else if ((m_nType & KV_MB_DEFMASK) == KV_MB_DEFBUTTON3)
        defaultIndex = 2;
    if (defaultIndex >= buttons.size())
        defaultIndex = 0;
    setDefaultItem(buttons[defaultIndex]);
    gotoItem(buttons[defaultIndex]);
    (void)m_nHelpId; // there is no help file to open
    return false; // the focus is set
}

void CMessageBoxDlg::onCancel()
{
    // Escape answers Cancel only where the box offers it.
    if (isItemEnabled(fw::IDCANCEL))
        fw::Dialog::onCancel();
}
