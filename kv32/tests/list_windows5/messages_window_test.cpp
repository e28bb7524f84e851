// The Messages window offscreen in the application: the exchange's messages
// under the letter filter, the commands a message's status allows, the
// withdrawal of a waiting message, the dialogs it opens, and its pictures in
// both languages (written to KV32_SHOT_DIR when it is set).
#include <cstring>

#include "kv32/dialogs/msg_dlgs.h"
#include "kv32/lists/messages_list.h"
#include "kv32/res/msg_news_window_strings.h"
#include "kv32/windows/messages_view.h"
#include "list_fixture.h"

namespace {

using namespace kv32test;

ExchMessageRec Message(const char* key, char status, int reference, const char* text)
{
    ExchMessageRec m {};
    m.nIndex = ExchMessageTable().GetCount();
    m.time = CDateTime(2026, 12, 10, 14, 30, 5);
    std::strcpy(m.szFromUser, "TRADER01");
    std::strcpy(m.szFromFirm, "BRK1");
    std::strcpy(m.szToUser, "BRK2T1");
    std::strcpy(m.szToFirm, "BRK2");
    std::strcpy(m.szReceived, text);
    std::strcpy(m.szMessage, text);
    m.cDisplayMode = 'N';
    m.cStatus = status;
    m.cDataFeed = 'N';
    std::strcpy(m.szKey, key);
    m.nReference = reference;
    return m;
}

class MessagesWindow : public ListWindows {
protected:
    void Add(const char* key, char status, int reference = -1, const char* text = "Closing auction moved to 16:10")
    {
        ExchMessageRec m = Message(key, status, reference, text);
        ExchMessageTable().AddRec(m);
    }
    std::string Cell(CListView& view, int row, int col) const
    {
        fw::CellStyle style;
        view.GetDocument()->GetStyleRowCol(row + 1, col, style);
        return style.value;
    }
};

TEST_F(MessagesWindow, ListsTheMessagesUnderTheStatusLetterFilter)
{
    Add("00000001", 'S');
    Add("00000002", 'P');
    Add("00000003", 'p', 7);
    auto* view = Open<CMsgsView>(18);
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<CMsgsDoc*>(view->GetDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->title(), "Broadcast Messages - 3");
    EXPECT_EQ(doc->GetColumnTitle(8), "Status");
    EXPECT_EQ(Cell(*view, 0, 8), "S");
    EXPECT_EQ(Cell(*view, 2, 8), "p");
    EXPECT_EQ(Cell(*view, 1, 7), "N");

    // Only pending: the letter filter's third state.
    auto& criteria = dynamic_cast<CMsgLetterCriteria&>(doc->Filter());
    criteria.Get().m_nState = 2;
    doc->UpdateDocument(0, nullptr);
    ASSERT_EQ(doc->GetRowCount(), 2);
    EXPECT_STREQ(doc->GetRowRecord(0)->szKey, "00000002");
    EXPECT_STREQ(doc->GetRowRecord(1)->szKey, "00000003");

    // A new message arrives while the window is open.
    Add("00000004", 'P');
    ExchMessageTable().OnPostReceive();
    EXPECT_EQ(doc->GetRowCount(), 3);
    EXPECT_EQ(doc->title(), "Broadcast Messages - 3");
    criteria.Get().m_nState = 1;
    doc->UpdateDocument(0, nullptr);
    EXPECT_EQ(doc->GetRowCount(), 1);
}

TEST_F(MessagesWindow, CommandsFollowTheCurrentMessagesStatus)
{
    const struct {
        char status;
        int reference;
        bool edit; // and delete
    } cases[] = { { 'S', -1, false }, { 's', -1, false }, { 'P', -1, true }, { 'p', -1, true }, { 'p', 12, false },
        { 'P', 0, false } };
    for (const auto& c : cases) {
        const ExchMessageRec m = Message("00000009", c.status, c.reference, "x");
        SCOPED_TRACE(std::string(1, c.status) + " " + std::to_string(c.reference));
        EXPECT_TRUE(MessageCommandAllowed(ID_MESSAGE_VIEW, &m));
        EXPECT_EQ(MessageCommandAllowed(ID_MESSAGE_EDIT, &m), c.edit);
        EXPECT_EQ(MessageCommandAllowed(ID_MESSAGE_DELETE, &m), c.edit);
    }
    for (unsigned id : { ID_MESSAGE_VIEW, ID_MESSAGE_EDIT, ID_MESSAGE_DELETE })
        EXPECT_FALSE(MessageCommandAllowed(id, nullptr)) << id;

    Add("00000001", 'S');
    Add("00000002", 'P');
    auto* view = Open<CMsgsView>(18);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(Enabled(*view, ID_MESSAGE_VIEW)) << "no current message";
    Select(*view, { 0 });
    EXPECT_TRUE(Enabled(*view, ID_MESSAGE_VIEW));
    EXPECT_FALSE(Enabled(*view, ID_MESSAGE_EDIT));
    EXPECT_FALSE(Enabled(*view, ID_MESSAGE_DELETE));
    EXPECT_TRUE(Opens<CMsgRecvDlg>(*view, ID_MESSAGE_VIEW));
    Select(*view, { 1 });
    EXPECT_TRUE(Enabled(*view, ID_MESSAGE_EDIT));
    EXPECT_TRUE(Enabled(*view, ID_MESSAGE_DELETE));
    EXPECT_TRUE(Opens<CMsgSendDlg>(*view, ID_MESSAGE_EDIT));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MessagesWindow, DeleteWithdrawsAWaitingMessageOnly)
{
    Add("00000042", 'P');
    auto* view = Open<CMsgsView>(18);
    ASSERT_NE(view, nullptr);
    router->Reply({ { 193, std::string("Message accepted.") + '\0' } });
    Select(*view, { 0 });
    view->routeCommand(ID_MESSAGE_DELETE);
    const std::vector<std::string> sent = Sent(170);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], "TRADER01    00000042");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Command sent.");

    // The host answered meanwhile: the message is sent, nothing goes out.
    router->ClearRecord();
    boxes.clear();
    const ExchMessageRec sentMessage = Message("00000042", 'S', -1, "x");
    EXPECT_EQ(KvDeleteMessage(sentMessage), 0);
    EXPECT_TRUE(Sent(170).empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Only waiting messages can be changed or deleted.");
}

TEST_F(MessagesWindow, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    Add("00000001", 'S', -1, "Closing auction of BRD1 moved to 16:10");
    Add("00000002", 'P', -1, "Please confirm the block trade of ALFA");
    Add("00000003", 's', 4, "Settlement instructions sent");
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        auto* view = Open<CMsgsView>(18);
        ASSERT_NE(view, nullptr);
        view->OnGridSizeToContent();
        view->parentFrame()->resize(1100, 200);
        const QImage image = view->parentFrame()->grab().toImage();
        EXPECT_FALSE(image.isNull());
        if (dirName != nullptr)
            image.save(QDir(dirName).filePath(QStringLiteral("list-messages-%1.png").arg(suffix)));
        EXPECT_EQ(view->GetDocument()->GetColumnTitle(6),
            language == fw::Language::English ? "Message" : "\xDCzenet");
        app->CloseAllDocuments();
    }
}

} // namespace
