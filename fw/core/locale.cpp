#include "fw/core/locale.h"

#include <langinfo.h>
#include <locale.h>

#include "fw/core/codepage.h"

namespace fw {
namespace {

// A separator from the C library (in the locale's own encoding, UTF-8 for every locale we
// read) as Windows-1250; the space variants that Windows-1250 lacks become a plain blank.
std::string separator(const char* text, const char* fallback)
{
    std::string_view s = text ? text : "";
    if (s.empty())
        return "";
    if (s == "\u202F" || s == "\u2009" || s == "\u00A0")
        return " ";
    auto r = utf8ToCp1250(s);
    return r.ok() ? r.text : fallback;
}

} // namespace

LocaleInfo englishLocale()
{
    return LocaleInfo {};
}

LocaleInfo hungarianLocale()
{
    LocaleInfo l;
    l.languageId = kLangHungarian;
    l.decimalSep = ",";
    l.thousandSep = " ";
    l.shortDate = "yyyy.MM.dd.";
    l.timeFormat = "H:mm:ss";
    l.hundred = 's';
    l.thousand = 'e';
    l.million = 'm';
    return l;
}

std::string pictureFromStrftime(std::string_view f)
{
    std::string out;
    std::string literal;
    const auto flushLiteral = [&] {
        bool hasLetter = false;
        for (char c : literal)
            hasLetter = hasLetter || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        out += hasLetter ? "'" + literal + "'" : literal;
        literal.clear();
    };
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%' || i + 1 == f.size()) {
            literal += f[i];
            continue;
        }
        char spec = f[++i];
        // glibc's flags: '-' drops the padding ("%-d" is "d"); the others do not change the picture.
        bool unpadded = false;
        while ((spec == '-' || spec == '_' || spec == '0' || spec == '^' || spec == '#' || spec == 'E'
                   || spec == 'O')
            && i + 1 < f.size()) {
            unpadded = unpadded || spec == '-';
            spec = f[++i];
        }
        const char* picture = nullptr;
        // clang-format off
        switch (spec) {
        case 'Y': picture = "yyyy"; break;
        case 'y': picture = "yy"; break;
        case 'm': picture = "MM"; break;
        case 'd': picture = "dd"; break;
        case 'e': picture = "d"; break;
        case 'b':
        case 'h': picture = "MMM"; break;
        case 'B': picture = "MMMM"; break;
        case 'a': picture = "ddd"; break;
        case 'A': picture = "dddd"; break;
        case 'H': picture = "HH"; break;
        case 'k': picture = "H"; break;
        case 'I': picture = "hh"; break;
        case 'l': picture = "h"; break;
        case 'M': picture = "mm"; break;
        case 'S': picture = "ss"; break;
        case 'p':
        case 'P': picture = "tt"; break;
        case 'D': picture = "MM/dd/yy"; break;
        case 'F': picture = "yyyy-MM-dd"; break;
        case 'T': picture = "HH:mm:ss"; break;
        case 'R': picture = "HH:mm"; break;
        case 'r': picture = "hh:mm:ss tt"; break;
        case '%': literal += '%'; continue;
        case 'n': literal += ' '; continue;
        case 't': literal += ' '; continue;
        default: continue; // time zones and the like have no picture
        }
        // clang-format on
        flushLiteral();
        const std::string_view p = picture;
        const bool twoLetters = p.size() == 2 && p[0] == p[1] && p[0] != 'y' && p[0] != 't';
        out += (unpadded && twoLetters) ? p.substr(0, 1) : p;
    }
    flushLiteral();
    return out;
}

std::optional<LocaleInfo> localeFromSystem(const char* name)
{
    locale_t loc = ::newlocale(LC_ALL_MASK, name, static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr))
        return std::nullopt;
    LocaleInfo l;
    const std::string_view n = name;
    l.languageId = (n.substr(0, 2) == "hu") ? kLangHungarian : kLangEnglishUS;
    l.decimalSep = separator(::nl_langinfo_l(RADIXCHAR, loc), ".");
    if (l.decimalSep.empty())
        l.decimalSep = ".";
    l.thousandSep = separator(::nl_langinfo_l(THOUSEP, loc), " ");
    const char* grouping = ::nl_langinfo_l(GROUPING, loc);
    l.grouping = (grouping && grouping[0] > 0 && grouping[0] < 10) ? grouping[0] : 3;
    const auto picture
        = [](const char* fmt) { return utf8ToCp1250(pictureFromStrftime(fmt ? fmt : "")).text; };
    l.shortDate = picture(::nl_langinfo_l(D_FMT, loc));
    l.timeFormat = picture(::nl_langinfo_l(T_FMT, loc));
    ::freelocale(loc);
    return l;
}

std::string twentyFourHourPicture(std::string_view picture)
{
    std::string out;
    bool quoted = false;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (c == '\'')
            quoted = !quoted;
        if (quoted) {
            out += c;
        } else if (c == 't') {
            if (!out.empty() && out.back() == ' ')
                out.pop_back();
            if (out.empty() && i + 1 < picture.size() && picture[i + 1] == ' ')
                ++i; // a leading mark takes the blank after it
        } else {
            out += c == 'h' ? 'H' : c;
        }
    }
    return out;
}

char multiplierLetter(std::string_view word)
{
    return word.empty() ? '\0' : cp1250ToLower(word.front());
}

} // namespace fw
