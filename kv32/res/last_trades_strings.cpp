#include "kv32/res/last_trades_strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { 576, "Trade", "Kötés" },
    { 577, "Security", "Értékpapír" },
    { 578, "Board", "Tábla" },
    { 579, "Price", "Ár" },
    { 580, "Qty", "Mennyiség" },
    { 581, "Value", "Érték" },
    { 582, "Date", "Dátum" },
    { 583, "Time", "Idő" },
    { 584, "Trade Source", "Kötés forrása" },
    { 585, "Buy Firm", "Vevő cég" },
    { 586, "Sell Firm", "Eladó cég" },
    { 587, "Yield", "Hozam" },
    { 588, "Settle Date", "Elszámolás napja" },
};

} // namespace

std::span<const fw::StringEntry> Kv32LastTradesStrings()
{
    return kStrings;
}

void Kv32RegisterLastTradesStrings()
{
    static const bool registered = [] {
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}
