// The News window offscreen in the application: the news heads under the
// news filter with their status texts, the commands a head allows, the
// removal of a waiting head after a question, the opening of a head's file
// from the news folder, and its pictures in both languages (written to
// KV32_SHOT_DIR when it is set).
#include <cstdio>
#include <cstring>
#include <fstream>

#include "kv32/dialogs/news_dlgs.h"
#include "kv32/lists/news_list.h"
#include "kv32/res/msg_news_window_strings.h"
#include "kv32/shell/news_opener.h"
#include "kv32/windows/news_view.h"
#include "list_fixture.h"

namespace {

using namespace kv32test;

NewsRec Head(int32_t id, char status, const char* title, const char* file = "")
{
    NewsRec h;
    h.nNewsId = id;
    std::strcpy(h.szUser, "TRADER01");
    std::strcpy(h.szTypeCode, "ANN");
    std::strcpy(h.szType, "announcement");
    std::strcpy(h.szLanguageCode, "EN");
    std::strcpy(h.szLanguage, "English");
    std::strcpy(h.szIssuer, "Alfa Issuer");
    std::strcpy(h.szSecurity, "ALFA");
    h.dateTime = CDateTime(2026, 12, 10, 11, 22, 33);
    std::strcpy(h.szTitle, title);
    std::strcpy(h.szFileName, file);
    h.cDisplayMode = 'N';
    // The table keeps the status letter's text, as the host's record is read.
    std::snprintf(h.szStatus, sizeof h.szStatus, "%s", CNewsTable::GetStatusText(status).c_str());
    return h;
}

class NewsWindow : public ListWindows {
protected:
    void SetUp() override
    {
        ListWindows::SetUp();
        Grant(171, 0); // change a news head
        Grant(172, 0); // remove one
    }
    void TearDown() override
    {
        KvDesktopOpener() = {};
        ListWindows::TearDown();
    }
    static void Add(const NewsRec& head) { NewsTable().AddRec(head); }
    static std::string Cell(CListView& view, int row, int col)
    {
        fw::CellStyle style;
        view.GetDocument()->GetStyleRowCol(row + 1, col, style);
        return style.value;
    }
};

TEST_F(NewsWindow, ListsTheHeadsWithTheirStatusTexts)
{
    Add(Head(1, 'S', "Quarterly figures"));
    Add(Head(2, 'P', "Dividend proposal"));
    auto* view = Open<CNewsView>(19);
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<CNewsDoc*>(view->GetDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->title(), "News - 2");
    EXPECT_EQ(doc->GetColumnTitle(5), "Title");
    EXPECT_EQ(Cell(*view, 1, 5), "Dividend proposal");
    EXPECT_EQ(Cell(*view, 1, 9), CNewsTable::GetStatusText('P'));
    EXPECT_EQ(Cell(*view, 0, 9), CNewsTable::GetStatusText('S'));
    EXPECT_EQ(Cell(*view, 0, 2), "11:22:33");

    // Only pending heads.
    auto& filter = dynamic_cast<CNewsCriteria&>(doc->Filter()).Get();
    filter.m_bNoFiltering = 0;
    filter.m_bShowSent = 0;
    filter.m_bShowRemoved = 0;
    filter.m_bShowPending = 1;
    doc->UpdateDocument(0, nullptr);
    ASSERT_EQ(doc->GetRowCount(), 1);
    EXPECT_EQ(doc->GetRowRecord(0)->nNewsId, 2);
}

TEST_F(NewsWindow, CommandsFollowTheCurrentHead)
{
    const struct {
        char status;
        const char* file;
        bool fileCommand;
        bool change; // edit and delete
    } cases[] = { { 'P', "", false, true }, { 'p', "a.pdf", true, true }, { 'S', "a.pdf", true, false },
        { 'R', "", false, false } };
    for (const auto& c : cases) {
        const NewsRec head = Head(3, c.status, "x", c.file);
        SCOPED_TRACE(std::string(1, c.status));
        EXPECT_TRUE(NewsCommandAllowed(ID_NEWS_TEXT, &head));
        EXPECT_EQ(NewsCommandAllowed(ID_NEWS_FILE, &head), c.fileCommand);
        EXPECT_EQ(NewsCommandAllowed(ID_NEWS_EDIT, &head), c.change);
        EXPECT_EQ(NewsCommandAllowed(ID_NEWS_DELETE, &head), c.change);
    }
    for (unsigned id : { ID_NEWS_TEXT, ID_NEWS_FILE, ID_NEWS_EDIT, ID_NEWS_DELETE })
        EXPECT_FALSE(NewsCommandAllowed(id, nullptr)) << id;

    Add(Head(4, 'P', "Dividend proposal"));
    auto* view = Open<CNewsView>(19);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(Enabled(*view, ID_NEWS_TEXT)) << "no current head";
    Select(*view, { 0 });
    EXPECT_TRUE(Enabled(*view, ID_NEWS_EDIT));
    EXPECT_TRUE(Opens<CNewsDlg>(*view, ID_NEWS_EDIT));
}

TEST_F(NewsWindow, DeleteRemovesAWaitingHeadAfterTheQuestion)
{
    EXPECT_EQ(BuildNewsRemoveText(4711), "TRADER01    00004711");
    EXPECT_EQ(BuildNewsRemoveText(123456789), "") << "a news id wider than 8 digits is not cut";

    Add(Head(4711, 'P', "Dividend proposal"));
    Add(Head(12, 'S', "Quarterly figures"));
    auto* view = Open<CNewsView>(19);
    ASSERT_NE(view, nullptr);
    router->Reply({ { 193, std::string("News removed.") + '\0' } });
    Select(*view, { 0 });
    view->routeCommand(ID_NEWS_DELETE);
    EXPECT_EQ(Sent(172), (std::vector<std::string> { "TRADER01    00004711" }));
    EXPECT_FALSE(boxes.empty()) << "the question was asked";

    // A sent head is left alone and nothing is asked.
    router->ClearRecord();
    boxes.clear();
    EXPECT_EQ(KvRemoveNews(*NewsTable().GetRec(1)), 0);
    EXPECT_TRUE(Sent(172).empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(NewsWindow, FileCommandOpensTheHeadsFileFromTheNewsFolder)
{
    dir.Write("report.pdf", "%PDF-1.4");
    dir.Write("kv32.ini", "[general]\nLogoPeriod=0\n[NEWS]\nNewsPath=" + dir.Path() + "\n");
    std::vector<std::string> opened;
    KvDesktopOpener() = [&](const std::string& path) {
        opened.push_back(path);
        return true;
    };
    Add(Head(5, 'S', "With file", "report.pdf"));
    Add(Head(6, 'S', "Without file"));
    auto* view = Open<CNewsView>(19);
    ASSERT_NE(view, nullptr);
    Select(*view, { 1 });
    EXPECT_FALSE(Enabled(*view, ID_NEWS_FILE)) << "no file name";
    view->OnNewsFile();
    EXPECT_TRUE(opened.empty());
    Select(*view, { 0 });
    view->routeCommand(ID_NEWS_FILE);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_NE(opened[0].find("report.pdf"), std::string::npos);
    EXPECT_EQ(opened[0].rfind(dir.Path(), 0), 0u) << opened[0];
    EXPECT_TRUE(boxes.empty());
}

TEST_F(NewsWindow, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        NewsTable().Free();
        Add(Head(1, 'S', "Quarterly figures", "q3.pdf"));
        Add(Head(2, 'P', "Dividend proposal"));
        Add(Head(3, 'R', "Board meeting moved"));
        auto* view = Open<CNewsView>(19);
        ASSERT_NE(view, nullptr);
        view->OnGridSizeToContent();
        view->parentFrame()->resize(1100, 200);
        const QImage image = view->parentFrame()->grab().toImage();
        EXPECT_FALSE(image.isNull());
        if (dirName != nullptr)
            image.save(QDir(dirName).filePath(QStringLiteral("list-news-%1.png").arg(suffix)));
        EXPECT_EQ(view->GetDocument()->GetColumnTitle(5), language == fw::Language::English ? "Title" : "C\xEDm");
        // A pending head is recognised by its text in either language.
        EXPECT_TRUE(NewsIsWaiting(*NewsTable().GetRec(1)));
        EXPECT_FALSE(NewsIsWaiting(*NewsTable().GetRec(2)));
        app->CloseAllDocuments();
    }
}

} // namespace
