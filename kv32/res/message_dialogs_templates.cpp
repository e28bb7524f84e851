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

constexpr ControlDef kNews[] = {
    { S, ControlKind::Label, 0, 0, "&Title", "&Cím" },
    { IDC_NEWS_TITLE, ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 40, 40 },
    { S, ControlKind::Label, 1, 0, "T&ype", "&Típus" },
    { IDC_NEWS_TYPE, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 20 },
    { S, ControlKind::Label, 1, 2, "&Language", "&Nyelv" },
    { IDC_NEWS_LANGUAGE, ControlKind::ComboList, 1, 3, nullptr, nullptr, 1, 1, fw::StyleNone, 20 },
    { S, ControlKind::Label, 2, 0, "&Issuer", "&Kibocsátó" },
    { IDC_NEWS_ISSUER, ControlKind::ComboList, 2, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 20 },
    { S, ControlKind::Label, 2, 2, "&Security", "Érték&papír" },
    { IDC_NEWS_SECURITY, ControlKind::ComboList, 2, 3, nullptr, nullptr, 1, 1, fw::StyleNone, 20 },
    { S, ControlKind::GroupBox, 3, 0, "&File", "&Fájl", 1, 4 },
    { IDC_NEWS_PATH, ControlKind::Edit, 4, 0, nullptr, nullptr, 1, 4, fw::StyleNone, 50, 80 },
    { IDC_NEWS_OPEN, ControlKind::Button, 5, 1, "O&pen...", "&Megnyitás..." },
    { IDC_NEWS_GET_HEADER, ControlKind::Button, 5, 2, "&Get Header", "&Fejléc átvétele" },
    { IDC_NEWS_VIEW, ControlKind::Button, 5, 3, "&View", "M&egtekintés" },
    { IDC_NEWS_TEXT, ControlKind::Edit, 6, 0, nullptr, nullptr, 4, 4, fw::StyleMultiline, 50 },
    { IDC_NEWS_FLASH, ControlKind::CheckBox, 10, 0, "Flash &Message", "&Gyorshír" },
    { IDC_NEWS_INFO_FEED, ControlKind::CheckBox, 11, 0, "Infofee&d", "&Hírszolgálat" },
    { S, ControlKind::GroupBox, 10, 1, "Display Type", "Megjelenítés" },
    { IDC_NEWS_URGENT, ControlKind::RadioButton, 11, 1, "&Urgent", "&Sürgős", 1, 1, fw::StyleGroup },
    { IDC_NEWS_REGULAR, ControlKind::RadioButton, 12, 1, "&Regular", "&Normál" },
    { IDC_NEWS_NON_DISPLAY, ControlKind::RadioButton, 13, 1, "&Non-Display", "Nem &megjelenő" },
    { S, ControlKind::Label, 10, 2, "Tim&e", "&Idő" },
    { IDC_NEWS_TIME, ControlKind::DateTime, 11, 2, nullptr, nullptr, 1, 1, fw::StyleTime },
    { fw::kIdOk, ControlKind::DefaultButton, 14, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 14, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kNewsItem[] = {
    { S, ControlKind::Label, 0, 0, "Date:", "Dátum:" },
    { IDC_ITEM_DATE, ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 12 },
    { S, ControlKind::Label, 0, 2, "Time:", "Idő:" },
    { IDC_ITEM_TIME, ControlKind::Edit, 0, 3, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 12 },
    { S, ControlKind::Label, 1, 0, "Type:", "Típus:" },
    { IDC_ITEM_TYPE, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 3, fw::StyleReadOnly, 30 },
    { S, ControlKind::Label, 2, 0, "Title:", "Cím:" },
    { IDC_ITEM_TITLE, ControlKind::Edit, 2, 1, nullptr, nullptr, 1, 3, fw::StyleReadOnly, 40 },
    { S, ControlKind::Label, 3, 0, "Issuer:", "Kibocsátó:" },
    { IDC_ITEM_ISSUER, ControlKind::Edit, 3, 1, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 20 },
    { S, ControlKind::Label, 3, 2, "Security:", "Értékpapír:" },
    { IDC_ITEM_SECURITY, ControlKind::Edit, 3, 3, nullptr, nullptr, 1, 1, fw::StyleReadOnly, 20 },
    { IDC_ITEM_TEXT, ControlKind::Edit, 4, 0, nullptr, nullptr, 5, 4, fw::StyleMultiline | fw::StyleReadOnly, 60 },
    { fw::kIdOk, ControlKind::DefaultButton, 9, 3, "OK", "OK" },
};

constexpr ControlDef kReceivedNews[] = {
    { S, ControlKind::Label, 0, 0, "&Title:", "&Cím:" },
    { IDC_RECV_NEWS_TITLE, ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 2, fw::StyleReadOnly, 40 },
    { fw::kIdOk, ControlKind::DefaultButton, 1, 2, "OK", "OK" },
};

constexpr fw::DialogTemplate kTemplates[] = {
    { IDD_SEND_MESSAGE, "Send Message", "Üzenet küldése", kSendMessage },
    { IDD_RECEIVED_MESSAGE, "Received Message", "Érkezett üzenet", kReceivedMessage },
    { IDD_ALERT_LOG_MESSAGE, "Alert Log Message", "Riasztási napló üzenete", kAlertLogMessage },
    { IDD_NEWS, "News", "Hírek", kNews },
    { IDD_NEWS_ITEM, "News Item", "Hír", kNewsItem },
    { IDD_RECEIVED_NEWS, "Received News", "Érkezett hír", kReceivedNews },
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
    { IDS_NEWS_NO_ISSUERS, "Couldn't Load Issuers", "Nem sikerült betölteni a kibocsátókat" },
    { IDS_NEWS_NO_TYPES, "Cannot load newstypes", "Nem lehet betölteni a hírtípusokat" },
    { IDS_NEWS_NO_LANGUAGES, "Cannot load languages", "Nem lehet betölteni a nyelveket" },
    { IDS_NEWS_ISSUER_MANDATORY, "Issuer is mandatory", "A kibocsátó megadása kötelező" },
    { IDS_NEWS_TYPE_MANDATORY, "Type is mandatory", "A típus megadása kötelező" },
    { IDS_NEWS_LANGUAGE_MANDATORY, "Language is mandatory", "A nyelv megadása kötelező" },
    { IDS_NEWS_TITLE_MANDATORY, "Title is mandatory", "A cím megadása kötelező" },
    { IDS_NEWS_CANNOT_OPEN_FILE, "Cannot open file: ", "A fájl nem nyitható meg: " },
    { IDS_SHELL_FILE_NOT_FOUND, "The specified file was not found", "A megadott fájl nem található" },
    { IDS_SHELL_OUT_OF_RESOURCES, "The operating system is out of memory or resources.",
        "Az operációs rendszernek elfogyott a memóriája vagy az erőforrásai." },
    { IDS_SHELL_BAD_FORMAT, "The .EXE file is invalid (non Win32 .EXE or error in .EXE image).",
        "Az .EXE fájl érvénytelen (nem Win32 .EXE, vagy hibás az .EXE kép)." },
    { IDS_SHELL_ACCESS_DENIED, "The operating system denied access to the specified file.",
        "Az operációs rendszer megtagadta a hozzáférést a megadott fájlhoz." },
    { IDS_SHELL_NO_ASSOCIATION_INCOMPLETE, "The filename association is incomplete or invalid.",
        "A fájlnév-társítás hiányos vagy érvénytelen." },
    { IDS_SHELL_DDE_BUSY,
        "The DDE transaction could not be completed because other DDE transactions were being processed.",
        "A DDE-tranzakció nem fejeződhetett be, mert más DDE-tranzakciók voltak folyamatban." },
    { IDS_SHELL_DDE_FAILED, "The DDE transaction failed.", "A DDE-tranzakció sikertelen." },
    { IDS_SHELL_DDE_TIMEOUT, "The DDE transaction could not be completed because the request timed out.",
        "A DDE-tranzakció nem fejeződhetett be, mert a kérés ideje lejárt." },
    { IDS_SHELL_DLL_NOT_FOUND, "The specified dynamic-link library was not found.",
        "A megadott dinamikus csatolású könyvtár nem található." },
    { IDS_SHELL_NO_ASSOCIATION, "There is no application associated with the given filename extension.",
        "A megadott fájlkiterjesztéshez nincs társított alkalmazás." },
    { IDS_SHELL_OUT_OF_MEMORY, "There was not enough memory to complete the operation.",
        "Nem volt elég memória a művelet elvégzéséhez." },
    { IDS_SHELL_SHARING_VIOLATION, "A sharing violation occurred.", "Megosztási hiba történt." },
    { IDS_SHELL_UNKNOWN_ERROR, "Unknown error", "Ismeretlen hiba" },
    { IDS_SHELL_PATH_NOT_FOUND, "The specified path was not found.", "A megadott elérési út nem található." },
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
