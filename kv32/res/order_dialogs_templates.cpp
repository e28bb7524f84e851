// Templates and texts of the order amend, order withdraw and order information
// dialogs (English and Hungarian side by side).
#include "kv32/res/order_dialogs_ids.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;
constexpr std::uint32_t S = fw::kStaticId;
constexpr std::uint32_t kNumber = fw::StyleNumber | fw::StyleRight;

constexpr ControlDef kAmend[] = {
    { S, ControlKind::Label, 0, 0, "&Board:", "&Tábla:" },
    { IDC_ORD_BOARD, ControlKind::Label, 0, 1, "", "", 1, 1, fw::StyleNone, 18 },
    { S, ControlKind::Label, 0, 2, "&Security:", "&Értékpapír:" },
    { IDC_AMD_SECURITY, ControlKind::Label, 0, 3, "", "", 1, 1, fw::StyleNone, 18 },
    { S, ControlKind::Label, 1, 0, "Trading &Account:", "&Ügyfélszámla:" },
    { IDC_ORD_ACCOUNT, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 14 },
    { IDC_AMD_PRICE_LABEL, ControlKind::Label, 2, 0, "&Price:", "Á&r:" },
    { IDC_AMD_PRICE, ControlKind::Edit, 2, 1, nullptr, nullptr, 1, 1, kNumber, 14 },
    { IDC_AMD_YIELD, ControlKind::CheckBox, 2, 2, "&Yield", "&Hozam" },
    { IDC_AMD_TRIGGER_LABEL, ControlKind::Label, 3, 0, "Stop &Price:", "Stop á&r:" },
    { IDC_AMD_TRIGGER, ControlKind::Edit, 3, 1, nullptr, nullptr, 1, 1, kNumber, 14 },
    { S, ControlKind::Label, 4, 0, "&Orig Qty:", "&Eredeti menny.:" },
    { IDC_AMD_QUANTITY, ControlKind::Edit, 4, 1, nullptr, nullptr, 1, 1, kNumber, 14 },
    { S, ControlKind::Label, 4, 2, "&Hidden Qty:", "&Rejtett menny.:" },
    { IDC_AMD_HIDDEN, ControlKind::Edit, 4, 3, nullptr, nullptr, 1, 1, kNumber, 14 },
    { IDC_AMD_MIN_FILL_LABEL, ControlKind::Label, 5, 0, "Min. Fill &Qty:", "Min. teljesítés &menny.:" },
    { IDC_AMD_MIN_FILL, ControlKind::Edit, 5, 1, nullptr, nullptr, 1, 1, kNumber, 14 },
    { IDC_AMD_SETTLE, ControlKind::CheckBox, 6, 0, "Settle Date", "Elszámolási nap" },
    { IDC_AMD_SETTLE_DATE, ControlKind::DateTime, 6, 1, nullptr, nullptr, 1, 1, fw::StyleAllowBlank },
    { S, ControlKind::Label, 7, 0, "Broker &Ref.:", "&Brókerhivatkozás:" },
    { IDC_AMD_REFERENCE, ControlKind::Edit, 7, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 40, 40 },
    { IDC_AMD_SESSION, ControlKind::RadioButton, 8, 0, "&Session Order", "&Szakaszra szóló", 1, 2, fw::StyleGroup },
    { IDC_AMD_DAY, ControlKind::RadioButton, 9, 0, "Da&y Order", "&Napi", 1, 2 },
    { IDC_AMD_GTC, ControlKind::RadioButton, 10, 0, "Good Till &Cancelled", "&Visszavonásig érvényes", 1, 2 },
    { IDC_AMD_UNTIL_DATE, ControlKind::RadioButton, 11, 0, "Good Till &Date", "&Dátumig érvényes", 1, 2 },
    { IDC_AMD_QUOTE_AREA, ControlKind::Custom, 8, 2, nullptr, nullptr, 3, 2 },
    { IDC_AMD_EXPIRY_DATE, ControlKind::DateTime, 11, 2, nullptr, nullptr, 1, 1, fw::StyleAllowBlank },
    { IDC_AMD_TIME_LABEL, ControlKind::Label, 12, 1, "&Time:", "&Idő:" },
    { IDC_AMD_EXPIRY_TIME, ControlKind::DateTime, 12, 2, nullptr, nullptr, 1, 1, fw::StyleTime | fw::StyleAllowBlank },
    { IDC_ORD_CONFIRM, ControlKind::CheckBox, 13, 0, "C&onfirm", "&Megerősítés" },
    { fw::kIdOk, ControlKind::DefaultButton, 13, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 13, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kWithdraw[] = {
    { IDC_WD_BOARD_LABEL, ControlKind::Label, 0, 0, "&Board:", "&Tábla:" },
    { IDC_ORD_BOARD, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 24 },
    { IDC_WD_ALL_BOARD, ControlKind::CheckBox, 0, 2, "All", "Mind" },
    { IDC_WD_SECURITY_LABEL, ControlKind::Label, 1, 0, "&Security:", "&Értékpapír:" },
    { IDC_WD_SECURITY, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 24, 20 },
    { IDC_WD_ALL_SECURITY, ControlKind::CheckBox, 1, 2, "All", "Mind" },
    { IDC_WD_ACCOUNT_LABEL, ControlKind::Label, 2, 0, "Trading &Account:", "&Ügyfélszámla:" },
    { IDC_ORD_ACCOUNT, ControlKind::ComboList, 2, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 24, 12 },
    { IDC_WD_ALL_ACCOUNT, ControlKind::CheckBox, 2, 2, "All", "Mind" },
    { IDC_WD_FIRM_LABEL, ControlKind::Label, 3, 0, "&Firm:", "&Cég:" },
    { IDC_ORD_FIRM, ControlKind::ComboList, 3, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 24 },
    { IDC_WD_ALL_FIRM, ControlKind::CheckBox, 3, 2, "All", "Mind" },
    { IDC_WD_USER_LABEL, ControlKind::Label, 4, 0, "&User:", "&Felhasználó:" },
    { IDC_ORD_USER, ControlKind::ComboList, 4, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 24 },
    { IDC_WD_ALL_USER, ControlKind::CheckBox, 4, 2, "All", "Mind" },
    { IDC_WD_NUMBER_LABEL, ControlKind::Label, 5, 0, "&Order Number:", "&Megbízásszám:" },
    { IDC_ORD_NUMBER, ControlKind::Edit, 5, 1, nullptr, nullptr, 1, 1, kNumber, 14 },
    { IDC_ORD_BUY, ControlKind::CheckBox, 6, 0, "&Buy", "&Vétel" },
    { IDC_ORD_SELL, ControlKind::CheckBox, 6, 1, "S&ell", "&Eladás" },
    { IDC_ORD_CONFIRM, ControlKind::CheckBox, 7, 0, "C&onfirm", "&Megerősítés" },
    { fw::kIdOk, ControlKind::DefaultButton, 7, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 7, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kOrderInfo[] = {
    { S, ControlKind::Label, 0, 0, "Order Number:", "Megbízásszám:" },
    { IDC_ORD_NUMBER, ControlKind::Label, 0, 1, "", "", 1, 1, fw::StyleNone, 16 },
    { S, ControlKind::Label, 0, 2, "Time:", "Idő:" },
    { IDC_INFO_TIME, ControlKind::Label, 0, 3, "", "", 1, 1, fw::StyleNone, 12 },
    { S, ControlKind::Label, 1, 0, "User:", "Felhasználó:" },
    { IDC_ORD_USER, ControlKind::Label, 1, 1, "", "" },
    { S, ControlKind::Label, 1, 2, "Firm:", "Cég:" },
    { IDC_ORD_FIRM, ControlKind::Label, 1, 3, "", "" },
    { S, ControlKind::Label, 2, 0, "Board:", "Tábla:" },
    { IDC_ORD_BOARD, ControlKind::Label, 2, 1, "", "" },
    { S, ControlKind::Label, 2, 2, "Security:", "Értékpapír:" },
    { IDC_INFO_SECURITY, ControlKind::Label, 2, 3, "", "" },
    { S, ControlKind::Label, 3, 0, "Trading Account:", "Ügyfélszámla:" },
    { IDC_ORD_ACCOUNT, ControlKind::Label, 3, 1, "", "" },
    { 143, ControlKind::Label, 4, 0, "Price:", "Ár:" },
    { IDC_INFO_PRICE, ControlKind::Label, 4, 1, "", "", 1, 1, fw::StyleRight },
    { S, ControlKind::Label, 5, 0, "Quantity:", "Mennyiség:" },
    { IDC_INFO_QUANTITY, ControlKind::Label, 5, 1, "", "", 1, 1, fw::StyleRight },
    { S, ControlKind::Label, 5, 2, "Balance:", "Fennmaradó:" },
    { IDC_INFO_BALANCE, ControlKind::Label, 5, 3, "", "", 1, 1, fw::StyleRight },
    { S, ControlKind::Label, 6, 0, "Broker Ref.:", "Brókerhivatkozás:" },
    { IDC_INFO_REFERENCE, ControlKind::Label, 6, 1, "", "", 1, 3, fw::StyleNone, 40 },
    { IDC_ORD_BUY, ControlKind::RadioButton, 7, 1, "Buy", "Vétel", 1, 1, fw::StyleGroup | fw::StyleDisabled },
    { IDC_ORD_SELL, ControlKind::RadioButton, 7, 2, "Sell", "Eladás", 1, 1, fw::StyleDisabled },
    { IDC_INFO_METHODS, ControlKind::Button, 8, 1, "&Order Methods", "&Megbízási módok" },
    { IDC_INFO_OTHER_SIDE, ControlKind::Button, 8, 2, "Other &Side", "&Másik oldal" },
    { fw::kIdOk, ControlKind::DefaultButton, 8, 3, "&Close", "&Bezárás" },
};

constexpr fw::DialogTemplate kTemplates[] = {
    { IDD_WITHDRAW, "Withdraw Order", "Megbízás visszavonása", kWithdraw },
    { IDD_AMEND, "Amend Order", "Megbízás módosítása", kAmend },
    { IDD_ORDER_INFO, "Order Information", "Megbízás adatai", kOrderInfo },
};

constexpr fw::StringEntry kStrings[] = {
    { IDS_ORD_WITHDRAW_QUESTION, "Do you really want to withdraw one or more orders?",
        "Valóban vissza kívánja vonni a megbízást vagy megbízásokat?" },
    { IDS_ORD_AMEND_QUESTION,
        "Do you really want to amend a %s order as follows?\nSecurity:\t%s/%s\nPrice/Qty:\t%s/%s\nAccount:\t%s",
        "Valóban így kívánja módosítani a(z) %s megbízást?\nÉrtékpapír:\t%s/%s\nÁr/menny.:\t%s/%s\nSzámla:\t%s" },
    { IDS_ORD_BUY, "Buy", "Vétel" },
    { IDS_ORD_SELL, "Sell", "Eladás" },
    { IDS_ORD_PRICE, "Price", "Ár" },
    { IDS_ORD_YIELD, "Yield", "Hozam" },
    { IDS_ORD_INVALID_VALUE, "Invalid value.", "Érvénytelen érték." },
    { IDS_ORD_INVALID_SECURITY, "Invalid security.", "Érvénytelen értékpapír." },
    { IDS_ORD_NOTHING_CHANGED, "Nothing has changed", "Semmi sem változott" },
    { IDS_ORD_UNKNOWN_FIRM, "Unknown firm: choose a firm from the list or check \"All\".",
        "Ismeretlen cég: válasszon a listából, vagy jelölje be a \"Mind\" mezőt." },
    { IDS_ORD_UNKNOWN_USER, "Unknown user: choose a user from the list or check \"All\".",
        "Ismeretlen felhasználó: válasszon a listából, vagy jelölje be a \"Mind\" mezőt." },
    { IDS_ORD_NO_SIDE, "Check \"Buy\", \"Sell\" or both.", "Jelölje be a \"Vétel\", az \"Eladás\" mezőt vagy mindkettőt." },
};

const fw::ResourceSet kResources { "kv32-order-dialogs", {}, kTemplates };

} // namespace

std::span<const fw::DialogTemplate> Kv32OrderDialogTemplates()
{
    return kTemplates;
}

std::span<const fw::StringEntry> Kv32OrderDialogStrings()
{
    return kStrings;
}

void Kv32RegisterOrderDialogs()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string Kv32OrderDialogString(std::uint32_t id)
{
    Kv32RegisterOrderDialogs();
    return fw::loadString(id);
}
