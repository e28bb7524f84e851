// Position windows (46, 90, 86, 45, 47, 126) and dialog requests (88, 89, 60,
// 61, 62, 91, 94, 95, 39, 121) against their layouts.
#include "exchange_fixture.h"
#include "golden.h"

namespace exchange::test {
namespace {

class PositionTest : public ExchangeTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(logon(1, "BRK1MGR").type, kAccepted);
        ASSERT_EQ(logon(2, "BRK2T1").type, kAccepted);
        ASSERT_EQ(logon(9, "SUP1").type, kAccepted);
    }
    std::vector<std::string> ask(int slot, const std::string& user, int code, const std::string& key)
    {
        return request(slot, ++seq_[slot], code, User(user) + key);
    }
    uint32_t seq_[16] = {};
};

const std::string kFirst = "0000000000";

TEST_F(PositionTest, CashPositionsByFirmUserAndAccount)
{
    const auto firm = ask(1, "BRK1MGR", 46, kFirst + User("BRK1"));
    ASSERT_EQ(firm.size(), 1u);
    EXPECT_EQ(firm[0],
        Golden(133,
            { { 0, "0000000001" }, { 10, "BRK1" }, { 22, "HUF" }, { 25, "HUF1" }, { 29, "00000000250000000" },
                { 46, "00000000180000000" }, { 63, "00000000020000000" }, { 80, "00000000500000000" },
                { 97, "Y" }, { 98, "00000000400000000" }, { 115, "Y" }, { 116, "0000000100000000" },
                { 132, "Y" } }));
    // A negative figure keeps its sign inside the width.
    EXPECT_EQ(ask(2, "BRK2T1", 46, kFirst + User("BRK2")).front().substr(46, 17), "-0000000001500000");
    // Another firm's positions stay hidden; the supervisor sees them.
    EXPECT_TRUE(ask(2, "BRK2T1", 46, kFirst + User("BRK1")).empty());
    EXPECT_EQ(ask(9, "SUP1", 46, kFirst + User("BRK1")).size(), 1u);
    EXPECT_EQ(ask(1, "BRK1MGR", 90, kFirst + User("BRK1T1") + User("BRK1")).front(),
        Golden(145,
            { { 0, "0000000002" }, { 10, "BRK1T1" }, { 22, "BRK1" }, { 34, "HUF" }, { 37, "HUF1" },
                { 41, "00000000050000000" }, { 58, "00000000042000000" }, { 75, "00000000003000000" },
                { 92, "00000000080000000" }, { 109, "Y" }, { 110, "00000000060000000" }, { 127, "N" },
                { 128, "0000000010000000" }, { 144, "Y" } }));
    const auto account = ask(1, "BRK1MGR", 86, kFirst + User("BRK1A1") + User("BRK1") + User(""));
    ASSERT_EQ(account.size(), 1u);
    EXPECT_EQ(account[0].substr(0, 34), "0000000003BRK1A1      BRK1        ");
    // Nothing after the last change.
    EXPECT_TRUE(ask(1, "BRK1MGR", 46, "0000000003" + User("BRK1")).empty());
}

TEST_F(PositionTest, SecurityAndAccountPositions)
{
    const auto firm = ask(1, "BRK1MGR", 45, kFirst + User("") + User(""));
    ASSERT_EQ(firm.size(), 2u);
    EXPECT_EQ(firm[0],
        Golden(178,
            { { 0, "0000000001" }, { 10, "BRK1A1" }, { 22, "SHR000001" }, { 34, "0000000000001000" },
                { 50, "0000000000001000" }, { 66, "0000000000000100" }, { 82, "0000000000000050" },
                { 98, "0000000002500000" }, { 114, "0000000001200000" }, { 130, "0000000000000300" },
                { 146, "0000000000000150" }, { 162, "0000000000000001" } }));
    EXPECT_EQ(ask(1, "BRK1MGR", 47, kFirst + User("BRK1A1") + User("") + User("SHR000002")),
        std::vector<std::string> { Golden(100,
            { { 0, "0000000002" }, { 10, "BRK1A1" }, { 22, "SHR000002" }, { 34, "BRK1D1" },
                { 58, "00000001000" }, { 69, "00000001000" }, { 80, "0000000100" },
                { 90, "0000000050" } }) });
    // An account without a position answers once, marked '#'.
    EXPECT_EQ(ask(1, "BRK1MGR", 47, kFirst + User("BRK1A2") + User("") + User("")),
        std::vector<std::string> { Golden(100,
            { { 0, "0000000000" }, { 10, "BRK1A2" }, { 46, "#" }, { 58, "00000000000" },
                { 69, "00000000000" }, { 80, "0000000000" }, { 90, "0000000000" } }) });
    EXPECT_EQ(ask(1, "BRK1MGR", 126, kFirst + User("") + User("BRK1A1")).front(),
        Golden(102,
            { { 0, "0000000001" }, { 10, "SHR000001" }, { 22, "0000000002500000" },
                { 38, "0000000001200000" }, { 54, "0000000000000300" }, { 70, "0000000000000150" },
                { 86, "0000000000000001" } }));
}

TEST_F(PositionTest, DialogRequests)
{
    EXPECT_EQ(ask(1, "BRK1MGR", 88, "00000000" + User("BRK1")),
        std::vector<std::string> { Golden(66,
            { { 0, "00000001" }, { 20, "1" }, { 21, "000003" }, { 27, "BRK1A1" }, { 39, "A" },
                { 40, "BRK1A2" }, { 52, "A" }, { 53, "BRK1A3" }, { 65, "S" } }) });
    EXPECT_EQ(ask(1, "BRK1MGR", 89, ""),
        std::vector<std::string> { Golden(
            32, { { 0, "000002" }, { 6, "BRK1MGRD1" }, { 18, "A" }, { 19, "BRK1MGRD2" }, { 31, "S" } }) });
    EXPECT_EQ(ask(1, "BRK1MGR", 60, "00000000" + User("BRK1")).front(),
        Golden(71,
            { { 0, "00000001" }, { 8, "BRK1" }, { 20, "1" }, { 21, "00000001" }, { 29, "GBRK1" },
                { 41, "F\xF5 csoport" } }));
    EXPECT_EQ(ask(1, "BRK1MGR", 61, "00000000" + User("BRK1") + User("GBRK1")).front(),
        Golden(125,
            { { 0, "00000001" }, { 8, "BRK1" }, { 20, "GBRK1" }, { 32, "1" }, { 33, "00000002" },
                { 41, "BRK1A1" },
                { 53,
                    "\xDC"
                    "gyf\xE9lsz\xE1mla 1" },
                { 83, "BRK1A2" },
                { 95,
                    "\xDC"
                    "gyf\xE9lsz\xE1mla 2" } }));
    EXPECT_EQ(ask(1, "BRK1MGR", 62, "00000000" + User("BRK1") + User("GBRK1")).front(),
        Golden(67,
            { { 0, "00000001" }, { 8, "BRK1" }, { 20, "GBRK1" }, { 32, "1" }, { 33, "00000002" },
                { 41, "BRK1T1" }, { 53, "A" }, { 54, "BRK1T2" }, { 66, "A" } }));
    EXPECT_EQ(ask(1, "BRK1MGR", 91, kFirst).front(),
        Golden(61,
            { { 0, "0000000000" }, { 10, "004" }, { 13, "PREOPEN" }, { 25, "OPEN" }, { 37, "CLOSE" },
                { 49, "HALT" } }));
    const std::string bond = "0BONDBND000001   ";
    EXPECT_EQ(ask(1, "BRK1MGR", 94, bond + "        " + "000005000").front(), "000100000");
    EXPECT_EQ(ask(1, "BRK1MGR", 95, bond + "        " + "000100000").front(), "000005000");
    EXPECT_TRUE(ask(1, "BRK1MGR", 94, "0BONDNOSUCH      " + std::string(8, ' ') + "000005000").empty());
    EXPECT_EQ(ask(9, "SUP1", 39, "00000000" + User("BRK1T1")),
        std::vector<std::string> {
            Golden(48, { { 0, "00000001" }, { 8, "127.0.0.1" }, { 28, "127.0.0.254" } }) });
    // Auction results: one row per size, then the empty reply ends the loop.
    const std::string prim = "0PRIMPRM000001   ";
    const std::string rows = "0000000000000100"
                             "0000000000001000";
    const auto results = ask(1, "BRK1MGR", 121,
        prim + rows
            + "0000000000000000"
              "0000000000000100"
              "000098000"
              "P"
              "0000000001");
    ASSERT_EQ(results.size(), 10u);
    EXPECT_EQ(results[0].size(), 118u);
    EXPECT_EQ(results[9].substr(17, 17), "Y0000000000000010");
    EXPECT_TRUE(ask(1, "BRK1MGR", 121,
        prim + rows
            + "0000000000000010"
              "0000000000000100"
              "000098000"
              "P"
              "0000000001")
                    .empty());
}

} // namespace
} // namespace exchange::test
