// window_bench: the trades window over a table of 1,000,000 trades with a
// filter that lists about half of them, kept in step with 10,000 trade
// updates per second. An update is one trade record decoded by the trade
// table; a batch of 1,000 (0.1 s of traffic) is one packet: the table tells
// the window once, the window turns the table's hint into a hint over its
// rows, and the grid repaints. The baseline, measured in the same run, is
// grid_bench's bare QTableView over a 100,000-row model receiving one change
// signal per changed row. Reported: process CPU per 1,000 updates and the
// ratio (goal <= 2x). Record texts are made outside the timed part.
#include "grid_bench_support.h"

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "kv32/lists/trades_list.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_updates.h"
#include "kv32/windows/trades_view.h"
#include "support/trading_records.h"

namespace {

constexpr int kTrades = 1000000;
constexpr int kBatches = 200;

// Lists the trades that are matched or unapproved.
class MatchedCriteria : public CListCriteria {
public:
    void Reset() override { }
    bool Match(const std::uint8_t* record) override
    {
        const std::uint32_t code = reinterpret_cast<const CTradeRec*>(record)->nStatusCode;
        return code == 0 || code == 3;
    }
    void GetDescription(std::string&) override { }
    void Serialize(fw::Archive&) override { }
};

class Forward : public CTableUpdateListener {
public:
    explicit Forward(CTDoc& doc) : m_doc(doc) { KvAddTableListener(this); }
    ~Forward() override { KvRemoveTableListener(this); }
    void OnTableUpdate(std::uint16_t id, const fw::RowHint* hint) override
    {
        if (id == CTradeTable::kTableId)
            m_doc.UpdateDocument(0, const_cast<fw::RowHint*>(hint));
    }

private:
    CTDoc& m_doc;
};

long long g_seq = 0;

void Feed(std::string& bytes)
{
    tagTMSG m;
    m.nType = CTradeTable::kRequest;
    m.nLength = static_cast<int32_t>(bytes.size());
    m.pText = reinterpret_cast<unsigned char*>(bytes.data());
    TradeTable().StoreDataItem(&m);
}

std::string Record(long long number, char status)
{
    kv32test::TradeSpec s;
    s.seq = ++g_seq;
    s.number = number;
    s.status = status;
    s.buyOrder = number * 2;
    s.sellOrder = number * 2 + 1;
    return kv32test::TradeRecord(s);
}

char RandomStatus(std::mt19937& rng)
{
    static constexpr char kLetters[] = "MPWUYL";
    return kLetters[rng() % 6];
}

// One batch: `changes` records of held trades with a new status, the rest new trades.
std::vector<std::string> MakeBatch(std::mt19937& rng, long long& next, int changes)
{
    std::vector<std::string> batch;
    batch.reserve(gridbench::kBatch);
    for (int i = 0; i < gridbench::kBatch; ++i) {
        if (i < changes)
            batch.push_back(Record(1 + static_cast<long long>(rng() % static_cast<unsigned>(next - 1)), RandomStatus(rng)));
        else
            batch.push_back(Record(next++, RandomStatus(rng)));
    }
    return batch;
}

struct Cost {
    double table = 0; // decoding the records into the trade table
    double window = 0; // the window's refresh, the grid's update and the repaint
    double Total() const { return table + window; }
};

// CPU per batch of 1,000 updates.
Cost RunWindow(std::mt19937& rng, long long& next, int changes)
{
    std::vector<std::vector<std::string>> batches;
    for (int b = 0; b < kBatches; ++b)
        batches.push_back(MakeBatch(rng, next, changes));
    Cost cost;
    for (auto& batch : batches) {
        const double start = gridbench::cpuSeconds();
        for (std::string& r : batch)
            Feed(r);
        const double decoded = gridbench::cpuSeconds();
        TradeTable().OnPostReceive();
        gridbench::settle();
        cost.window += gridbench::cpuSeconds() - decoded;
        cost.table += decoded - start;
    }
    cost.table /= kBatches;
    cost.window /= kBatches;
    return cost;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    gridbench::setLook();
    fw::App app;

    std::printf("trades window: %d trades, a filter listing the matched and unapproved ones\n", kTrades);
    {
        const double start = gridbench::cpuSeconds();
        std::mt19937 rng(11);
        for (long long n = 1; n <= kTrades; ++n) {
            std::string r = Record(n, RandomStatus(rng));
            Feed(r);
        }
        TradeTable().OnPostReceive();
        std::printf("  table filled in %.2f s CPU\n", gridbench::cpuSeconds() - start);
    }

    auto doc = std::make_unique<CTradesDoc>();
    doc->SetFilter(std::make_unique<MatchedCriteria>());
    CTradesView view;
    view.setDocument(doc.get());
    doc->onNewDocument();
    view.resize(1200, 800);
    view.onInitialUpdate();
    view.show();
    gridbench::settle();
    std::printf("  window lists %d rows\n", doc->GetRowCount());
    Forward forward(*doc);

    gridbench::Table t;
    gridbench::fillTable(t);
    gridbench::runBare(t, gridbench::kRows); // warm the style and font caches
    const double bare = gridbench::runBare(t, gridbench::kRows) / gridbench::kUpdates;

    std::mt19937 rng(5);
    long long next = kTrades + 1;
    struct Scenario {
        const char* name;
        int changes; // of 1,000
    } scenarios[] = { { "new trades only", 0 }, { "changed trades only", 1000 },
        { "900 changed trades and 100 new ones per batch", 900 } };
    std::printf("10,000 updates per second as batches of %d (one batch = 1,000 updates = 0.1 s of traffic)\n",
        gridbench::kBatch);
    for (const Scenario& sc : scenarios) {
        const Cost cost = RunWindow(rng, next, sc.changes);
        std::printf(" %s (window now %d of %d trades)\n", sc.name, doc->GetRowCount(), TradeTable().GetCount());
        std::printf("  trade table decode  %8.1f us CPU per 1,000 updates\n", cost.table * 1e6);
        std::printf("  trades window       %8.1f us CPU per 1,000 updates (refresh, grid update, repaint)\n",
            cost.window * 1e6);
        std::printf("  both                %8.1f us CPU per 1,000 updates (%5.2f %% of one core)\n",
            cost.Total() * 1e6, cost.Total() * 10 * 100);
        std::printf("  bare QTableView     %8.1f us CPU per 1,000 updates (%5.2f %% of one core)\n", bare * 1e6,
            bare * 10 * 100);
        std::printf("  ratio window / bare %8.2fx, both / bare %.2fx (goal <= 2x)\n", bare > 0 ? cost.window / bare : 0.0,
            bare > 0 ? cost.Total() / bare : 0.0);
    }
    view.setDocument(nullptr);
    return 0;
}
