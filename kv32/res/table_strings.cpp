#include "kv32/res/table_strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { IDS_SUSPENDED_BOARD, "Suspended board", "Felfüggesztett szekció" },
    { IDS_SUSPENDED_TRADER, "Suspended trader", "Felfüggesztett kereskedő" },
    { IDS_NEGATIVE_PRICE_CHANGE, "Negative price change", "Negatív árváltozás" },
    { IDS_POSITIVE_PRICE_CHANGE, "Positive price change", "Pozitív árváltozás" },
    { IDS_ANY_CHANGE, "Any changes indication", "Változás jelzése" },
    { IDS_SUSPENDED_SECURITY, "Suspended security", "Felfüggesztett értékpapír" },
    { IDS_STATE_SUSPENDED, "S", "F" },
    { IDS_STATE_ACTIVE, "A", "A" },
    { IDS_PRICE_ABOVE_LAST, "Price is more than the last", "Az ár nagyobb az előzőnél" },
    { IDS_PRICE_BELOW_LAST, "Price is less than the last", "Az ár kisebb az előzőnél" },
    { IDS_PRICE_EQUAL_LAST, "Equal to the last", "Az előzővel egyenlő" },
    { IDS_NO, "No", "Nem" },
    { IDS_YES, "Yes", "Igen" },
    { IDS_NO_USER_FIRM, "Cannot determine firm currently registering user belongs to.",
        "Nem állapítható meg, melyik céghez tartozik a bejelentkező felhasználó." },
    { IDS_LOCAL_STATE_NEW, "New", "Új" },
    { IDS_LOCAL_STATE_COPY, "Copy", "Másolat" },
    { IDS_LOCAL_STATE_AMENDED, "Amended", "Módosított" },
    { IDS_LOCAL_STATE_ACCEPTED, "Accepted", "Elfogadott" },
    { IDS_LOCAL_STATE_REJECTED, "Rejected", "Elutasított" },
    { IDS_POB_DAMAGED,
        "The private order book file %s is damaged and was not loaded.\n\nIt has been kept as %s.",
        "A(z) %s saját ajánlati könyv fájl sérült, ezért nem töltődött be.\n\nMegőrizve %s néven." },
    { IDS_POB_NOT_SAVED, "The private order book could not be saved to %s.",
        "A saját ajánlati könyv nem menthető ide: %s." },
    { IDS_INVALID_MESSAGE_DATA, "Invalid data in the message", "Érvénytelen adat az üzenetben" },
};

} // namespace

std::span<const fw::StringEntry> Kv32TableStrings()
{
    return kStrings;
}

std::string Kv32TableString(std::uint32_t id)
{
    static const bool registered = [] {
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
    return fw::loadString(id);
}
