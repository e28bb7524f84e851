// The news dialogs offscreen over the scripted router: the records they send,
// the order of the checks, the lists a changed item selects, the text fetched
// by request 69, the head of a file and the desktop opener.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fw/core/clock.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/news_dlgs.h"
#include "kv32/res/message_dialogs_ids.h"
#include "kv32/shell/msgtypes.h"
#include "kv32/shell/news_opener.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/session_core.h"
#include "support/clock_support.h"
#include "support/kv32_fixture.h"
#include "support/scoped_env.h"
#include "support/security_records.h"

namespace {

using kv32test::End;
using kv32test::Msg;

std::string Pad(const std::string& s, size_t width)
{
    return s + std::string(width - s.size(), ' ');
}

std::string Accepted()
{
    return std::string("News accepted.") + '\0';
}

std::string Refused(const char* text)
{
    return std::string(text) + '\0' + "0";
}

void Spill(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

NewsRec Head(int32_t id, const char* title, const char* issuer, char display)
{
    NewsRec h;
    h.nNewsId = id;
    std::strcpy(h.szTypeCode, "ANN");
    std::strcpy(h.szType, "announcement");
    std::strcpy(h.szLanguageCode, "HU");
    std::strcpy(h.szLanguage, "Hungarian");
    std::strcpy(h.szIssuer, issuer);
    std::strcpy(h.szSecurity, "ALFA");
    h.dateTime = CDateTime(2026, 12, 10, 11, 22, 33);
    std::strcpy(h.szTitle, title);
    h.cFlag1 = 'Y';
    h.cFlag2 = 'n';
    h.cDisplayMode = display;
    return h;
}

class NewsDialogs : public kv32test::Kv32Fixture {
protected:
    NewsDialogs()
        : session("TRADER01")
    {
        session.m_sUser = "TRADER01";
        session.m_bConfirm = 0;
        session.m_bSaveLogs = 0;
        ps = &session;
        for (const auto& [code, name, type] : { std::tuple { "ISS1", "Alfa Issuer", "ISSR" },
                 std::tuple { "ISS2", "Alfa Issuer Two", "ISSR" }, std::tuple { "BRK1", "Broker One", "BROK" } }) {
            ParticipantRec p;
            std::strcpy(p.szCode, code);
            std::strcpy(p.szName, name);
            std::strcpy(p.szType, type);
            ParticipantTable().AddRec(p);
        }
        for (const auto& [code, name] : { std::pair { "ANN", "Announcement" }, std::pair { "RES", "Result" } }) {
            NewsTypeRec t {};
            std::strcpy(t.szCode, code);
            std::strcpy(t.szName, name);
            NewsTypeTable().AddRec(t);
        }
        for (const auto& [code, name] : { std::pair { "EN", "English" }, std::pair { "HU", "Hungarian" } }) {
            LanguageRec l {};
            std::strcpy(l.szCode, code);
            std::strcpy(l.szName, name);
            LanguageTable().AddRec(l);
        }
        kv32test::SecuritySpec spec;
        spec.key = 1;
        spec.board = "MAIN";
        spec.instrument = "ALFA00000001";
        spec.shortName = "ALFA";
        spec.name = "Alfa shares";
        SecurityTable().DecodeSnapshot(kv32test::SecuritySnapshot(spec));
        dir = std::filesystem::temp_directory_path() / ("newsdlg-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    ~NewsDialogs() override
    {
        for (CVorlPermTarget* t : std::initializer_list<CVorlPermTarget*> { &ParticipantTable(), &NewsTypeTable(),
                 &LanguageTable(), &SecurityTable(), &NewsTable() })
            t->Free();
        KvDesktopOpener() = {};
        ps = nullptr;
        std::filesystem::remove_all(dir);
    }

    std::vector<Msg> Sent(int type) const
    {
        std::vector<Msg> sent;
        for (const Msg& m : router.Requests())
            if (m.type == type)
                sent.push_back(m);
        return sent;
    }

    // Issuer, type, language and title chosen.
    static void FillIn(fw::Dialog& d)
    {
        d.userSelect(IDC_NEWS_ISSUER, 0);
        d.userSelect(IDC_NEWS_TYPE, 0);
        d.userSelect(IDC_NEWS_LANGUAGE, 1);
        d.userType(IDC_NEWS_TITLE, "Annual report");
        d.userType(IDC_NEWS_TEXT, "First line\nSecond line");
    }

    fw::ManualClock clock { 0, kvtest::LocalMoment(2026, 12, 10, 9, 5, 7) };
    fw::ClockScope clockScope { clock };
    CSession session;
    std::filesystem::path dir;
};

TEST_F(NewsDialogs, SendsTheGoldenRecordOfANewItem)
{
    router.Reply({ { 193, Accepted() } });
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    CNewsDlg dlg;
    const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_TRUE(d.isButtonChecked(IDC_NEWS_REGULAR));
        EXPECT_TRUE(d.isButtonChecked(IDC_NEWS_FLASH));
        EXPECT_FALSE(d.isButtonChecked(IDC_NEWS_INFO_FEED));
        EXPECT_EQ(d.itemCount(IDC_NEWS_ISSUER), 2) << "issuers only";
        FillIn(d);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    const std::string text = "First line\r\nSecond line";
    const std::string golden = Pad("TRADER01", 12) + "ANN " + "HU" + Pad("ISS1", 12) + Pad("", 12) + "090507"
        + Pad("Annual report", 40) + Pad("", 80) + "NYS" + "0023" + Pad(text, 5000);
    const std::vector<Msg> sent = Sent(MSGTYPE_NEWS_SEND);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes.size(), 5175u);
    EXPECT_EQ(sent[0].bytes, golden);
}

TEST_F(NewsDialogs, ChecksInTheirOrderAndKeepsTheDialogOpen)
{
    struct Case {
        const char* name;
        void (*act)(fw::Dialog&);
        std::string box;
        uint32_t focus;
    } const cases[] = {
        { "nothing chosen", [](fw::Dialog&) {}, "Issuer is mandatory", IDC_NEWS_ISSUER },
        { "issuer only", [](fw::Dialog& d) { d.userSelect(IDC_NEWS_ISSUER, 1); }, "Type is mandatory", IDC_NEWS_TYPE },
        { "no language",
            [](fw::Dialog& d) {
                d.userSelect(IDC_NEWS_ISSUER, 1);
                d.userSelect(IDC_NEWS_TYPE, 1);
            },
            "Language is mandatory", IDC_NEWS_LANGUAGE },
        { "no title",
            [](fw::Dialog& d) {
                FillIn(d);
                d.userType(IDC_NEWS_TITLE, "");
            },
            "Title is mandatory", IDC_NEWS_TITLE },
    };
    for (const Case& c : cases) {
        router.ClearRecord();
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        CNewsDlg dlg;
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            c.act(d);
            d.userClick(fw::kIdOk);
            EXPECT_TRUE(d.isVisible()) << c.name;
            EXPECT_EQ(d.focusId(), c.focus) << c.name;
            d.userClick(fw::kIdCancel);
        });
        EXPECT_EQ(boxes.messageBoxes(), std::vector<std::string> { c.box }) << c.name;
        EXPECT_TRUE(Sent(MSGTYPE_NEWS_SEND).empty()) << c.name;
    }
}

TEST_F(NewsDialogs, AFetchedTextPastTheRecordIsRefusedNotCut)
{
    NewsTable().AddRec(Head(9, "Long", "Alfa Issuer", 'S'));
    NewsTable().GetRec(0)->body = std::make_shared<const std::string>(std::string(4990, 'x') + std::string(6, '\n'));
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    CNewsDlg dlg;
    dlg.SetMode(3, 0);
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_NEWS_TEXT).size(), 4996u) << "shown whole";
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusId(), IDC_NEWS_TEXT);
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(boxes.messageBoxes(),
        std::vector<std::string> { "The text is longer than 5000 characters (a line break counts as two)." });
    EXPECT_TRUE(router.Requests().empty());
}

TEST_F(NewsDialogs, EmptyReferenceListsCloseTheDialog)
{
    struct Case {
        CVorlPermTarget* table;
        const char* box;
    } const cases[] = {
        { &LanguageTable(), "Cannot load languages" },
        { &NewsTypeTable(), "Cannot load newstypes" },
        { &ParticipantTable(), "Couldn't Load Issuers" },
    };
    for (const Case& c : cases) {
        c.table->Free();
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        CNewsDlg dlg;
        bool scriptRan = false;
        const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) { scriptRan = d.isVisible(); });
        EXPECT_EQ(result, fw::IDCANCEL) << c.box;
        EXPECT_FALSE(scriptRan) << c.box << ": closed before anything could be typed";
        EXPECT_EQ(boxes.messageBoxes(), std::vector<std::string> { c.box });
    }
}

TEST_F(NewsDialogs, AChangedItemFetchesItsTextAndSendsTheAmendment)
{
    NewsTable().AddRec(Head(77, "Other item", "Alfa Issuer Two", 'S'));
    NewsTable().AddRec(Head(4711, "Quarterly figures", "alfa issuer", 'P'));
    const std::string body = "Body line\r\nsecond  ";
    router.AnswerWith([&](const std::vector<Msg>& request) -> std::vector<Msg> {
        if (!request.empty() && request[0].type == MSGTYPE_NEWS_REQ)
            return { { MSGTYPE_NEWS_REQ, "0019" + body }, End() };
        return { { 193, Accepted() } };
    });
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    const std::string file = (dir / "Jelent\xe9s.pdf").string();
    Spill(file, "pdf");
    CNewsDlg dlg;
    dlg.SetMode(3, 1);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_NEWS_TITLE), "Quarterly figures");
        EXPECT_EQ(d.itemText(IDC_NEWS_TEXT), "Body line\nsecond");
        EXPECT_EQ(d.itemText(IDC_NEWS_ISSUER), "Alfa Issuer") << "exact match before prefix";
        EXPECT_EQ(d.itemText(IDC_NEWS_TYPE), "Announcement");
        EXPECT_EQ(d.itemText(IDC_NEWS_LANGUAGE), "Hungarian");
        EXPECT_EQ(d.itemText(IDC_NEWS_SECURITY), "ALFA");
        EXPECT_TRUE(d.isButtonChecked(IDC_NEWS_INFO_FEED));
        EXPECT_FALSE(d.isButtonChecked(IDC_NEWS_FLASH));
        EXPECT_TRUE(d.isButtonChecked(IDC_NEWS_URGENT));
        d.userClick(fw::kIdOk);
        EXPECT_FALSE(d.isVisible());
    });
    const std::vector<Msg> asked = Sent(MSGTYPE_NEWS_REQ);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].bytes, Pad("TRADER01", 12) + "00004711");
    const std::vector<Msg> sent = Sent(MSGTYPE_NEWS_AMEND);
    ASSERT_EQ(sent.size(), 1u);
    const std::string text = "Body line\r\nsecond";
    EXPECT_EQ(sent[0].bytes,
        Pad("TRADER01", 12) + "00004711" + "ANN " + "HU" + Pad("ISS1", 12) + "ALFA00000001" + "112233"
            + Pad("Quarterly figures", 40) + Pad("", 80) + "YNP" + "0017" + Pad(text, 5000));
    EXPECT_EQ(sent[0].bytes.size(), 5183u);
}

TEST_F(NewsDialogs, AnAmendmentNamesItsAttachment)
{
    NewsTable().AddRec(Head(12, "With file", "Alfa Issuer", 'N'));
    NewsTable().GetRec(0)->body = std::make_shared<const std::string>("Known text");
    // The upload goes to a site that is not there: nothing is sent and the dialog stays.
    const std::string ini = dir.string();
    Spill(ini + "/kv32.ini", "[NEWS]\nFtpUrl=ftp://127.0.0.1:1/ftp\nFtpPassive=1\n");
    kvtest::ScopedEnv env("VEXA_INI_DIR", ini);
    const std::string file = ini + "/K\xf6zlem\xe9ny.pdf";
    Spill(file, "pdf");
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    CNewsDlg dlg;
    dlg.SetMode(3, 0);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_NEWS_TEXT), "Known text") << "no fetch for a head with its text";
        d.userType(IDC_NEWS_PATH, file);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible()) << "a failed upload keeps the dialog";
        EXPECT_EQ(d.itemText(IDC_NEWS_PATH), file);
        d.userClick(fw::kIdCancel);
    });
    ASSERT_EQ(boxes.messageBoxes().size(), 1u);
    EXPECT_EQ(boxes.messageBoxes()[0].rfind("Cannot connect to FTP site: ", 0), 0u) << boxes.messageBoxes()[0];
    EXPECT_TRUE(router.Requests().empty());

    // With the file's name in the record: the builder alone, as the upload needs a server.
    CNewsForm form;
    ASSERT_EQ(form.Open(3, 0, CDateTime(2026, 12, 10, 8, 0, 0)), CNewsForm::kOpened);
    int code = 0;
    const std::string record = form.BuildRecord("K\xf6zlem\xe9ny.pdf", code);
    EXPECT_EQ(code, MSGTYPE_NEWS_AMEND);
    ASSERT_EQ(record.size(), 5183u);
    EXPECT_EQ(record.substr(12, 8), "00000012");
    EXPECT_EQ(record.substr(96, 80), Pad("K\xf6zlem\xe9ny.pdf", 80));
    EXPECT_EQ(record.substr(176, 3), "YNN");
    EXPECT_EQ(record.substr(179, 4), "0010");
}

TEST_F(NewsDialogs, AHostRefusalKeepsTheInput)
{
    router.Reply({ { 192, Refused("No rights to publish.") } });
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    CNewsDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        FillIn(d);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.itemText(IDC_NEWS_TITLE), "Annual report");
        EXPECT_EQ(d.itemText(IDC_NEWS_TEXT), "First line\nSecond line");
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(boxes.messageBoxes(), std::vector<std::string> { "No rights to publish." });
    EXPECT_EQ(Sent(MSGTYPE_NEWS_SEND).size(), 1u);
}

TEST_F(NewsDialogs, AnUnknownIssuerSelectsNothing)
{
    struct Case {
        const char* issuer;
        std::string shown;
    } const cases[] = {
        { "", "" }, // an issuer code the participants do not know leaves an empty name
        { "Alfa", "" }, // two issuers begin with it
        { "alfa issuer t", "Alfa Issuer Two" },
        { "ALFA ISSUER", "Alfa Issuer" },
    };
    for (const Case& c : cases) {
        NewsTable().Free();
        NewsTable().AddRec(Head(5, "Item", c.issuer, 'S'));
        NewsTable().GetRec(0)->body = std::make_shared<const std::string>("x");
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        CNewsDlg dlg;
        dlg.SetMode(3, 0);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(IDC_NEWS_ISSUER), c.shown) << c.issuer;
            d.userClick(fw::kIdCancel);
        });
    }
    NewsTable().Free();
    NewsTable().AddRec(Head(5, "Item", "", 'S'));
    NewsTable().GetRec(0)->body = std::make_shared<const std::string>("x");
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    CNewsDlg dlg;
    dlg.SetMode(3, 0);
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        d.userClick(fw::kIdOk);
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(boxes.messageBoxes(), std::vector<std::string> { "Issuer is mandatory" });
}

TEST_F(NewsDialogs, GetHeaderTakesTheHeadOfAFile)
{
    std::string nine;
    for (int i = 1; i <= 9; ++i)
        nine += "line " + std::to_string(i) + "\r\n";
    struct Case {
        const char* name;
        std::string bytes; // empty: no file
        std::string text;
        std::string box;
    } const cases[] = {
        { "nine lines", nine, "line 1\nline 2\nline 3\nline 4\nline 5\nline 6\nline 7", "" },
        { "a 600-character line", std::string(600, 'a') + "\nnext\n", std::string(511, 'a') + "\nnext", "" },
        { "UTF-8", "\xc3\x81rfolyam \xc5\x91r\xc3\xbclt\n", "\xc1rfolyam \xf5r\xfclt", "" },
        { "Windows-1250", "\xc1rfolyam\n", "\xc1rfolyam", "" },
        { "missing", "", "", "Cannot open file:  *" },
    };
    for (const Case& c : cases) {
        const std::string path = (dir / "head.txt").string();
        std::filesystem::remove(path);
        if (!c.bytes.empty())
            Spill(path, c.bytes);
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        CNewsDlg dlg;
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            d.userType(IDC_NEWS_PATH, path);
            d.userClick(IDC_NEWS_GET_HEADER);
            EXPECT_EQ(d.itemText(IDC_NEWS_TEXT), c.text) << c.name;
            d.userClick(fw::kIdCancel);
        });
        if (c.box.empty()) {
            EXPECT_TRUE(boxes.messageBoxes().empty()) << c.name;
        } else {
            ASSERT_EQ(boxes.messageBoxes().size(), 1u) << c.name;
            EXPECT_EQ(boxes.messageBoxes()[0], "Cannot open file:  " + path) << c.name;
        }
    }
}

TEST_F(NewsDialogs, ViewOpensTheFileThroughTheDesktop)
{
    const std::string file = (dir / "report.pdf").string();
    Spill(file, "pdf");
    std::vector<std::string> opened;
    struct Case {
        const char* name;
        std::string path;
        bool desktopTakes;
        int code;
        std::string box;
    } const cases[] = {
        { "opened", file, true, 0, "" },
        { "missing file", (dir / "none.pdf").string(), true, 2, "The specified file was not found" },
        { "missing folder", (dir / "none" / "x.pdf").string(), true, 3, "The specified path was not found." },
        { "nothing opens it", file, false, 31, "There is no application associated with the given filename extension." },
    };
    for (const Case& c : cases) {
        KvDesktopOpener() = [&](const std::string& path) {
            opened.push_back(path);
            return c.desktopTakes;
        };
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        EXPECT_EQ(KvOpenNewsDocument(c.path), c.code) << c.name;
        if (c.box.empty()) {
            EXPECT_TRUE(boxes.messageBoxes().empty()) << c.name;
        } else {
            EXPECT_EQ(boxes.messageBoxes(), std::vector<std::string> { c.box }) << c.name;
        }
    }
    EXPECT_EQ(opened, (std::vector<std::string> { file, file }));
    EXPECT_EQ(KvShellErrorText(5), "The operating system denied access to the specified file.");
    EXPECT_EQ(KvShellErrorText(7), "Unknown error");
}

TEST(NewsTextReply, DecodesOnlyWhatTheMessageHolds)
{
    struct Case {
        std::string message;
        bool ok;
        std::string text;
    } const cases[] = {
        { "0000", true, "" },
        { "0005Hello", true, "Hello" },
        { "0008Hi      ", true, "Hi" },
        { "5   Hello", true, "Hello" },
        { "0009Hello", false, "" },
        { "00x5Hello", false, "" },
        { "    Hello", false, "" },
        { "00", false, "" },
    };
    for (const Case& c : cases) {
        std::string text = "unchanged";
        EXPECT_EQ(DecodeNewsTextReply(c.message, text), c.ok) << c.message;
        if (c.ok) {
            EXPECT_EQ(text, c.text) << c.message;
        }
    }
}

TEST_F(NewsDialogs, TheFetchedTextLandsOnTheRequestedHead)
{
    NewsTable().AddRec(Head(1, "First", "Alfa Issuer", 'S'));
    NewsTable().AddRec(Head(2, "Second", "Alfa Issuer", 'S'));
    struct Case {
        std::string reply;
        int stored;
        std::string text;
    } const cases[] = {
        { "0004Text", 1, "Text" },
        { "0003New ", 1, "New" }, // a new fetch replaces the body
        { "0099Short", 0, "" },
    };
    for (const Case& c : cases) {
        NewsTable().GetRec(1)->body.reset();
        router.Reply({ { MSGTYPE_NEWS_REQ, c.reply }, End() });
        EXPECT_EQ(KvFetchNewsText(1), c.stored) << c.reply;
        EXPECT_FALSE(NewsTable().GetRec(0)->body) << c.reply << ": the other head stays as it was";
        if (c.stored) {
            ASSERT_TRUE(NewsTable().GetRec(1)->body);
            EXPECT_EQ(*NewsTable().GetRec(1)->body, c.text);
        }
    }
    EXPECT_EQ(NewsTextRequestKey(2), Pad("TRADER01", 12) + "00000002");
}

TEST_F(NewsDialogs, ItemAndReceivedNewsShowTheirItems)
{
    NewsTable().AddRec(Head(1, "Urgent one", "Alfa Issuer", 'P'));
    NewsTable().AddRec(Head(2, "Regular one", "Alfa Issuer", 'S'));
    router.Reply({ { MSGTYPE_NEWS_REQ, "0009Full text" }, End() });
    CNewsItemDlg item(1);
    fw::test::runModal(item, [](fw::Dialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Regular one");
        EXPECT_EQ(d.itemText(IDC_ITEM_TEXT), "Full text");
        EXPECT_EQ(d.itemText(IDC_ITEM_ISSUER), "Alfa Issuer");
        EXPECT_FALSE(d.itemText(IDC_ITEM_TIME).empty());
        d.userClick(fw::kIdOk);
    });
    for (const bool urgent : { true, false }) {
        if (!urgent)
            NewsTable().GetRec(0)->cDisplayMode = 'S';
        CNewsRecvDlg recv;
        fw::test::runModal(recv, [&](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(IDC_RECV_NEWS_TITLE), urgent ? "Urgent one" : "");
            d.userClick(fw::kIdOk);
        });
    }
}

} // namespace
