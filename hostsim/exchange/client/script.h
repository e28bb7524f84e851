#pragma once
// The script language of exchange_script: one command a line, its words
// separated by blanks, a line starting with '#' a comment. The fields of a
// request text are written as tokens:
//   word or "text with blanks"   as it stands ("\xNN" writes any byte, "\\" and "\"" themselves)
//   word:W or "text":W           left-justified, blank-padded to W characters
//   =123:W or =-1250:W           digits right-justified, zero-padded to W, '-' first when negative
// A field longer than its width is an error, never cut.
#include <optional>
#include <string>
#include <vector>

namespace exchange::client {

struct ScriptToken {
    std::string text;
    int width = -1; // -1: as it stands
    bool number = false;
};

struct ScriptLine {
    std::string command; // empty for a blank or comment line
    std::vector<ScriptToken> tokens;
};

// Splits a line into its command and tokens; nullopt with the reason in `error`.
std::optional<ScriptLine> ParseScriptLine(const std::string& line, std::string& error);

// The text of the tokens laid end to end; nullopt with the reason in `error`.
std::optional<std::string> BuildFields(const std::vector<ScriptToken>& tokens, std::string& error);

// Replaces every "{n}" in the tokens' texts with `n` (the pass of a repeated command).
std::vector<ScriptToken> WithPass(const std::vector<ScriptToken>& tokens, int n);

} // namespace exchange::client
