// The client script language: tokens, widths, escapes and the errors that end a script.
#include <gtest/gtest.h>

#include "client/script.h"

namespace exchange::client {
namespace {

TEST(ClientScript, FieldsAreLaidOutByTheirTokens)
{
    const struct {
        const char* line;
        std::string command, fields;
    } cases[] = {
        { "transaction 132 BRK1A1:12 B", "transaction", std::string("132BRK1A1      B") },
        { "t \"0MAINSHR000001   \" =277500:9 =-1250:10", "t", "0MAINSHR000001   000277500-000001250" },
        { "t \"with blanks\":13 \"\":3 =7", "t", "with blanks     7" },
        { "t \"\\x05\" MAIN \"\\x00\\\"\\\\\"", "t", std::string("\x05MAIN\0\"\\", 8) },
        { "  # a comment", "", "" },
        { "", "", "" },
        { "t \"a:b\" x:y", "t", "a:bx:y" },
    };
    for (const auto& c : cases) {
        std::string error;
        const auto line = ParseScriptLine(c.line, error);
        ASSERT_TRUE(line) << c.line << ": " << error;
        EXPECT_EQ(line->command, c.command) << c.line;
        const auto fields = BuildFields(line->tokens, error);
        ASSERT_TRUE(fields) << c.line << ": " << error;
        EXPECT_EQ(*fields, c.fields) << c.line;
    }
}

TEST(ClientScript, BadTokensAndOverlongFieldsAreErrorsNotCuts)
{
    for (const char* bad : { "t \"open", "t \"bad \\q escape\"", "t \"x\"y", "t =12a:4" }) {
        std::string error;
        EXPECT_FALSE(ParseScriptLine(bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    std::string error;
    const auto line = ParseScriptLine("t toolong:3 =12345:4", error);
    ASSERT_TRUE(line);
    EXPECT_FALSE(BuildFields({ line->tokens[0] }, error));
    EXPECT_NE(error.find("longer than its 3"), std::string::npos) << error;
    EXPECT_FALSE(BuildFields({ line->tokens[1] }, error));
}

TEST(ClientScript, RepeatedCommandsNumberTheirPasses)
{
    std::string error;
    const auto line = ParseScriptLine("t =27{n}000:9 \"bid {n}\":8", error);
    ASSERT_TRUE(line) << error;
    EXPECT_EQ(BuildFields(WithPass(line->tokens, 3), error), "000273000bid 3   ");
}

} // namespace
} // namespace exchange::client
