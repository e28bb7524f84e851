#include "kvcore/res/strings.h"

#include "kvcore/res/ids.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { IDS_PASSWORD_EXPIRED, "Password Expired", "Lejárt jelszó" },
    { IDS_ENTER_OLD_PASSWORD, "Enter your old password:", "Adja meg a régi jelszavát:" },
    { IDS_ENTER_NEW_PASSWORD, "Enter your new password:", "Adja meg az új jelszavát:" },
    { IDS_ENTER_PASSWORD_AGAIN, "Enter new password once more:", "Adja meg az új jelszót még egyszer:" },
    { IDS_DOWNLOADING, "Downloading", "Letöltés" },
    { IDS_STORING_DATA, "Storing Data...", "Adatok mentése..." },
    { IDS_ERROR_LOADING_VORL, "Error loading VORL.DLL.", "Hiba a VORL.DLL betöltésekor." },
    { IDS_INCORRECT_PASSWORD, "Incorrect password.", "Hibás jelszó." },
    { IDS_PASSWORDS_DIFFER, "Two entered passwords are different.\n\nTry once more.",
        "A két megadott jelszó különbözik.\n\nPróbálja újra." },
    { IDS_PASSWORD_RULES,
        "Password must be at least 8 characters in length.\nPasswords must contain at least three kind of "
        "characters from these sets:\n - lower case letters [a-z],  - upper case letters [A-Z],\n - numeric "
        "characters [0-9],  - any other character.",
        "A jelszónak legalább 8 karakter hosszúnak kell lennie.\nA jelszónak legalább háromféle karaktert "
        "kell "
        "tartalmaznia az alábbi csoportokból:\n - kisbetűk [a-z],  - nagybetűk [A-Z],\n - számjegyek [0-9],  "
        "- "
        "bármely más karakter." },
    { IDS_PASSWORD_TOO_SIMILAR,
        "The new password has to be different from old one at least in two characters!",
        "Az új jelszónak legalább két karakterben különböznie kell a régitől!" },
    { IDS_LOGON_TEXT_TOO_LONG, "The user name or password does not fit the logon message.",
        "A felhasználónév vagy a jelszó nem fér el a bejelentkezési üzenetben." },
    { IDS_VORL_INCOMPLETE, "The router library VORL.DLL lacks a function that the workstation needs.",
        "A VORL.DLL útválasztó könyvtárból hiányzik egy függvény, amelyre a munkaállomásnak szüksége van." },
};

const fw::ResourceSet kResources { "kvcore", kStrings };

// Registered when the library loads: libfw_core.so is initialised before us.
[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

} // namespace

const fw::ResourceSet& KvCoreResources()
{
    return kResources;
}
