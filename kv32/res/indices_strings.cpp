#include "kv32/res/indices_strings.h"

#include "fw/core/strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { 690, "Index", "Index" },
    { 691, "Board", "Tábla" },
    { 692, "Value", "Érték" },
    { 693, "Close", "Záró" },
    { 694, "Prev. Price", "Előző ár" },
    { 695, "Chg Today", "Mai változás" },
    { 696, "High", "Legmagasabb" },
    { 697, "Low", "Legalacsonyabb" },
};

} // namespace

void Kv32RegisterIndicesStrings()
{
    static const bool registered = [] {
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}
