// Dialog templates of the application core: message box, logon, start-up window,
// security code and password change.
#include "kvcore/res/app_dialogs.h"

#include "kvcore/res/app_ids.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;

constexpr ControlDef kMessageBox[] = {
    { IDC_BIG_ICON, ControlKind::Picture, 0, 0, nullptr, nullptr, 2, 1 },
    { IDC_MESSAGE_TEXT, ControlKind::Label, 0, 1, "", "", 1, 6, fw::StyleNone, 40 },
    { 6, ControlKind::Button, 1, 1, "&Yes", "&Igen", 1, 1, fw::StyleHidden },
    { 7, ControlKind::Button, 1, 2, "&No", "&Nem", 1, 1, fw::StyleHidden },
    { KV_IDABORT, ControlKind::Button, 1, 3, "&Abort", "Me&gszakítás", 1, 1, fw::StyleHidden },
    { KV_IDRETRY, ControlKind::Button, 1, 4, "&Retry", "Ú&jra", 1, 1, fw::StyleHidden },
    { KV_IDIGNORE, ControlKind::Button, 1, 5, "&Ignore", "&Kihagyás", 1, 1, fw::StyleHidden },
    { fw::kIdOk, ControlKind::Button, 1, 6, "OK", "OK", 1, 1, fw::StyleHidden },
    { fw::kIdCancel, ControlKind::Button, 1, 7, "Cancel", "Mégse", 1, 1, fw::StyleHidden },
};

constexpr ControlDef kLogon[] = {
    { fw::kStaticId, ControlKind::Label, 0, 0, "&User name:", "&Felhasználónév:" },
    { IDC_LOGON_USER, ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 16, 12 },
    { fw::kStaticId, ControlKind::Label, 1, 0, "&Password:", "&Jelszó:" },
    { IDC_LOGON_PASSWORD, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 2, fw::StylePassword, 16, 64 },
    { IDC_RESET_LOG_PRINTING, ControlKind::CheckBox, 2, 1, "&Reset Log Printing", "Napló nyomtatás &elölről", 1,
        2 },
    { fw::kIdOk, ControlKind::DefaultButton, 3, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 3, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kStartup[] = {
    { IDC_BIG_ICON, ControlKind::Picture, 0, 0, nullptr, nullptr, 2, 1 },
    { IDC_STARTUP_TEXT, ControlKind::Label, 0, 1, "", "", 1, 1, fw::StyleNone, 40 },
    { IDC_STARTUP_WARNING, ControlKind::Label, 1, 1,
        "This program is protected by law. Unauthorised use is prohibited.",
        "A programot jogszabály védi. Jogosulatlan használata tilos.", 1, 1, fw::StyleNone, 40 },
};

constexpr ControlDef kSecurity[] = {
    { fw::kStaticId, ControlKind::Label, 0, 0, "&Security Code:", "&Biztonsági kód:" },
    { IDC_SECURITY_CODE, ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 2, fw::StylePassword, 20, 20 },
    { fw::kIdOk, ControlKind::DefaultButton, 1, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 1, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kPassword[] = {
    { IDC_PASSWORD_LABEL, ControlKind::Label, 0, 0, "&Password:", "&Jelszó:", 1, 3, fw::StyleNone, 40 },
    { IDC_PASSWORD_EDIT, ControlKind::Edit, 1, 0, nullptr, nullptr, 1, 3, fw::StylePassword, 30, 64 },
    { fw::kIdOk, ControlKind::DefaultButton, 2, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 2, 2, "Cancel", "Mégse" },
};

constexpr fw::DialogTemplate kDialogs[] = {
    { IDD_MESSAGE_BOX, "VEXA Universal Bench", "VEXA Universal Bench", kMessageBox },
    { IDD_LOGON, "User Identification", "Felhasználó azonosítás", kLogon },
    { IDD_STARTUP, "VEXA Universal Bench", "VEXA Universal Bench", kStartup },
    { IDD_SECURITY, "Security Check", "Biztonsági ellenőrzés", kSecurity },
    { IDD_PASSWORD, "Password", "Jelszó", kPassword },
};

} // namespace

std::span<const fw::DialogTemplate> KvAppDialogs()
{
    return kDialogs;
}
