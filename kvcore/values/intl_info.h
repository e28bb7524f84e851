// The user's number and date conventions, read once at start-up. Display
// formatting reads only this record, never the C library's locale, so wire
// codecs and display texts do not change with LC_ALL.
#pragma once

#include <string>

#include "kvcore/kvcore_api.h"

struct KVCORE_API KvIntlInfo {
  std::string decimalSep = ".";   // one Windows-1250 character
  std::string thousandSep = ",";  // one Windows-1250 character (may be empty)
  // Pictures in the platform's notation: d dd M MM yy yyyy, h hh H HH m mm s ss t tt,
  // quoted literals in '...'.
  std::string shortDatePicture = "M/d/yyyy";
  std::string timePicture = "h:mm:ss tt";
  std::string amDesignator = "AM";
  std::string pmDesignator = "PM";
  char hundredLetter = 'H';
  char thousandLetter = 'K';
  char millionLetter = 'M';

  char DecimalChar() const { return decimalSep.empty() ? '.' : decimalSep[0]; }
};

// The record in force; the application fills it at start-up.
KVCORE_API const KvIntlInfo& KvIntl();
KVCORE_API void KvSetIntl(const KvIntlInfo& info);
