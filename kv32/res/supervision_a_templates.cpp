// Templates and texts of the suspend, reference price, set limits and trading
// event dialogs (English and Hungarian side by side).
#include "kv32/res/supervision_a_ids.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;
constexpr std::uint32_t S = fw::kStaticId;

constexpr ControlDef kSuspend[] = {
    { IDC_SUSP_SUBJECT_LABEL, ControlKind::Label, 0, 0, "Subject Type:", "Tárgy típusa:", 1, 1, fw::StyleNone, 14 },
    { IDC_SUSP_SUBJECT, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 40 },
    { IDC_SUSP_AT_TIME, ControlKind::CheckBox, 1, 0, "At Time:", "Időpontban:" },
    { IDC_SUSP_TIME, ControlKind::DateTime, 1, 1, nullptr, nullptr, 1, 1, fw::StyleTime },
    { IDC_SUSP_EVENT_TIME, ControlKind::Edit, 1, 2, nullptr, nullptr, 1, 1, fw::StyleReadOnly | fw::StyleHidden, 10 },
    { IDC_SUSP_NEW_STATE_LABEL, ControlKind::Label, 2, 0, "New State:", "Új állapot:" },
    { IDC_SUSP_NEW_STATE, ControlKind::ComboList, 2, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 40 },
    { S, ControlKind::Label, 3, 0, "Reason:", "Ok:" },
    { IDC_SUSP_REASON, ControlKind::ComboEdit, 3, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 60, 640 },
    { S, ControlKind::Label, 4, 0, "Message:", "Üzenet:" },
    { IDC_SUSP_MESSAGE, ControlKind::Edit, 4, 1, nullptr, nullptr, 3, 3, fw::StyleMultiline, 60 },
    { S, ControlKind::Label, 7, 0, "Display Type", "Megjelenítés" },
    { IDC_SUSP_DEFAULT, ControlKind::RadioButton, 7, 1, "TE Default", "Alapértelmezett", 1, 1, fw::StyleGroup },
    { IDC_SUSP_URGENT, ControlKind::RadioButton, 7, 2, "Urgent", "Sürgős" },
    { IDC_SUSP_REGULAR, ControlKind::RadioButton, 8, 1, "Regular", "Normál" },
    { IDC_SUSP_NON_DISPLAY, ControlKind::RadioButton, 8, 2, "Non-Display", "Nem megjelenő" },
    { fw::kIdOk, ControlKind::DefaultButton, 9, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 9, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kRefPrice[] = {
    { S, ControlKind::Label, 0, 0, "&Board:", "&Tábla:" },
    { IDC_SUP_BOARD, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 30 },
    { S, ControlKind::Label, 1, 0, "&Security:", "Érték&papír:" },
    { IDC_SUP_SECURITY, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 30 },
    { S, ControlKind::Label, 2, 0, "&Reference Price:", "&Referenciaár:" },
    { IDC_RP_PRICE, ControlKind::Edit, 2, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 14 },
    { fw::kIdOk, ControlKind::DefaultButton, 3, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 3, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kSetLimits[] = {
    { S, ControlKind::Label, 0, 0, "Cash Pool ID:", "Pénzkeret azonosító:" },
    { IDC_SL_CASH_POOL, ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 10, 6 },
    { S, ControlKind::Label, 1, 0, "Warn Limit:", "Figyelmeztetési limit:" },
    { IDC_SL_WARN, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 20, 17 },
    { IDC_SL_LOG_WARN, ControlKind::CheckBox, 1, 2, "Log Warn ", "Figyelmeztetés naplózása" },
    { S, ControlKind::Label, 2, 0, "Hard Limit:", "Kemény limit:" },
    { IDC_SL_HARD, ControlKind::Edit, 2, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 20, 17 },
    { IDC_SL_ALLOW_BREACH, ControlKind::CheckBox, 2, 2, "Allow Breach", "Túllépés engedélyezése" },
    { S, ControlKind::Label, 3, 0, "Order Limit:", "Megbízási limit:" },
    { IDC_SL_ORDER, ControlKind::Edit, 3, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 20, 17 },
    { fw::kIdOk, ControlKind::DefaultButton, 4, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 4, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kScheduleEntry[] = {
    { S, ControlKind::Label, 0, 0, "&Time:", "&Idő:" },
    { IDC_SE_TIME, ControlKind::DateTime, 0, 1, nullptr, nullptr, 1, 1, fw::StyleTime },
    { S, ControlKind::Label, 1, 0, "&Priority:", "&Prioritás:" },
    { IDC_SE_PRIORITY, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 6, 2 },
    { S, ControlKind::Label, 2, 0, "Tra&nsition:", "Átm&enet:" },
    { IDC_SE_TRANSITION, ControlKind::ComboList, 2, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 24 },
    { S, ControlKind::Label, 3, 0, "&Board:", "&Tábla:" },
    { IDC_SUP_BOARD, ControlKind::ComboList, 3, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 30 },
    { S, ControlKind::Label, 4, 0, "&Instrument:", "I&nstrumentum:" },
    { IDC_SE_INSTRUMENT, ControlKind::ComboList, 4, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 30 },
    { S, ControlKind::Label, 5, 0, "&Security:", "Érték&papír:" },
    { IDC_SUP_SECURITY, ControlKind::ComboList, 5, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 30 },
    { fw::kIdOk, ControlKind::DefaultButton, 6, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 6, 2, "&Close", "&Bezárás" },
};

constexpr fw::DialogTemplate kTemplates[] = {
    { IDD_SUSPEND, "Suspend/Unsuspend", "Felfüggesztés/feloldás", kSuspend },
    { IDD_REF_PRICE, "Amend Reference Price and Price Limit", "Referenciaár és árkorlát módosítása", kRefPrice },
    { IDD_SET_LIMITS, "Set Limits", "Limitek beállítása", kSetLimits },
    { IDD_SCHEDULE_ENTRY, "Add Trading Time", "Kereskedési időpont felvétele", kScheduleEntry },
};

constexpr fw::StringEntry kStrings[] = {
    { IDS_SUSP_CAPTION_ALL, "Suspend all trading", "A teljes kereskedés felfüggesztése" },
    { IDS_UNSUSP_CAPTION_ALL, "Unsuspend all trading", "A teljes kereskedés felfüggesztésének feloldása" },
    { IDS_SUSP_CAPTION_SECURITY, "Suspend trading for the security", "Az értékpapír kereskedésének felfüggesztése" },
    { IDS_UNSUSP_CAPTION_SECURITY, "Unsuspend trading for the security",
        "Az értékpapír kereskedése felfüggesztésének feloldása" },
    { IDS_SUSP_CAPTION_ISSUER, "Suspend trading for the issuer", "A kibocsátó kereskedésének felfüggesztése" },
    { IDS_UNSUSP_CAPTION_ISSUER, "Unsuspend trading for the issuer",
        "A kibocsátó kereskedése felfüggesztésének feloldása" },
    { IDS_SUSP_ISSUER, "Issuer", "Kibocsátó" },
    { IDS_SUSP_SECURITY, "Security", "Értékpapír" },
    { IDS_SUSP_TECHNICAL, "Trading suspended for technical reasons", "A kereskedés technikai okokból felfüggesztve" },
    { IDS_SUSP_REF_PRICE_HALT, "has been halted owing to reference price adjustment.",
        "kereskedése a referenciaár kiigazítása miatt leállítva." },
    { IDS_SUSP_COMPANY_REQUEST, "Trading suspended on company's request",
        "A kereskedés a társaság kérésére felfüggesztve" },
    { IDS_SUSP_EXCHANGE_DECISION, "Trading suspended on Exchange decision.",
        "A kereskedés a Tőzsde döntése alapján felfüggesztve." },
    { IDS_SUSP_OK_SUSPEND, "Suspend", "Felfüggesztés" },
    { IDS_SUSP_OK_UNSUSPEND, "Unsuspend", "Feloldás" },
    { IDS_SUSP_OK_DELETE, "Delete", "Törlés" },
    { IDS_SUSP_HALT_ANNOUNCEMENT, "Trading Halt (Company Announcement)",
        "Kereskedés leállítva (társasági bejelentés)" },
    { IDS_SUSP_HALT_STATEMENT, "Trading Halt (Financial Statement)", "Kereskedés leállítva (pénzügyi beszámoló)" },
    { IDS_SUSP_HALT_INTERIM, "Trading Halt (Interim Report)", "Kereskedés leállítva (időközi jelentés)" },
    { IDS_SUSP_UNSUSPENDED, "has been unsuspended", "felfüggesztése feloldva" },
    { IDS_SUSP_TRADING, "Trading", "kereskedés" },
    { IDS_SE_CAPTION_ADD, "Add Trading Time", "Kereskedési időpont felvétele" },
    { IDS_SE_CAPTION_MODIFY, "Modify Trading Time", "Kereskedési időpont módosítása" },
    { IDS_SUSP_CERTI_KO, "CERTI-KO suspended on issuer's request.",
        "A CERTI-KO a kibocsátó kérésére felfüggesztve." },
    { IDS_RP_REMARKABLE,
        "The new value is remarkably different (%s %%) from the previous stored value. Are you sure you want to "
        "continue ?\nOld value: %s\nNew value: %s",
        "Az új érték jelentősen eltér (%s %%) az előzőleg tárolt értéktől. Biztosan folytatja?\nRégi érték: %s\n"
        "Új érték: %s" },
    { IDS_RP_SAVE_CHANGES, "Do you wish to save changes ?", "Menti a változásokat?" },
    { IDS_SE_EARLIER_TIME, "The given Trade Event time is earlier than the System time! Do you want to continue?",
        "A megadott kereskedési esemény időpontja korábbi a rendszeridőnél! Folytatja?" },
};

const fw::ResourceSet kResources { "kv32-supervision-a", {}, kTemplates };

} // namespace

std::span<const fw::DialogTemplate> Kv32SupervisionADialogTemplates()
{
    return kTemplates;
}

std::span<const fw::StringEntry> Kv32SupervisionAStrings()
{
    return kStrings;
}

void Kv32RegisterSupervisionADialogs()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string Kv32SupervisionAString(std::uint32_t id)
{
    Kv32RegisterSupervisionADialogs();
    return fw::loadString(id);
}
