// Templates and texts of the order-method viewers, the negotiated deal input
// and the work area identifier dialog (English and Hungarian side by side).
#include "kv32/res/deal_dialogs_ids.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;
constexpr std::uint32_t S = fw::kStaticId;

constexpr ControlDef kOrderMethod[] = {
    { 126, ControlKind::CheckBox, 0, 0, "Market", "Piaci" },
    { 1002, ControlKind::CheckBox, 1, 0, "Limit", "Limitáras" },
    { 212, ControlKind::CheckBox, 2, 0, "Session", "Szakaszra szóló" },
    { 213, ControlKind::CheckBox, 3, 0, "Day", "Napi" },
    { 214, ControlKind::CheckBox, 4, 0, "Good Till Cancelled", "Visszavonásig érvényes" },
    { 230, ControlKind::CheckBox, 5, 0, "Good Till Date", "Dátumig érvényes" },
    { IDC_OM_EXPIRY_DATE, ControlKind::Label, 5, 1, "", "", 1, 1, fw::StyleNone, 12 },
    { IDC_OM_EXPIRY_TIME, ControlKind::Label, 5, 2, "Time", "Idő", 1, 1, fw::StyleNone, 10 },
    { 187, ControlKind::CheckBox, 6, 0, "Settle Date", "Elszámolási nap" },
    { IDC_OM_SETTLE_DATE, ControlKind::Label, 6, 1, "", "", 1, 1, fw::StyleNone, 12 },
    { 208, ControlKind::CheckBox, 7, 0, "Stop Price", "Stop ár" },
    { IDC_OM_TRIGGER, ControlKind::Label, 7, 1, "", "", 1, 1, fw::StyleRight, 12 },
    { 401, ControlKind::CheckBox, 8, 0, "Buyin", "Kényszervétel" },
    { 116, ControlKind::CheckBox, 0, 3, "Fill Any", "Bármilyen teljesítés" },
    { 117, ControlKind::CheckBox, 1, 3, "Fill Minimum Quantity", "Minimális mennyiség teljesítése" },
    { 118, ControlKind::CheckBox, 2, 3, "All or None", "Mindent vagy semmit" },
    { 119, ControlKind::CheckBox, 3, 3, "Fill or Kill", "Teljesíts vagy töröld" },
    { 120, ControlKind::CheckBox, 4, 3, "Fill and Kill", "Teljesíts és töröld" },
    { fw::kIdCancel, ControlKind::DefaultButton, 9, 3, "&Close", "&Bezárás" },
};

constexpr ControlDef kSecOrderMethods[] = {
    { S, ControlKind::Label, 0, 0, "&Board:", "&Tábla:" },
    { IDC_OM_BOARD, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 24 },
    { S, ControlKind::Label, 1, 0, "Securit&y:", "Érték&papír:" },
    { IDC_OM_SECURITY, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 24 },
    { 126, ControlKind::CheckBox, 2, 0, "Market Order", "Piaci megbízás" },
    { 1002, ControlKind::CheckBox, 3, 0, "Limit Order", "Limitáras megbízás" },
    { 400, ControlKind::CheckBox, 4, 0, "Scaled Order", "Lépcsőzetes megbízás" },
    { 137, ControlKind::CheckBox, 5, 0, "Negotiated Deal", "Tárgyalásos ügylet" },
    { 132, ControlKind::CheckBox, 6, 0, "Cross Order", "Keresztmegbízás" },
    { 215, ControlKind::CheckBox, 7, 0, "Market Maker Order", "Árjegyzői megbízás" },
    { 401, ControlKind::CheckBox, 8, 0, "Buyin Order", "Kényszervételi megbízás" },
    { 402, ControlKind::CheckBox, 9, 0, "Yield Price Field", "Hozammező" },
    { 125, ControlKind::CheckBox, 10, 0, "Hidden Quantity", "Rejtett mennyiség" },
    { 208, ControlKind::CheckBox, 11, 0, "Stop Order", "Stop megbízás" },
    { 187, ControlKind::CheckBox, 12, 0, "Settle Date", "Elszámolási nap" },
    { 118, ControlKind::CheckBox, 2, 1, "All or None Order", "Mindent vagy semmit megbízás" },
    { 117, ControlKind::CheckBox, 3, 1, "Fill Minimum Order", "Minimum-teljesítésű megbízás" },
    { 116, ControlKind::CheckBox, 4, 1, "Fill Any Order", "Bármilyen teljesítésű megbízás" },
    { 119, ControlKind::CheckBox, 5, 1, "Fill or Kill Order", "Teljesíts vagy töröld megbízás" },
    { 120, ControlKind::CheckBox, 6, 1, "Fill and Kill Order", "Teljesíts és töröld megbízás" },
    { 231, ControlKind::CheckBox, 7, 1, "Good Till Time Order", "Időpontig érvényes megbízás" },
    { 212, ControlKind::CheckBox, 8, 1, "Session Order", "Szakaszra szóló megbízás" },
    { 213, ControlKind::CheckBox, 9, 1, "Day Order", "Napi megbízás" },
    { 230, ControlKind::CheckBox, 10, 1, "Good Till Date Order", "Dátumig érvényes megbízás" },
    { 214, ControlKind::CheckBox, 11, 1, "Good Till Cancel Order", "Visszavonásig érvényes megbízás" },
    { fw::kIdCancel, ControlKind::DefaultButton, 13, 1, "&Close", "&Bezárás" },
};

constexpr ControlDef kNegDeal[] = {
    { IDC_ND_BUY, ControlKind::RadioButton, 0, 1, "B&uy", "&Vétel", 1, 1, fw::StyleGroup },
    { IDC_ND_SELL, ControlKind::RadioButton, 0, 2, "S&ell", "&Eladás" },
    { IDC_ND_CONFIRM, ControlKind::CheckBox, 0, 3, "C&onfirm", "&Megerősítés" },
    { S, ControlKind::Label, 1, 0, "Tr&ade Source:", "&Kötésforrás:" },
    { IDC_ND_TRADE_SOURCE, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    { S, ControlKind::Label, 2, 0, "&Board:", "&Tábla:" },
    { IDC_ND_BOARD, ControlKind::ComboList, 2, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    { S, ControlKind::Label, 3, 0, "&Security:", "Érték&papír:" },
    { IDC_ND_SECURITY, ControlKind::ComboEdit, 3, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30, 20 },
    { S, ControlKind::Label, 4, 0, "&Trading Account:", "Keres&kedési számla:" },
    { IDC_ND_ACCOUNT, ControlKind::ComboEdit, 4, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30, 12 },
    { S, ControlKind::Label, 5, 0, "Counterparty firm:", "Partnercég:" },
    { IDC_ND_COUNTER_FIRM, ControlKind::ComboList, 5, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    { S, ControlKind::Label, 6, 0, "&Counterparty:", "&Partner:" },
    { IDC_ND_COUNTERPARTY, ControlKind::ComboList, 6, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    { IDC_ND_PRICE_LABEL, ControlKind::Label, 7, 0, "&Price:", "Á&r:" },
    { IDC_ND_PRICE, ControlKind::Edit, 7, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 14 },
    { IDC_ND_YIELD, ControlKind::CheckBox, 7, 2, "Y&ield", "&Hozam" },
    { IDC_ND_CONVERTED_LABEL, ControlKind::Label, 8, 0, "Yield:", "Hozam:" },
    { IDC_ND_CONVERTED, ControlKind::Label, 8, 1, "", "", 1, 1, fw::StyleRight, 14 },
    { S, ControlKind::Label, 9, 0, "&Quantity:", "&Mennyiség:" },
    { IDC_ND_QUANTITY, ControlKind::Edit, 9, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 14 },
    { S, ControlKind::Label, 10, 0, "Broker &Reference:", "&Brókerhivatkozás:" },
    { IDC_ND_REFERENCE, ControlKind::Edit, 10, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30, 40 },
    { S, ControlKind::Label, 11, 0, "Co&nfirmation Period:", "Meg&erősítési idő:" },
    { IDC_ND_CONFIRM_PERIOD, ControlKind::Edit, 11, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 6,
        4 },
    { S, ControlKind::Label, 11, 2, "minutes", "perc" },
    { S, ControlKind::Label, 12, 0, "Send Reminder After:", "Emlékeztető ennyi után:" },
    { IDC_ND_REMINDER, ControlKind::Edit, 12, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 6, 4 },
    { S, ControlKind::Label, 12, 2, "minutes", "perc" },
    { S, ControlKind::Label, 13, 0, "Sett&le Date:", "Elszámolási &nap:" },
    { IDC_ND_SETTLE_DATE, ControlKind::DateTime, 13, 1, nullptr, nullptr, 1, 1, fw::StyleAllowBlank },
    { IDC_ND_DISSEMINATION_LABEL, ControlKind::Label, 14, 0, "&DisseminationTime:", "&Közzététel ideje:", 1, 1,
        fw::StyleHidden },
    { IDC_ND_DISSEMINATION, ControlKind::DateTime, 14, 1, nullptr, nullptr, 1, 1,
        fw::StyleTime | fw::StyleAllowBlank | fw::StyleHidden },
    { fw::kIdOk, ControlKind::DefaultButton, 15, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 15, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kWai[] = {
    { S, ControlKind::Label, 0, 0, "&WAI:", "&Munkaterület:" },
    { IDC_WAI_NAME, ControlKind::ComboEdit, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 30, 127 },
    { fw::kIdOk, ControlKind::DefaultButton, 1, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 1, 2, "Cancel", "Mégse" },
};

constexpr fw::DialogTemplate kTemplates[] = {
    { IDD_ORDER_METHOD, "Order Methods", "Megbízási módok", kOrderMethod },
    { IDD_SEC_ORDER_METHODS, "Order Methods", "Megbízási módok", kSecOrderMethods },
    { IDD_NEG_DEAL, "Negotiated Deal Input", "Tárgyalásos ügylet bevitele", kNegDeal },
    { IDD_WAI, "Work Area Identifier", "Munkaterület azonosítója", kWai },
};

constexpr fw::StringEntry kStrings[] = {
    { IDS_DEAL_BUY, "Buy", "Vétel" },
    { IDS_DEAL_SELL, "Sell", "Eladás" },
    { IDS_DEAL_CONFIRM,
        "Do you really want to enter following %s negotiated deal?\nSecurity:\t%s/%s\nPrice/Qty:\t%s/%s\nAccount:\t%s",
        "Valóban be akarja vinni a következő %s tárgyalásos ügyletet?\nÉrtékpapír:\t%s/%s\nÁr/menny.:\t%s/%s\n"
        "Számla:\t%s" },
    { IDS_HINT_BID, "Price taken from the best bid", "Az ár a legjobb vételi ajánlatból" },
    { IDS_HINT_OFFER, "Price taken from the best offer", "Az ár a legjobb eladási ajánlatból" },
    { IDS_HINT_LAST_TODAY, "Price taken from today's last trade", "Az ár a mai utolsó kötésből" },
    { IDS_HINT_LAST_EARLIER, "Price taken from the last trade before today", "Az ár a korábbi napok utolsó kötéséből" },
    { IDS_DEAL_PRICE, "Price", "Ár" },
    { IDS_DEAL_YIELD, "Yield", "Hozam" },
    { IDS_INVALID_VALUE, "Invalid value.", "Érvénytelen érték." },
    { IDS_INVALID_SECURITY, "Invalid security.", "Érvénytelen értékpapír." },
    { IDS_INVALID_FIRM, "Choose a firm or tick All.", "Válasszon céget, vagy jelölje be a Mind négyzetet." },
    { IDS_INVALID_USER, "Choose a user or tick All.", "Válasszon felhasználót, vagy jelölje be a Mind négyzetet." },
};

const fw::ResourceSet kResources { "kv32-deal-dialogs", {}, kTemplates };

} // namespace

std::span<const fw::DialogTemplate> Kv32DealDialogTemplates()
{
    return kTemplates;
}

std::span<const fw::StringEntry> Kv32DealDialogStrings()
{
    return kStrings;
}

void Kv32RegisterDealDialogs()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string Kv32DealDialogString(std::uint32_t id)
{
    Kv32RegisterDealDialogs();
    return fw::loadString(id);
}
