// window_bench: the orders window over a table of 1,000,000 orders, and the
// trades window over 1,000,000 trades, each with a filter that lists about a
// third of them, kept in step with 10,000 updates per second. An update is one
// record decoded by the table; a batch of 1,000 (0.1 s of traffic) is one
// packet: the table tells the window once, the window turns the table's hint
// into a hint over its rows, and the grid repaints. The baseline, measured in the same run, is
// grid_bench's bare QTableView over a 100,000-row model receiving one change
// signal per changed row. Reported: process CPU per 1,000 updates and the
// ratio (goal <= 2x). Record texts are made outside the timed part.
#include "grid_bench_support.h"
#include "window_bench_cases.h"

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "kv32/lists/orders_list.h"
#include "kv32/lists/trades_list.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_updates.h"
#include "kv32/windows/orders_view.h"
#include "kv32/windows/trades_view.h"
#include "support/trading_records.h"

namespace {

constexpr int kRecords = 1000000;
constexpr int kBatches = 200;

// Lists the records whose status code is one of two.
template <class TRecord> class TwoStatusCriteria : public CListCriteria {
public:
    TwoStatusCriteria(std::uint32_t a, std::uint32_t b) : m_a(a), m_b(b) { }
    void Reset() override { }
    bool Match(const std::uint8_t* record) override
    {
        const std::uint32_t code = reinterpret_cast<const TRecord*>(record)->nStatusCode;
        return code == m_a || code == m_b;
    }
    void GetDescription(std::string&) override { }
    void Serialize(fw::Archive&) override { }

private:
    std::uint32_t m_a, m_b;
};

template <class TTable> class Forward : public CTableUpdateListener {
public:
    explicit Forward(CTDoc& doc) : m_doc(doc) { KvAddTableListener(this); }
    ~Forward() override { KvRemoveTableListener(this); }
    void OnTableUpdate(std::uint16_t id, const fw::RowHint* hint) override
    {
        if (id == TTable::kTableId)
            m_doc.UpdateDocument(0, const_cast<fw::RowHint*>(hint));
    }

private:
    CTDoc& m_doc;
};

long long g_seq = 0;

template <class TTable> void Feed(TTable& table, std::string& bytes)
{
    tagTMSG m;
    m.nType = TTable::kRequest;
    m.nLength = static_cast<int32_t>(bytes.size());
    m.pText = reinterpret_cast<unsigned char*>(bytes.data());
    table.StoreDataItem(&m);
}

// One kind of window: its table, its records and their status letters.
struct TradesKind {
    using Table = CTradeTable;
    using Doc = CTradesDoc;
    using View = CTradesView;
    using Row = CTradeRec;
    static constexpr const char* kName = "trades window";
    static constexpr const char* kFilter = "the matched and unapproved trades";
    static constexpr std::uint32_t kShownA = 0, kShownB = 3;
    static Table& TableOf() { return TradeTable(); }
    static char RandomStatus(std::mt19937& rng)
    {
        static constexpr char kLetters[] = "MPWUYL";
        return kLetters[rng() % 6];
    }
    static std::string Record(long long number, char status)
    {
        kv32test::TradeSpec s;
        s.seq = ++g_seq;
        s.number = number;
        s.status = status;
        s.buyOrder = number * 2;
        s.sellOrder = number * 2 + 1;
        return kv32test::TradeRecord(s);
    }
};

struct OrdersKind {
    using Table = COrderTable;
    using Doc = COrdersDoc;
    using View = COrdersView;
    using Row = COrderRec;
    static constexpr const char* kName = "orders window";
    static constexpr const char* kFilter = "the open and amended orders";
    static constexpr std::uint32_t kShownA = 0, kShownB = 5;
    static Table& TableOf() { return OrderTable(); }
    static char RandomStatus(std::mt19937& rng)
    {
        static constexpr char kLetters[] = "OIUMAWE";
        return kLetters[rng() % 7];
    }
    static std::string Record(long long number, char status)
    {
        kv32test::OrderSpec s;
        s.seq = ++g_seq;
        s.number = number;
        s.status = status;
        s.side = (number & 1) != 0 ? 'B' : 'S';
        return kv32test::OrderRecord(s);
    }
};

// One batch: `changes` records of held rows with a new status, the rest new ones.
template <class Kind> std::vector<std::string> MakeBatch(std::mt19937& rng, long long& next, int changes)
{
    std::vector<std::string> batch;
    batch.reserve(gridbench::kBatch);
    for (int i = 0; i < gridbench::kBatch; ++i) {
        if (i < changes)
            batch.push_back(Kind::Record(
                1 + static_cast<long long>(rng() % static_cast<unsigned>(next - 1)), Kind::RandomStatus(rng)));
        else
            batch.push_back(Kind::Record(next++, Kind::RandomStatus(rng)));
    }
    return batch;
}

struct Cost {
    double table = 0; // decoding the records into the table
    double refresh = 0; // the window's rows, the grid's model and its change notifications
    double paint = 0; // the event loop: layout and repaint
    double Window() const { return refresh + paint; }
    double Total() const { return table + Window(); }
};

// CPU per batch of 1,000 updates.
template <class Kind> Cost RunWindow(std::mt19937& rng, long long& next, int changes)
{
    std::vector<std::vector<std::string>> batches;
    for (int b = 0; b < kBatches; ++b)
        batches.push_back(MakeBatch<Kind>(rng, next, changes));
    Cost cost;
    for (auto& batch : batches) {
        const double start = gridbench::cpuSeconds();
        for (std::string& r : batch)
            Feed(Kind::TableOf(), r);
        const double decoded = gridbench::cpuSeconds();
        Kind::TableOf().OnPostReceive();
        const double refreshed = gridbench::cpuSeconds();
        gridbench::settle();
        cost.paint += gridbench::cpuSeconds() - refreshed;
        cost.refresh += refreshed - decoded;
        cost.table += decoded - start;
    }
    cost.table /= kBatches;
    cost.refresh /= kBatches;
    cost.paint /= kBatches;
    return cost;
}

template <class Kind> void RunKind(double bare)
{
    std::printf("%s: %d records, a filter listing %s\n", Kind::kName, kRecords, Kind::kFilter);
    {
        const double start = gridbench::cpuSeconds();
        std::mt19937 rng(11);
        for (long long n = 1; n <= kRecords; ++n) {
            std::string r = Kind::Record(n, Kind::RandomStatus(rng));
            Feed(Kind::TableOf(), r);
        }
        Kind::TableOf().OnPostReceive();
        std::printf("  table filled in %.2f s CPU\n", gridbench::cpuSeconds() - start);
    }

    auto doc = std::make_unique<typename Kind::Doc>();
    doc->SetFilter(std::make_unique<TwoStatusCriteria<typename Kind::Row>>(Kind::kShownA, Kind::kShownB));
    typename Kind::View view;
    view.setDocument(doc.get());
    doc->onNewDocument();
    view.resize(1200, 800);
    view.onInitialUpdate();
    view.show();
    gridbench::settle();
    std::printf("  window lists %d rows\n", doc->GetRowCount());
    Forward<typename Kind::Table> forward(*doc);

    std::mt19937 rng(5);
    long long next = kRecords + 1;
    struct Scenario {
        const char* name;
        int changes; // of 1,000
    } scenarios[] = { { "new records only", 0 }, { "changed records only", 1000 },
        { "900 changed records and 100 new ones per batch", 900 } };
    std::printf("10,000 updates per second as batches of %d (one batch = 1,000 updates = 0.1 s of traffic)\n",
        gridbench::kBatch);
    for (const Scenario& sc : scenarios) {
        const Cost cost = RunWindow<Kind>(rng, next, sc.changes);
        std::printf(" %s (window now %d of %d records)\n", sc.name, doc->GetRowCount(), Kind::TableOf().GetCount());
        std::printf("  table decode        %8.1f us CPU per 1,000 updates\n", cost.table * 1e6);
        std::printf("  window              %8.1f us CPU per 1,000 updates (refresh %.1f, layout and repaint %.1f)\n",
            cost.Window() * 1e6, cost.refresh * 1e6, cost.paint * 1e6);
        std::printf("  both                %8.1f us CPU per 1,000 updates (%5.2f %% of one core)\n",
            cost.Total() * 1e6, cost.Total() * 10 * 100);
        std::printf("  bare QTableView     %8.1f us CPU per 1,000 updates (%5.2f %% of one core)\n", bare * 1e6,
            bare * 10 * 100);
        std::printf("  ratio window / bare %8.2fx, both / bare %.2fx (goal <= 2x)\n",
            bare > 0 ? cost.Window() / bare : 0.0, bare > 0 ? cost.Total() / bare : 0.0);
    }
    view.setDocument(nullptr);
    Kind::TableOf().Free();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    gridbench::setLook();
    fw::App app;

    gridbench::Table t;
    gridbench::fillTable(t);
    gridbench::runBare(t, gridbench::kRows); // warm the style and font caches
    const double bare = gridbench::runBare(t, gridbench::kRows) / gridbench::kUpdates;

    // One case when named (orders, trades, supervision, securities), else all.
    const std::string only = argc > 1 ? argv[1] : "";
    if (only.empty() || only == "orders")
        RunKind<OrdersKind>(bare);
    if (only.empty() || only == "trades")
        RunKind<TradesKind>(bare);
    if (only.empty() || only == "supervision")
        RunSupervisionCases(bare);
    if (only.empty() || only == "securities")
        RunSecuritiesWindow(bare);
    return 0;
}
