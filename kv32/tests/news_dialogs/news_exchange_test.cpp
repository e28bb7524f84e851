// A message and a news item sent from the dialogs to the simulated exchange in
// process: the host reads the records the dialogs build, and the text fetched
// back with request 69 is the text that was published.
#if KV32_HAVE_EXCHANGE

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "fw/core/clock.h"
#include "fw/test/fwtest.h"
#include "kv32/shell/message_send.h"
#include "support/clock_support.h"
#include "kv32/dialogs/msg_dlgs.h"
#include "kv32/dialogs/news_dlgs.h"
#include "kv32/res/message_dialogs_ids.h"
#include "kv32/shell/kv_app_logic.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "support/exchange_link.h"
#include "support/scripted_router.h"
#include "support/ui_recorder.h"

namespace {

class NewsAgainstExchange : public ::testing::Test {
protected:
    NewsAgainstExchange()
        : router("SUP1")
        , link(router, "SUP1")
        , session("SUP1")
    {
        session.m_sUser = "SUP1";
        session.m_bConfirm = 0;
        session.m_bSaveLogs = 0;
        ps = &session;
        ParticipantRec p;
        std::strcpy(p.szCode, "ISSR1");
        std::strcpy(p.szName, "Magyar Olajipari Nyrt.");
        std::strcpy(p.szType, "ISSR");
        ParticipantTable().AddRec(p);
        NewsTypeRec t {};
        std::strcpy(t.szCode, "ANNC");
        std::strcpy(t.szName, "Announcement");
        NewsTypeTable().AddRec(t);
        LanguageRec l {};
        std::strcpy(l.szCode, "HU");
        std::strcpy(l.szName, "Hungarian");
        LanguageTable().AddRec(l);
    }
    ~NewsAgainstExchange() override
    {
        for (CVorlPermTarget* table : std::initializer_list<CVorlPermTarget*> { &ParticipantTable(), &NewsTypeTable(),
                 &LanguageTable(), &NewsTable() })
            table->Free();
        ps = nullptr;
    }

    kv32test::ScriptedRouter router;
    kv32test::UiRecorder ui;
    CKvAppLogic app;
    kv32test::ExchangeLink link;
    CSession session;
};

TEST_F(NewsAgainstExchange, AnUrgentMessageToEverybodyIsAccepted)
{
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    CMsgSendDlg dlg;
    const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        d.userClick(IDC_MSG_URGENT);
        d.userType(IDC_MSG_TEXT, "Trading halts at noon.\nPlease close your orders.");
        d.userClick(fw::kIdOk);
        if (d.isVisible())
            d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(result, fw::IDOK);
    ASSERT_EQ(boxes.messageBoxes().size(), 1u);
    EXPECT_EQ(boxes.messageBoxes()[0].rfind("Message ", 0), 0u) << boxes.messageBoxes()[0];
    ASSERT_FALSE(link.host->data().messages.empty());
    EXPECT_EQ(link.host->data().messages.back().text, "Trading halts at noon.\r\nPlease close your orders.");
}

TEST_F(NewsAgainstExchange, AWaitingMessageIsChangedInPlaceThenWithdrawn)
{
    // The host's clock stands at noon: a message for one o'clock waits.
    fw::ManualClock clock { 0, kvtest::LocalMoment(2026, 12, 10, 13, 0, 0) };
    fw::ClockScope clockScope { clock };
    {
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        CMsgSendDlg dlg;
        fw::test::runModal(dlg, [](fw::Dialog& d) {
            d.userType(IDC_MSG_TEXT, "Meeting at one.");
            d.userClick(fw::kIdOk);
            if (d.isVisible())
                d.userClick(fw::kIdCancel);
        });
    }
    ASSERT_FALSE(link.host->data().messages.empty());
    const size_t count = link.host->data().messages.size();
    const exchange::ExchangeMessage waiting = link.host->data().messages.back();
    ASSERT_EQ(waiting.status, 'P');
    // The message as its broadcast would have put it into the table.
    ExchMessageRec rec {};
    rec.time = CDateTime(2026, 12, 10, 13, 0, 0);
    std::strcpy(rec.szFromUser, "SUP1");
    std::strcpy(rec.szReceived, waiting.text.c_str());
    rec.cDisplayMode = 'S';
    rec.cStatus = 'P';
    rec.cDataFeed = 'N';
    std::snprintf(rec.szKey, sizeof rec.szKey, "%08lld", static_cast<long long>(waiting.key));
    ExchMessageTable().AddRec(rec);
    {
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        CMsgSendDlg dlg;
        dlg.SetEditMode(0);
        const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(fw::kIdOk), "&Update");
            d.userType(IDC_MSG_TEXT, "Meeting at half past one.");
            d.userClick(fw::kIdOk);
            if (d.isVisible())
                d.userClick(fw::kIdCancel);
        });
        EXPECT_EQ(result, fw::IDOK) << (boxes.messageBoxes().empty() ? "" : boxes.messageBoxes()[0]);
    }
    ASSERT_EQ(link.host->data().messages.size(), count) << "changed in place";
    EXPECT_EQ(link.host->data().messages.back().text, "Meeting at half past one.");
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    EXPECT_EQ(SendMsgType144Request("", "", "", 'S', 0, 0, "", rec.szKey, 2), 1);
    EXPECT_EQ(link.host->data().messages.back().status, 'W');
    ExchMessageTable().Free();
}

TEST_F(NewsAgainstExchange, APublishedItemsTextComesBackWithRequest69)
{
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    CNewsDlg dlg;
    const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        d.userSelect(IDC_NEWS_ISSUER, 0);
        d.userSelect(IDC_NEWS_TYPE, 0);
        d.userSelect(IDC_NEWS_LANGUAGE, 0);
        d.userType(IDC_NEWS_TITLE, "Dividend proposal");
        d.userType(IDC_NEWS_TEXT, "The board proposes a dividend.\nPayment in May.");
        d.userClick(fw::kIdOk);
        if (d.isVisible())
            d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(result, fw::IDOK);
    ASSERT_EQ(boxes.messageBoxes().size(), 1u);
    const std::string& accepted = boxes.messageBoxes()[0];
    ASSERT_EQ(accepted.rfind("News ", 0), 0u) << accepted;
    const int32_t id = std::stoi(accepted.substr(5));

    NewsRec head;
    head.nNewsId = id;
    std::strcpy(head.szTitle, "Dividend proposal");
    NewsTable().AddRec(head);
    ASSERT_EQ(KvFetchNewsText(0), 1);
    EXPECT_EQ(*NewsTable().GetRec(0)->body, "The board proposes a dividend.\r\nPayment in May.");
}

} // namespace

#endif
