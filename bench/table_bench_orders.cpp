// The order table at the size of a busy market: a snapshot of 1,000,000
// orders through the standing request's intake (type dispatch, decoding with
// the security's decimals, the order index, changed-row notes and one window
// hint per packet of 80 orders), then 1,000,000 changes of random orders found
// through the index. In the same run the same bytes are parsed into a plain
// array of records of the same type with a std::unordered_map index. Prints
// both times, their ratio (goal: at most 2) and the peak memory per order.
#include <malloc.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_updates.h"
#include "support/security_records.h"
#include "support/trading_records.h"

namespace {

constexpr int kOrders = 1000000;
constexpr int kChanges = 1000000;
constexpr int kPerPacket = 80; // about what one 30,000-byte reply carries
constexpr int kSecurities = 200;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// A line "Name:   123 kB" of /proc/self/status, in KiB; -1 when absent.
long StatusKiB(const char* name)
{
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (f == nullptr)
        return -1;
    char line[256];
    long value = -1;
    const size_t n = std::strlen(name);
    while (std::fgets(line, sizeof line, f) != nullptr) {
        if (std::strncmp(line, name, n) == 0 && line[n] == ':') {
            value = std::strtol(line + n + 1, nullptr, 10);
            break;
        }
    }
    std::fclose(f);
    return value;
}

// Bytes the allocator has handed out and not taken back.
size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Starts the peak resident size afresh (Linux: "5" to clear_refs).
void ResetPeak()
{
    if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

std::string Instrument(int i)
{
    char text[13];
    std::snprintf(text, sizeof text, "INSTR%07d", i);
    return text;
}

// One packet of order records: new orders (number = seq) or changes of random held ones.
void MakePacket(std::vector<std::string>& packet, long long& seq, bool changes, std::mt19937& random)
{
    packet.clear();
    for (int i = 0; i < kPerPacket; ++i) {
        kv32test::OrderSpec s;
        s.seq = ++seq;
        s.number = changes ? 1 + static_cast<long long>(random() % kOrders) : seq;
        s.code = "0BRD1" + Instrument(static_cast<int>(s.number % kSecurities));
        s.status = changes ? "MAW"[random() % 3] : 'O';
        s.side = (s.number & 1) ? 'B' : 'S';
        s.price = 10000 + static_cast<long long>(random() % 5000);
        s.quantity = 100 + static_cast<long long>(s.number % 900);
        s.balance = changes ? static_cast<long long>(random() % 100) : s.quantity;
        packet.push_back(kv32test::OrderRecord(s));
    }
}

// The baseline: the same fields of the same bytes into the same record type,
// with the security's decimals from a map of its own; no table around them.
struct PlainOrders {
    std::vector<COrderRec> rows;
    std::unordered_map<uint32_t, int> byNumber;
    std::unordered_map<std::string, int> decimals; // security code -> price decimals

    static int64_t Digits(const char* p, size_t n)
    {
        int64_t v = 0;
        while (n > 0 && *p == ' ') {
            ++p;
            --n;
        }
        std::from_chars(p, p + n, v);
        return v;
    }
    static void Text(char* out, const char* p, size_t n)
    {
        while (n > 0 && p[n - 1] == ' ')
            --n;
        std::memcpy(out, p, n);
        out[n] = '\0';
    }
    void Apply(const std::string& r)
    {
        const char* p = r.data();
        const uint32_t number = static_cast<uint32_t>(Digits(p + 11, 12));
        COrderRec rec {};
        rec.nOrderNo = number;
        Text(rec.szDate, p + 24, 8);
        Text(rec.szTime, p + 32, 6);
        rec.dtEntry.SetDateVORL(rec.szDate);
        rec.dtEntry.SetTimeVORL(rec.szTime);
        Text(rec.szType, p + 40, 32);
        Text(rec.szReference, p + 72, 40);
        Text(rec.szUser, p + 112, 12);
        Text(rec.szFirm, p + 124, 12);
        Text(rec.szTrdAcc, p + 136, 12);
        Text(rec.szTrdAccName, p + 148, 30);
        std::memcpy(rec.szSecurityCode, p + 178, 17);
        const auto it = decimals.find(std::string(p + 178, 17));
        const unsigned d = it == decimals.end() ? 0 : static_cast<unsigned>(it->second);
        const double scale = CDouble::Multiplier(d);
        rec.dPrice = CDouble(static_cast<double>(Digits(p + 195, 9)) / scale, d);
        rec.dYield = CDouble(static_cast<double>(Digits(p + 204, 9)), 0);
        rec.dQty = CDouble(static_cast<double>(Digits(p + 213, 16)), 0);
        rec.dHidden = CDouble(static_cast<double>(Digits(p + 229, 16)), 0);
        rec.dBalance = CDouble(static_cast<double>(Digits(p + 245, 16)), 0);
        rec.dValue = CDouble(static_cast<double>(Digits(p + 261, 16)) / 100.0, 2);
        Text(rec.szSettleDate, p + 277, 8);
        rec.dtSettle.SetDateVORL(rec.szSettleDate);
        rec.nPrevLinkOrderNo = static_cast<uint32_t>(Digits(p + 285, 12));
        rec.dAccruedInt = CDouble(static_cast<double>(Digits(p + 297, 16)) / 100.0, 2);
        Text(rec.szExpiryDate, p + 313, 8);
        Text(rec.szExpiryTime, p + 321, 6);
        rec.dtExpiry.SetDateVORL(rec.szExpiryDate);
        rec.dTriggerPrice = CDouble(static_cast<double>(Digits(p + 327, 9)) / scale, d);
        rec.nNextLinkOrderNo = static_cast<uint32_t>(Digits(p + 336, 12));
        rec.dAvgPrice = CDouble(static_cast<double>(Digits(p + 348, 11)) / scale / 100.0, d + 2);
        rec.dFillMinQty = CDouble(static_cast<double>(Digits(p + 359, 16)), 0);
        rec.nStatusCode = static_cast<uint32_t>(p[38]);
        rec.szBuySell[0] = p[39];
        const auto found = byNumber.find(number);
        if (found != byNumber.end()) {
            rec.nRowIndex = static_cast<uint32_t>(found->second);
            rows[static_cast<size_t>(found->second)] = rec;
            return;
        }
        rec.nRowIndex = static_cast<uint32_t>(rows.size());
        byNumber.emplace(number, static_cast<int>(rows.size()));
        rows.push_back(rec);
    }
};

class CountingListener : public CTableUpdateListener {
public:
    void OnTableUpdate(uint16_t, const fw::RowHint* hint) override { hinted += hint != nullptr; }
    uint64_t hinted = 0;
};

struct Phase {
    double snapshot = 0;
    double changes = 0;
};

// Runs the snapshot and the changes through `apply` (one packet at a time,
// then `after`); records are made outside the timed part.
template <class Apply, class After> Phase Run(Apply&& apply, After&& after)
{
    std::mt19937 random(20261211);
    std::vector<std::string> packet;
    long long seq = 0;
    Phase phase;
    for (int done = 0; done < kOrders; done += kPerPacket) {
        MakePacket(packet, seq, false, random);
        const auto start = Clock::now();
        for (std::string& r : packet)
            apply(r);
        after();
        phase.snapshot += Seconds(Clock::now() - start);
    }
    for (int done = 0; done < kChanges; done += kPerPacket) {
        MakePacket(packet, seq, true, random);
        const auto start = Clock::now();
        for (std::string& r : packet)
            apply(r);
        after();
        phase.changes += Seconds(Clock::now() - start);
    }
    return phase;
}

} // namespace

void RunOrderTableBench()
{
    for (int i = 0; i < kSecurities; ++i) {
        kv32test::SecuritySpec spec;
        spec.key = i + 1;
        spec.instrument = Instrument(i);
        SecurityTable().DecodeSnapshot(kv32test::SecuritySnapshot(spec));
    }
    {
        std::string board = kv32test::BoardRecord(1, "BRD1", "Main board", 'A', true);
        tagTMSG m;
        m.nType = 22;
        m.nLength = static_cast<int32_t>(board.size());
        m.pText = reinterpret_cast<unsigned char*>(board.data());
        BoardTable().StoreDataItem(&m);
    }
    COrderTable& orders = OrderTable();
    orders.SetCountOrderHook(nullptr);
    CountingListener listener;
    KvAddTableListener(&listener);

    ResetPeak();
    const long before = StatusKiB("VmRSS");
    const size_t heapBefore = HeapInUse();
    tagTMSG message;
    message.nType = COrderTable::kRequest;
    const Phase table = Run(
        [&](std::string& r) {
            message.nLength = static_cast<int32_t>(r.size());
            message.pText = reinterpret_cast<unsigned char*>(r.data());
            orders.StoreDataItem(&message);
        },
        [&] { orders.OnPostReceive(); });
    const long afterTable = StatusKiB("VmHWM");
    const size_t heapHeld = HeapInUse() - heapBefore;
    const int held = orders.GetCount();
    const uint32_t check = orders.GetRec(held / 2)->nOrderNo;
    orders.Free();
    KvRemoveTableListener(&listener);

    PlainOrders plain;
    // The baseline's array and map are sized for every order at once.
    plain.rows.reserve(kOrders);
    plain.byNumber.reserve(kOrders);
    for (int i = 0; i < SecurityTable().GetCount(); ++i)
        plain.decimals.emplace(SecurityTable().GetRec(i)->szCode, SecurityTable().GetRec(i)->nPriceDec);
    const Phase baseline = Run([&](std::string& r) { plain.Apply(r); }, [] {});

    const double perOrder = static_cast<double>(afterTable - before) * 1024.0 / kOrders;
    const double heapPerOrder = static_cast<double>(heapHeld) / kOrders;
    std::printf("table_bench (orders): a snapshot of %d orders, then %d changes, in packets of %d\n", kOrders,
        kChanges, kPerPacket);
    std::printf("  order table (intake, decode, index, hints): snapshot %7.3f s  changes %7.3f s\n",
        table.snapshot, table.changes);
    std::printf("  baseline (plain array, unordered_map):      snapshot %7.3f s  changes %7.3f s\n",
        baseline.snapshot, baseline.changes);
    std::printf("  ratio table/baseline: snapshot %.2f, changes %.2f, together %.2f (goal <= 2.00)\n",
        table.snapshot / baseline.snapshot, table.changes / baseline.changes,
        (table.snapshot + table.changes) / (baseline.snapshot + baseline.changes));
    std::printf(
        "  memory of the order table: %.0f bytes per order held on the heap, peak resident growth %.0f bytes"
        " per order (record %zu bytes, index entry %zu bytes)\n",
        heapPerOrder, perOrder, sizeof(COrderRec), sizeof(COrderIndex::Entry));
    std::printf("  (held %d, row %d order %u, baseline rows %zu, hints %llu)\n", held, held / 2, check,
        plain.rows.size(), static_cast<unsigned long long>(listener.hinted));
}
