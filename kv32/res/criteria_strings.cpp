#include "kv32/res/criteria_strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { IDS_FIRM_TYPE_BROKERS, "Brokers", "Brókerek" },
    { IDS_FIRM_TYPE_EXCHANGES, "Exchanges", "Tőzsdék" },
    { IDS_FIRM_TYPE_INSTITUTIONS, "Institutions", "Intézmények" },
    { IDS_FIRM_TYPE_ISSUERS, "Issuers", "Kibocsátók" },
    { IDS_CRITERIA_ORDERS, " orders", " megbízások" },
    { IDS_CRITERIA_TRADES, " trades", " kötések" },
    { IDS_CRITERIA_FROM, " from %ld", " ettől: %ld" },
    { IDS_CRITERIA_TO, " to %ld", " eddig: %ld" },
    { IDS_CRITERIA_BY_TYPE, " by ", " típus: " },
    { IDS_FILTERED, "filtered", "szűrt" },
};

} // namespace

std::span<const fw::StringEntry> Kv32CriteriaStrings()
{
    return kStrings;
}

std::string Kv32CriteriaString(std::uint32_t id)
{
    static const bool registered = [] {
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
    return fw::loadString(id);
}
