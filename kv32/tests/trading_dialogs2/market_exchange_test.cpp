// A market maker's two-sided quote and a tick down, entered in the dialogs
// against the simulated exchange in process: the scripted router hands each
// request packet to the exchange and its reply back.
#if KV32_HAVE_EXCHANGE

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/exchange.h"
#include "deal_dialogs/deal_fixture.h"
#include "fw/core/clock.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/mm_order_dlg.h"
#include "kv32/dialogs/mm_tick_dlg.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/shell/kv_app_logic.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/router/info_req.h"
#include "kvcore/security/password.h"
#include "model/dataset.h"
#include "support/clock_support.h"
#include "support/scripted_router.h"
#include "support/ui_recorder.h"

namespace {

using kv32test::Msg;

const char* const kMaker = "BRK12MM";

const exchange::DataSet& SeedData()
{
    static const exchange::DataSet data = [] {
        exchange::DataSet d;
        std::string error;
        if (!exchange::LoadDataSet(EXCHANGE_SEED_DATA_DIR, d, error))
            ADD_FAILURE() << error;
        return d;
    }();
    return data;
}

class MarketMakerAgainstExchange : public ::testing::Test {
protected:
    MarketMakerAgainstExchange()
        : router(kMaker)
        , host(std::make_unique<exchange::Exchange>(SeedData(), [] { return std::string("120000"); }))
    {
        std::string logon = kMaker;
        logon.resize(12, ' ');
        logon += PasswordDigest(std::string("Pass-") + kMaker, kMaker);
        const exchange::ReplyPacket verdict = Ask({ { 129, logon } });
        EXPECT_TRUE(!verdict.empty() && verdict.front().type == 193) << "the market maker logs on";
        router.AnswerWith([this](const std::vector<Msg>& request) {
            std::vector<Msg> reply;
            for (const exchange::ReplyMessage& m : Ask(request))
                reply.push_back({ m.type, m.data });
            return reply;
        });
    }
    ~MarketMakerAgainstExchange() override
    {
        KvSetActiveRow(nullptr);
        for (CVorlPermTarget* table : CVorlPermTarget::apPermTargets)
            table->Free();
        ps = nullptr;
    }

    exchange::ReplyPacket Ask(const std::vector<Msg>& messages)
    {
        exchange::RequestPacket packet;
        packet.clientSlot = 1;
        packet.sequence = m_nSequence++;
        for (const Msg& m : messages)
            packet.messages.push_back({ m.type, m.bytes });
        return host->handle(packet);
    }
    // The firm's standing market-maker orders on the security, buy then sell prices.
    std::vector<std::pair<char, int64_t>> Quotes(const std::string& key) const
    {
        std::vector<std::pair<char, int64_t>> out;
        for (const exchange::Order& o : host->data().orders)
            if (o.status == 'O' && o.flags[5] == '1' && o.firm == "BRK12" && o.securityKey == key)
                out.emplace_back(o.side, o.price);
        return out;
    }

    fw::ManualClock clock { 0, kvtest::LocalMoment(2026, 12, 10, 12, 0, 0) };
    fw::ClockScope clockScope { clock };
    kv32test::ScriptedRouter router;
    kv32test::UiRecorder ui;
    CKvAppLogic app;
    std::unique_ptr<exchange::Exchange> host;
    CSession session { kMaker };

private:
    uint32_t m_nSequence = 0;
};

TEST_F(MarketMakerAgainstExchange, BothSidesQuotedThenTickedDownOneStep)
{
    CKvTables& t = KvTables();
    CVorlPermTarget* const order[] = { &t.boards, &t.statuses, &t.sectors, &t.markets, &t.instruments, &t.letterCodes,
        &t.securities, &t.participants, &t.traders };
    for (CVorlPermTarget* table : order)
        ASSERT_EQ(table->Load(), 1);
    app.CollectAllRequests();
    ASSERT_TRUE(VORLInfoReqEnd());
    ASSERT_EQ(app.VORLInfoReqRecv(), 1);

    int row = -1;
    for (int i = 0; i < t.securities.GetCount() && row < 0; ++i)
        if (std::string_view(t.securities.GetRec(i)->szCode).substr(0, 14) == "0MAINSHR000001")
            row = i;
    ASSERT_GE(row, 0) << "the seed data's first share on the main board";
    const std::string key = t.securities.GetRec(row)->szCode;
    session.m_sUser = kMaker;
    session.GetTrAccLocal()->m_entries = { { "BRK12A1", "" } };
    ps = &session;
    dealtest::FakeActiveRow securities(kListSecurities, row);

    fw::test::Script script;
    script.answerMessageBox(fw::IDOK);
    script.answerMessageBox(fw::IDOK);
    CMMkrOrder form;
    EXPECT_EQ(fw::test::runModal(form, [&](fw::Dialog& d) {
        auto& f = static_cast<CMMkrOrder&>(d);
        EXPECT_EQ(f.SecurityRow(), row) << "opened from the securities window";
        f.SetPriceText(true, "2700.00");
        f.SetQuantity(true, 10);
        f.SetPriceText(false, "2800.00");
        f.SetQuantity(false, 10);
        d.userClick(fw::kIdOk);
    }),
        fw::IDOK);
    EXPECT_EQ(Quotes(key), (std::vector<std::pair<char, int64_t>> { { 'B', 270000 }, { 'S', 280000 } }));

    CMMkrTickDlg tick;
    EXPECT_EQ(fw::test::runModal(tick, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_TK_SECURITY), t.securities.GetRec(row)->szShortName);
        d.userSelect(IDC_TK_FIRM, d.findStringExact(IDC_TK_FIRM, -1, "BRK12"));
        d.userClick(IDC_TK_ALL_USERS);
        d.userClick(IDC_TK_DOWN);
        d.userType(IDC_TK_TICKS, "1");
        d.userClick(fw::kIdOk);
    }),
        fw::IDOK);
    const int64_t step = host->security(key)->tick;
    EXPECT_EQ(Quotes(key), (std::vector<std::pair<char, int64_t>> { { 'B', 270000 - step }, { 'S', 280000 - step } }));
    EXPECT_EQ(script.messageBoxes(), (std::vector<std::string> { "Quotes entered.", "2 orders moved." }));
}

} // namespace

#endif
