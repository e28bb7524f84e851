// Templates and texts of the deal amendment and confirmation, the market
// maker form, the tick dialog, the permission dialog and the price control
// event viewer (English and Hungarian side by side).
#include "kv32/res/market_dialogs_ids.h"

#include "fw/core/codepage.h"
#include "fw/core/strings.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;
constexpr std::uint32_t S = fw::kStaticId;

constexpr ControlDef kDealAmend[] = {
    { IDC_NA_BUY, ControlKind::RadioButton, 0, 1, "&Buy", "&Vétel", 1, 1, fw::StyleGroup },
    { IDC_NA_SELL, ControlKind::RadioButton, 0, 2, "&Sell", "&Eladás" },
    { IDC_NA_CONFIRM, ControlKind::CheckBox, 0, 3, "C&onfirm", "&Megerősítés" },
    { S, ControlKind::Label, 1, 0, "Board:", "Tábla:" },
    { IDC_NA_BOARD, ControlKind::Label, 1, 1, "", "", 1, 3, fw::StyleNone, 30 },
    { S, ControlKind::Label, 2, 0, "Security:", "Értékpapír:" },
    { IDC_NA_SECURITY, ControlKind::Label, 2, 1, "", "", 1, 3, fw::StyleNone, 30 },
    { S, ControlKind::Label, 3, 0, "&Trading Account:", "Keres&kedési számla:" },
    { IDC_NA_ACCOUNT, ControlKind::ComboEdit, 3, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30, 12 },
    { S, ControlKind::Label, 4, 0, "Counterparty firm:", "Partnercég:" },
    { IDC_NA_COUNTER_FIRM, ControlKind::ComboList, 4, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    { S, ControlKind::Label, 5, 0, "&Counterparty:", "&Partner:" },
    { IDC_NA_COUNTERPARTY, ControlKind::ComboList, 5, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    { IDC_NA_PRICE_LABEL, ControlKind::Label, 6, 0, "&Price:", "Á&r:" },
    { IDC_NA_PRICE, ControlKind::Edit, 6, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 14 },
    { IDC_NA_YIELD, ControlKind::CheckBox, 6, 2, "&Yield", "&Hozam" },
    { S, ControlKind::Label, 7, 0, "&Quantity:", "Me&nnyiség:" },
    { IDC_NA_QUANTITY, ControlKind::Edit, 7, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 14 },
    { S, ControlKind::Label, 8, 0, "Broker &Reference:", "&Brókerhivatkozás:" },
    { IDC_NA_REFERENCE, ControlKind::Edit, 8, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30, 40 },
    { S, ControlKind::Label, 9, 0, "Co&nfirmation Period:", "Megerősítési &idő:" },
    { IDC_NA_CONFIRM_PERIOD, ControlKind::Edit, 9, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 6,
        4 },
    { S, ControlKind::Label, 9, 2, "minutes", "perc" },
    { S, ControlKind::Label, 10, 0, "Send Reminder After:", "Emlékeztető ennyi után:" },
    { IDC_NA_REMINDER, ControlKind::Edit, 10, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 6, 4 },
    { S, ControlKind::Label, 10, 2, "minutes", "perc" },
    { IDC_NA_SETTLE, ControlKind::CheckBox, 11, 0, "Settle Date", "Elszámolási nap" },
    { IDC_NA_SETTLE_DATE, ControlKind::DateTime, 11, 1, nullptr, nullptr, 1, 1, fw::StyleAllowBlank },
    { IDC_NA_DISSEMINATION_LABEL, ControlKind::Label, 12, 0, "&DisseminationTime:", "Közzététel &ideje:", 1, 1,
        fw::StyleHidden },
    { IDC_NA_DISSEMINATION, ControlKind::DateTime, 12, 1, nullptr, nullptr, 1, 1,
        fw::StyleTime | fw::StyleAllowBlank | fw::StyleHidden },
    { fw::kIdOk, ControlKind::DefaultButton, 13, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 13, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kDealConfirm[] = {
    { S, ControlKind::Label, 0, 0, "Board:", "Tábla:" },
    { IDC_NA_BOARD, ControlKind::Label, 0, 1, "", "", 1, 2, fw::StyleNone, 30 },
    { S, ControlKind::Label, 1, 0, "Security:", "Értékpapír:" },
    { IDC_NA_SECURITY, ControlKind::Label, 1, 1, "", "", 1, 2, fw::StyleNone, 30 },
    { S, ControlKind::Label, 2, 0, "&Trading Account:", "Keres&kedési számla:" },
    { IDC_NA_ACCOUNT, ControlKind::ComboEdit, 2, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 30, 12 },
    { S, ControlKind::Label, 3, 0, "Counterparty:", "Partner:" },
    { IDC_NA_COUNTERPARTY, ControlKind::Label, 3, 1, "", "", 1, 2, fw::StyleNone, 30 },
    { S, ControlKind::Label, 4, 0, "Price:", "Ár:" },
    { IDC_NA_PRICE, ControlKind::Label, 4, 1, "", "", 1, 1, fw::StyleRight, 14 },
    { S, ControlKind::Label, 5, 0, "Quantity:", "Mennyiség:" },
    { IDC_NA_QUANTITY, ControlKind::Label, 5, 1, "", "", 1, 1, fw::StyleRight, 14 },
    { S, ControlKind::Label, 6, 0, "Broker &Reference:", "&Brókerhivatkozás:" },
    { IDC_NA_REFERENCE, ControlKind::Edit, 6, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 30, 40 },
    { IDC_NA_CONFIRM, ControlKind::CheckBox, 7, 0, "C&onfirm", "&Megerősítés" },
    { fw::kIdOk, ControlKind::DefaultButton, 8, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 8, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kMarketMaker[] = {
    { S, ControlKind::Label, 0, 0, "&Board:", "&Tábla:" },
    { IDC_MM_BOARD, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 24 },
    { S, ControlKind::Label, 0, 3, "&Security:", "Érték&papír:" },
    { IDC_MM_SECURITY, ControlKind::ComboList, 0, 4, nullptr, nullptr, 1, 2, fw::StyleNone, 24 },
    { S, ControlKind::Label, 1, 1, "Buy", "Vétel" },
    { S, ControlKind::Label, 1, 4, "Sell", "Eladás" },
    { S, ControlKind::Label, 2, 0, "&Trading Account:", "Keres&kedési számla:" },
    { IDC_MM_BUY_ACCOUNT, ControlKind::ComboEdit, 2, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 16, 12 },
    { S, ControlKind::Label, 2, 3, "Tradin&g Account:", "Kereskedési s&zámla:" },
    { IDC_MM_SELL_ACCOUNT, ControlKind::ComboEdit, 2, 4, nullptr, nullptr, 1, 2, fw::StyleNone, 16, 12 },
    { IDC_MM_BUY_PRICE_LABEL, ControlKind::Label, 3, 0, "&Price:", "Á&r:" },
    { IDC_MM_BUY_PRICE, ControlKind::Edit, 3, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 14 },
    { IDC_MM_BUY_YIELD, ControlKind::CheckBox, 3, 2, "&Yield", "&Hozam" },
    { IDC_MM_SELL_PRICE_LABEL, ControlKind::Label, 3, 3, "Pric&e:", "Ár&folyam:" },
    { IDC_MM_SELL_PRICE, ControlKind::Edit, 3, 4, nullptr, nullptr, 1, 1, fw::StyleRight, 14 },
    { IDC_MM_SELL_YIELD, ControlKind::CheckBox, 3, 5, "Y&ield", "H&ozam" },
    { IDC_MM_BUY_CONVERTED_LABEL, ControlKind::Label, 4, 0, "Yield:", "Hozam:" },
    { IDC_MM_BUY_CONVERTED, ControlKind::Label, 4, 1, "", "", 1, 1, fw::StyleRight, 14 },
    { IDC_MM_SELL_CONVERTED_LABEL, ControlKind::Label, 4, 3, "Yield:", "Hozam:" },
    { IDC_MM_SELL_CONVERTED, ControlKind::Label, 4, 4, "", "", 1, 1, fw::StyleRight, 14 },
    { S, ControlKind::Label, 5, 0, "&Quantity", "&Mennyiség" },
    { IDC_MM_BUY_QUANTITY, ControlKind::Edit, 5, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 14 },
    { IDC_MM_BUY_LOT, ControlKind::Label, 5, 2, "X 1", "X 1" },
    { S, ControlKind::Label, 5, 3, "Q&uantity", "M&ennyiség" },
    { IDC_MM_SELL_QUANTITY, ControlKind::Edit, 5, 4, nullptr, nullptr, 1, 1, fw::StyleRight, 14 },
    { IDC_MM_SELL_LOT, ControlKind::Label, 5, 5, "X 1", "X 1" },
    { S, ControlKind::Label, 6, 0, "Top up:", "Feltöltés:" },
    { IDC_MM_BUY_TOPUP, ControlKind::Edit, 6, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 14 },
    { IDC_MM_BUY_USE_TOPUP, ControlKind::CheckBox, 6, 2, "Use Top up", "Feltöltéssel" },
    { S, ControlKind::Label, 6, 3, "Top up:", "Feltöltés:" },
    { IDC_MM_SELL_TOPUP, ControlKind::Edit, 6, 4, nullptr, nullptr, 1, 1, fw::StyleRight, 14 },
    { IDC_MM_SELL_USE_TOPUP, ControlKind::CheckBox, 6, 5, "Use Top up", "Feltöltéssel" },
    { S, ControlKind::Label, 7, 0, "B&roker Ref.:", "&Brókerhiv.:" },
    { IDC_MM_BUY_REFERENCE, ControlKind::Edit, 7, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 20, 40 },
    { S, ControlKind::Label, 7, 3, "Broker Re&f.:", "Brókerh&iv.:" },
    { IDC_MM_SELL_REFERENCE, ControlKind::Edit, 7, 4, nullptr, nullptr, 1, 2, fw::StyleNone, 20, 40 },
    { IDC_MM_SESSION, ControlKind::RadioButton, 8, 1, "Sessio&n Order", "&Szakaszra szóló", 1, 1, fw::StyleGroup },
    { IDC_MM_DAY, ControlKind::RadioButton, 8, 2, "D&ay Order", "&Napi megbízás" },
    { IDC_MM_CONFIRM, ControlKind::CheckBox, 8, 4, "C&onfirm", "Me&gerősítés" },
    { IDC_MM_QUOTE_AREA, ControlKind::Custom, 9, 0, nullptr, nullptr, 1, 6 },
    { IDC_MM_SEND_BUY, ControlKind::Button, 10, 1, "B&uy", "&Vétel" },
    { IDC_MM_SEND_SELL, ControlKind::Button, 10, 2, "Se&ll", "&Eladás" },
    { fw::kIdOk, ControlKind::DefaultButton, 10, 4, "Both", "Mindkettő" },
    { fw::kIdCancel, ControlKind::Button, 10, 5, "Cancel", "Mégse" },
};

constexpr ControlDef kTick[] = {
    { S, ControlKind::Label, 0, 0, "&Firm:", "&Cég:" },
    { IDC_TK_FIRM, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 24 },
    { IDC_TK_ALL_FIRMS, ControlKind::CheckBox, 0, 3, "All", "Mind" },
    { S, ControlKind::Label, 1, 0, "&User:", "&Felhasználó:" },
    { IDC_TK_USER, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 24 },
    { IDC_TK_ALL_USERS, ControlKind::CheckBox, 1, 3, "All", "Mind" },
    { S, ControlKind::Label, 2, 0, "&Board:", "&Tábla:" },
    { IDC_TK_BOARD, ControlKind::ComboList, 2, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 24 },
    { IDC_TK_ALL_BOARDS, ControlKind::CheckBox, 2, 3, "All", "Mind" },
    { S, ControlKind::Label, 3, 0, "&Security:", "Érték&papír:" },
    { IDC_TK_SECURITY, ControlKind::ComboList, 3, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 24 },
    { IDC_TK_ALL_SECURITIES, ControlKind::CheckBox, 3, 3, "All", "Mind" },
    { S, ControlKind::Label, 4, 0, "&Account:", "&Számla:" },
    { IDC_TK_ACCOUNT, ControlKind::ComboEdit, 4, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 24, 12 },
    { IDC_TK_ALL_ACCOUNTS, ControlKind::CheckBox, 4, 3, "All", "Mind" },
    { IDC_TK_BUY, ControlKind::CheckBox, 5, 1, "Bu&y", "&Vétel" },
    { IDC_TK_SELL, ControlKind::CheckBox, 5, 2, "S&ell", "&Eladás" },
    { S, ControlKind::Label, 6, 0, "&Ticks:", "&Lépésköz:" },
    { IDC_TK_TICKS, ControlKind::Edit, 6, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 6, 4 },
    { IDC_TK_UP, ControlKind::RadioButton, 6, 2, "&Up", "&Fel", 1, 1, fw::StyleGroup },
    { IDC_TK_DOWN, ControlKind::RadioButton, 6, 3, "&Down", "&Le" },
    { fw::kIdOk, ControlKind::DefaultButton, 7, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 7, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kPermission[] = {
    { S, ControlKind::Label, 0, 0, "&Firm:", "&Cég:" },
    { IDC_PM_FIRM, ControlKind::ComboEdit, 0, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 24, 12 },
    { S, ControlKind::Label, 1, 0, "&User:", "&Felhasználó:" },
    { IDC_PM_USER, ControlKind::ComboEdit, 1, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 24, 12 },
    { IDC_PM_BOARD, ControlKind::RadioButton, 2, 1, "&Board", "&Tábla", 1, 1, fw::StyleGroup },
    { IDC_PM_MARKET, ControlKind::RadioButton, 2, 2, "&Market", "&Piac" },
    { IDC_PM_INSTRUMENT, ControlKind::RadioButton, 2, 3, "&Instrument", "&Instrumentum" },
    { IDC_PM_INDUSTRY, ControlKind::RadioButton, 3, 1, "I&ndustry", "&Iparág" },
    { IDC_PM_SECTOR, ControlKind::RadioButton, 3, 2, "&Sector", "S&zektor" },
    { IDC_PM_SECURITY, ControlKind::RadioButton, 3, 3, "S&ecurity", "Érték&papír" },
    { IDC_PM_ITEMS, ControlKind::ComboList, 4, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    { IDC_PM_INDUSTRY_CODE, ControlKind::Edit, 5, 1, nullptr, nullptr, 1, 1, fw::StyleHidden, 6, 4 },
    { IDC_PM_NOT, ControlKind::CheckBox, 6, 1, "Not", "Nem" },
    { S, ControlKind::Label, 7, 0, "&Priority:", "Pr&ioritás:" },
    { IDC_PM_PRIORITY, ControlKind::Edit, 7, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 16, 12 },
    { S, ControlKind::Label, 8, 0, "&Role:", "&Szerep:" },
    { IDC_PM_ROLE, ControlKind::Edit, 8, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 4, 2 },
    { fw::kIdOk, ControlKind::DefaultButton, 9, 2, "Set", "Beállítás" },
    { fw::kIdCancel, ControlKind::Button, 9, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kPriceControlEvent[] = {
    { S, ControlKind::Label, 0, 0, "Board:", "Tábla:" },
    { IDC_PC_BOARD, ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 3, fw::StyleReadOnly, 30 },
    { S, ControlKind::Label, 1, 0, "Security:", "Értékpapír:" },
    { IDC_PC_SECURITY, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 3, fw::StyleReadOnly, 30 },
    { S, ControlKind::Label, 2, 0, "Reference Price:", "Referenciaár:" },
    { IDC_PC_REFERENCE, ControlKind::Edit, 2, 1, nullptr, nullptr, 1, 1, fw::StyleReadOnly | fw::StyleRight, 14 },
    { S, ControlKind::Label, 3, 0, "Price Limit:", "Árkorlát:" },
    { S, ControlKind::Label, 3, 1, "Lower", "Alsó" },
    { IDC_PC_LOWER, ControlKind::Edit, 3, 2, nullptr, nullptr, 1, 1, fw::StyleReadOnly | fw::StyleRight, 14 },
    { S, ControlKind::Label, 4, 1, "Upper", "Felső" },
    { IDC_PC_UPPER, ControlKind::Edit, 4, 2, nullptr, nullptr, 1, 1, fw::StyleReadOnly | fw::StyleRight, 14 },
    { S, ControlKind::Label, 4, 3, "%", "%" },
    { S, ControlKind::Label, 5, 0, "Message", "Üzenet" },
    { IDC_PC_MESSAGE, ControlKind::Edit, 5, 1, nullptr, nullptr, 3, 3, fw::StyleReadOnly | fw::StyleMultiline, 40 },
    { fw::kIdOk, ControlKind::DefaultButton, 8, 2, "&OK", "&OK" },
    { fw::kIdCancel, ControlKind::Button, 8, 3, "&Cancel", "&Mégse" },
};

constexpr fw::DialogTemplate kTemplates[] = {
    { IDD_ND_CONFIRM, "Confirm Negotiated Deal", "Tárgyalásos ügylet megerősítése", kDealConfirm },
    { IDD_ND_AMEND, "Amend Negotiated Deal", "Tárgyalásos ügylet módosítása", kDealAmend },
    { IDD_PRICE_CONTROL_EVENT, "Change Reference Price", "Referenciaár-változás", kPriceControlEvent },
    { IDD_MM_TICK, "Tick Up or Down", "Árlépés fel vagy le", kTick },
    { IDD_PERMISSION, "Permission", "Jogosultság", kPermission },
    { IDD_MM_ORDER, "MARKET MAKERS ORDER ENTRY FORM", "ÁRJEGYZŐI MEGBÍZÁS BEVITELE", kMarketMaker },
};

constexpr fw::StringEntry kStrings[] = {
    { IDS_PC_PRICE_LIMIT_TITLE, "Change Price Limit", "Árkorlát-változás" },
    { IDS_ND_AMEND_TITLE, "Amend Negotiated Deal %ld", "%ld. tárgyalásos ügylet módosítása" },
    { IDS_ND_CONFIRM_TITLE, "Confirm Negotiated Deal %ld", "%ld. tárgyalásos ügylet megerősítése" },
    { IDS_PM_DELETE, "Delete", "Törlés" },
    { IDS_ND_AMEND_QUESTION,
        "Do you really want to amend a %s deal as follows?\nSecurity:\t%s/%s\nPrice/Qty:\t%s/%s\nAccount:\t%s",
        "Valóban így akarja módosítani a(z) %s ügyletet?\nÉrtékpapír:\t%s/%s\nÁr/menny.:\t%s/%s\nSzámla:\t%s" },
    { IDS_ND_CONFIRM_QUESTION,
        "Do you really want to confirm a %s deal as follows?\nSecurity:\t%s/%s\nPrice/Qty:\t%s/%s\nAccount:\t%s",
        "Valóban meg akarja erősíteni a(z) %s ügyletet?\nÉrtékpapír:\t%s/%s\nÁr/menny.:\t%s/%s\nSzámla:\t%s" },
};

// The market maker form's tool tips, by control id.
struct Tip {
    std::uint32_t id;
    const char* en;
    const char* hu;
};
constexpr Tip kMarketMakerTips[] = {
    { IDC_MM_BOARD, "The board of the security", "Az értékpapír táblája" },
    { IDC_MM_SECURITY, "The security quoted", "A jegyzett értékpapír" },
    { IDC_MM_BUY_ACCOUNT, "Trading account of the buy order", "A vételi megbízás kereskedési számlája" },
    { IDC_MM_SELL_ACCOUNT, "Trading account of the sell order", "Az eladási megbízás kereskedési számlája" },
    { IDC_MM_BUY_PRICE, "Price or yield of the buy order", "A vételi megbízás ára vagy hozama" },
    { IDC_MM_SELL_PRICE, "Price or yield of the sell order", "Az eladási megbízás ára vagy hozama" },
    { IDC_MM_BUY_YIELD, "The buy price is a yield", "A vételi ár hozamként értendő" },
    { IDC_MM_SELL_YIELD, "The sell price is a yield", "Az eladási ár hozamként értendő" },
    { IDC_MM_BUY_QUANTITY, "Quantity of the buy order", "A vételi megbízás mennyisége" },
    { IDC_MM_SELL_QUANTITY, "Quantity of the sell order", "Az eladási megbízás mennyisége" },
    { IDC_MM_BUY_TOPUP, "Top-up quantity of the buy order", "A vételi megbízás feltöltési mennyisége" },
    { IDC_MM_SELL_TOPUP, "Top-up quantity of the sell order", "Az eladási megbízás feltöltési mennyisége" },
    { IDC_MM_BUY_USE_TOPUP, "The host tops the buy order up", "A vételi megbízást a rendszer tölti fel" },
    { IDC_MM_SELL_USE_TOPUP, "The host tops the sell order up", "Az eladási megbízást a rendszer tölti fel" },
    { IDC_MM_BUY_REFERENCE, "Broker reference of the buy order", "A vételi megbízás brókerhivatkozása" },
    { IDC_MM_SELL_REFERENCE, "Broker reference of the sell order", "Az eladási megbízás brókerhivatkozása" },
    { IDC_MM_SESSION, "Both orders are valid for the session", "Mindkét megbízás a szakaszra érvényes" },
    { IDC_MM_DAY, "Both orders are valid for the day", "Mindkét megbízás a napra érvényes" },
    { IDC_MM_CONFIRM, "Ask before sending", "Küldés előtt kérdez" },
    { IDC_MM_SEND_BUY, "Send the buy order only", "Csak a vételi megbízás elküldése" },
    { IDC_MM_SEND_SELL, "Send the sell order only", "Csak az eladási megbízás elküldése" },
    { fw::kIdOk, "Send both orders", "Mindkét megbízás elküldése" },
};

const fw::ResourceSet kResources { "kv32-market-dialogs", {}, kTemplates };

} // namespace

std::span<const fw::DialogTemplate> Kv32MarketDialogTemplates()
{
    return kTemplates;
}

std::span<const fw::StringEntry> Kv32MarketDialogStrings()
{
    return kStrings;
}

void Kv32RegisterMarketDialogs()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string Kv32MarketDialogString(std::uint32_t id)
{
    Kv32RegisterMarketDialogs();
    return fw::loadString(id);
}

std::string Kv32MarketMakerTip(std::uint32_t controlId)
{
    for (const Tip& t : kMarketMakerTips)
        if (t.id == controlId)
            return fw::utf8ToCp1250(fw::language() == fw::Language::Hungarian ? t.hu : t.en).text;
    return {};
}
