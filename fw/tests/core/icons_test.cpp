#include "fw/core/rescheck.h"
#include "fw/core/resources.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kGood[] = { "3 2 2 1", ". c None", "x c #102030", "x.x", ".x." };
constexpr const char* kShortRow[] = { "3 2 2 1", ". c None", "x c #102030", "x.x", ".x" };
constexpr const char* kMissingRow[] = { "3 2 2 1", ". c None", "x c #102030", "x.x" };
constexpr const char* kNoHeader[] = { "three by two" };

TEST(IconTable, IconsAreFoundByIdAndCheckedForShape)
{
    constexpr fw::IconResource good[] = { { 7001, kGood } };
    static const fw::ResourceSet set { "icons_test", {}, {}, {}, {}, good };
    fw::addResources(set);
    const fw::IconResource* found = fw::findIcon(7001);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->xpm.size(), 5u);
    EXPECT_EQ(fw::findIcon(7002), nullptr);

    struct Case {
        const char* what;
        std::span<const char* const> xpm;
        const char* error; // part of the report, nullptr when clean
    } cases[] = {
        { "good", kGood, nullptr },
        { "short row", kShortRow, "row 1 is not 3 pixels wide" },
        { "missing row", kMissingRow, "XPM has 4 lines, header asks for 5" },
        { "no header", kNoHeader, "no XPM header" },
    };
    for (const Case& c : cases) {
        const fw::IconResource icons[] = { { 7100, c.xpm } };
        const fw::ResourceSet sets[] = { { "icons_case", {}, {}, {}, {}, icons } };
        fw::ResourceReport r = fw::checkResources(sets);
        if (!c.error) {
            EXPECT_TRUE(r.errors.empty()) << c.what << ": " << r.text();
        } else {
            ASSERT_EQ(r.errors.size(), 1u) << c.what << ": " << r.text();
            EXPECT_NE(r.errors[0].find(c.error), std::string::npos) << r.errors[0];
        }
    }
    // The same id in two sets is reported like any other resource.
    const fw::IconResource a[] = { { 7200, kGood } };
    const fw::ResourceSet twice[] = { { "one", {}, {}, {}, {}, a }, { "two", {}, {}, {}, {}, a } };
    EXPECT_EQ(fw::checkResources(twice).errors.size(), 1u);
}

} // namespace
