#include "kvcore/res/app_strings.h"

#include "kvcore/res/app_dialogs.h"
#include "kvcore/res/app_ids.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { IDS_ABOUT_TEXT, "Trading workstation of the VEXA trading system", "A VEXA kereskedési rendszer munkaállomása" },
    { IDS_APP_TITLE, "VEXA Universal Bench", "VEXA Universal Bench" },
    { IDS_STARTUP_VERSION, "\n Version ", "\n Verzió " },
    { IDS_STARTUP_USER_SETTINGS, "\n User settings: ", "\n Felhasználói beállítások: " },
    { IDS_HUNDRED, "Hundred", "száz" },
    { IDS_THOUSAND, "Thousand", "ezer" },
    { IDS_MILLION, "Million", "millió" },
    { IDS_CONFIRM_OPERATION, "Press \"Yes\" button to confirm operation.",
        "A művelet megerősítéséhez nyomja meg az \"Igen\" gombot." },
    { IDS_LOGGED_OUT, "You have been logged out.", "Kijelentkeztették." },
    { IDS_TABLE_OVERFLOW, "%s table overflow.\n\nYou will not see all available information.",
        "A(z) %s tábla megtelt.\n\nNem fog minden elérhető információt látni." },
    { IDS_MISPLACED_GROUP_MARK,
        "The number was not taken: \"%1\" is not the decimal separator here. The decimal separator is \"%2\"; "
        "\"%1\" may only separate groups of three digits before it.",
        "A szám nem került be: a(z) „%1” itt nem tizedesjel. A tizedesjel a(z) „%2”; a(z) „%1” csak az előtte "
        "álló hármas számjegycsoportokat választhatja el." },
    { IDS_LOW_RESOURCES,
        "Can not open window due to low on Windows resources.\n\nClose other windows and/or applications and try "
        "once more.",
        "Az ablak nem nyitható meg, mert kevés a szabad rendszererőforrás.\n\nZárjon be más ablakokat és/vagy "
        "alkalmazásokat, majd próbálja újra." },
    { IDS_CLIENT_VERSION_REFUSED,
        "Kérjük, telepítse a Trader Bench legújabb változatát! A program leáll.\n\nPlease install the latest "
        "version of the Trader Bench! Program Abort.",
        "Kérjük, telepítse a Trader Bench legújabb változatát! A program leáll.\n\nPlease install the latest "
        "version of the Trader Bench! Program Abort." },
};

const fw::ResourceSet kResources { "kvcore-app", kStrings, KvAppDialogs() };

// Registered when the library loads, beside kvcore's first table.
[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

} // namespace

const fw::ResourceSet& KvAppResources()
{
    return kResources;
}
