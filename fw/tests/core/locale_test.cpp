#include "fw/core/locale.h"

#include <gtest/gtest.h>

#include "fw/core/codepage.h"

namespace {

TEST(Locale, PicturesFromStrftime)
{
    struct Case {
        const char* strftime;
        const char* picture;
    } cases[] = {
        { "%m/%d/%y", "MM/dd/yy" },
        { "%Y-%m-%d", "yyyy-MM-dd" },
        { "%Y. %m. %d.", "yyyy. MM. dd." },
        { "%H:%M:%S", "HH:mm:ss" },
        { "%I:%M:%S %p", "hh:mm:ss tt" },
        { "%T", "HH:mm:ss" },
        { "%-d.%-m.%Y %-H", "d.M.yyyy H" }, // the - flag drops the padding
        { "%e de %B", "d' de 'MMMM" }, // literal letters are quoted
        { "%H:%M:%S %Z", "HH:mm:ss " },
    };
    for (const auto& c : cases)
        EXPECT_EQ(fw::pictureFromStrftime(c.strftime), c.picture) << c.strftime;
}

TEST(Locale, TwentyFourHourPictures)
{
    struct Case {
        const char* picture;
        const char* without;
    } cases[] = {
        { "h:mm:ss tt", "H:mm:ss" },
        { "hh:mm t", "HH:mm" },
        { "tt h:mm", "H:mm" },
        { "H:mm:ss", "H:mm:ss" },
        { "h' ttt 'mm tt", "H' ttt 'mm" }, // quoted letters are text
        { "M/d/yyyy", "M/d/yyyy" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(fw::twentyFourHourPicture(c.picture), c.without) << c.picture;
}

TEST(Locale, SystemCLocale)
{
    const auto l = fw::localeFromSystem("C");
    ASSERT_TRUE(l.has_value());
    EXPECT_EQ(l->decimalSep, ".");
    EXPECT_EQ(l->shortDate, "MM/dd/yy");
    EXPECT_EQ(l->timeFormat, "HH:mm:ss");
    EXPECT_EQ(l->languageId, fw::kLangEnglishUS);
    EXPECT_FALSE(fw::localeFromSystem("xx_NOWHERE.UTF-8").has_value());
}

TEST(Locale, HungarianLocaleWhenInstalled)
{
    const auto l = fw::localeFromSystem("hu_HU.UTF-8");
    if (!l)
        GTEST_SKIP() << "hu_HU.UTF-8 is not installed";
    EXPECT_EQ(l->languageId, fw::kLangHungarian);
    EXPECT_EQ(l->decimalSep, ",");
    EXPECT_FALSE(l->thousandSep.empty());
    EXPECT_NE(l->thousandSep, l->decimalSep);
    EXPECT_EQ(l->grouping, 3);
}

TEST(Locale, MultiplierLetters)
{
    EXPECT_EQ(fw::multiplierLetter("Hundred"), 'h');
    EXPECT_EQ(fw::multiplierLetter(fw::utf8ToCp1250("Ötszáz").text), '\xF6');
    EXPECT_EQ(fw::multiplierLetter(""), '\0');
    const auto hu = fw::hungarianLocale();
    EXPECT_EQ(hu.hundred, 's');
    EXPECT_EQ(hu.thousand, 'e');
    EXPECT_EQ(hu.million, 'm');
    EXPECT_EQ(hu.decimalSep, ",");
    EXPECT_NE(hu, fw::englishLocale());
}

} // namespace
