#include "kv32/res/alert_window_strings.h"

#include "fw/core/resources.h"
#include "fw/core/strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { 2600, "Firm ID", "Cégazonosító" },
    { 2601, "Description", "Leírás" },
    { 2602, "Operator", "Reláció" },
    { 2603, "Value", "Érték" },
    { 2604, "Modified", "Módosítva" },
    { 2605, "Notified", "Értesítve" },
    { 2625, "Trader ID", "Kereskedőazonosító" },
    { 2626, "Description", "Leírás" },
    { 2627, "Operator", "Reláció" },
    { 2628, "Value", "Érték" },
    { 2629, "Modified", "Módosítva" },
    { 2630, "Notified", "Értesítve" },
    { 2650, "Short Name", "Rövid név" },
    { 2651, "Board", "Tábla" },
    { 2652, "Description", "Leírás" },
    { 2653, "Operator", "Reláció" },
    { 2654, "Value", "Érték" },
    { 2655, "Notified", "Értesítve" },
};

} // namespace

void Kv32RegisterAlertWindowResources()
{
    static const bool registered = [] {
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}
