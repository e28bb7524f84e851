// Field-by-field building of fixed-width request texts, and the shared
// helpers around them.
#pragma once

#include <string>
#include <string_view>

#include "kvcore/values/field_writer.h"

// Appends the text in exactly `width` bytes: right-aligned and padded with
// '0' on the left when zeroPad, else left-aligned and padded with blanks. A
// text longer than its field is refused: nothing is appended, the writer
// fails (so the request is never sent) and the result is 0; else the width.
int AppendPaddedField(KvFieldWriter& w, int width, std::string_view text, bool zeroPad);

// The source with every CR LF pair replaced by one blank.
std::string JoinLinesWithBlanks(std::string_view source);
