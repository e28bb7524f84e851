// The user's locale settings, read into the library's locale record at start-up
// and when the settings change, and the interface language the user's message
// locale asks for.
#pragma once

#include <functional>
#include <optional>

#include "fw/core/locale.h"
#include "fw/core/strings.h"
#include "kvcore/kvcore_api.h"

// Where the user's number and date conventions come from. The default reads the
// C library's locale named by LC_ALL, else LC_NUMERIC, else LANG.
using KvLocaleSource = std::function<std::optional<fw::LocaleInfo>()>;
// An empty source restores the default.
KVCORE_API void KvSetLocaleSource(KvLocaleSource source);

// Fills the locale record: separators, grouping, negative format and the date and
// time pictures and the language id from the source (English conventions and the
// interface language when it has none), and the hundred, thousand and million
// letters from the string table of the interface language.
KVCORE_API void GetIntlInfo();

// Hungarian when the user's message locale (the first set of LC_ALL, LC_MESSAGES
// and LANG) starts with "hu", else English.
KVCORE_API fw::Language KvUserInterfaceLanguage();

// Sets the interface language once at start-up from the user's message locale: the
// framework's texts (kvcore's and the program's) follow it, and so do the router's
// error texts unless VORLLANGUAGE already names a language.
KVCORE_API void KvApplyInterfaceLanguage();
