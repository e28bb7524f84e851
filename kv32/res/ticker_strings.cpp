#include "kv32/res/ticker_strings.h"

#include "fw/core/resources.h"

namespace {

using fw::MenuEntry;
using fw::MenuEntryKind;

constexpr MenuEntry kTickerMenu[] = {
    { 0, MenuEntryKind::Command, 33180, "&Smooth Scroll", "&Egyenletes görgetés" },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, 32958, "&Go To...", "&Ugrás..." },
};

constexpr fw::MenuTemplate kMenus[] = {
    { 38, kTickerMenu },
};

const fw::ResourceSet kResources { "kv32-ticker-window", {}, {}, kMenus };

} // namespace

void Kv32RegisterTickerResources()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        return true;
    }();
    (void)registered;
}
