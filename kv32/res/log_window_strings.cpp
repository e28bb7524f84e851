#include "kv32/res/log_window_strings.h"

#include "fw/core/strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { 5471, "Date", "Dátum" },
    { 5472, "Time", "Idő" },
    { 5473, "User", "Felhasználó" },
    { 5474, "Firm", "Cég" },
    { 5475, "Board", "Tábla" },
    { 5476, "Security", "Értékpapír" },
    { 5477, "Description", "Leírás" },
    { 5478, "Value", "Érték" },
    { 5479, "Remarks", "Megjegyzés" },
};

} // namespace

void Kv32RegisterLogWindowResources()
{
    static const bool registered = [] {
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}
