// Templates and texts of the message dialogs (English and Hungarian side by side).
#include "kv32/res/message_dialogs_ids.h"

#include "fw/core/strings.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;
constexpr std::uint32_t S = fw::kStaticId;

constexpr ControlDef kSendMessage[] = {
    { S, ControlKind::Label, 0, 0, "Firm", "Cég" },
    { IDC_MSG_FIRM, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 30 },
    { IDC_MSG_ALL_FIRMS, ControlKind::CheckBox, 0, 3, "All", "Mind" },
    { S, ControlKind::Label, 1, 0, "User", "Felhasználó" },
    { IDC_MSG_USER, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 30 },
    { IDC_MSG_ALL_USERS, ControlKind::CheckBox, 1, 3, "All", "Mind" },
    { S, ControlKind::Label, 2, 0, "Draft Message", "Üzenetminta" },
    { IDC_MSG_DRAFT, ControlKind::ComboList, 2, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    { IDC_MSG_TEXT, ControlKind::Edit, 3, 0, nullptr, nullptr, 4, 4, fw::StyleMultiline, 50, 615 },
    { S, ControlKind::GroupBox, 7, 0, "Display Type", "Megjelenítés", 1, 2 },
    { IDC_MSG_URGENT, ControlKind::RadioButton, 8, 0, "&Urgent", "&Sürgős", 1, 1, fw::StyleGroup },
    { IDC_MSG_REGULAR, ControlKind::RadioButton, 9, 0, "&Regular", "&Normál" },
    { IDC_MSG_NON_DISPLAY, ControlKind::RadioButton, 10, 0, "&Non-Display", "&Nem megjelenő" },
    { IDC_MSG_INFO_FEED, ControlKind::CheckBox, 8, 1, "Infofee&d", "&Hírszolgálat" },
    { S, ControlKind::GroupBox, 7, 2, "Time", "Idő", 1, 2 },
    { IDC_MSG_TIME, ControlKind::DateTime, 8, 2, nullptr, nullptr, 1, 2, fw::StyleTime },
    { fw::kIdOk, ControlKind::DefaultButton, 11, 2, "&Send", "&Küldés" },
    { fw::kIdCancel, ControlKind::Button, 11, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kReceivedMessage[] = {
    { S, ControlKind::Label, 0, 0, "Message", "Üzenet" },
    { IDC_MSG_TEXT, ControlKind::Edit, 1, 0, nullptr, nullptr, 4, 4, fw::StyleMultiline | fw::StyleReadOnly, 50 },
    { S, ControlKind::Label, 5, 0, "To User:", "Címzett:" },
    { IDC_RECV_TO_USER, ControlKind::Edit, 5, 1, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 14 },
    { S, ControlKind::Label, 5, 2, "To Firm:", "Címzett cég:" },
    { IDC_RECV_TO_FIRM, ControlKind::Edit, 5, 3, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 14 },
    { S, ControlKind::Label, 6, 0, "From User:", "Feladó:" },
    { IDC_RECV_FROM_USER, ControlKind::Edit, 6, 1, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 14 },
    { S, ControlKind::Label, 6, 2, "From Firm:", "Feladó cég:" },
    { IDC_RECV_FROM_FIRM, ControlKind::Edit, 6, 3, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 14 },
    { S, ControlKind::Label, 7, 0, "Time:", "Idő:" },
    { IDC_RECV_TIME, ControlKind::Edit, 7, 1, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 14 },
    { fw::kIdOk, ControlKind::DefaultButton, 8, 3, "OK", "OK" },
};

constexpr ControlDef kAlertLogMessage[] = {
    { S, ControlKind::Label, 0, 0, "Date:", "Dátum:" },
    { IDC_LOG_DATE, ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 12 },
    { S, ControlKind::Label, 0, 2, "Time:", "Idő:" },
    { IDC_LOG_TIME, ControlKind::Edit, 0, 3, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 12 },
    { S, ControlKind::Label, 1, 0, "Security:", "Értékpapír:" },
    { IDC_LOG_SECURITY, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 18 },
    { S, ControlKind::Label, 1, 2, "Board:", "Tábla:" },
    { IDC_LOG_BOARD, ControlKind::Edit, 1, 3, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 18 },
    { S, ControlKind::Label, 2, 0, "Firm:", "Cég:" },
    { IDC_LOG_FIRM, ControlKind::Edit, 2, 1, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 18 },
    { S, ControlKind::Label, 2, 2, "User:", "Felhasználó:" },
    { IDC_LOG_USER, ControlKind::Edit, 2, 3, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 18 },
    { S, ControlKind::Label, 3, 0, "Description:", "Leírás:" },
    { IDC_LOG_DESCRIPTION, ControlKind::Edit, 3, 1, nullptr, nullptr, 1, 3, fw::StyleReadOnly, 40 },
    { fw::kIdOk, ControlKind::DefaultButton, 4, 3, "OK", "OK" },
};

constexpr fw::DialogTemplate kTemplates[] = {
    { IDD_SEND_MESSAGE, "Send Message", "Üzenet küldése", kSendMessage },
    { IDD_RECEIVED_MESSAGE, "Received Message", "Érkezett üzenet", kReceivedMessage },
    { IDD_ALERT_LOG_MESSAGE, "Alert Log Message", "Riasztási napló üzenete", kAlertLogMessage },
};

constexpr fw::StringEntry kStrings[] = {
    { IDS_MSG_UPDATE, "&Update", "&Módosítás" },
    { IDS_MSG_UNKNOWN_FIRM, "The firm is not known: ", "Ismeretlen cég: " },
    { IDS_MSG_UNKNOWN_USER, "The user is not known at the firm: ", "A felhasználó nem ismert a cégnél: " },
    { IDS_MSG_TOO_LONG, "The text is longer than %d characters (a line break counts as two).",
        "A szöveg hosszabb %d karakternél (a sortörés kettőnek számít)." },
    { IDS_TEXT_NOT_SENDABLE, "The text holds a character that cannot be sent: ",
        "A szövegben nem küldhető karakter van: " },
    { IDS_FTP_CANNOT_CONNECT, "Cannot connect to FTP site:", "Nem lehet kapcsolódni az FTP-helyhez:" },
    { IDS_FTP_CANNOT_SET_REMOTE, "Cannot set to target directory", "Nem lehet a célkönyvtárba váltani" },
    { IDS_FTP_INVALID_ADDRESS, "Invalid FTP address", "Érvénytelen FTP-cím" },
    { IDS_FTP_CANNOT_SET_LOCAL, "Cannot set target directory:", "Nem használható a célkönyvtár:" },
    { IDS_FTP_CANNOT_GET, "FTP: Cannot get file", "FTP: Nem lehet letölteni a fájlt:" },
    { IDS_FTP_UNKNOWN_ERROR, "Unknown error", "Ismeretlen hiba" },
    { IDS_FTP_UNSAFE_NAME, "This file name cannot be used: ", "Ez a fájlnév nem használható: " },
};

const fw::ResourceSet kResources { "kv32-message-dialogs", {}, kTemplates };

} // namespace

std::span<const fw::DialogTemplate> Kv32MessageDialogTemplates()
{
    return kTemplates;
}

std::span<const fw::StringEntry> Kv32MessageDialogStrings()
{
    return kStrings;
}

void Kv32RegisterMessageDialogs()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string Kv32MessageDialogString(std::uint32_t id)
{
    Kv32RegisterMessageDialogs();
    return fw::loadString(id);
}
