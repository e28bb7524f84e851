// Templates and texts of the order entry form (English and Hungarian side by side).
#include "kv32/res/order_entry_ids.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;
constexpr std::uint32_t S = fw::kStaticId;
constexpr std::uint32_t kNum = fw::StyleRight;
constexpr std::uint32_t kDate = fw::StyleAllowBlank;
constexpr std::uint32_t kTime = fw::StyleTime | fw::StyleAllowBlank;

constexpr ControlDef kRegular[] = {
    { IDC_OE_BUY, ControlKind::RadioButton, 0, 0, "&Buy", "&Vétel", 1, 1, fw::StyleGroup },
    { IDC_OE_SELL, ControlKind::RadioButton, 0, 1, "&Sell", "&Eladás" },
    { IDC_OE_MARKET, ControlKind::RadioButton, 0, 2, "&Market", "&Piaci", 1, 1, fw::StyleGroup },
    { IDC_OE_LIMIT, ControlKind::RadioButton, 0, 3, "&Limit", "&Limit" },
    { S, ControlKind::Label, 1, 0, "B&oard:", "&Tábla:" },
    { IDC_OE_BOARD, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    { S, ControlKind::Label, 2, 0, "Se&curity:", "Érték&papír:" },
    { IDC_OE_SECURITY, ControlKind::ComboList, 2, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 20 },
    { S, ControlKind::Label, 3, 0, "&Trading Account:", "&Kereskedési számla:" },
    { IDC_OE_ACCOUNT, ControlKind::ComboList, 3, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 12 },
    { IDC_OE_PRICE_LABEL, ControlKind::Label, 4, 0, "&Price:", "Á&r:" },
    { IDC_OE_PRICE, ControlKind::Edit, 4, 1, nullptr, nullptr, 1, 1, kNum, 12, 14 },
    { IDC_OE_YIELD, ControlKind::CheckBox, 4, 2, "&Yield", "&Hozam" },
    { IDC_OE_COUNTER_LABEL, ControlKind::Label, 5, 0, "Yield:", "Hozam:" },
    { IDC_OE_COUNTER, ControlKind::Label, 5, 1, "", "", 1, 1, fw::StyleRight, 12 },
    { S, ControlKind::Label, 6, 0, "&Quantity:", "&Mennyiség:" },
    { IDC_OE_QUANTITY, ControlKind::Edit, 6, 1, nullptr, nullptr, 1, 1, kNum, 14, 16 },
    { S, ControlKind::Label, 6, 2, "&Hidden quantity:", "Re&jtett mennyiség:" },
    { IDC_OE_HIDDEN, ControlKind::Edit, 6, 3, nullptr, nullptr, 1, 1, kNum, 14, 16 },
    { S, ControlKind::Label, 7, 0, "Broker &Ref.:", "Brókeri &hiv.:" },
    { IDC_OE_REFERENCE, ControlKind::ComboEdit, 7, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30, 40 },
    { IDC_OE_SEND_POB, ControlKind::CheckBox, 8, 0, "Send To &POB:", "&Saját könyvbe:" },
    { IDC_OE_WAI, ControlKind::ComboEdit, 8, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30, 127 },
    { IDC_OE_SESSION, ControlKind::RadioButton, 9, 0, "Session Order", "Szakaszra szóló", 1, 1,
        fw::StyleGroup },
    { IDC_OE_DAY, ControlKind::RadioButton, 9, 1, "Day Order", "Napi megbízás" },
    { IDC_OE_GTC, ControlKind::RadioButton, 9, 2, "Good Till &Cancelled", "&Visszavonásig" },
    { IDC_OE_GTD, ControlKind::RadioButton, 9, 3, "Good Till Date", "Dátumig érvényes" },
    { IDC_OE_EXPIRY_DATE, ControlKind::DateTime, 10, 1, nullptr, nullptr, 1, 1, kDate },
    { IDC_OE_TIME_LABEL, ControlKind::Label, 10, 2, "Time:", "Idő:" },
    { IDC_OE_EXPIRY_TIME, ControlKind::DateTime, 10, 3, nullptr, nullptr, 1, 1, kTime },
    { IDC_OE_FILL_ANY, ControlKind::RadioButton, 11, 0, "Fill Any", "Bármilyen teljesítés", 1, 1,
        fw::StyleGroup },
    { IDC_OE_FILL_MIN, ControlKind::RadioButton, 11, 1, "Fill Minimum", "Minimális teljesítés" },
    { IDC_OE_ALL_OR_NONE, ControlKind::RadioButton, 11, 2, "All or None", "Mindent vagy semmit" },
    { IDC_OE_FILL_OR_KILL, ControlKind::RadioButton, 12, 0, "Fill or Kill", "Teljesíts vagy töröld" },
    { IDC_OE_FILL_AND_KILL, ControlKind::RadioButton, 12, 1, "Fill and Kill", "Teljesíts és töröld" },
    { IDC_OE_MIN_FILL_LABEL, ControlKind::Label, 13, 0, "Minimum Fill Quantity:", "Minimális teljesítés:" },
    { IDC_OE_MIN_FILL, ControlKind::Edit, 13, 1, nullptr, nullptr, 1, 1, kNum, 14, 16 },
    { IDC_OE_SETTLE, ControlKind::CheckBox, 14, 0, "Settle", "Elszámolás" },
    { IDC_OE_SETTLE_LABEL, ControlKind::Label, 14, 1, "Settle Date:", "Elszámolás napja:" },
    { IDC_OE_SETTLE_DATE, ControlKind::DateTime, 14, 2, nullptr, nullptr, 1, 1, kDate },
    { IDC_OE_STOP, ControlKind::CheckBox, 15, 0, "Stop", "Stop" },
    { IDC_OE_TRIGGER_LABEL, ControlKind::Label, 15, 1, "Trigger Price:", "Aktiválási ár:" },
    { IDC_OE_TRIGGER, ControlKind::Edit, 15, 2, nullptr, nullptr, 1, 1, kNum, 12, 14 },
    { IDC_OE_BUYIN, ControlKind::CheckBox, 16, 0, "Buyin O&rder", "Kényszer&vásárlás" },
    { IDC_OE_CONFIRM, ControlKind::CheckBox, 16, 1, "C&onfirm", "Meg&erősítés" },
    { fw::kIdOk, ControlKind::DefaultButton, 16, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 16, 3, "Cancel", "Mégse" },
    { IDC_OE_QUOTE_AREA, ControlKind::Custom, 17, 0, nullptr, nullptr, 1, 4 },
};

constexpr ControlDef kPrimary[] = {
    { S, ControlKind::Label, 0, 0, "B&oard:", "&Tábla:" },
    { IDC_OE_BOARD, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    { S, ControlKind::Label, 1, 0, "Se&curity:", "Érték&papír:" },
    { IDC_OE_SECURITY, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 20 },
    { S, ControlKind::Label, 2, 0, "&Trading Account:", "&Kereskedési számla:" },
    { IDC_OE_ACCOUNT, ControlKind::ComboList, 2, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 12 },
    { S, ControlKind::Label, 3, 0, "C&ustodian:", "&Letétkezelő:" },
    { IDC_OE_CUSTODIAN, ControlKind::ComboList, 3, 1, nullptr, nullptr, 1, 3, fw::StyleDisabled, 20 },
    { S, ControlKind::Label, 4, 0, "&Price:", "Á&r:" },
    { IDC_OE_PRICE, ControlKind::Edit, 4, 1, nullptr, nullptr, 1, 1, kNum, 14, 16 },
    { IDC_OE_MARKET, ControlKind::RadioButton, 4, 2, "&Market", "&Piaci", 1, 1, fw::StyleGroup },
    { IDC_OE_LIMIT, ControlKind::RadioButton, 4, 3, "&Limit", "&Limit" },
    { S, ControlKind::Label, 5, 0, "&Quantity:", "&Mennyiség:" },
    { IDC_OE_QUANTITY, ControlKind::Edit, 5, 1, nullptr, nullptr, 1, 1, kNum, 14, 16 },
    { S, ControlKind::Label, 5, 2, "&Hidden quantity:", "Re&jtett mennyiség:" },
    { IDC_OE_HIDDEN, ControlKind::Edit, 5, 3, nullptr, nullptr, 1, 1, kNum, 14, 16 },
    { S, ControlKind::Label, 6, 0, "Broker &Reference:", "Brókeri &hivatkozás:" },
    { IDC_OE_REFERENCE_PD, ControlKind::Edit, 6, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30, 40 },
    { IDC_OE_STOP, ControlKind::CheckBox, 7, 0, "S&top Order", "S&top megbízás" },
    { IDC_OE_PD_FILL_OR_KILL, ControlKind::CheckBox, 7, 1, "&Fill or Kill", "&Teljesíts vagy töröld", 1, 1,
        fw::StyleDisabled },
    { IDC_OE_PD_ALL_OR_NONE, ControlKind::CheckBox, 7, 2, "All or &None", "Mindent &vagy semmit", 1, 1,
        fw::StyleDisabled },
    { IDC_OE_PD_IMMEDIATE, ControlKind::CheckBox, 7, 3, "&Immediate or Cancel", "&Azonnal vagy törlés", 1, 1,
        fw::StyleDisabled },
    { IDC_OE_SESSION, ControlKind::RadioButton, 8, 0, "Session Order", "Szakaszra szóló", 1, 1,
        fw::StyleGroup },
    { IDC_OE_DAY, ControlKind::RadioButton, 8, 1, "Day Order", "Napi megbízás" },
    { IDC_OE_GTC, ControlKind::RadioButton, 8, 2, "Good Till &Cancelled", "&Visszavonásig" },
    { IDC_OE_GTD, ControlKind::RadioButton, 8, 3, "Good Till Date", "Dátumig érvényes" },
    { IDC_OE_EXPIRY_DATE_LABEL, ControlKind::Label, 9, 0, "Expiry &Date:", "&Lejárat:" },
    { IDC_OE_EXPIRY_DATE, ControlKind::DateTime, 9, 1, nullptr, nullptr, 1, 1, kDate },
    { IDC_OE_CONFIRM, ControlKind::CheckBox, 10, 1, "C&onfirm", "Meg&erősítés" },
    { fw::kIdOk, ControlKind::DefaultButton, 10, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 10, 3, "Cancel", "Mégse" },
    { IDC_OE_QUOTE_AREA, ControlKind::Custom, 11, 0, nullptr, nullptr, 1, 4 },
};

constexpr fw::DialogTemplate kTemplates[] = {
    { IDD_ORDER_ENTRY, "Order", "Megbízás", kRegular },
    { IDD_ORDER_ENTRY_PD, "Order - Primary Distribution", "Megbízás - Elsődleges forgalomba hozatal",
        kPrimary },
};

constexpr fw::StringEntry kStrings[] = {
    { IDS_OE_CAPTION, " %s Order - %s", " %s megbízás - %s" },
    { IDS_OE_CAPTION_PD, "Order - Primary Distribution - ", "Megbízás - Elsődleges forgalomba hozatal - " },
    { IDS_OE_REGULAR, "Regular", "Normál" },
    { IDS_OE_BUY, "Buy", "Vétel" },
    { IDS_OE_SELL, "Sell", "Eladás" },
    { IDS_OE_CONFIRM,
        "Do you really want to enter following %s order?\nSecurity:\t%s/%s\nPrice/Qty:\t%s/%s\nAccount:\t%s",
        "Valóban be kívánja adni a következő %s "
        "megbízást?\nÉrtékpapír:\t%s/%s\nÁr/Menny.:\t%s/%s\nSzámla:\t%s" },
    { IDS_OE_CLOSE, "Close", "Bezárás" },
    { IDS_OE_PRICE, "Price", "Ár" },
    { IDS_OE_YIELD, "Yield", "Hozam" },
    { IDS_OE_INVALID_VALUE, "Invalid value.", "Érvénytelen érték." },
    { IDS_OE_INVALID_SECURITY, "Invalid security.", "Érvénytelen értékpapír." },
    { IDS_OE_WAI_BLANK, "The work area identifier can not be blank.",
        "A munkaterület-azonosító nem lehet üres." },
    { IDS_OE_NO_QUANTITY, "Quantity not specified", "Nincs megadva mennyiség" },
};

const fw::ResourceSet kResources { "kv32-order-entry", {}, kTemplates };

} // namespace

std::span<const fw::DialogTemplate> Kv32OrderEntryTemplates()
{
    return kTemplates;
}

std::span<const fw::StringEntry> Kv32OrderEntryStrings()
{
    return kStrings;
}

void Kv32RegisterOrderEntry()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string Kv32OrderEntryString(std::uint32_t id)
{
    Kv32RegisterOrderEntry();
    return fw::loadString(id);
}
