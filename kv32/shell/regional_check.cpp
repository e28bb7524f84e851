#include "kv32/shell/regional_check.h"

#include <climits>
#include <clocale>
#include <locale.h>

#include "kv32/res/ids.h"
#include "kv32/res/strings.h"
#include "kvcore/app/message_box.h"
#include "kvcore/values/field_codecs.h"

namespace {

int LeadingGroup(const std::optional<std::string>& grouping)
{
    return grouping ? Vorl2Int(grouping->data(), static_cast<int>(grouping->size())) : 3;
}

// The C library's grouping bytes as the "3;2;0" text of the regional settings.
std::optional<std::string> GroupingText(const char* bytes)
{
    if (bytes == nullptr || *bytes == '\0')
        return std::nullopt;
    std::string text;
    for (const char* p = bytes; *p != '\0' && *p != CHAR_MAX; ++p) {
        if (!text.empty())
            text += ';';
        text += std::to_string(static_cast<int>(*p));
    }
    return text;
}

std::optional<std::string> Text(const char* text)
{
    if (text == nullptr || *text == '\0')
        return std::nullopt;
    return std::string(text);
}

} // namespace

unsigned CheckRegionalFormats(const RegionalFormats& f)
{
    if (LeadingGroup(f.numberGrouping) != LeadingGroup(f.currencyGrouping))
        return IDS_REGIONAL_GROUPING_DIFFER;
    if (f.numberThousands != f.currencyThousands)
        return IDS_REGIONAL_THOUSANDS_DIFFER;
    if (f.numberDecimal != f.currencyDecimal)
        return IDS_REGIONAL_DECIMAL_DIFFER;
    return 0;
}

std::optional<RegionalFormats> RegionalFormatsOfLocale(const char* localeName)
{
    locale_t locale
        = newlocale(LC_NUMERIC_MASK | LC_MONETARY_MASK, localeName != nullptr ? localeName : "", nullptr);
    if (locale == nullptr)
        return std::nullopt;
    const locale_t previous = uselocale(locale);
    const lconv* conv = localeconv();
    RegionalFormats f;
    f.numberGrouping = GroupingText(conv->grouping);
    f.numberThousands = Text(conv->thousands_sep);
    f.numberDecimal = Text(conv->decimal_point);
    f.currencyGrouping = GroupingText(conv->mon_grouping);
    f.currencyThousands = Text(conv->mon_thousands_sep);
    f.currencyDecimal = Text(conv->mon_decimal_point);
    uselocale(previous);
    freelocale(locale);
    if (!f.currencyGrouping && !f.currencyThousands && !f.currencyDecimal) {
        f.currencyGrouping = f.numberGrouping;
        f.currencyThousands = f.numberThousands;
        f.currencyDecimal = f.numberDecimal;
    }
    return f;
}

bool CheckRegionalSettings(const char* localeName)
{
    // A locale the C library cannot open leaves the program in "C", whose
    // numbers and (absent) currency agree.
    const RegionalFormats formats
        = RegionalFormatsOfLocale(localeName).value_or(RegionalFormatsOfLocale("C").value());
    const unsigned failed = CheckRegionalFormats(formats);
    if (failed != 0)
        KvMessageBox(Kv32LoadString(failed), fw::MB_ICONEXCLAMATION);
    return failed == 0;
}
