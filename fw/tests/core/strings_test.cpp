#include "fw/core/strings.h"

#include <gtest/gtest.h>

namespace {

const fw::StringEntry kTable[] = {
    { 30021, "Hundred", "száz" },
    { 30100, "Error loading VORL.DLL.", "Hiba a VORL.DLL betöltésekor." },
    { 30200, "Only English", nullptr },
    { 30201, "Deliberately empty in Hungarian", "" },
};

TEST(StringTable, LanguageSwitchAndFallback)
{
    fw::StringTable t;
    const auto added = t.add(kTable);
    EXPECT_EQ(added.duplicates, 0u);
    EXPECT_EQ(added.unmappable, 0u);
    struct Case {
        std::uint32_t id;
        fw::Language lang;
        std::string want;
    } cases[] = {
        { 30021, fw::Language::English, "Hundred" },
        { 30021, fw::Language::Hungarian, "sz\xE1z" }, // converted to Windows-1250
        { 30100, fw::Language::Hungarian, "Hiba a VORL.DLL bet\xF6lt\xE9sekor." },
        { 30200, fw::Language::Hungarian, "Only English" },
        { 30201, fw::Language::Hungarian, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(t.get(c.id, c.lang), c.want) << c.id;
    std::string out = "untouched";
    EXPECT_FALSE(t.lookup(99999, fw::Language::English, out));
    EXPECT_EQ(out, "untouched");
}

TEST(StringTable, DuplicatesAndUnmappableTextsAreCounted)
{
    fw::StringTable t;
    t.add(kTable);
    const fw::StringEntry more[] = { { 30021, "Hundreds", "száz" }, { 1, "日本", "ok" } };
    const auto r = t.add(more);
    EXPECT_EQ(r.duplicates, 1u);
    EXPECT_EQ(r.unmappable, 1u);
    EXPECT_EQ(t.get(30021, fw::Language::English), "Hundreds");
}

TEST(StringTable, GlobalLoadStringFollowsTheLanguage)
{
    fw::strings().add(kTable);
    fw::setLanguage(fw::Language::Hungarian);
    EXPECT_EQ(fw::loadString(30021), "sz\xE1z");
    fw::setLanguage(fw::Language::English);
    EXPECT_EQ(fw::loadString(30021), "Hundred");
    std::string out;
    EXPECT_FALSE(fw::loadString(424242, out));
    EXPECT_EQ(fw::loadString(424242), "");
}

} // namespace
