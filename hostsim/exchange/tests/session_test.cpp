// Logon with the workstation's password digest, the client version, the logon
// checks, password change, logoff and host time.
#include "exchange_fixture.h"

namespace exchange::test {
namespace {

TEST_F(ExchangeTest, LogonTakesTheWorkstationsDigest)
{
    EXPECT_EQ(logon(1, "BRK1T1").type, kAccepted);
    EXPECT_EQ(Text(logon(2, "SUP1")), "Logged on.");
    const struct {
        std::string text;
        const char* reason;
    } refused[] = {
        { Logon("BRK1T1", "wrong"), "Unknown user or wrong password." },
        { Logon("NOBODY", "Pass-NOBODY"), "Unknown user or wrong password." },
        { Logon("BRK1T1", "Pass-BRK1T1").substr(0, 40), "The logon text is too short." },
        // The digest covers the user: another user's digest does not open this one.
        { User("BRK1T1") + PasswordDigest("Pass-BRK1T2", "BRK1T2"), "Unknown user or wrong password." },
    };
    for (const auto& c : refused) {
        const ReplyPacket r = send(3, 0, { { kLogon, c.text } });
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(r[0].type, kRefused);
        EXPECT_EQ(Text(r[0]), c.reason);
    }
    EXPECT_EQ(ex_->sessions().find(3), nullptr);
}

TEST_F(ExchangeTest, LogonChecksAnswerNoYesOrPw)
{
    const std::string version = "Kv-" + std::string("3.2.0.17") + std::string(12, ' ');
    ASSERT_EQ(logon(1, "BRK1T1").type, kAccepted);
    EXPECT_EQ(transaction(1, 1, 182, User("BRK1T1") + version).type, kAccepted);
    EXPECT_EQ(transaction(1, 2, 152, User("BRK1T1")).data, std::string("NO\0", 3));

    // A user who needs a security code.
    ASSERT_EQ(logon(2, "BRK4T1").type, kAccepted);
    EXPECT_EQ(Text(transaction(2, 1, 152, User("BRK4T1"))), "YES");
    EXPECT_EQ(transaction(2, 2, 153, User("BRK4T1") + "1111                ").type, kRefused);
    EXPECT_EQ(transaction(2, 3, 153, User("BRK4T1") + "4711                ").type, kAccepted);

    // A user whose password expired: PW until the password changes, then NO.
    ASSERT_EQ(logon(3, "BRK2T2").type, kAccepted);
    EXPECT_EQ(Text(transaction(3, 1, 152, User("BRK2T2"))), "PW");
    const std::string oldDigest = PasswordDigest("Pass-BRK2T2", "BRK2T2");
    const std::string newDigest = PasswordDigest("Changed-99", "BRK2T2");
    EXPECT_EQ(transaction(3, 2, 131, User("BRK2T2") + newDigest + newDigest).type, kRefused);
    EXPECT_EQ(transaction(3, 3, 131, User("BRK2T2") + oldDigest + newDigest).type, kAccepted);
    EXPECT_EQ(Text(transaction(3, 4, 152, User("BRK2T2"))), "NO");
    // The next logon takes the new password only.
    EXPECT_EQ(send(4, 0, { { kLogon, Logon("BRK2T2", "Pass-BRK2T2") } }).front().type, kRefused);
    EXPECT_EQ(send(4, 0, { { kLogon, Logon("BRK2T2", "Changed-99") } }).front().type, kAccepted);
}

TEST_F(ExchangeTest, HostTimeIsTimeThenTradingDate)
{
    ASSERT_EQ(logon(1, "BRK1T1").type, kAccepted);
    EXPECT_EQ(request(1, 1, 32, User("BRK1T1")), std::vector<std::string> { "10150020261210" });
    // The broadcast switch and the log-printing reset answer with the empty message only.
    EXPECT_TRUE(request(1, 2, 29, User("BRK1T1")).empty());
    EXPECT_TRUE(request(1, 3, 68, User("BRK1T1")).empty());
    EXPECT_TRUE(ex_->sessions().find(1)->broadcasts);
}

TEST_F(ExchangeTest, LogoffEndsTheSession)
{
    ASSERT_EQ(logon(1, "BRK1T1").type, kAccepted);
    EXPECT_EQ(transaction(1, 1, 130, User("BRK1T1")).type, kAccepted);
    EXPECT_EQ(ex_->sessions().find(1), nullptr);
    EXPECT_EQ(transaction(1, 2, 152, User("BRK1T1")).type, kRefused);
}

} // namespace
} // namespace exchange::test
