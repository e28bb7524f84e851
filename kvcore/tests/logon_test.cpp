// Logon, the client-version check, the security checks and the password change,
// against the scripted router.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/core/profile.h"
#include "kvcore/app/logon.h"
#include "kvcore/app/logon_checks.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/app/password_change.h"
#include "kvcore/app/session_core.h"
#include "kvcore/res/app_ids.h"
#include "kvcore/res/ids.h"
#include "fw/core/strings.h"
#include "kvcore/router/info_req.h"
#include "kvcore/security/password.h"
#include "support/scratch_dir.h"
#include "support/session_fixture.h"
#include "support/test_app.h"

namespace {

using kvtest::Fake;
using kvtest::kAccepted;
using kvtest::kRefused;

TEST(ClientVersionText, IsAlways35Bytes)
{
    EXPECT_EQ(KvClientVersionText("trader01", "1.0.0.0"), "trader01    Kv-1.0.0.0             ");
    EXPECT_EQ(KvClientVersionText("", "Unknown").size(), 35u);
    // A user longer than the field is cut as the logon text cuts it.
    EXPECT_EQ(KvClientVersionText("averyverylonguser", "65535.65535.65535.1"), "averyverylonKv-65535.65535.65535.1 ");
    EXPECT_EQ(KvClientVersionText("u", "65535.65535.65535.65535"), ""); // never cut silently
}

class Logon : public kvtest::SessionFixture {
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        fPacket = fTrPacket = 0;
        aInfoReq.RemoveAll();
        dir.Write("kv32.ini", "[vorl]\nService=kvsvc\nServer=VEXA\nTimeout=7\n");
    }
    void TearDown() override
    {
        KvSetLogonDialogs({});
        SessionFixture::TearDown();
    }
    kvtest::ScratchIniDir dir;
    kvtest::TestApp app;
};

TEST_F(Logon, ConnectsWithTheDigestAndAnnouncesTheVersion)
{
    Fake().replies.push_back({ { kAccepted, "" } });
    ASSERT_EQ(LogonAndConnect("trader01", "Secret#123"), 1);
    EXPECT_EQ(Fake().service, "kvsvc");
    EXPECT_EQ(Fake().hostType, "VEXA");
    ASSERT_FALSE(Fake().logons.empty());
    // The logon text carries the digest, never the password.
    EXPECT_EQ(Fake().logons[0].data.substr(12), PasswordDigest("Secret#123", "trader01"));
    EXPECT_EQ(session->Password(), PasswordDigest("Secret#123", "trader01"));
    ASSERT_EQ(Fake().sent.size(), 1u);
    ASSERT_EQ(Fake().sent[0].size(), 1u);
    EXPECT_EQ(Fake().sent[0][0].type, 182);
    const std::string text = Fake().sent[0][0].data;
    ASSERT_EQ(text.size(), 35u);
    EXPECT_EQ(text.substr(0, 15), "trader01    Kv-");
    // The test program carries no version record of its own.
    EXPECT_EQ(text.substr(15), "Unknown             ");
    EXPECT_TRUE(session->IsConnect());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Logon, ARefusedVersionIsShownInBothLanguagesAndDisconnects)
{
    Fake().replies.push_back({ { kRefused, "old" } });
    EXPECT_EQ(LogonAndConnect("trader01", "Secret#123"), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], fw::loadString(IDS_CLIENT_VERSION_REFUSED));
    EXPECT_NE(boxes[0].find("Please install the latest version of the Trader Bench! Program Abort."),
        std::string::npos);
    EXPECT_EQ(boxFlags[0], 0u); // OK, no icon
    EXPECT_FALSE(session->IsConnect());
    EXPECT_EQ(Fake().disconnects, 1);
}

TEST_F(Logon, AFailedConnectionSendsNothing)
{
    Fake().connectStatus = 8;
    EXPECT_EQ(LogonAndConnect("trader01", "x"), 0);
    EXPECT_TRUE(Fake().sent.empty());
    EXPECT_EQ(boxes.size(), 1u); // the router's own text
}

TEST_F(Logon, WithoutSectionVorlNothingIsGiven)
{
    dir.Write("kv32.ini", "[general]\nTimeSlice=2\n");
    const KvVorlSettings s = KvVorlSettings::Read(fw::Profile("kv32.ini"));
    EXPECT_EQ(s.service, "");
    EXPECT_EQ(s.server, "");
    EXPECT_EQ(s.timeout, 0);
    EXPECT_EQ(s.bufSize, 0);
    Fake().replies.push_back({ { kAccepted, "" } });
    EXPECT_EQ(LogonAndConnect("trader01", "x"), 1);
    EXPECT_EQ(Fake().service, "");
    EXPECT_EQ(Fake().hostType, "");
}

class SecurityChecks : public Logon {
protected:
    void SetUp() override
    {
        Logon::SetUp();
        ConnectOk("trader01");
        KvLogonDialogs dialogs;
        dialogs.securityCode = [this](std::string& code) {
            calls.push_back("code");
            code = typedCode;
            return codeOk;
        };
        dialogs.passwordChange = [this](bool expired) {
            calls.push_back(expired ? "password expired" : "password");
            return passwordOk;
        };
        KvSetLogonDialogs(dialogs);
    }
    std::vector<std::string> calls;
    std::string typedCode = "123456";
    bool codeOk = true;
    bool passwordOk = true;
};

TEST_F(SecurityChecks, TheHostsWordDecides)
{
    struct Case {
        std::vector<std::vector<kvtest::FakeMessage>> replies;
        bool passwordOk;
        int expected;
        std::vector<std::string> calls;
    } const cases[] = {
        { { { { kAccepted, "YES" } } }, true, KV_SECURITY_ASK_CODE, {} },
        { { { { kAccepted, "NO" } } }, true, KV_SECURITY_START, {} },
        { { { { kAccepted, "YES  " } } }, true, KV_SECURITY_ASK_CODE, {} },
        { { { { kRefused, "" } } }, true, KV_SECURITY_ASK_CODE, {} }, // a failed query asks the code
        { { { { kAccepted, "PW" } }, { { kAccepted, "NO" } } }, true, KV_SECURITY_START, { "password expired" } },
        { { { { kAccepted, "PW" } }, { { kAccepted, "YES" } } }, true, KV_SECURITY_ASK_CODE,
            { "password expired" } },
        // An expired password that is not changed refuses the session.
        { { { { kAccepted, "PW" } } }, false, KV_SECURITY_REFUSED, { "password expired" } },
    };
    for (const Case& c : cases) {
        Fake().sent.clear();
        calls.clear();
        passwordOk = c.passwordOk;
        for (const auto& reply : c.replies)
            Fake().replies.push_back(reply);
        EXPECT_EQ(QuerySecurityCheck(), c.expected) << c.replies[0][0].data;
        EXPECT_EQ(calls, c.calls);
        ASSERT_EQ(Fake().sent.size(), c.replies.size());
        for (const auto& packet : Fake().sent) {
            EXPECT_EQ(packet[0].type, 152);
            EXPECT_EQ(packet[0].data, "trader01    ");
        }
    }
}

TEST_F(SecurityChecks, CodeGoesInTransaction153)
{
    Fake().replies.push_back({ { kAccepted, "" } });
    EXPECT_EQ(CheckSecurityCode(), 1);
    ASSERT_EQ(Fake().sent.size(), 1u);
    EXPECT_EQ(Fake().sent[0][0].type, 153);
    EXPECT_EQ(Fake().sent[0][0].data, "trader01    123456              ");
    Fake().replies.push_back({ { kRefused, "" } });
    EXPECT_EQ(CheckSecurityCode(), 0);
    codeOk = false;
    EXPECT_EQ(CheckSecurityCode(), 0);
    EXPECT_EQ(Fake().sent.size(), 2u); // a cancelled dialog sends nothing
    codeOk = true;
    typedCode = std::string(21, '1'); // longer than the field: refused, not cut
    EXPECT_EQ(CheckSecurityCode(), 0);
    EXPECT_EQ(Fake().sent.size(), 2u);
}

TEST_F(SecurityChecks, MainFrameCombinesTheChecks)
{
    CMainFrameCoreLogic frame;
    Fake().replies.push_back({ { kAccepted, "YES" } });
    Fake().replies.push_back({ { kAccepted, "" } });
    EXPECT_EQ(frame.DoCheck(), 1);
    EXPECT_EQ(calls, (std::vector<std::string> { "code" }));
    ASSERT_EQ(Fake().sent.size(), 2u);
    EXPECT_EQ(Fake().sent[1][0].type, 153);

    calls.clear();
    passwordOk = false;
    Fake().replies.push_back({ { kAccepted, "PW" } });
    EXPECT_EQ(frame.DoCheck(), 0);
    EXPECT_EQ(calls, (std::vector<std::string> { "password expired" }));
}

TEST_F(SecurityChecks, LogoffAndResetLogPrinting)
{
    Fake().replies.push_back({ { kAccepted, "" } });
    EXPECT_EQ(SendUserLogoff("averyverylonguser"), 1);
    EXPECT_EQ(Fake().sent[0][0].type, 130);
    EXPECT_EQ(Fake().sent[0][0].data, "averyverylon");
    Fake().replies.push_back({ { 5, "" } });
    EXPECT_EQ(RequestResetLogPrinting(), 1);
    EXPECT_EQ(Fake().sent[1][0].type, 68);
    EXPECT_EQ(Fake().sent[1][0].data, "trader01    ");
}

class PasswordChange : public Logon {
protected:
    void SetUp() override
    {
        Logon::SetUp();
        ASSERT_EQ(session->Connect("kvsvc", "VEXA", "trader01", Old().c_str()), 0);
        Fake().calls.clear();
    }
    static std::string Old() { return PasswordDigest("OldPass#1", "trader01"); }
};

TEST_F(PasswordChange, StepsAndMessages)
{
    CPasswordChange dlg(1);
    EXPECT_EQ(dlg.TitleId(), unsigned(IDS_PASSWORD_EXPIRED));
    EXPECT_EQ(dlg.LabelId(), unsigned(IDS_ENTER_OLD_PASSWORD));
    struct Step {
        const char* typed;
        unsigned box; // 0: none
        int step;
        unsigned label;
        bool clear;
    } const steps[] = {
        { "OldPass#2", IDS_INCORRECT_PASSWORD, 1, IDS_ENTER_OLD_PASSWORD, false },
        { "OldPass#1", 0, 2, IDS_ENTER_NEW_PASSWORD, true },
        { "Abc#123", IDS_PASSWORD_RULES, 2, IDS_ENTER_NEW_PASSWORD, true }, // 7 characters
        { "abcdefgh", IDS_PASSWORD_RULES, 2, IDS_ENTER_NEW_PASSWORD, true }, // one kind
        { "OldPass#2", IDS_PASSWORD_TOO_SIMILAR, 2, IDS_ENTER_NEW_PASSWORD, true }, // one position
        { "NewPass#9", 0, 3, IDS_ENTER_PASSWORD_AGAIN, true },
        { "NewPass#8", IDS_PASSWORDS_DIFFER, 2, IDS_ENTER_NEW_PASSWORD, true },
        // Back at the new password, the rule still compares with the old one as typed.
        { "OldPass#3", IDS_PASSWORD_TOO_SIMILAR, 2, IDS_ENTER_NEW_PASSWORD, true },
        { "NewPass#9", 0, 3, IDS_ENTER_PASSWORD_AGAIN, true },
    };
    for (const Step& s : steps) {
        boxes.clear();
        EXPECT_FALSE(dlg.OnOK(s.typed)) << s.typed;
        if (s.box == 0) {
            EXPECT_TRUE(boxes.empty()) << s.typed;
        } else {
            ASSERT_EQ(boxes.size(), 1u) << s.typed;
            EXPECT_EQ(boxes[0], fw::loadString(s.box)) << s.typed;
            EXPECT_EQ(boxFlags[0], 0x10u); // stop icon
        }
        EXPECT_EQ(dlg.Step(), s.step) << s.typed;
        EXPECT_EQ(dlg.LabelId(), s.label) << s.typed;
        EXPECT_EQ(dlg.ClearField(), s.clear) << s.typed;
    }
    EXPECT_TRUE(Fake().sent.empty()); // nothing travels before the confirmation matches

    CSessionCore sessionDoc;
    ps = &sessionDoc;
    Fake().replies.push_back({ { kAccepted, "" } });
    EXPECT_TRUE(dlg.OnOK("NewPass#9"));
    ps = nullptr;
    const std::string fresh = PasswordDigest("NewPass#9", "trader01");
    ASSERT_EQ(Fake().sent.size(), 1u);
    EXPECT_EQ(Fake().sent[0][0].type, 131);
    EXPECT_EQ(Fake().sent[0][0].data, "trader01    " + Old() + fresh);
    // A later automatic logon uses the new password.
    EXPECT_EQ(session->Password(), fresh);
    EXPECT_EQ(Fake().logons.back().data.substr(12, 64), fresh);
    EXPECT_EQ(sessionDoc.m_sPassword, fresh);
}

TEST_F(PasswordChange, ARefusedChangeAsksForTheNewPasswordAgain)
{
    CPasswordChange dlg(0);
    EXPECT_EQ(dlg.TitleId(), 0u);
    dlg.SetCancelEnabled(false);
    EXPECT_FALSE(dlg.OnOK("OldPass#1"));
    EXPECT_FALSE(dlg.OnOK("NewPass#9"));
    Fake().replies.push_back({ { kRefused, "" } });
    EXPECT_FALSE(dlg.OnOK("NewPass#9"));
    EXPECT_EQ(dlg.Step(), 2);
    EXPECT_EQ(dlg.LabelId(), unsigned(IDS_ENTER_NEW_PASSWORD));
    EXPECT_TRUE(dlg.ClearField());
    // With Cancel disabled, the user gets a way out and OK goes.
    EXPECT_TRUE(dlg.CancelEnabled());
    EXPECT_TRUE(dlg.CancelDefault());
    EXPECT_FALSE(dlg.OkEnabled());
    EXPECT_EQ(session->Password(), Old());
}

TEST_F(PasswordChange, CheckAndCryptForAGivenUser)
{
    CPasswordChange dlg(0);
    dlg.m_strPassword = "Sh0rt";
    EXPECT_EQ(dlg.CheckAndCrypt(true, true, "other"), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], fw::loadString(IDS_PASSWORD_RULES));
    dlg.m_strPassword = "Longer#Pass1";
    EXPECT_EQ(dlg.CheckAndCrypt(true, true, "other"), 1);
    EXPECT_EQ(dlg.m_strPassword, PasswordDigest("Longer#Pass1", "other"));
    dlg.m_strPassword = "x";
    EXPECT_EQ(dlg.CheckAndCrypt(false, false, nullptr), 1);
    EXPECT_EQ(dlg.m_strPassword, PasswordDigest("x", "trader01"));
}

} // namespace
