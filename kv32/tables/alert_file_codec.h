// The pieces of the locally kept alert, log and order-count files: fixed text
// fields (a text and its zero in a field of fixed width), the 16-byte image
// of a decimal number and the 12-byte image of a date and time, little-endian.
// Reading treats the file as foreign: a text is terminated within its field,
// and a number's decimals or a date outside what the program can hold refuse
// the file with fw::ArchiveError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "fw/core/archive.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

inline constexpr size_t kDoubleImageBytes = 16;
inline constexpr size_t kDateTimeImageBytes = 12;
// The most decimals a stored number may carry.
inline constexpr unsigned kMaxStoredDecimals = 15;

// `width` bytes: the text up to its zero, the rest zero-filled; a text that
// fills the field is cut to width - 1 bytes so the zero stays inside.
void PutFixedText(fw::Archive& ar, const char* text, size_t width);
// Reads `width` bytes into dst (which holds at least width bytes) and
// terminates them within the field.
void GetFixedText(fw::Archive& ar, char* dst, size_t width);

void PutDoubleImage(fw::Archive& ar, const CDouble& value);
CDouble GetDoubleImage(fw::Archive& ar);

// The platform's day count since 1899-12-30 (fraction = time of day); 0 for
// an invalid date, and an invalid date for a count no date the program holds.
double OleDateOf(const CDateTime& value);
CDateTime DateTimeOfOle(double ole);

// The date as the platform's day count since 1899-12-30 (fraction = time of
// day) and the status word.
void PutDateTimeImage(fw::Archive& ar, const CDateTime& value);
CDateTime GetDateTimeImage(fw::Archive& ar);

// Refuses the load unless `count` records of `recordBytes` each are left.
void NeedRecords(const fw::Archive& ar, size_t count, size_t recordBytes);

// The default path of a settings file: the settings folder, the name, "." and the extension.
std::string KvSettingsFile(const std::string& name, const char* extension);
