// window_bench's securities case: the Securities window listing all of
// 50,000 securities, kept in step with 10,000 change reports a second through
// the security table. A batch of 1,000 reports (0.1 s of traffic) is one
// packet: the table applies them, ticks its change indication once and tells
// the window which securities changed; the window turns that into a hint over
// its rows and the grid repaints. Reports are made outside the timed part.
#include "grid_bench_support.h"
#include "window_bench_cases.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "kv32/lists/securities_list.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_updates.h"
#include "kv32/windows/securities_view.h"
#include "support/security_records.h"

namespace {

constexpr int kSecurities = 50000;
constexpr int kBatches = 200;

std::string Instrument(int i)
{
    char id[13];
    std::snprintf(id, sizeof id, "INS%09d", i);
    return id;
}

std::string Digits(long long v, int width)
{
    std::string text = std::to_string(v);
    return std::string(static_cast<std::size_t>(width) - text.size(), '0') + text;
}

// Hands the security table's hints to the one window, as the application does.
class ToWindow : public CTableUpdateListener {
public:
    explicit ToWindow(CSecsDoc& doc) : m_doc(doc) { KvAddTableListener(this); }
    ~ToWindow() override { KvRemoveTableListener(this); }
    void OnTableUpdate(std::uint16_t id, const fw::RowHint* hint) override
    {
        if (id == CSecurityTable::kTableId)
            m_doc.UpdateDocument(0, const_cast<fw::RowHint*>(hint));
    }

private:
    CSecsDoc& m_doc;
};

// A batch of reports of random securities, each with two to four of the
// figures the market moves most.
std::vector<std::string> MakeBatch(std::mt19937& rng, long long& seq)
{
    static constexpr char kTags[] = { 'C', 'G', 'N', 'P', 'Q', 'S' };
    kv32test::SecuritySpec spec;
    std::vector<std::string> batch;
    batch.reserve(gridbench::kBatch);
    for (int i = 0; i < gridbench::kBatch; ++i) {
        const int row = static_cast<int>(rng() % kSecurities);
        spec.instrument = Instrument(row);
        std::vector<std::pair<char, std::string>> items;
        const int count = 2 + static_cast<int>(rng() % 3);
        for (int k = 0; k < count; ++k) {
            const char tag = kTags[rng() % sizeof kTags];
            const bool wide = tag == 'Q' || tag == 'S';
            items.emplace_back(tag, Digits(static_cast<long long>(rng() % 1000000), wide ? 16 : 9));
        }
        batch.push_back(kv32test::SecurityChange(++seq, row, kv32test::SecurityCode(spec), items));
    }
    return batch;
}

} // namespace

void RunSecuritiesWindow(double bare)
{
    CSecurityTable& table = SecurityTable();
    table.Free();
    kv32test::SecuritySpec spec;
    for (int i = 0; i < kSecurities; ++i) {
        spec.key = i + 1;
        spec.instrument = Instrument(i);
        table.DecodeSnapshot(kv32test::SecuritySnapshot(spec));
    }
    std::printf("securities window: %d securities, all listed\n", table.GetCount());

    CSecsDoc doc;
    CSecsView view;
    view.setDocument(&doc);
    doc.onNewDocument();
    std::vector<int> rows(static_cast<std::size_t>(table.GetCount()));
    for (int i = 0; i < table.GetCount(); ++i)
        rows[static_cast<std::size_t>(i)] = i;
    doc.SetRows(std::move(rows));
    view.resize(1200, 800);
    view.onInitialUpdate();
    view.show();
    gridbench::settle();
    ToWindow forward(doc);

    std::mt19937 rng(7);
    long long seq = 0;
    std::vector<std::vector<std::string>> batches;
    for (int b = 0; b < kBatches; ++b)
        batches.push_back(MakeBatch(rng, seq));
    tagTMSG message;
    message.nType = CSecurityTable::kChangeRequest;
    double decode = 0, window = 0;
    for (auto& batch : batches) {
        const double start = gridbench::cpuSeconds();
        for (std::string& r : batch) {
            message.nLength = static_cast<int32_t>(r.size());
            message.pText = reinterpret_cast<unsigned char*>(r.data());
            table.StoreDataItem(&message);
        }
        const double decoded = gridbench::cpuSeconds();
        table.ApplyPendingChanges();
        gridbench::settle();
        window += gridbench::cpuSeconds() - decoded;
        decode += decoded - start;
    }
    decode /= kBatches;
    window /= kBatches;
    std::printf("10,000 change reports per second as batches of %d\n", gridbench::kBatch);
    std::printf("  table decode        %8.1f us CPU per 1,000 reports\n", decode * 1e6);
    std::printf("  window              %8.1f us CPU per 1,000 reports (indication tick, refresh, repaint)\n",
        window * 1e6);
    std::printf("  bare QTableView     %8.1f us CPU per 1,000 updates\n", bare * 1e6);
    std::printf("  ratio window / bare %8.2fx, both / bare %.2fx (goal <= 2x)\n", bare > 0 ? window / bare : 0.0,
        bare > 0 ? (decode + window) / bare : 0.0);
    view.setDocument(nullptr);
    table.Free();
}
