// CDateTime's display forms: the user's date and time pictures, both ways.
#include <cctype>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "kvcore/values/cdatetime.h"
#include "kvcore/values/intl_info.h"

namespace {

constexpr size_t kMaxDisplayLength = 49;

// The locale record has no morning/afternoon marks; they follow the language.
std::string AmMark(const fw::LocaleInfo& intl)
{
    return intl.languageId == fw::kLangHungarian ? "de." : "AM";
}
std::string PmMark(const fw::LocaleInfo& intl)
{
    return intl.languageId == fw::kLangHungarian ? "du." : "PM";
}

std::string Number(int value, int minDigits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", minDigits, value);
    return buf;
}

// Renders a picture; the letters d M y h H m s t repeat to choose their form,
// text in single quotes is copied, everything else is a literal.
std::string RenderPicture(std::string_view picture, const CDateTime& t)
{
    const fw::LocaleInfo& intl = KvIntl();
    std::string out;
    size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        if (c == '\'') {
            const size_t close = picture.find('\'', i + 1);
            const size_t end = close == std::string_view::npos ? picture.size() : close;
            out.append(picture.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        const int width = run >= 2 ? 2 : 1;
        switch (c) {
        case 'd':
            out += Number(t.GetDay(), width);
            break;
        case 'M':
            out += Number(t.GetMonth(), width);
            break;
        case 'y':
            out += run >= 3 ? Number(t.GetYear(), 4) : Number(t.GetYear() % 100, width);
            break;
        case 'H':
            out += Number(t.GetHour(), width);
            break;
        case 'h':
            out += Number(t.GetHour() % 12 == 0 ? 12 : t.GetHour() % 12, width);
            break;
        case 'm':
            out += Number(t.GetMinute(), width);
            break;
        case 's':
            out += Number(t.GetSecond(), width);
            break;
        case 't': {
            const std::string mark = t.GetHour() < 12 ? AmMark(intl) : PmMark(intl);
            out += run >= 2 ? mark : mark.substr(0, 1);
            break;
        }
        default:
            out.append(run, c);
            break;
        }
        i += run;
    }
    return out.size() > kMaxDisplayLength ? std::string() : out;
}

bool ContainsNoCase(std::string_view text, std::string_view word)
{
    if (word.empty() || word.size() > text.size())
        return false;
    for (size_t i = 0; i + word.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < word.size()
            && std::tolower(static_cast<unsigned char>(text[i + k]))
                == std::tolower(static_cast<unsigned char>(word[k]))) {
            ++k;
        }
        if (k == word.size())
            return true;
    }
    return false;
}

struct NumberToken {
    int value;
    int digits;
    char next; // the byte after the number, 0 at the end
};

} // namespace

std::string CDateTime::FormatDate() const
{
    return IsValid() ? RenderPicture(KvIntl().shortDate, *this) : std::string();
}

std::string CDateTime::FormatTime() const
{
    return IsValid() ? RenderPicture(KvIntl().timeFormat, *this) : std::string();
}

int CDateTime::ParseDateTime(const char* text, unsigned flags, unsigned /*localeId*/)
{
    const fw::LocaleInfo& intl = KvIntl();
    const std::string_view in = text == nullptr ? std::string_view() : std::string_view(text);
    std::vector<NumberToken> numbers;
    for (size_t i = 0; i < in.size();) {
        if (!std::isdigit(static_cast<unsigned char>(in[i]))) {
            ++i;
            continue;
        }
        NumberToken tok { 0, 0, 0 };
        while (i < in.size() && std::isdigit(static_cast<unsigned char>(in[i]))) {
            if (tok.digits < 9)
                tok.value = tok.value * 10 + (in[i] - '0');
            ++tok.digits;
            ++i;
        }
        tok.next = i < in.size() ? in[i] : 0;
        numbers.push_back(tok);
    }
    // The time is the run of numbers joined by ':'; the date is what is left.
    std::vector<NumberToken> date;
    std::vector<int> time;
    for (size_t k = 0; k < numbers.size(); ++k) {
        const bool joined = numbers[k].next == ':' || (k > 0 && numbers[k - 1].next == ':');
        if (joined || (flags & kTimeValueOnly)) {
            time.push_back(numbers[k].value);
        } else {
            date.push_back(numbers[k]);
        }
    }
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    if ((flags & kTimeValueOnly) == 0) {
        if (date.size() != 3) {
            SetDateTime(0, 0, 0, 0, 0, 0);
            return 0;
        }
        // Field order follows the first y, M and d of the user's picture.
        const std::string& pic = intl.shortDate;
        const size_t py = pic.find('y'), pm = pic.find('M'), pd = pic.find('d');
        const size_t pos[3] = { py, pm, pd };
        int* target[3] = { &year, &month, &day };
        for (int f = 0; f < 3; ++f) {
            int rank = 0;
            for (int g = 0; g < 3; ++g)
                rank += pos[g] < pos[f];
            *target[f] = date[static_cast<size_t>(rank)].value;
            if (f == 0 && date[static_cast<size_t>(rank)].digits <= 2)
                year += year < 30 ? 2000 : 1900;
        }
    }
    if ((flags & kDateValueOnly) == 0 && !time.empty()) {
        if (time.size() > 3) {
            SetDateTime(0, 0, 0, 0, 0, 0);
            return 0;
        }
        hour = time[0];
        minute = time.size() > 1 ? time[1] : 0;
        second = time.size() > 2 ? time[2] : 0;
        const bool pm = ContainsNoCase(in, PmMark(intl));
        const bool am = ContainsNoCase(in, AmMark(intl));
        if ((pm || am) && (hour < 1 || hour > 12)) {
            SetDateTime(0, 0, 0, 0, 0, 0);
            return 0;
        }
        if (pm && hour < 12)
            hour += 12;
        if (am && hour == 12)
            hour = 0;
    }
    return SetDateTime(year, month, day, hour, minute, second) == 0 ? 1 : 0;
}
