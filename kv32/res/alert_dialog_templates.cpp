// Templates and texts of the alert definition dialogs, the order counting
// limits dialog and the security selection dialog (English and Hungarian side
// by side).
#include "kv32/res/alert_dialog_ids.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;
constexpr std::uint32_t S = fw::kStaticId;

#define KV_ALERT_EDITING(row)                                                                                \
    { S, ControlKind::Label, row, 0, "Criterion:", "Feltétel:" },                                            \
        { IDC_ALERT_CRITERION, ControlKind::ComboList, row, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },  \
        { IDC_ALERT_OPERATOR_LABEL, ControlKind::Label, row + 1, 0, "Operator:", "Reláció:" },               \
        { IDC_ALERT_OPERATOR, ControlKind::ComboList, row + 1, 1, nullptr, nullptr, 1, 1, fw::StyleNone,     \
            6 },                                                                                             \
        { IDC_ALERT_VALUE_LABEL, ControlKind::Label, row + 1, 2, "Value:", "Érték:" },                       \
    {                                                                                                        \
        IDC_ALERT_VALUE, ControlKind::Edit, row + 1, 3, nullptr, nullptr, 1, 1, fw::StyleRight, 16, 16       \
    }

#define KV_ALERT_BUTTONS(row)                                                                                \
    { fw::kIdOk, ControlKind::DefaultButton, row, 0, "&Close", "&Bezárás" },                                 \
        { IDC_ALERT_CREATE, ControlKind::Button, row, 1, "C&reate", "&Létrehozás" },                         \
        { IDC_ALERT_CLEAR, ControlKind::Button, row, 2, "Clea&r", "&Törlés" },                               \
    {                                                                                                        \
        IDC_ALERT_CLEAR_ALL, ControlKind::Button, row, 3, "Clear &All", "Összes tö&rlése"                 \
    }

constexpr ControlDef kTraderAlert[] = {
    { S, ControlKind::Label, 0, 0, "User:", "Felhasználó:" },
    { IDC_ALERT_SUBJECT, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    KV_ALERT_EDITING(1),
    KV_ALERT_BUTTONS(3),
};

constexpr ControlDef kFirmAlert[] = {
    { S, ControlKind::Label, 0, 0, "Firm:", "Cég:" },
    { IDC_ALERT_SUBJECT, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    KV_ALERT_EDITING(1),
    KV_ALERT_BUTTONS(3),
};

constexpr ControlDef kSecAlert[] = {
    { S, ControlKind::Label, 0, 0, "&Board:", "&Tábla:" },
    { IDC_ALERT_BOARD, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    { S, ControlKind::Label, 1, 0, "Securit&y:", "Érték&papír:" },
    { IDC_ALERT_SUBJECT, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    KV_ALERT_EDITING(2),
    { IDC_ALERT_PERCENT, ControlKind::Edit, 4, 1, nullptr, nullptr, 1, 1, fw::StyleRight | fw::StyleHidden, 8,
        16 },
    { IDC_ALERT_EXPLANATION, ControlKind::Label, 4, 2, "", "", 1, 2, fw::StyleHidden, 62 },
    KV_ALERT_BUTTONS(5),
};

#undef KV_ALERT_EDITING
#undef KV_ALERT_BUTTONS

constexpr ControlDef kOrdCountAlert[] = {
    { S, ControlKind::Label, 0, 0, "Board:", "Tábla:" },
    { IDC_OCA_BOARD, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 16 },
    { S, ControlKind::Label, 1, 0, "Firm:", "Cég:" },
    { IDC_OCA_FIRM, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 16 },
    { IDC_OCA_ALL, ControlKind::CheckBox, 1, 2, "All", "Mind" },
    { S, ControlKind::Label, 2, 0, "Normal orders:", "Normál megbízások:" },
    { IDC_OCA_NORMAL, ControlKind::Edit, 2, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 12,
        9 },
    { S, ControlKind::Label, 3, 0, "MM orders:", "Árjegyzői megbízások:" },
    { IDC_OCA_MM, ControlKind::Edit, 3, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 12, 9 },
    { S, ControlKind::Label, 4, 0, "Periodic normal avg:", "Időszakos normál átlag:" },
    { IDC_OCA_NORMAL_AVG, ControlKind::Edit, 4, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight,
        12, 9 },
    { S, ControlKind::Label, 5, 0, "Periodic MM avg:", "Időszakos árjegyzői átlag:" },
    { IDC_OCA_MM_AVG, ControlKind::Edit, 5, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 12,
        9 },
    { S, ControlKind::Label, 6, 0, "Length of period:", "Időszak hossza:" },
    { IDC_OCA_PERIOD, ControlKind::Label, 6, 1, "", "", 1, 1, fw::StyleRight, 12 },
    { S, ControlKind::Label, 6, 2, "minute", "perc" },
    { fw::kIdOk, ControlKind::DefaultButton, 7, 0, "OK", "OK" },
    { IDC_OCA_DELETE, ControlKind::Button, 7, 1, "&Delete", "&Törlés" },
    { fw::kIdCancel, ControlKind::Button, 7, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kAlertSelect[] = {
    { IDC_SEL_BOARDS, ControlKind::RadioButton, 0, 0, "&Boards", "&Táblák", 1, 1, fw::StyleGroup },
    { IDC_SEL_SECURITIES, ControlKind::RadioButton, 0, 1, "&Securities", "Érték&papírok" },
    { S, ControlKind::Label, 0, 2, "Available Securities:", "Elérhető értékpapírok:" },
    { IDC_SEL_CHOOSER, ControlKind::ListBox, 1, 0, nullptr, nullptr, 6, 2, fw::StyleMultiSelect, 22 },
    { IDC_SEL_AVAILABLE, ControlKind::ListBox, 1, 2, nullptr, nullptr, 6, 1, fw::StyleMultiSelect, 30 },
    { IDC_SEL_ADD, ControlKind::Button, 1, 3, "&Add", "&Hozzáadás" },
    { IDC_SEL_ADD_ALL, ControlKind::Button, 2, 3, "Add A&ll", "Mind hozzá&adása" },
    { IDC_SEL_REMOVE, ControlKind::Button, 3, 3, "&Remove", "&Eltávolítás" },
    { IDC_SEL_REMOVE_ALL, ControlKind::Button, 4, 3, "Re&move All", "Mind el&távolítása" },
    { IDC_SEL_SELECTION, ControlKind::ListBox, 0, 4, nullptr, nullptr, 7, 1, fw::StyleMultiSelect, 30 },
    { IDC_SEL_UNSELECT_CHOOSER, ControlKind::Button, 7, 0, "Unselect All", "Kijelölés törlése", 1, 2 },
    { IDC_SEL_UNSELECT_AVAILABLE, ControlKind::Button, 7, 2, "Unselect All", "Kijelölés törlése" },
    { fw::kIdOk, ControlKind::DefaultButton, 8, 3, "&OK", "&OK" },
    { fw::kIdCancel, ControlKind::Button, 8, 4, "&Cancel", "&Mégse" },
};

constexpr fw::DialogTemplate kTemplates[] = {
    { IDD_TRADER_ALERT, "Alerts", "Riasztások", kTraderAlert },
    { IDD_FIRM_ALERT, "Alerts", "Riasztások", kFirmAlert },
    { IDD_SEC_ALERT, "Alerts", "Riasztások", kSecAlert },
    { IDD_ORDCOUNT_ALERT, "Settings of order counting limits", "Megbízásszámlálási limitek beállítása",
        kOrdCountAlert },
    { IDD_ALERT_SELECT, "Select Securities", "Értékpapírok kiválasztása", kAlertSelect },
};

constexpr const char* kPreviousPrice = "% (+ or -) more than last traded price before today.";
constexpr const char* kPreviousPriceHu = "% (+ vagy -) eltérés a mai nap előtti utolsó kötési ártól.";
constexpr const char* kPriceSteps = "times (+ or -) more than minimum price step.";
constexpr const char* kPriceStepsHu = "-szoros (+ vagy -) eltérés a legkisebb árlépéshez képest.";

constexpr fw::StringEntry kStrings[] = {
    { IDS_ALERT_EXPLANATION_FIRST + 2, kPreviousPrice, kPreviousPriceHu },
    { IDS_ALERT_EXPLANATION_FIRST + 5, kPreviousPrice, kPreviousPriceHu },
    { IDS_ALERT_EXPLANATION_FIRST + 8, "% (+ or -) more than listed quantity.",
        "% (+ vagy -) eltérés a bevezetett mennyiséghez képest." },
    { IDS_ALERT_EXPLANATION_FIRST + 9, "% (+ or -) more than last month average volume.",
        "% (+ vagy -) eltérés az előző havi átlagos mennyiséghez képest." },
    { IDS_ALERT_EXPLANATION_FIRST + 11, "% (+ or -) more than open price.",
        "% (+ vagy -) eltérés a nyitóártól." },
    { IDS_ALERT_EXPLANATION_FIRST + 12, kPriceSteps, kPriceStepsHu },
    { IDS_ALERT_EXPLANATION_FIRST + 13, kPriceSteps, kPriceStepsHu },
    { IDS_ALERT_EXPLANATION_FIRST + 14, "% (+ or -) more than total number of orders.",
        "% (+ vagy -) eltérés a megbízások teljes számához képest." },
    { IDS_SECURITY_FIRST, "A Security must be selected first", "Előbb ki kell választani egy értékpapírt" },
    { IDS_ORDCOUNT_NEED_LIMIT,
        "At least one limit value must be greater than 0.\n(0 means the limit is switched off)",
        "Legalább egy limitértéknek 0-nál nagyobbnak kell lennie.\n(A 0 kikapcsolja a limitet)" },
    { IDS_ORDCOUNT_NO_BOARD, "No selected Board.", "Nincs kiválasztott tábla." },
    { IDS_ORDCOUNT_NO_FIRM, "No selected Firm.", "Nincs kiválasztott cég." },
};

const fw::ResourceSet kResources { "kv32-alert-dialogs", {}, kTemplates };

} // namespace

std::span<const fw::DialogTemplate> Kv32AlertDialogTemplates()
{
    return kTemplates;
}

std::span<const fw::StringEntry> Kv32AlertDialogStrings()
{
    return kStrings;
}

void Kv32RegisterAlertDialogs()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string Kv32AlertDialogString(std::uint32_t id)
{
    Kv32RegisterAlertDialogs();
    return fw::loadString(id);
}
