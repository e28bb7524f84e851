#pragma once
// The language string source: entries of an identifier, "{", pairs of a language
// identifier, "|" and a quoted text, then "}". "#" starts a comment outside quotes.
#include <string>
#include <string_view>
#include <vector>

#include "lang_format.h"

namespace plinth::lang {

struct SourceResult {
    int error = 0; // 0, or the syntax codes of LangCompileStrings (2 to 6)
    int line = 0;  // of the error, counted from 1
    std::vector<std::string> identifiers; // one per row, in file order
    CompiledTable table;
};

// Parses and lays out the whole table: languages in order of first appearance, rows in
// entry order, texts in source order (a language given twice keeps both texts; the cell
// holds the later one).
SourceResult compileSource(std::string_view source);

// The header text: the fixed first line, then "#define <identifier> <row>" per entry.
std::string headerText(const std::vector<std::string>& identifiers);

} // namespace plinth::lang
