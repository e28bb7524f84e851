#include "kvcore/frame/startup_wnd.h"

#include <QApplication>
#include <cstdlib>

#include "fw/core/strings.h"
#include "fw/ui/text.h"
#include "kvcore/app/version_info.h"
#include "kvcore/frame/wait_cursor.h"
#include "kvcore/res/app_ids.h"

CStartupWnd::CStartupWnd(QWidget* parent)
    : fw::Dialog(IDD_STARTUP, parent)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

CStartupWnd::~CStartupWnd()
{
    if (m_bCursor)
        KvShowWaitCursor(false);
}

std::string CStartupWnd::Text()
{
    std::string text = fw::loadString(IDS_APP_TITLE);
    text += "\n";
    text += fw::loadString(IDS_ABOUT_TEXT);
    text += fw::loadString(IDS_STARTUP_VERSION);
    text += KvProgramVersion();
    if (const char* path = std::getenv("kv3userpath"); path != nullptr) {
        text += fw::loadString(IDS_STARTUP_USER_SETTINGS);
        text += path;
    }
    return text;
}

bool CStartupWnd::onInitDialog()
{
    fw::Dialog::onInitDialog();
    setItemText(IDC_STARTUP_TEXT, Text());
    setItemIcon(IDC_BIG_ICON, StdIcon::Application);
    if (!m_bCursor) {
        KvShowWaitCursor(true);
        m_bCursor = true;
    }
    return true;
}
