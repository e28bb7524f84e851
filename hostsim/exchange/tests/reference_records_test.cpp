// Snapshot records of the reference tables, the participants, the traders and
// the rights, byte for byte against their layouts, with resume keys and the
// last-record flag.
#include "exchange_fixture.h"
#include "golden.h"

namespace exchange::test {
namespace {

class SnapshotTest : public ExchangeTest {
protected:
    void SetUp() override { ASSERT_EQ(logon(1, "BRK1T1").type, kAccepted); }
    std::vector<std::string> snapshot(int code, const std::string& key)
    {
        return request(1, ++seq_, code, User("BRK1T1") + key);
    }
    uint32_t seq_ = 0;
};

TEST_F(SnapshotTest, ReferenceRecordsMatchTheirLayouts)
{
    const struct {
        int code;
        std::size_t count;
        std::size_t index; // which record to compare
        std::string expected;
    } cases[] = {
        { 22, 6, 0,
            Golden(44,
                { { 0, "00000001" }, { 8, "MAIN" },
                    { 12,
                        "F\xF5 t\xE1"
                        "bla" },
                    { 42, "A" }, { 43, "0" } }) },
        { 22, 6, 5,
            Golden(44, { { 0, "00000006" }, { 8, "INDX" }, { 12, "Indexek" }, { 42, "A" }, { 43, "1" } }) },
        { 20, 3, 0,
            Golden(44,
                { { 0, "00000001" }, { 8, "EQTY" }, { 12, "R\xE9szv\xE9nypiac" }, { 42, "A" },
                    { 43, "0" } }) },
        { 21, 4, 0,
            Golden(44,
                { { 0, "00000001" }, { 8, "SHAR" }, { 12, "R\xE9szv\xE9ny" }, { 42, "A" }, { 43, "0" } }) },
        { 23, 5, 4,
            Golden(43, { { 0, "00000005" }, { 8, "GOVT" }, { 12, "\xC1llampap\xEDrok" }, { 42, "1" } }) },
        { 115, 3, 0,
            Golden(58,
                { { 0, "00000001" }, { 8, "A" }, { 11, "A" }, { 12, "Akt\xEDv" }, { 52, "0" }, { 53, "03" },
                    { 55, "011" } }) },
        { 65, 2, 0, Golden(41, { { 0, "00000001" }, { 8, "HU" }, { 10, "Magyar" }, { 40, "0" } }) },
        { 73, 3, 0,
            Golden(43, { { 0, "00000001" }, { 8, "ANNC" }, { 12, "K\xF6zlem\xE9ny" }, { 42, "0" } }) },
        { 116, 3, 0,
            Golden(42,
                { { 0, "00000001" }, { 8, "E" }, { 9, " " }, { 10, "Y" }, { 11, "Elektronikus" },
                    { 41, "0" } }) },
        { 77, 2, 0, Golden(53, { { 0, "00000001" }, { 8, "SESS" }, { 12, "Munkamenetek" }, { 52, "0" } }) },
        { 76, 4, 3,
            Golden(58,
                { { 0, "00000004" }, { 8, "TRAD" }, { 12, "CANC" }, { 16, "K\xF6t\xE9s t\xF6rl\xE9se" },
                    { 56, " " }, { 57, "1" } }) },
        { 19, 20, 0,
            Golden(169,
                { { 0, "00000001" }, { 8, "BRK1" }, { 20, "Els\xF5 Magyar \xC9rt\xE9kt\xF5zsde Zrt." },
                    { 50, "A" }, { 51, "0000000000000000" }, { 67, "0000000000000000" }, { 83, "N" },
                    { 84, "BROK" }, { 88, "+36 1 444 0001" }, { 168, "0" } }) },
        { 18, 60, 0,
            Golden(158,
                { { 0, "00000001" }, { 8, "BRK1T1" },
                    { 20,
                        "Kov\xE1"
                        "cs \xC9va" },
                    { 50, "BRK1" }, { 62, "TRADER" }, { 74, "A" }, { 75, "N" }, { 76, "N" },
                    { 77, "+36 1 555 1001" }, { 157, "0" } }) },
    };
    for (const auto& c : cases) {
        const std::vector<std::string> records = snapshot(c.code, "00000000");
        ASSERT_EQ(records.size(), c.count) << c.code;
        EXPECT_EQ(records[c.index], c.expected) << c.code;
        // Only the final record carries the last-record flag.
        for (std::size_t i = 0; i < records.size(); ++i)
            EXPECT_EQ(records[i][records[i].size() - (c.code == 115 ? 6 : 1)], i + 1 == c.count ? '1' : '0');
    }
}

TEST_F(SnapshotTest, MessageTextsTakeTheTenDigitFirstKey)
{
    const std::string title = "Nyit\xE1s k\xE9sik";
    const std::string text = "A keresked\xE9s nyit\xE1sa technikai okb\xF3l 15 percet k\xE9sik.";
    const auto first = snapshot(66, "0000000000");
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0], Golden(294, { { 0, "00000001" }, { 8, title }, { 38, text }, { 293, "0" } }));
    EXPECT_EQ(snapshot(66, "00000001").size(), 1u);
}

TEST_F(SnapshotTest, SnapshotResumesAfterTheKeyAndEndsEmpty)
{
    const auto rest = snapshot(18, "00000058");
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(rest[0].substr(0, 8), "00000059");
    EXPECT_EQ(rest[1].substr(0, 8), "00000060");
    EXPECT_EQ(rest[1].back(), '1');
    EXPECT_TRUE(snapshot(18, "00000060").empty());
    EXPECT_TRUE(snapshot(18, "99999999").empty());
}

TEST_F(SnapshotTest, RightsResumeByTypeAndOperatorCode)
{
    const auto all = snapshot(93, "000000");
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(
        all.front(), Golden(23, { { 0, "017" }, { 3, "000" }, { 6, "0000000000000001" }, { 22, "0" } }));
    // The trader's scope values for users (2) and participants (4).
    EXPECT_NE(std::find(all.begin(), all.end(),
                  Golden(23, { { 0, "018" }, { 3, "000" }, { 6, "0000000000000002" }, { 22, "0" } })),
        all.end());
    EXPECT_EQ(all.back().back(), '1');
    const auto after = snapshot(93, "018000");
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.front().substr(0, 6), "019000");
    // A supervisor's operator codes of 142 resume inside the type.
    ASSERT_EQ(logon(2, "SUP1").type, kAccepted);
    const auto ops = request(2, 1, 93, User("SUP1") + "142005");
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops.front().substr(0, 6), "142006");
    EXPECT_TRUE(request(2, 2, 93, User("SUP1") + "195000").empty());
}

} // namespace
} // namespace exchange::test
