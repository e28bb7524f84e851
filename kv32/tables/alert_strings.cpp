#include "kv32/tables/alert_strings.h"

namespace {

#define KV_PARTY_FIGURES(base)                                                                                         \
    { base + 0, "Highest Buy Order Volume", "Legnagyobb vételi megbízás mennyisége" },                                 \
        { base + 1, "Highest Buy Order Value", "Legnagyobb vételi megbízás értéke" },                                  \
        { base + 2, "Total Buy Order Volume", "Vételi megbízások összmennyisége" },                                    \
        { base + 3, "Total Buy Order Value", "Vételi megbízások összértéke" },                                         \
        { base + 4, "Highest Sell Order Volume", "Legnagyobb eladási megbízás mennyisége" },                           \
        { base + 5, "Highest Sell Order Value", "Legnagyobb eladási megbízás értéke" },                                \
        { base + 6, "Total Sell Order Volume", "Eladási megbízások összmennyisége" },                                  \
        { base + 7, "Total Sell Order Value", "Eladási megbízások összértéke" },                                       \
        { base + 8, "Highest Buy Trade Volume", "Legnagyobb vételi kötés mennyisége" },                                \
        { base + 9, "Highest Buy Trade Value", "Legnagyobb vételi kötés értéke" },                                     \
        { base + 10, "Total Buy Trade Volume", "Vételi kötések összmennyisége" },                                      \
        { base + 11, "Total Buy Trade Value", "Vételi kötések összértéke" },                                           \
        { base + 12, "Highest Sell Trade Volume", "Legnagyobb eladási kötés mennyisége" },                             \
        { base + 13, "Highest Sell Trade Value", "Legnagyobb eladási kötés értéke" },                                  \
        { base + 14, "Total Sell Trade Volume", "Eladási kötések összmennyisége" },                                    \
        { base + 15, "Total Sell Trade Value", "Eladási kötések összértéke" }

constexpr fw::StringEntry kStrings[] = {
    { IDS_ORDCOUNT_OK, "Ok", "Rendben" },
    { IDS_ORDCOUNT_LIMIT_ALERT, "Limit alert", "Limitriasztás" },
    KV_PARTY_FIGURES(IDS_USER_FIGURE_FIRST),
    KV_PARTY_FIGURES(IDS_FIRM_FIGURE_FIRST),
    { IDS_ORDCOUNT_ALERT_FIRST + 0, "%s - number of norm.orders limit is violated (%d)",
        "%s - a normál megbízások számának limitje túllépve (%d)" },
    { IDS_ORDCOUNT_ALERT_FIRST + 1, "%s - normal order entering speed limit is violated (%d)",
        "%s - a normál megbízások beviteli sebességének limitje túllépve (%d)" },
    { IDS_ORDCOUNT_ALERT_FIRST + 2, "%s - number of MM orders limit is violated (%d)",
        "%s - az árjegyzői megbízások számának limitje túllépve (%d)" },
    { IDS_ORDCOUNT_ALERT_FIRST + 3, "%s - MM order entering speed limit is violated (%d)",
        "%s - az árjegyzői megbízások beviteli sebességének limitje túllépve (%d)" },
    { IDS_SEC_FIGURE_FIRST + 0, "Bid", "Vétel" },
    { IDS_SEC_FIGURE_FIRST + 1, "Offer", "Eladás" },
    { IDS_SEC_FIGURE_FIRST + 2, "Last", "Utolsó" },
    { IDS_SEC_FIGURE_FIRST + 3, "High", "Legmagasabb" },
    { IDS_SEC_FIGURE_FIRST + 4, "Low", "Legalacsonyabb" },
    { IDS_SEC_FIGURE_FIRST + 5, "Open", "Nyitó" },
    { IDS_SEC_FIGURE_FIRST + 6, "Single Volume", "Egyedi mennyiség" },
    { IDS_SEC_FIGURE_FIRST + 7, "Single Value", "Egyedi érték" },
    { IDS_SEC_FIGURE_FIRST + 8, "Total Volume", "Összmennyiség" },
    { IDS_SEC_FIGURE_FIRST + 9, "Total Volume", "Összmennyiség" },
    { IDS_SEC_FIGURE_FIRST + 10, "Total Value", "Összérték" },
    { IDS_SEC_FIGURE_FIRST + 11, "Range", "Sáv" },
    { IDS_SEC_FIGURE_FIRST + 12, "Movement", "Elmozdulás" },
    { IDS_SEC_FIGURE_FIRST + 13, "Change", "Változás" },
    { IDS_SEC_FIGURE_FIRST + 14, "Skew", "Ferdeség" },
    { IDS_OPERATOR_BASE + 1, "=", "=" },
    { IDS_OPERATOR_BASE + 2, ">", ">" },
    { IDS_OPERATOR_BASE + 3, ">=", ">=" },
    { IDS_OPERATOR_BASE + 4, "<", "<" },
    { IDS_OPERATOR_BASE + 5, "<=", "<=" },
    { IDS_LOG_CATEGORY_FIRST + 0, "Users Alerts", "Felhasználói riasztások" },
    { IDS_LOG_CATEGORY_FIRST + 1, "Firms Alerts", "Cégriasztások" },
    { IDS_LOG_CATEGORY_FIRST + 2, "Securities Alerts", "Értékpapír-riasztások" },
    { IDS_LOG_CATEGORY_FIRST + 3, "Market Maker Alerts", "Árjegyzői riasztások" },
    { IDS_LOG_CATEGORY_FIRST + 4, "Messages", "Üzenetek" },
    { IDS_LOG_CATEGORY_FIRST + 5, "News", "Hírek" },
    { IDS_SENTENCE_LAST_FROM_PREVIOUS, "Last price is more than %.2f%% (+/-) from previous price.",
        "Az utolsó ár több mint %.2f%%-kal (+/-) eltér az előző ártól." },
    { IDS_SENTENCE_OPEN_FROM_PREVIOUS, "Open price is more than %.2f%% (+/-) from previous price.",
        "A nyitóár több mint %.2f%%-kal (+/-) eltér az előző ártól." },
    // Figures 8 and 9 measure the day's volume, not a price.
    { IDS_SENTENCE_VOLUME_FROM_LISTED, "Total volume is more than %.2f%% (+/-) of listed quantity.",
        "Az összmennyiség több mint %.2f%% (+/-) a bevezetett mennyiséghez képest." },
    { IDS_SENTENCE_VOLUME_FROM_AVERAGE, "Total volume is more than %.2f%% (+/-) of last month avg vol.",
        "Az összmennyiség több mint %.2f%% (+/-) az előző havi átlagos mennyiséghez képest." },
    { IDS_SENTENCE_RANGE_FROM_OPEN, "Price range is more than %.2f%% (+/-) from open price.",
        "Az ársáv több mint %.2f%% (+/-) a nyitóárhoz képest." },
    { IDS_SENTENCE_MOVEMENT_STEPS, "Price movement is more than %.2f times (+/-) min price step.",
        "Az árelmozdulás több mint %.2f-szerese (+/-) a legkisebb árlépésnek." },
    { IDS_SENTENCE_CHANGE_STEPS, "Last price is more than %.2f times (+/-) min price step.",
        "Az utolsó ár változása több mint %.2f-szerese (+/-) a legkisebb árlépésnek." },
    { IDS_SENTENCE_SKEW, "Skew is more than %.2f%% (+/-) from total number of orders.",
        "A ferdeség több mint %.2f%% (+/-) a megbízások teljes számához képest." },
    { IDS_CANNOT_SAVE_ALERTS, "Can not save alerts.", "A riasztások nem menthetők." },
    { IDS_CANNOT_SAVE_LOGS, "Can not save alert logs.", "A riasztási napló nem menthető." },
    { IDS_CANNOT_SAVE_DEFAULTS, "Can not save default selections.", "Az alapértelmezett választások nem menthetők." },
    { IDS_CANNOT_RESTORE_ALERTS, "Can not restore alerts.\n\nSave alerts again.",
        "A riasztások nem állíthatók vissza.\n\nMentse el újra a riasztásokat." },
    { IDS_CANNOT_RESTORE_DEFAULTS, "Can not restore default selections.",
        "Az alapértelmezett választások nem állíthatók vissza." },
    { IDS_CANNOT_RESTORE_LOGS, "Can not restore alert logs.\n\nSave alert logs again.",
        "A riasztási napló nem állítható vissza.\n\nMentse el újra a riasztási naplót." },
    { IDS_INVALID_ALERTS_FILE, "Invalid alerts file.", "Érvénytelen riasztásfájl." },
    { IDS_INVALID_LOGS_FILE, "Invalid alert logs file.", "Érvénytelen riasztásinapló-fájl." },
    { IDS_INVALID_DEFAULTS_FILE, "Invalid default selections file.",
        "Érvénytelen alapértelmezettválasztás-fájl." },
};

#undef KV_PARTY_FIGURES

} // namespace

std::span<const fw::StringEntry> Kv32AlertStrings()
{
    return kStrings;
}

std::string Kv32AlertString(std::uint32_t id)
{
    static const bool registered = [] {
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
    return fw::loadString(id);
}
