// Pictures of the core library's own dialogs for the screens page: the start-up window, the
// message box, the security check and the password change, in English and Hungarian.
// Written when KV32_SHOT_DIR names a folder.
#include <gtest/gtest.h>

#include <QString>
#include <cstdlib>
#include <functional>

#include "fw/core/msgbox.h"
#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "kvcore/dialogs/message_box_dlg.h"
#include "kvcore/dialogs/password_dlg.h"
#include "kvcore/dialogs/security_dlg.h"
#include "kvcore/frame/startup_wnd.h"
#include "kvcore/res/app_ids.h"
#include "ui/test_workstation.h"

namespace {

void Shoot(fw::Dialog& dlg, const char* out, const char* name, const char* tag,
    const std::function<void(fw::Dialog&)>& fill = {})
{
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        if (fill)
            fill(d);
        d.adjustSize();
        fw::test::processEvents();
        EXPECT_TRUE(d.grab().save(QString::fromUtf8(out) + QStringLiteral("/%1-%2.png").arg(name, tag)))
            << name;
        d.endDialog(fw::IDCANCEL);
    });
}

TEST(AppDialogPictures, EveryAppDialogInBothLanguages)
{
    const char* out = std::getenv("KV32_SHOT_DIR");
    if (out == nullptr)
        GTEST_SKIP() << "KV32_SHOT_DIR not set";
    kvtest::WorkstationApp app;
    for (const auto& [language, tag] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        CStartupWnd startup;
        Shoot(startup, out, "app-startup", tag);
        CMessageBoxDlg box(fw::resourceText("Do you want to withdraw the order?", "Visszavonja a megbízást?"),
            fw::MB_YESNO | fw::MB_ICONQUESTION, 0);
        Shoot(box, out, "app-message-box", tag);
        CSecurityDlg security;
        Shoot(security, out, "app-security-check", tag,
            [](fw::Dialog& d) { d.userType(IDC_SECURITY_CODE, "4711"); });
        CPasswordDlg password(1);
        Shoot(password, out, "app-password", tag);
    }
    fw::setLanguage(fw::Language::English);
}

} // namespace
