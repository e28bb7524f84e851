// Applies 1,000,000 change reports to a 50,000-row host data table through
// the table's message intake (type dispatch, length check, decoding, in-place
// change, changed-row notes and one window hint per packet of 600 reports),
// and, in the same run, parses the same bytes with std::from_chars into a
// plain array of rows of the same size. Prints both rates and their ratio (goal: at most 2).
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "kv32/tables/table_updates.h"
#include "kvcore/router/vorl_target.h"
#include "support/sample_table.h"

void RunSecurityTableBench();
void RunOrderTableBench();

namespace {

constexpr int kRows = 50000;
constexpr int kReports = 1000000;
constexpr int kPerPacket = 600; // about what one 30,000-byte reply carries
constexpr int kRounds = 5;

std::string Code(int row)
{
    char code[5];
    std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(row % 0xFFFF));
    return code;
}

// The same fields as the table's record, so both sides touch as many bytes.
struct PlainRow {
    int32_t index;
    char code[5];
    char name[31];
    double price;
    unsigned decimals;
    int64_t volume;
    char status;
};
static_assert(sizeof(PlainRow) == sizeof(kv32test::SampleRec));

int64_t Digits(const char* p, size_t n)
{
    int64_t v = 0;
    while (n > 0 && *p == ' ') {
        ++p;
        --n;
    }
    std::from_chars(p, p + n, v);
    return v;
}

// The baseline: the same fields of the same bytes, no table around them.
uint64_t ApplyPlain(std::vector<PlainRow>& rows, const std::vector<std::string>& reports)
{
    uint64_t seqSum = 0;
    for (const std::string& r : reports) {
        const char* p = r.data();
        seqSum += static_cast<uint64_t>(Digits(p, 10));
        const int64_t row = Digits(p + 10, 8);
        if (row < 0 || row >= static_cast<int64_t>(rows.size()))
            continue;
        PlainRow& target = rows[static_cast<size_t>(row)];
        if (std::memcmp(target.code, p + 18, 4) != 0)
            continue;
        target.price = static_cast<double>(Digits(p + 22, 12)) / 100.0;
        target.decimals = 2;
        target.volume = Digits(p + 34, 12);
        target.status = p[46];
    }
    return seqSum;
}

class CountingListener : public CTableUpdateListener {
public:
    void OnTableUpdate(uint16_t, const fw::RowHint* hint) override { hinted += hint != nullptr; }
    uint64_t hinted = 0;
};

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

} // namespace

int main()
{
    std::mt19937 random(20261210);
    std::vector<std::string> reports;
    reports.reserve(kReports);
    for (int i = 0; i < kReports; ++i) {
        const int row = static_cast<int>(random() % kRows);
        reports.push_back(
            kv32test::SampleChangeRecord(i + 1, row, Code(row), static_cast<int64_t>(random() % 10000000),
                static_cast<int64_t>(random() % 100000000), (random() & 1) ? 'S' : 'A'));
    }

    kv32test::CSampleTable table;
    std::vector<PlainRow> plain(kRows);
    for (int row = 0; row < kRows; ++row) {
        kv32test::SampleRec rec;
        rec.nIndex = row;
        std::snprintf(rec.szCode, sizeof rec.szCode, "%s", Code(row).c_str());
        table.AddRec(rec);
        std::memcpy(plain[static_cast<size_t>(row)].code, Code(row).data(), 4);
    }
    CountingListener listener;
    KvAddTableListener(&listener);

    std::vector<double> tableTimes, plainTimes;
    uint64_t check = 0;
    for (int round = 0; round < kRounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        tagTMSG message;
        message.nType = kv32test::CSampleTable::kChangeRequest;
        for (int i = 0; i < kReports; ++i) {
            std::string& r = reports[static_cast<size_t>(i)];
            message.nLength = static_cast<int32_t>(r.size());
            message.pText = reinterpret_cast<unsigned char*>(r.data());
            table.StoreDataItem(&message);
            if ((i + 1) % kPerPacket == 0)
                table.OnPostReceive();
        }
        table.OnPostReceive();
        tableTimes.push_back(Seconds(std::chrono::steady_clock::now() - start));

        start = std::chrono::steady_clock::now();
        check += ApplyPlain(plain, reports);
        plainTimes.push_back(Seconds(std::chrono::steady_clock::now() - start));
    }
    KvRemoveTableListener(&listener);

    std::sort(tableTimes.begin(), tableTimes.end());
    std::sort(plainTimes.begin(), plainTimes.end());
    const double tableMedian = tableTimes[kRounds / 2];
    const double plainMedian = plainTimes[kRounds / 2];
    std::printf(
        "table_bench: %d change reports to a %d-row table, median of %d rounds\n", kReports, kRows, kRounds);
    std::printf("  host table (intake, decode, in place, hints): %8.3f s  %10.0f reports/s\n", tableMedian,
        kReports / tableMedian);
    std::printf("  baseline (from_chars into a plain array):     %8.3f s  %10.0f reports/s\n", plainMedian,
        kReports / plainMedian);
    std::printf("  ratio table/baseline: %.2f (goal <= 2.00)\n", tableMedian / plainMedian);
    std::printf("  (check %llu, hints %llu, row 7 price %.2f)\n", static_cast<unsigned long long>(check),
        static_cast<unsigned long long>(listener.hinted), static_cast<double>(table.GetRec(7)->dPrice));
    RunSecurityTableBench();
    RunOrderTableBench();
    return 0;
}
