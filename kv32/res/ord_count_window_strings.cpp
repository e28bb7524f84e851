#include "kv32/res/ord_count_window_strings.h"

#include "fw/core/resources.h"
#include "fw/core/strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { 3101, "Board", "Tábla" },
    { 3102, "Firm", "Cég" },
    { 3103, "Normal counter", "Normál számláló" },
    { 3104, "MM counter", "AÁ számláló" },
    { 3105, "Normal max.", "Normál max." },
    { 3106, "MM max.", "AÁ max." },
    { 3107, "Normal over limit counter", "Normál limit feletti számláló" },
    { 3108, "MM over limit counter", "AÁ limit feletti számláló" },
    { 3109, "Normal average", "Normál átlag" },
    { 3110, "MM average", "AÁ átlag" },
    { 3111, "Norm. ord. limit violation", "Normál megb. limit sértés" },
    { 3112, "MM ord. limit violation", "AÁ megb. limit sértés" },
    { 3113, "Norm. avg. limit violation", "Normál átlag limit sértés" },
    { 3114, "MM avg. limit violation", "AÁ átlag limit sértés" },
    { 2680, "Board", "Tábla" },
    { 2681, "Firm", "Cég" },
    { 2682, "Norm.ord. limit", "Normál megb. limit" },
    { 2683, "MM ord. limit", "AÁ megb. limit" },
    { 2684, "Normal ord.speed limit", "Normál megb. sebesség limit" },
    { 2685, "MM ord.speed limit", "AÁ megb. sebesség limit" },
};

using fw::MenuEntry;
using fw::MenuEntryKind;

constexpr MenuEntry kOrdCountMenu[] = {
    { 0, MenuEntryKind::Command, ID_ORDCOUNT_LIMITS, "Al&erts...", "&Riasztások..." },
    { 0, MenuEntryKind::Command, ID_ORDCOUNT_ALERTS_VIEW, "Alerts &View", "Riasztások &megtekintése" },
};

constexpr fw::MenuTemplate kMenus[] = {
    { 40, kOrdCountMenu },
};

const fw::ResourceSet kResources { "kv32-ordcount-windows", {}, {}, kMenus };

} // namespace

void Kv32RegisterOrdCountWindowResources()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}
