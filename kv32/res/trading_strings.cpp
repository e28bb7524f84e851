#include "kv32/res/trading_strings.h"

namespace {

// The validity texts fill a 10-character field: the Hungarian ones are short forms.
constexpr fw::StringEntry kStrings[] = {
    { IDS_VALIDITY_GTC, "GTC", "Visszav." },
    { IDS_VALIDITY_DAY, "Day", "Napi" },
    { IDS_VALIDITY_SESSION, "Session", "Szakasz" },
    { IDS_STATUS_OPEN, "Open", "Nyitott" },
    { IDS_STATUS_INACTIVE, "Inactive", "Inaktív" },
    { IDS_STATUS_UNCONFIRMED, "Unconf.", "Nem megerősített" },
    { IDS_STATUS_UNAPPROVED, "Unappr.", "Nem jóváhagyott" },
    { IDS_STATUS_MATCHED, "Matched", "Teljesült" },
    { IDS_STATUS_AMENDED, "Amended", "Módosított" },
    { IDS_STATUS_WITHDRAWN, "Withdraw", "Visszavont" },
    { IDS_STATUS_ERROR, "Error", "Hiba" },
    { IDS_STATUS_DISABLED, "Disabled", "Letiltott" },
    { IDS_SIDE_BUY, "B", "V" },
    { IDS_SIDE_SELL, "S", "E" },
    { IDS_STATUS_EXPIRED, "Expired", "Lejárt" },
    { IDS_TRADE_MATCHED, "Matched", "Teljesült" },
    { IDS_TRADE_PENDING, "Pending", "Függő" },
    { IDS_TRADE_CANCELLED, "Cancel", "Törölt" },
    { IDS_TRADE_ERROR, "Error", "Hiba" },
    { IDS_TRADE_UNAPPROVED, "Unapproved", "Nem jóváhagyott" },
    { IDS_TRADE_UNCONFIRMED_BUY, "Unconfirmed buy", "Nem megerősített vétel" },
    { IDS_TRADE_UNCONFIRMED_SELL, "Unconfirmed sell", "Nem megerősített eladás" },
    { IDS_DISS_NOT_MATCHED, "Not matched", "Nem párosított" },
    { IDS_DISS_IMMEDIATE, "Immediate", "Azonnali" },
    { IDS_DISS_DELAYED, "Delayed", "Késleltetett" },
    { IDS_DISS_SENT, "Sent", "Elküldött" },
    { IDS_DISS_RELEASED, "Released", "Közzétett" },
    { IDS_DISS_LAPSED, "Lapsed", "Elévült" },
};

} // namespace

std::span<const fw::StringEntry> Kv32TradingStrings()
{
    return kStrings;
}

std::string Kv32TradingString(std::uint32_t id)
{
    static const bool registered = [] {
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
    return fw::loadString(id);
}
