// window_bench's supervision cases. The Audit Events window takes 1,000,000
// events as the host sends them, in batches of 1,000, under an audit filter
// that lists every other event: the table decodes and appends, the window
// appends the events that pass. Measured twice: the window showing its first
// rows, so the new ones come below the visible area, and the window scrolled
// to its end, where it follows the newest events and every batch shows a
// screenful of new rows (a repaint of the whole grid, however it is drawn). The cash positions window of a firm's users
// holds 20,000 rows (5,000 users, four cash pools each) and takes 10,000
// changed positions a second, a reply of 1,000 records per 0.1 s. Reported as
// the other cases: process CPU per 1,000 records against the bare QTableView.
#include "window_bench_cases.h"

#include <QScrollBar>
#include <QTableView>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "grid_bench_support.h"
#include "kv32/filters/supervision_filters.h"
#include "kv32/lists/audits_list.h"
#include "kv32/lists/cash_positions_list.h"
#include "kv32/lists/list_criteria.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_updates.h"
#include "kv32/windows/audits_view.h"
#include "kv32/windows/cash_positions_view.h"

namespace {

constexpr int kAuditEvents = 1000000;
constexpr int kCashUsers = 5000;
constexpr int kCashPools = 4;
constexpr int kCashBatches = 200;

struct Cost {
    double table = 0; // decoding the records
    double refresh = 0; // the window's rows, the grid's model and its change notifications
    double paint = 0; // the event loop: layout and repaint
    double Window() const { return refresh + paint; }
    double Total() const { return table + Window(); }
    void Per(int batches)
    {
        table /= batches;
        refresh /= batches;
        paint /= batches;
    }
};

// One batch timed: the records decoded, the window told, the event loop run.
template <class Decode, class Tell> void TimeBatch(Cost& cost, Decode&& decode, Tell&& tell)
{
    const double start = gridbench::cpuSeconds();
    decode();
    const double decoded = gridbench::cpuSeconds();
    tell();
    const double refreshed = gridbench::cpuSeconds();
    gridbench::settle();
    cost.paint += gridbench::cpuSeconds() - refreshed;
    cost.refresh += refreshed - decoded;
    cost.table += decoded - start;
}

void Report(const Cost& cost, double bare)
{
    std::printf("  table decode        %8.1f us CPU per 1,000 records\n", cost.table * 1e6);
    std::printf("  window              %8.1f us CPU per 1,000 records (refresh %.1f, layout and repaint %.1f)\n",
        cost.Window() * 1e6, cost.refresh * 1e6, cost.paint * 1e6);
    std::printf("  both                %8.1f us CPU per 1,000 records (%5.2f %% of one core)\n", cost.Total() * 1e6,
        cost.Total() * 10 * 100);
    std::printf("  bare QTableView     %8.1f us CPU per 1,000 updates (%5.2f %% of one core)\n", bare * 1e6,
        bare * 10 * 100);
    std::printf("  ratio window / bare %8.2fx, both / bare %.2fx (goal <= 2x)\n", bare > 0 ? cost.Window() / bare : 0.0,
        bare > 0 ? cost.Total() / bare : 0.0);
}

template <class TTarget> void Feed(TTarget& target, int type, std::string& bytes)
{
    tagTMSG m;
    m.nType = type;
    m.nLength = static_cast<int32_t>(bytes.size());
    m.pText = reinterpret_cast<unsigned char*>(bytes.data());
    target.StoreDataItem(&m);
}

std::string Padded(const std::string& text, size_t width)
{
    std::string out = text.substr(0, width);
    out.resize(width, ' ');
    return out;
}

// An audit event of stream "Y" shown in no pop-up: key, stream, group, type,
// time, display mode, to user, to firm, from user, board, instrument, user,
// firm, the text's length and the text.
std::string AuditEvent(int number)
{
    char key[16], time[16], length[16];
    std::snprintf(key, sizeof key, "%08d", number % 100000000);
    std::snprintf(time, sizeof time, "%02d%02d%02d", 9 + number / 3600 % 8, number / 60 % 60, number % 60);
    const std::string user = number % 2 == 0 ? "ALICE" : "BOB";
    const std::string text = "Order entered by " + user + " number " + std::to_string(number);
    std::snprintf(length, sizeof length, "%03zu", text.size());
    return std::string(key) + "Y" + "TRD " + "ORDE" + time + "N" + Padded("", 12) + Padded("", 12) + Padded("", 12)
        + Padded("MAIN", 4) + Padded("HU0000000001", 12) + Padded(user, 12) + Padded("BRK1", 12) + length + text;
}

void RunAuditEvents(double bare, bool followTail, int events)
{
    std::printf("Audit Events window %s: %d events in batches of %d, a filter listing one user's (half)\n",
        followTail ? "following the newest (scrolled to its end)" : "showing its first rows", events, gridbench::kBatch);
    auto doc = std::make_unique<CAuditsDoc>();
    auto& filter = dynamic_cast<CCriteriaOf<CAuditsFilter, AuditEventRec>&>(doc->Filter()).Get();
    filter.m_bNoFiltering = 0;
    filter.m_bAllBoards = filter.m_bAllSecurities = filter.m_bAllFirms = 1;
    filter.m_bAllTypes = filter.m_bAllGroups = 1;
    filter.m_bAllUsers = 0;
    filter.m_aUsers = { "ALICE" };
    CAuditsView view;
    view.setDocument(doc.get());
    doc->onNewDocument();
    view.resize(1200, 800);
    view.onInitialUpdate();
    view.show();
    gridbench::settle();
    struct Forward : CTableUpdateListener {
        explicit Forward(CTDoc& d) : doc(d) { KvAddTableListener(this); }
        ~Forward() override { KvRemoveTableListener(this); }
        void OnTableUpdate(std::uint16_t id, const fw::RowHint* hint) override
        {
            if (id == CAuditTable::kTableId)
                doc.UpdateDocument(0, const_cast<fw::RowHint*>(hint));
        }
        CTDoc& doc;
    } forward(*doc);

    CAuditTable& table = AuditTable();
    Cost cost;
    int number = 0;
    const int batches = events / gridbench::kBatch;
    std::vector<std::string> batch;
    for (int b = 0; b <= batches; ++b) {
        batch.clear();
        for (int i = 0; i < gridbench::kBatch; ++i)
            batch.push_back(AuditEvent(++number));
        if (b == 0) {
            // An empty window sits at its end: the first batch, untimed, gives it rows to scroll.
            for (std::string& r : batch)
                Feed(table, CAuditTable::kRequest, r);
            table.OnPostReceive();
            gridbench::settle();
            QScrollBar* bar = view.scrollTable()->verticalScrollBar();
            bar->setValue(followTail ? bar->maximum() : bar->minimum());
            gridbench::settle();
            continue;
        }
        TimeBatch(
            cost,
            [&] {
                for (std::string& r : batch)
                    Feed(table, CAuditTable::kRequest, r);
            },
            [&] { table.OnPostReceive(); });
    }
    cost.Per(batches);
    std::printf(" window lists %d of %d events\n", doc->GetRowCount(), table.GetCount());
    Report(cost, bare);
    view.setDocument(nullptr);
    table.Free();
}

// A user's position in a cash pool (reply to request 90): sequence number,
// user, firm, currency, pool, open, current, planned, the hard and warn limits
// with their marks (17 digits each), the order limit (16) and its mark.
std::string UserCash(long long seq, int user, int pool, long long current)
{
    char seqText[16], userText[16], poolText[8], numbers[160];
    std::snprintf(seqText, sizeof seqText, "%010lld", seq % 10000000000LL);
    std::snprintf(userText, sizeof userText, "BRK1U%05d", user);
    std::snprintf(poolText, sizeof poolText, "HUF%d", pool);
    std::snprintf(numbers, sizeof numbers, "%017lld%017lld%017lld%017lld%c%017lld%c%016lld%c", 50000000LL, current,
        3000000LL, 80000000LL, 'Y', 60000000LL, 'Y', 10000000LL, 'N');
    return seqText + Padded(userText, 12) + Padded("BRK1", 12) + "HUF" + Padded(poolText, 4) + numbers;
}

void RunCashPositions(double bare)
{
    std::printf("cash positions window: %d rows of a firm's users, 10,000 changes a second as replies of %d\n",
        kCashUsers * kCashPools, gridbench::kBatch);
    auto doc = std::make_unique<CCurPosDoc>();
    CCurPosFilter criteria;
    criteria.m_nKind = 1;
    criteria.m_strFirm = "BRK1";
    doc->TakeFilter(criteria);
    CCurPosView view;
    view.setDocument(doc.get());
    doc->onNewDocument();
    view.resize(1200, 800);
    view.onInitialUpdate();
    view.show();
    long long seq = 0;
    for (int user = 0; user < kCashUsers; ++user)
        for (int pool = 0; pool < kCashPools; ++pool) {
            std::string r = UserCash(++seq, user, pool, 42000000);
            Feed(*doc, CCurPosDoc::kUserRequest, r);
        }
    doc->OnPostReceive();
    gridbench::settle();

    std::mt19937 rng(7);
    Cost cost;
    std::vector<std::string> batch;
    for (int b = 0; b < kCashBatches; ++b) {
        batch.clear();
        for (int i = 0; i < gridbench::kBatch; ++i)
            batch.push_back(UserCash(++seq, static_cast<int>(rng() % kCashUsers), static_cast<int>(rng() % kCashPools),
                static_cast<long long>(rng() % 100000000) - 20000000));
        TimeBatch(
            cost,
            [&] {
                for (std::string& r : batch)
                    Feed(*doc, CCurPosDoc::kUserRequest, r);
            },
            [&] { doc->OnPostReceive(); });
    }
    cost.Per(kCashBatches);
    std::printf(" window holds %d rows\n", doc->GetRowCount());
    Report(cost, bare);
    view.setDocument(nullptr);
}

} // namespace

void RunSupervisionCases(double bare)
{
    RunAuditEvents(bare, false, kAuditEvents);
    RunAuditEvents(bare, true, kAuditEvents / 10);
    RunCashPositions(bare);
}
