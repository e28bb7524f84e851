#include "kv32/res/cash_positions_strings.h"

#include "fw/core/strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { 350, "Trading Acc", "Keresk. számla" },
    { 351, "User ID", "Felhasználó" },
    { 352, "Firm ID", "Cég" },
    { 353, "Cashpool ID", "Pénzkeret" },
    { 354, "Currency", "Deviza" },
    { 355, "Open", "Nyitó" },
    { 356, "Current", "Aktuális" },
    { 357, "Planned", "Tervezett" },
    { 358, "Warn Limit", "Figyelm. limit" },
    { 359, "Hard Limit", "Kemény limit" },
    { 360, "Order Limit", "Megbízási limit" },
};

using fw::MenuEntry;
using fw::MenuEntryKind;

constexpr MenuEntry kCashPositionsMenu[] = {
    { 0, MenuEntryKind::Command, ID_CASH_FIRM_LIMITS, "Set &Firm Limits...", "&Cég limitjei..." },
    { 0, MenuEntryKind::Command, ID_CASH_TRADER_LIMITS, "Set &Trader Limits...", "&Kereskedő limitjei..." },
    { 0, MenuEntryKind::Command, ID_CASH_ACCOUNT_LIMITS, "Set &Account Limits...", "&Számla limitjei..." },
};

constexpr fw::MenuTemplate kMenus[] = {
    { 13, kCashPositionsMenu },
};

const fw::ResourceSet kResources { "kv32-cash-positions-window", {}, {}, kMenus };

} // namespace

void Kv32RegisterCashPositionResources()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::span<const fw::MenuTemplate> Kv32CashPositionMenus()
{
    return kMenus;
}
