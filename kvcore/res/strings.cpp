#include "kvcore/res/strings.h"

#include <map>
#include <utility>

#include "kvcore/res/ids.h"
#include "kvcore/values/cp1250.h"

namespace {

constexpr KvStringEntry kStrings[] = {
    {IDS_PASSWORD_EXPIRED, "Password Expired", "Lejárt jelszó"},
    {IDS_ENTER_OLD_PASSWORD, "Enter your old password:", "Adja meg a régi jelszavát:"},
    {IDS_ENTER_NEW_PASSWORD, "Enter your new password:", "Adja meg az új jelszavát:"},
    {IDS_ENTER_PASSWORD_AGAIN, "Enter new password once more:", "Adja meg az új jelszót még egyszer:"},
    {IDS_DOWNLOADING, "Downloading", "Letöltés"},
    {IDS_STORING_DATA, "Storing Data...", "Adatok mentése..."},
    {IDS_ERROR_LOADING_VORL, "Error loading VORL.DLL.", "Hiba a VORL.DLL betöltésekor."},
    {IDS_INCORRECT_PASSWORD, "Incorrect password.", "Hibás jelszó."},
    {IDS_PASSWORDS_DIFFER, "Two entered passwords are different.\n\nTry once more.",
     "A két megadott jelszó különbözik.\n\nPróbálja újra."},
    {IDS_PASSWORD_RULES,
     "Password must be at least 8 characters in length.\nPasswords must contain at least three kind of "
     "characters from these sets:\n - lower case letters [a-z],  - upper case letters [A-Z],\n - numeric "
     "characters [0-9],  - any other character.",
     "A jelszónak legalább 8 karakter hosszúnak kell lennie.\nA jelszónak legalább háromféle karaktert kell "
     "tartalmaznia az alábbi csoportokból:\n - kisbetűk [a-z],  - nagybetűk [A-Z],\n - számjegyek [0-9],  - "
     "bármely más karakter."},
    {IDS_PASSWORD_TOO_SIMILAR, "The new password has to be different from old one at least in two characters!",
     "Az új jelszónak legalább két karakterben különböznie kell a régitől!"},
};

KvLanguage g_language = KvLanguage::English;

// Converted once, on first use, per language.
const std::map<unsigned, std::string>& Converted(KvLanguage language) {
  static std::map<unsigned, std::string> tables[2];
  static bool built[2] = {false, false};
  const int k = language == KvLanguage::Hungarian ? 1 : 0;
  if (!built[k]) {
    for (const KvStringEntry& e : kStrings) {
      const char* utf8 = k == 1 && e.hungarian != nullptr && *e.hungarian != '\0' ? e.hungarian : e.english;
      auto bytes = Utf8ToCp1250(utf8);
      if (!bytes) bytes = Utf8ToCp1250(e.english);
      tables[k].emplace(e.id, bytes.value_or(std::string()));
    }
    built[k] = true;
  }
  return tables[k];
}

}  // namespace

void KvSetLanguage(KvLanguage language) { g_language = language; }

KvLanguage KvGetLanguage() { return g_language; }

std::string KvLoadString(unsigned id) {
  const auto& table = Converted(g_language);
  const auto it = table.find(id);
  return it == table.end() ? std::string() : it->second;
}

const KvStringEntry* KvCoreStringTable(size_t* count) {
  if (count != nullptr) *count = sizeof kStrings / sizeof kStrings[0];
  return kStrings;
}
