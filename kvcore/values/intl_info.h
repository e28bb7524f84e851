// The user's number and date conventions (the framework's locale record), read
// once at start-up. Display formatting reads only this record, never the C
// library's locale, so wire codecs and display texts do not change with LC_ALL.
#pragma once

#include "fw/core/locale.h"
#include "kvcore/kvcore_api.h"

// The record in force; the application fills it at start-up.
KVCORE_API const fw::LocaleInfo& KvIntl();
KVCORE_API void KvSetIntl(const fw::LocaleInfo& info);
// The first character of the decimal separator ('.' when none is set).
KVCORE_API char KvDecimalChar();
