#include "kvcore/app/intl.h"

#include <stdlib.h>

#include <cstdlib>
#include <string_view>
#include <utility>

#include "kvcore/res/app_ids.h"
#include "fw/core/strings.h"
#include "kvcore/values/intl_info.h"

namespace {

// The first of the variables that is set and not empty.
const char* FirstSet(std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return nullptr;
}

std::optional<fw::LocaleInfo> SystemLocale()
{
    const char* name = FirstSet({ "LC_ALL", "LC_NUMERIC", "LANG" });
    if (name == nullptr)
        return std::nullopt;
    return fw::localeFromSystem(name);
}

KvLocaleSource& Source()
{
    static KvLocaleSource source;
    return source;
}

} // namespace

void KvSetLocaleSource(KvLocaleSource source)
{
    Source() = std::move(source);
}

void GetIntlInfo()
{
    std::optional<fw::LocaleInfo> found = Source() ? Source()() : SystemLocale();
    fw::LocaleInfo info = found ? *found : fw::englishLocale();
    if (!found)
        info.languageId = fw::language() == fw::Language::Hungarian ? fw::kLangHungarian : fw::kLangEnglishUS;
    info.hundred = fw::multiplierLetter(fw::loadString(IDS_HUNDRED));
    info.thousand = fw::multiplierLetter(fw::loadString(IDS_THOUSAND));
    info.million = fw::multiplierLetter(fw::loadString(IDS_MILLION));
    KvSetIntl(info);
}

fw::Language KvUserInterfaceLanguage()
{
    const char* name = FirstSet({ "LC_ALL", "LC_MESSAGES", "LANG" });
    return name != nullptr && std::string_view(name).substr(0, 2) == "hu" ? fw::Language::Hungarian
                                                                         : fw::Language::English;
}

void KvApplyInterfaceLanguage()
{
    const fw::Language language = KvUserInterfaceLanguage();
    fw::setLanguage(language);
    setenv("VORLLANGUAGE", language == fw::Language::Hungarian ? "Hungarian" : "English", 0);
}
