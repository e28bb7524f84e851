#include <gtest/gtest.h>

#include "kv32/filters/letter_filter.h"

namespace {

TEST(LetterFilter, StatesAcceptTheirLetters)
{
    struct Case {
        int state;
        const char* accepted;
    };
    const Case cases[] = { { 0, "SsPpNx " }, { 1, "Ss" }, { 2, "Pp" }, { 3, "" }, { -1, "" } };
    for (const Case& c : cases) {
        CLetterFilter filter;
        filter.m_nState = c.state;
        for (char letter : std::string("SsPpNx ")) {
            const bool expected = std::string(c.accepted).find(letter) != std::string::npos;
            EXPECT_EQ(filter.Matches(letter), expected)
                << "state " << c.state << " letter '" << letter << "'";
        }
    }
    EXPECT_TRUE(CLetterFilter().Matches('Q')) << "a new filter accepts every letter";
}

TEST(LetterFilter, StarMarkAndAcceptAll)
{
    EXPECT_TRUE(IsStarMarked("123456789*rest"));
    EXPECT_FALSE(IsStarMarked("*23456789 rest"));
    EXPECT_FALSE(IsStarMarked("123456789")) << "a record without a tenth character";
    EXPECT_EQ(AcceptAll(nullptr), 1);
}

} // namespace
