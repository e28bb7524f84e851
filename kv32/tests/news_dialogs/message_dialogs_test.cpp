// The message dialogs offscreen over the scripted router: the records they
// send, the rules of the send dialog, and what the two reading dialogs show.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <QPlainTextEdit>

#include "fw/core/clock.h"
#include "fw/core/rescheck.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/msg_dlgs.h"
#include "kv32/res/message_dialogs_ids.h"
#include "kv32/shell/message_send.h"
#include "kv32/shell/msgtypes.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/session_core.h"
#include "support/clock_support.h"
#include "support/kv32_fixture.h"

namespace {

using kv32test::Msg;

std::string Pad(const std::string& s, size_t width)
{
    return s + std::string(width - s.size(), ' ');
}

std::string Accepted()
{
    return std::string("Message accepted.") + '\0';
}

std::string Refused(const char* text)
{
    return std::string(text) + '\0' + "0";
}

void AddFirm(const char* code, const char* name, const char* type)
{
    ParticipantRec p;
    std::strcpy(p.szCode, code);
    std::strcpy(p.szName, name);
    std::strcpy(p.szType, type);
    ParticipantTable().AddRec(p);
}

void AddTrader(const char* code, const char* name, const char* firm)
{
    TraderRec t;
    std::strcpy(t.szCode, code);
    std::strcpy(t.szName, name);
    std::strcpy(t.szFirm, firm);
    TraderTable().AddRec(t);
}

ExchMessageRec Message(const char* text, char display, char status, const char* toUser, const char* toFirm)
{
    ExchMessageRec m {};
    m.time = CDateTime(2026, 12, 10, 14, 30, 5);
    std::strcpy(m.szFromUser, "BRK2T1");
    std::strcpy(m.szFromFirm, "BRK2");
    std::strcpy(m.szToUser, toUser);
    std::strcpy(m.szToFirm, toFirm);
    std::strcpy(m.szReceived, text);
    std::strcpy(m.szMessage, text);
    m.cDisplayMode = display;
    m.cStatus = status;
    m.cDataFeed = 'Y';
    std::strcpy(m.szKey, "00000042");
    m.nReference = -1;
    return m;
}

class MessageDialogs : public kv32test::Kv32Fixture {
protected:
    MessageDialogs()
        : session("TRADER01")
    {
        session.m_sUser = "TRADER01";
        session.m_bSaveLogs = 0; // the log stays off disk
        ps = &session;
        AddFirm("BRK1", "Broker One", "BROK");
        AddFirm("BRK2", "Broker Two", "BROK");
        AddFirm("ISS1", "Issuer One", "ISSR");
        AddFirm("EXCH", "The Exchange", "EXCH");
        AddTrader("TRADER01", "Trader One", "BRK1");
        AddTrader("BRK2T1", "Second Trader", "BRK2");
        AddTrader("BRK2T2", "Third Trader", "brk2");
        AddTrader("EXCHT1", "Exchange Trader", "EXCH");
        MessageTextRec draft {};
        std::strcpy(draft.szName, "Closing");
        std::strcpy(draft.szText, "The market closes early today.");
        MessageTextTable().AddRec(draft);
    }
    ~MessageDialogs() override
    {
        session.m_bSaveLogs = 0;
        for (CVorlPermTarget* t : std::initializer_list<CVorlPermTarget*> { &ParticipantTable(), &TraderTable(),
                 &MessageTextTable(), &ExchMessageTable(), &AlertLogTable() })
            t->Free();
        fLogDisplay = 0;
        nCurrentLog = -1;
        ps = nullptr;
    }

    std::vector<Msg> Sent() const
    {
        std::vector<Msg> sent;
        for (const Msg& m : router.Requests())
            if (m.type == MSGTYPE_MESSAGE_SEND || m.type == MSGTYPE_MESSAGE_CHANGE || m.type == MSGTYPE_MESSAGE_WITHDRAW)
                sent.push_back(m);
        return sent;
    }

    fw::ManualClock clock { 0, kvtest::LocalMoment(2026, 12, 10, 9, 5, 7) };
    fw::ClockScope clockScope { clock };
    CSession session;
    fw::test::Script script;
};

TEST(MessageDialogResources, TemplatesAndTextsAreComplete)
{
    const fw::ResourceSet set { "kv32-message-dialogs-check", Kv32MessageDialogStrings(),
        Kv32MessageDialogTemplates() };
    const fw::ResourceReport report = fw::checkResources(std::span(&set, 1));
    EXPECT_TRUE(report.ok()) << report.text();
}

TEST_F(MessageDialogs, BuilderSendsTheGoldenRecords)
{
    const std::string user = Pad("TRADER01", 12);
    const std::string text = "Line one\r\nLine two";
    struct Case {
        const char* name;
        int mode;
        std::string firm, user;
        char letter;
        int infoFeed;
        int type;
        std::string golden;
    } const cases[] = {
        { "all users, urgent, info feed", 0, "", "", 'P', 1, MSGTYPE_MESSAGE_SEND,
            user + Pad("", 12) + Pad("", 12) + "YP" + "093000" + Pad(text, 640) },
        { "one firm, every user", 0, "BRK2", "", 'S', 0, MSGTYPE_MESSAGE_SEND,
            user + Pad("", 12) + Pad("BRK2", 12) + "NS" + "093000" + Pad(text, 640) },
        { "change of a waiting message", 1, "BRK2", "BRK2T1", 'S', 0, MSGTYPE_MESSAGE_CHANGE,
            user + Pad("BRK2T1", 12) + Pad("BRK2", 12) + "NS" + "093000" + "00000042" + Pad(text, 640) },
        { "withdrawal", 2, "", "", 'S', 0, MSGTYPE_MESSAGE_WITHDRAW, user + "00000042" },
    };
    const size_t lengths[] = { 684, 684, 692, 20 };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        router.ClearRecord();
        router.Reply({ { 193, Accepted() } });
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        EXPECT_EQ(SendMsgType144Request(c.firm, c.user, text, c.letter, 0, c.infoFeed, "093000", "00000042", c.mode), 1)
            << c.name;
        const std::vector<Msg> sent = Sent();
        ASSERT_EQ(sent.size(), 1u) << c.name;
        EXPECT_EQ(sent[0].type, c.type) << c.name;
        EXPECT_EQ(sent[0].bytes, c.golden) << c.name;
        EXPECT_EQ(sent[0].bytes.size(), lengths[i]) << c.name;
    }
}

TEST_F(MessageDialogs, SendDialogRules)
{
    CMsgSendDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        // Opening: firm "All", both lists and the user "All" off, Regular, Send off.
        EXPECT_TRUE(d.isButtonChecked(IDC_MSG_ALL_FIRMS));
        EXPECT_FALSE(d.isItemEnabled(IDC_MSG_FIRM));
        EXPECT_FALSE(d.isItemEnabled(IDC_MSG_USER));
        EXPECT_FALSE(d.isItemEnabled(IDC_MSG_ALL_USERS));
        EXPECT_TRUE(d.isButtonChecked(IDC_MSG_REGULAR));
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        EXPECT_EQ(d.itemText(fw::kIdOk), "&Send");
        EXPECT_EQ(static_cast<CMsgSendDlg&>(d).TimeText(), "090507");
        // The member firms that have users, the logged-on user's own selected.
        ASSERT_EQ(d.itemCount(IDC_MSG_FIRM), 3);
        EXPECT_EQ(d.itemText(IDC_MSG_FIRM), "Broker One");
        EXPECT_EQ(d.itemString(IDC_MSG_USER, 0), "Trader One");

        struct Step {
            const char* name;
            uint32_t click;
            bool firmList, allUsers, userList;
        } const steps[] = {
            { "firm All cleared", IDC_MSG_ALL_FIRMS, true, true, true },
            { "user All checked", IDC_MSG_ALL_USERS, true, true, false },
            { "user All cleared", IDC_MSG_ALL_USERS, true, true, true },
            { "firm All checked again", IDC_MSG_ALL_FIRMS, false, false, false },
        };
        for (const Step& s : steps) {
            d.userClick(s.click);
            EXPECT_EQ(d.isItemEnabled(IDC_MSG_FIRM), s.firmList) << s.name;
            EXPECT_EQ(d.isItemEnabled(IDC_MSG_ALL_USERS), s.allUsers) << s.name;
            EXPECT_EQ(d.isItemEnabled(IDC_MSG_USER), s.userList) << s.name;
        }
        // Another firm lists its users, matched without regard to case.
        d.userClick(IDC_MSG_ALL_FIRMS);
        d.userSelect(IDC_MSG_FIRM, 1);
        ASSERT_EQ(d.itemCount(IDC_MSG_USER), 2);
        EXPECT_EQ(d.itemString(IDC_MSG_USER, 1), "Third Trader");
        // A draft replaces the text; text enables Send, no text disables it.
        d.userType(IDC_MSG_TEXT, "something typed");
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.userSelect(IDC_MSG_DRAFT, 0);
        EXPECT_EQ(d.itemText(IDC_MSG_TEXT), "The market closes early today.");
        d.userType(IDC_MSG_TEXT, "");
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        // Typing stops at 615 characters: a longer change is undone whole.
        d.userType(IDC_MSG_TEXT, "abc");
        d.userType(IDC_MSG_TEXT, std::string(616, 'y'));
        EXPECT_EQ(d.itemText(IDC_MSG_TEXT), "abc");
        d.userType(IDC_MSG_TEXT, std::string(615, 'y'));
        EXPECT_EQ(d.itemText(IDC_MSG_TEXT).size(), 615u);
        d.userClick(fw::kIdCancel);
    });
    EXPECT_TRUE(Sent().empty());
}

TEST_F(MessageDialogs, SendOutcomes)
{
    const std::string user = Pad("TRADER01", 12);
    struct Case {
        const char* name;
        void (*act)(fw::Dialog&);
        std::vector<Msg> reply;
        int result; // IDOK closed, 0 still open
        std::string record; // empty: nothing sent
        std::vector<std::string> boxes;
        uint32_t focus;
    };
    const std::string text = Pad("Hello", 640);
    const Case cases[] = {
        { "one user of one firm, accepted",
            [](fw::Dialog& d) {
                d.userClick(IDC_MSG_ALL_FIRMS);
                d.userSelect(IDC_MSG_FIRM, 1);
                d.userSelect(IDC_MSG_USER, 1);
                d.userType(IDC_MSG_TEXT, "Hello");
            },
            { { 193, Accepted() } }, fw::IDOK, user + Pad("BRK2T2", 12) + Pad("BRK2", 12) + "NS090507" + text,
            { "Message accepted." }, 0 },
        { "Non-Display says Command sent.",
            [](fw::Dialog& d) {
                d.userClick(IDC_MSG_NON_DISPLAY);
                d.userType(IDC_MSG_TEXT, "Hello");
            },
            { { 193, Accepted() } }, fw::IDOK, user + Pad("", 24) + "NN090507" + text, { "Command sent." }, 0 },
        { "a refusal keeps the dialog and its text",
            [](fw::Dialog& d) {
                d.userClick(IDC_MSG_URGENT);
                d.userClick(IDC_MSG_INFO_FEED);
                d.userType(IDC_MSG_TEXT, "Hello");
            },
            { { 192, Refused("Not allowed.") } }, 0, user + Pad("", 24) + "YP090507" + text, { "Not allowed." }, 0 },
        { "a user who left the firm is refused",
            [](fw::Dialog& d) {
                d.userClick(IDC_MSG_ALL_FIRMS);
                d.userSelect(IDC_MSG_FIRM, 1);
                d.userType(IDC_MSG_TEXT, "Hello");
                std::strcpy(TraderTable().GetRec(1)->szName, "Renamed");
            },
            {}, 0, "", { "The user is not known at the firm: Second Trader" }, IDC_MSG_USER },
        { "a firm that left is refused",
            [](fw::Dialog& d) {
                d.userClick(IDC_MSG_ALL_FIRMS);
                d.userSelect(IDC_MSG_FIRM, 1);
                d.userType(IDC_MSG_TEXT, "Hello");
                std::strcpy(ParticipantTable().GetRec(1)->szType, "ISSR");
            },
            {}, 0, "", { "The firm is not known: Broker Two" }, IDC_MSG_FIRM },
        { "line breaks that push the text past 640 bytes",
            [](fw::Dialog& d) { d.userType(IDC_MSG_TEXT, std::string(580, 'x') + std::string(35, '\n')); }, {}, 0,
            "", { "The text is longer than 640 characters (a line break counts as two)." }, IDC_MSG_TEXT },
    };
    for (const Case& c : cases) {
        router.ClearRecord();
        if (!c.reply.empty())
            router.Reply(c.reply);
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        CMsgSendDlg dlg;
        std::string typed;
        const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
            c.act(d);
            d.userClick(fw::kIdOk);
            if (d.isVisible()) {
                typed = d.itemText(IDC_MSG_TEXT);
                if (c.focus != 0) {
                    EXPECT_EQ(d.focusId(), c.focus) << c.name;
                }
                d.userClick(fw::kIdCancel);
            }
        });
        EXPECT_EQ(result == fw::IDOK ? fw::IDOK : 0, c.result) << c.name;
        const std::vector<Msg> sent = Sent();
        if (c.record.empty()) {
            EXPECT_TRUE(sent.empty()) << c.name;
        } else {
            ASSERT_EQ(sent.size(), 1u) << c.name;
            EXPECT_EQ(sent[0].bytes, c.record) << c.name;
        }
        if (!c.boxes.empty()) {
            EXPECT_EQ(boxes.messageBoxes(), c.boxes) << c.name;
        }
        if (c.result == 0) {
            EXPECT_FALSE(typed.empty()) << c.name << ": the text stays";
        }
        // Restore what a case changed in the tables.
        std::strcpy(TraderTable().GetRec(1)->szName, "Second Trader");
        std::strcpy(ParticipantTable().GetRec(1)->szType, "BROK");
    }
}

TEST_F(MessageDialogs, UnencodableCharacterIsRefusedNotReplaced)
{
    router.ClearRecord();
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    CMsgSendDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        auto* edit = d.itemAs<QPlainTextEdit>(IDC_MSG_TEXT);
        ASSERT_NE(edit, nullptr);
        edit->setPlainText(QString::fromUtf8("Price in \xe2\x82\xac and \xe6\x97\xa5"));
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        d.userClick(fw::kIdCancel);
    });
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(boxes.messageBoxes(), std::vector<std::string> { "The text holds a character that cannot be sent: " });
}

TEST_F(MessageDialogs, EditModeChangesTheWaitingMessage)
{
    ExchMessageTable().AddRec(Message("First\r\nSecond", 'P', 'P', "BRK2T1", "BRK2"));
    ExchMessageTable().AddRec(Message("To everybody", 'N', 'p', "", ""));
    ExchMessageTable().AddRec(Message("Already sent", 'P', 'S', "", ""));
    const std::string user = Pad("TRADER01", 12);
    struct Case {
        int index;
        const char* button;
        std::string text;
        bool allFirms, allUsers;
        uint32_t radio;
        std::string record;
    } const cases[] = {
        { 0, "&Update", "First\nSecond", false, false, IDC_MSG_URGENT,
            user + Pad("BRK2T1", 12) + Pad("BRK2", 12) + "YP143005" + "00000042" + Pad("First\r\nSecond", 640) },
        { 1, "&Update", "To everybody", true, true, IDC_MSG_NON_DISPLAY,
            user + Pad("", 24) + "YN143005" + "00000042" + Pad("To everybody", 640) },
        { 2, "&Send", "", true, false, IDC_MSG_REGULAR, "" },
    };
    for (const Case& c : cases) {
        router.ClearRecord();
        router.Reply({ { 193, Accepted() } });
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        CMsgSendDlg dlg;
        dlg.SetEditMode(c.index);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(fw::kIdOk), c.button) << c.index;
            EXPECT_EQ(d.itemText(IDC_MSG_TEXT), c.text) << c.index;
            EXPECT_EQ(d.isButtonChecked(IDC_MSG_ALL_FIRMS) != 0, c.allFirms) << c.index;
            EXPECT_EQ(d.isButtonChecked(IDC_MSG_ALL_USERS) != 0, c.allUsers) << c.index;
            EXPECT_TRUE(d.isButtonChecked(c.radio)) << c.index;
            if (c.record.empty()) {
                d.userClick(fw::kIdCancel);
                return;
            }
            EXPECT_EQ(d.itemText(IDC_MSG_FIRM), c.allFirms ? "Broker One" : "Broker Two") << c.index;
            EXPECT_TRUE(d.isButtonChecked(IDC_MSG_INFO_FEED)) << c.index;
            d.userClick(fw::kIdOk);
        });
        const std::vector<Msg> sent = Sent();
        if (c.record.empty()) {
            EXPECT_TRUE(sent.empty());
            continue;
        }
        ASSERT_EQ(sent.size(), 1u) << c.index;
        EXPECT_EQ(sent[0].type, MSGTYPE_MESSAGE_CHANGE);
        EXPECT_EQ(sent[0].bytes, c.record) << c.index;
    }
}

TEST_F(MessageDialogs, ReceivedMessageShowsTheLatestUrgentOrTheChosenOne)
{
    CExchMessageTable& messages = ExchMessageTable();
    messages.AddRec(Message("Urgent and read", 'P', 'S', "TRADER01", "BRK1"));
    messages.AddRec(Message("Regular one", 'S', 'S', "", ""));
    struct Case {
        const char* name;
        int lastPopup;
        int chosen;
        std::string text, toUser;
    } const cases[] = {
        { "latest urgent", 0, -1, "Urgent and read", "TRADER01" },
        { "latest is not urgent", 1, -1, "", "" },
        { "none yet", -1, -1, "", "" },
        { "chosen", -1, 1, "Regular one", "" },
        { "chosen past the end", 0, 9, "", "" },
    };
    for (const Case& c : cases) {
        messages.m_nLastPopup = c.lastPopup;
        CMsgRecvDlg dlg;
        if (c.chosen >= 0)
            dlg.SetMessage(c.chosen);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(IDC_MSG_TEXT), c.text) << c.name;
            EXPECT_EQ(d.itemText(IDC_RECV_TO_USER), c.toUser) << c.name;
            EXPECT_EQ(d.itemText(IDC_RECV_FROM_USER), c.text.empty() ? "" : "BRK2T1") << c.name;
            EXPECT_EQ(d.itemText(IDC_RECV_TIME).empty(), c.text.empty()) << c.name;
            EXPECT_EQ(d.focusId(), fw::kIdOk) << c.name;
            d.userClick(fw::kIdOk);
        });
    }
    messages.m_nLastPopup = -1;
}

TEST_F(MessageDialogs, AlertLogMessageShowsTheEntryAndResetsOnClose)
{
    CLogEntry order;
    order.InitKind7000("Main Board", "Broker Two", "Too many orders", 12, "101500");
    CLogEntry alert;
    alert.Reset();
    alert.nKind = LOG_KIND_SECURITY_ALERT;
    std::strcpy(alert.szShortName, "ALFA");
    std::strcpy(alert.szBoardName, "Main Board");
    std::strcpy(alert.szText, "Price above 12");
    AlertLogTable().AddEntry(order, 0);
    AlertLogTable().AddEntry(alert, 0);
    struct Case {
        const char* name;
        int index;
        std::string firm, user, description;
    } const cases[] = {
        { "order counting alert names its firm", 0, "Broker Two", "", "Too many orders" },
        { "other kinds name the user and his firm", 1, "Broker One", "TRADER01", "Price above 12" },
        { "an index outside the log", 5, "", "", "" },
    };
    for (const Case& c : cases) {
        ui.beeps.clear();
        nCurrentLog = c.index;
        fLogDisplay = 1;
        CLogRecvDlg dlg;
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(IDC_LOG_FIRM), c.firm) << c.name;
            EXPECT_EQ(d.itemText(IDC_LOG_USER), c.user) << c.name;
            EXPECT_EQ(d.itemText(IDC_LOG_DESCRIPTION), c.description) << c.name;
            EXPECT_EQ(d.itemText(IDC_LOG_BOARD), c.description.empty() ? "" : "Main Board") << c.name;
            d.userClick(fw::kIdOk);
        });
        EXPECT_EQ(ui.beeps, std::vector<unsigned> { 0x30 }) << c.name;
        EXPECT_EQ(fLogDisplay, 0) << c.name;
        EXPECT_EQ(nCurrentLog, -1) << c.name;
    }
}

TEST_F(MessageDialogs, MainFrameCommandsOpenTheDialogs)
{
    KvInstallMessageDialogs();
    struct Case {
        unsigned dialog;
        const char* caption;
    } const cases[] = {
        { IDD_SEND_MESSAGE, "Send Message" },
        { IDD_RECEIVED_MESSAGE, "Received Message" },
        { IDD_ALERT_LOG_MESSAGE, "Alert Log Message" },
        { IDD_RECEIVED_NEWS, "Received News" },
    };
    for (const Case& c : cases) {
        std::string shown;
        fw::Dialog::setModalHook([&](fw::Dialog& d) {
            shown = d.windowTitle().toStdString();
            d.endDialog(fw::IDCANCEL);
        });
        KvRunShellDialog(c.dialog);
        fw::Dialog::setModalHook({});
        EXPECT_EQ(shown, c.caption);
    }
    KvShellDialogsPort().run = {};
}

} // namespace
