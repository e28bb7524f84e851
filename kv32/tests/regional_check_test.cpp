#include <gtest/gtest.h>

#include <clocale>
#include <locale.h>

#include "fw/core/msgbox.h"
#include "kv32/res/ids.h"
#include "kv32/res/strings.h"
#include "kv32/shell/regional_check.h"
#include "support/ui_recorder.h"

namespace {

using Opt = std::optional<std::string>;

TEST(RegionalCheck, TableOfFormats)
{
    struct Case {
        const char* name;
        RegionalFormats formats;
        unsigned expected;
    };
    const Opt none;
    const Case cases[] = {
        { "alike", { "3;0", "3;0", ",", ",", ".", "." }, 0 },
        { "only the leading group counts", { "3;0", "3;2;0", ",", ",", ".", "." }, 0 },
        { "missing grouping counts as 3", { none, "3;3", ",", ",", ".", "." }, 0 },
        { "groupings differ", { "3;0", "4;0", ",", ",", ".", "." }, IDS_REGIONAL_GROUPING_DIFFER },
        { "missing against 2", { none, "2", ",", ",", ".", "." }, IDS_REGIONAL_GROUPING_DIFFER },
        { "group separators differ", { "3", "3", ",", " ", ".", "." }, IDS_REGIONAL_THOUSANDS_DIFFER },
        { "one group separator missing", { "3", "3", none, ".", ",", "," }, IDS_REGIONAL_THOUSANDS_DIFFER },
        { "both group separators missing", { "3", "3", none, none, ",", "," }, 0 },
        { "decimal separators differ", { "3", "3", ".", ".", ",", "." }, IDS_REGIONAL_DECIMAL_DIFFER },
        { "first difference wins", { "2", "3", ".", ",", ",", "." }, IDS_REGIONAL_GROUPING_DIFFER },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckRegionalFormats(c.formats), c.expected) << c.name;
}

bool Installed(const char* name)
{
    locale_t l = newlocale(LC_NUMERIC_MASK | LC_MONETARY_MASK, name, nullptr);
    if (l == nullptr)
        return false;
    freelocale(l);
    return true;
}

TEST(RegionalCheck, RealLocales)
{
    struct Case {
        const char* locale;
        unsigned expected;
    };
    // es_MX groups numbers with a narrow no-break space and money with a blank.
    const Case cases[] = { { "C", 0 }, { "en_US.UTF-8", 0 }, { "hu_HU.UTF-8", 0 },
        { "es_MX.UTF-8", IDS_REGIONAL_THOUSANDS_DIFFER } };
    for (const Case& c : cases) {
        if (!Installed(c.locale)) {
            ADD_FAILURE() << c.locale << " is not generated; scripts/install-deps generates it";
            continue;
        }
        const auto formats = RegionalFormatsOfLocale(c.locale);
        ASSERT_TRUE(formats.has_value()) << c.locale;
        EXPECT_EQ(CheckRegionalFormats(*formats), c.expected) << c.locale;
    }
    EXPECT_FALSE(RegionalFormatsOfLocale("xx_NOWHERE.UTF-8").has_value());
}

TEST(RegionalCheck, RefusalShowsItsMessage)
{
    kv32test::UiRecorder ui;
    EXPECT_TRUE(CheckRegionalSettings("hu_HU.UTF-8"));
    EXPECT_TRUE(ui.boxes.empty());
    if (Installed("es_MX.UTF-8")) {
        EXPECT_FALSE(CheckRegionalSettings("es_MX.UTF-8"));
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, Kv32LoadString(IDS_REGIONAL_THOUSANDS_DIFFER));
        EXPECT_EQ(ui.boxes[0].flags, fw::MB_ICONEXCLAMATION);
    }
}

} // namespace
