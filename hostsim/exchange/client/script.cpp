#include "client/script.h"

#include <cctype>

namespace exchange::client {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool allDigits(const std::string& s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// Reads one token starting at `at` (not a blank); moves `at` past it.
std::optional<ScriptToken> readToken(const std::string& line, std::size_t& at, std::string& error)
{
    ScriptToken t;
    bool quoted = false;
    if (line[at] == '"') {
        quoted = true;
        ++at;
        for (;;) {
            if (at >= line.size()) {
                error = "a quoted text does not end";
                return std::nullopt;
            }
            const char c = line[at++];
            if (c == '"')
                break;
            if (c != '\\') {
                t.text += c;
                continue;
            }
            if (at < line.size() && (line[at] == '"' || line[at] == '\\')) {
                t.text += line[at++];
            } else if (at + 2 < line.size() && line[at] == 'x' && hexDigit(line[at + 1]) >= 0
                && hexDigit(line[at + 2]) >= 0) {
                t.text += static_cast<char>(hexDigit(line[at + 1]) * 16 + hexDigit(line[at + 2]));
                at += 3;
            } else {
                error = "an unknown escape in a quoted text";
                return std::nullopt;
            }
        }
    }
    std::string rest;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t')
        rest += line[at++];
    if (quoted) {
        if (!rest.empty() && (rest[0] != ':' || !allDigits(rest.substr(1)))) {
            error = "only a width may follow a quoted text";
            return std::nullopt;
        }
        if (!rest.empty())
            t.width = std::stoi(rest.substr(1, 5));
        return t;
    }
    const std::size_t colon = rest.rfind(':');
    if (colon != std::string::npos && allDigits(rest.substr(colon + 1))) {
        t.width = std::stoi(rest.substr(colon + 1, 5));
        rest.erase(colon);
    }
    if (rest.size() > 1 && rest[0] == '=') {
        // "{n}" stands for the pass number of a repeated command.
        std::string digits = rest.substr(rest[1] == '-' ? 2 : 1);
        for (std::size_t pass; (pass = digits.find("{n}")) != std::string::npos;)
            digits.replace(pass, 3, "1");
        if (!allDigits(digits)) {
            error = "a number field holds " + rest;
            return std::nullopt;
        }
        t.number = true;
        rest.erase(0, 1);
    }
    t.text = rest;
    return t;
}

} // namespace

std::optional<ScriptLine> ParseScriptLine(const std::string& line, std::string& error)
{
    ScriptLine out;
    std::size_t at = 0;
    std::string text = line;
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    if (at == text.size() || text[at] == '#')
        return out;
    while (at < text.size() && text[at] != ' ' && text[at] != '\t')
        out.command += text[at++];
    for (;;) {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
            ++at;
        if (at == text.size())
            return out;
        auto token = readToken(text, at, error);
        if (!token)
            return std::nullopt;
        out.tokens.push_back(std::move(*token));
    }
}

std::optional<std::string> BuildFields(const std::vector<ScriptToken>& tokens, std::string& error)
{
    std::string out;
    for (const ScriptToken& t : tokens) {
        if (t.width < 0) {
            out += t.text;
            continue;
        }
        const std::size_t width = static_cast<std::size_t>(t.width);
        if (t.text.size() > width) {
            error = "\"" + t.text + "\" is longer than its " + std::to_string(width) + " characters";
            return std::nullopt;
        }
        if (!t.number) {
            out += t.text + std::string(width - t.text.size(), ' ');
        } else if (t.text[0] == '-') {
            out += "-" + std::string(width - t.text.size(), '0') + t.text.substr(1);
        } else {
            out += std::string(width - t.text.size(), '0') + t.text;
        }
    }
    return out;
}

std::vector<ScriptToken> WithPass(const std::vector<ScriptToken>& tokens, int n)
{
    std::vector<ScriptToken> out = tokens;
    for (ScriptToken& t : out) {
        for (std::size_t at; (at = t.text.find("{n}")) != std::string::npos;)
            t.text.replace(at, 3, std::to_string(n));
    }
    return out;
}

} // namespace exchange::client
