#include "kv32/res/strings.h"

#include "kv32/res/ids.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { IDS_NO_DEFAULT_PRINTER, "No default printer.\n\nOrders and Trades print log disabled.",
        "Nincs alapértelmezett nyomtató.\n\nA megbízások és kötések nyomtatási naplója ki van kapcsolva." },
    { IDS_CMD_SENT, "Command sent.", "Parancs elküldve." },
    { IDS_LOW_MEMORY, "Low on memory.\n\nClose one or more windows.",
        "Kevés a memória.\n\nZárjon be egy vagy több ablakot." },
    { IDS_LOGGED_OUT, "You have been logged out.", "Önt kiléptették a rendszerből." },
    { IDS_REGIONAL_GROUPING_DIFFER,
        "The \"No. of digits in group\" value for currency and numbers in your Regional Settings differ.",
        "A Területi beállításokban a pénznem és a számok \"Csoportonkénti számjegyek száma\" értéke eltér." },
    { IDS_REGIONAL_THOUSANDS_DIFFER,
        "The \"Digit grouping symbol\" for currency and numbers in your Regional Settings differ.",
        "A Területi beállításokban a pénznem és a számok \"Számjegycsoport-elválasztó\" jele eltér." },
    { IDS_REGIONAL_DECIMAL_DIFFER,
        "The \"Decimal Symbol\" for currency and numbers in your Regional Settings differ.",
        "A Területi beállításokban a pénznem és a számok \"Tizedesjel\" értéke eltér." },
};

void RegisterOnce()
{
    static const bool registered = [] {
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

} // namespace

std::span<const fw::StringEntry> Kv32Strings()
{
    return kStrings;
}

std::string Kv32LoadString(std::uint32_t id)
{
    RegisterOnce();
    return fw::loadString(id);
}
