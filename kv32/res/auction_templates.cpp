// Templates and texts of the auction calculation dialogs and of the summary
// by board dialog (English and Hungarian side by side).
#include "kv32/res/auction_ids.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;
constexpr std::uint32_t S = fw::kStaticId;

constexpr ControlDef kAuction[] = {
    { S, ControlKind::Label, 0, 0, "Board:", "Tábla:" },
    { IDC_AU_BOARD, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 24 },
    { S, ControlKind::Label, 1, 0, "Security:", "Értékpapír:" },
    { IDC_AU_SECURITY, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 24 },
    { S, ControlKind::Label, 2, 0, "Number of Orders:", "Megbízások száma:" },
    { IDC_AU_ORDERS, ControlKind::Label, 2, 1, "", "", 1, 2, fw::StyleRight, 18 },
    { S, ControlKind::Label, 3, 0, "Total Bid Qty:", "Összes vételi menny.:" },
    { IDC_AU_BID_QTY, ControlKind::Label, 3, 1, "", "", 1, 2, fw::StyleRight, 18 },
    { S, ControlKind::Label, 4, 0, "Total Mkt Qty:", "Összes piaci menny.:" },
    { IDC_AU_MKT_QTY, ControlKind::Label, 4, 1, "", "", 1, 2, fw::StyleRight, 18 },
    { S, ControlKind::Label, 0, 3, "Min Size:", "Min. méret:" },
    { IDC_AU_MIN, ControlKind::Edit, 0, 4, nullptr, nullptr, 1, 2,
        fw::StyleNumber | fw::StyleRight | fw::StyleDisabled, 18, 16 },
    { S, ControlKind::Label, 1, 3, "Max Size:", "Max. méret:" },
    { IDC_AU_MAX, ControlKind::Edit, 1, 4, nullptr, nullptr, 1, 2,
        fw::StyleNumber | fw::StyleRight | fw::StyleDisabled, 18, 16 },
    { S, ControlKind::Label, 2, 3, "Increment:", "Lépésköz:" },
    { IDC_AU_INCREMENT, ControlKind::Edit, 2, 4, nullptr, nullptr, 1, 2,
        fw::StyleNumber | fw::StyleRight | fw::StyleDisabled, 18, 16 },
    { IDC_AU_PRICE_LABEL, ControlKind::Label, 3, 3, "&Price:", "Á&r:" },
    { IDC_AU_PRICE, ControlKind::Edit, 3, 4, nullptr, nullptr, 1, 1, fw::StyleRight | fw::StyleDisabled, 12, 14 },
    { IDC_AU_YIELD, ControlKind::CheckBox, 3, 5, "&Yield", "&Hozam", 1, 1, fw::StyleDisabled },
    { IDC_AU_CONVERTED_LABEL, ControlKind::Label, 4, 3, "Yield:", "Hozam:" },
    { IDC_AU_CONVERTED, ControlKind::Label, 4, 4, "", "", 1, 1, fw::StyleRight, 12 },
    { IDC_AU_GRID, ControlKind::Custom, 5, 0, nullptr, nullptr, 1, 6 },
    { IDC_AU_CALCULATE, ControlKind::DefaultButton, 6, 0, "C&alculate", "&Számítás", 1, 1, fw::StyleDisabled },
    { IDC_AU_MOF, ControlKind::Button, 6, 1, "&MOF Order", "&MOF megbízás" },
    { IDC_AU_EXPORT, ControlKind::Button, 6, 4, "Excel export", "Excel-export" },
    { IDC_AU_CLOSE, ControlKind::Button, 6, 5, "&Close", "&Bezárás" },
};

constexpr ControlDef kBoardSummary[] = {
    { IDC_BS_GRID, ControlKind::Custom, 0, 0, nullptr, nullptr, 1, 3 },
    { IDC_BS_TOTAL_LABEL, ControlKind::Label, 1, 0, "Total value:", "Összérték:" },
    { IDC_BS_TOTAL, ControlKind::Label, 1, 1, "", "", 1, 1, fw::StyleRight, 20 },
    { fw::kIdCancel, ControlKind::DefaultButton, 1, 2, "&Close", "&Bezárás" },
};

constexpr fw::DialogTemplate kTemplates[] = {
    { IDD_AUCTION, "Primary Auction", "Elsődleges aukció", kAuction },
    { IDD_BOARD_SUMMARY, "Summary by Board", "Összesítés táblánként", kBoardSummary },
};

constexpr fw::StringEntry kStrings[] = {
    { IDS_BS_SHORT_NAME, "Short Name", "Rövid név" },
    { IDS_BS_VOL_TODAY, "Vol. Today", "Mai menny." },
    { IDS_BS_VAL_TODAY, "Val. Today", "Mai érték" },
    { IDS_BS_CAPTION, "Summary by %s", "Összesítés: %s" },
    { IDS_AU_PRICE, "Price", "Ár" },
    { IDS_AU_YIELD, "Yield", "Hozam" },
    { IDS_AU_WRITE_ERROR, "Write error.", "Írási hiba." },
    { IDS_AU_INVALID_VALUE, "Invalid value.", "Érvénytelen érték." },
    { IDS_AU_INVALID_SECURITY, "Invalid security.", "Érvénytelen értékpapír." },
    { IDS_AU_PRIMARY_TITLE + 0, "Issue Size", "Kibocsátási\nméret" },
    { IDS_AU_PRIMARY_TITLE + 1, "Average\nPrice", "Átlag-\nár" },
    { IDS_AU_PRIMARY_TITLE + 2, "Average\nYield", "Átlag-\nhozam" },
    { IDS_AU_PRIMARY_TITLE + 3, "Min. Price", "Min. ár" },
    { IDS_AU_PRIMARY_TITLE + 4, "Max. Yield", "Max. hozam" },
    { IDS_AU_PRIMARY_TITLE + 5, "Total Value", "Összérték" },
    { IDS_AU_PRIMARY_TITLE + 6, "Limit\nSize", "Limitáras\nméret" },
    { IDS_AU_PRIMARY_TITLE + 7, "Market\nSize", "Piaci\nméret" },
    { IDS_AU_PRIMARY_TITLE + 8, "Limit %", "Limitáras %" },
    { IDS_AU_PRIMARY_TITLE + 9, "Market %", "Piaci %" },
    { IDS_AU_MARKET_CHANGED, "Market has been changed. Press OK to get new market information.",
        "A piac megváltozott. Az új piaci adatokért nyomja meg az OK gombot." },
    { IDS_AU_BUYBACK_TITLE + 0, "Buy-back\nquantity", "Visszavett\nmennyiség" },
    { IDS_AU_BUYBACK_TITLE + 1, "Average\nPrice", "Átlag-\nár" },
    { IDS_AU_BUYBACK_TITLE + 2, "Average\nYield", "Átlag-\nhozam" },
    { IDS_AU_BUYBACK_TITLE + 3, "Max. Price", "Max. ár" },
    { IDS_AU_BUYBACK_TITLE + 4, "Min. Yield", "Min. hozam" },
    { IDS_AU_BUYBACK_TITLE + 5, "Total Value", "Összérték" },
    { IDS_AU_BUYBACK_TITLE + 6, "Limit\nSize", "Limitáras\nméret" },
    { IDS_AU_BUYBACK_TITLE + 7, "Market\nSize", "Piaci\nméret" },
    { IDS_AU_BUYBACK_TITLE + 8, "Limit %", "Limitáras %" },
    { IDS_AU_BUYBACK_TITLE + 9, "Market %", "Piaci %" },
    { IDS_AU_BUYBACK_CAPTION, "Buy-back Auction", "Visszavásárlási aukció" },
    { IDS_AU_CREATED_FILE, "Created file: %s", "Létrehozott fájl: %s" },
    { IDS_AU_CANNOT_CREATE, "Cannot create file: %s", "A fájl nem hozható létre: %s" },
};

const fw::ResourceSet kResources { "kv32-auction-dialogs", {}, kTemplates };

} // namespace

std::span<const fw::DialogTemplate> Kv32AuctionDialogTemplates()
{
    return kTemplates;
}

std::span<const fw::StringEntry> Kv32AuctionDialogStrings()
{
    return kStrings;
}

void Kv32RegisterAuctionDialogs()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string Kv32AuctionString(std::uint32_t id)
{
    Kv32RegisterAuctionDialogs();
    return fw::loadString(id);
}
