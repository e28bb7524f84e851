#include "kv32/res/news_strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { IDS_KIND_S, "S", "E" },
    { IDS_KIND_P, "P", "F" },
    { IDS_KIND_F, "F", "H" },
    { IDS_KIND_R, "R", "T" },
    { IDS_EVENT_REF_PRICE_CHANGE, "Reference Price Change", "Referenciaár-változás" },
    { IDS_EVENT_PRICE_LIMIT_CHANGE, "Price Limit Change", "Árlimit-változás" },
    { IDS_ALL, "All", "Mind" },
    { IDS_EVENT_SEC_SUSPEND, "Security Suspend", "Értékpapír felfüggesztése" },
    { IDS_EVENT_SEC_UNSUSPEND, "Security Unsuspend", "Értékpapír felfüggesztésének feloldása" },
    { IDS_EVENT_ISSUER_SUSPEND, "Issuer Suspend", "Kibocsátó felfüggesztése" },
    { IDS_EVENT_ISSUER_UNSUSPEND, "Issuer Unsuspend", "Kibocsátó felfüggesztésének feloldása" },
    { IDS_EVENT_ALL_SUSPEND, "All Trading Suspend", "Teljes kereskedés felfüggesztése" },
    { IDS_EVENT_ALL_UNSUSPEND, "All Trading Unsuspend", "Teljes kereskedés felfüggesztésének feloldása" },
    { IDS_NO_MESSAGE_FOUND, "No Message was found", "Nem található üzenet" },
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

std::span<const fw::StringEntry> Kv32NewsStrings()
{
    return kStrings;
}

std::string Kv32NewsString(std::uint32_t id)
{
    RegisterOnce();
    return fw::loadString(id);
}
