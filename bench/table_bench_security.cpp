// The security table's part of table_bench: 1,000,000 tagged change reports
// applied to 50,000 securities with the change indication ticking once per
// packet of 600 reports, against the same bytes parsed with std::from_chars
// into a plain array of the same figures.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_updates.h"
#include "support/security_records.h"

namespace {

constexpr int kSecurities = 50000;
constexpr int kReports = 1000000;
constexpr int kPerPacket = 600;
constexpr int kRounds = 5;

std::string Instrument(int i)
{
    char id[13];
    std::snprintf(id, sizeof id, "INS%09d", i);
    return id;
}

std::string Digits(long long v, int width)
{
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld", width, v);
    return text;
}

// The figures the reports carry, in a row as large as the table's record, so
// that both sides walk the same amount of memory.
struct PlainSecurity {
    char code[18];
    double bid, offer, last, change, quantity, volume;
    int32_t priceDec;
    char rest[sizeof(SecurityRec) - 18 - 6 * sizeof(double) - sizeof(int32_t) - 8];
};
static_assert(sizeof(PlainSecurity) >= sizeof(SecurityRec) - 16 && sizeof(PlainSecurity) <= sizeof(SecurityRec) + 16);

double Parse(const char* p, const char* end, int decimals)
{
    int64_t v = 0;
    std::from_chars(p, end, v);
    double d = static_cast<double>(v);
    for (int i = 0; i < decimals; ++i)
        d /= 10.0;
    return d;
}

// The baseline: header, row check by code, each item's value into its field.
void ApplyPlain(std::vector<PlainSecurity>& rows, const std::vector<std::string>& reports)
{
    for (const std::string& r : reports) {
        const char* p = r.data();
        int row = 0;
        std::from_chars(p + 10, p + 16, row);
        if (row < 0 || row >= static_cast<int>(rows.size()))
            continue;
        PlainSecurity& s = rows[static_cast<size_t>(row)];
        if (std::memcmp(s.code, p + 16, 17) != 0)
            continue;
        int items = 0;
        std::from_chars(p + 33, p + 35, items);
        size_t pos = 35;
        for (int i = 0; i < items; ++i) {
            const char tag = r[pos];
            const size_t hash = r.find('#', pos + 1);
            if (hash == std::string::npos)
                break;
            const char* v = p + pos + 1;
            const char* e = p + hash;
            switch (tag) {
            case 'C': s.bid = Parse(v, e, s.priceDec); break;
            case 'G': s.offer = Parse(v, e, s.priceDec); break;
            case 'N': s.last = Parse(v, e, s.priceDec); break;
            case 'P': s.change = Parse(v, e, s.priceDec); break;
            case 'Q': s.quantity = Parse(v, e, 0); break;
            case 'S': s.volume = Parse(v, e, 0); break;
            default: break;
            }
            pos = hash + 1;
        }
    }
}

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

} // namespace

void RunSecurityTableBench()
{
    using namespace kv32test;
    std::mt19937 random(20261210);
    CSecurityTable& table = SecurityTable();
    table.Free();
    std::vector<PlainSecurity> plain(kSecurities);
    SecuritySpec spec;
    for (int i = 0; i < kSecurities; ++i) {
        spec.key = i + 1;
        spec.instrument = Instrument(i);
        table.DecodeSnapshot(SecuritySnapshot(spec));
        std::memcpy(plain[static_cast<size_t>(i)].code, SecurityCode(spec).c_str(), 18);
        plain[static_cast<size_t>(i)].priceDec = 2;
    }

    std::vector<std::string> reports;
    reports.reserve(kReports);
    const char tags[] = { 'C', 'G', 'N', 'P', 'Q', 'S' };
    for (int i = 0; i < kReports; ++i) {
        const int row = static_cast<int>(random() % kSecurities);
        spec.instrument = Instrument(row);
        std::vector<std::pair<char, std::string>> items;
        const int count = 2 + static_cast<int>(random() % 3);
        for (int k = 0; k < count; ++k) {
            const char tag = tags[random() % sizeof tags];
            const bool wide = tag == 'Q' || tag == 'S';
            long long value = static_cast<long long>(random() % 1000000);
            std::string text = wide ? Digits(value, 16) : Digits(value, 9);
            if (tag == 'P' && (random() & 1))
                text[0] = '-';
            items.emplace_back(tag, text);
        }
        reports.push_back(SecurityChange(i + 1, row, SecurityCode(spec), items));
    }

    std::vector<double> tableTimes, plainTimes;
    for (int round = 0; round < kRounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        tagTMSG message;
        message.nType = CSecurityTable::kChangeRequest;
        for (int i = 0; i < kReports; ++i) {
            std::string& r = reports[static_cast<size_t>(i)];
            message.nLength = static_cast<int32_t>(r.size());
            message.pText = reinterpret_cast<unsigned char*>(r.data());
            table.StoreDataItem(&message);
            if ((i + 1) % kPerPacket == 0)
                table.ApplyPendingChanges();
        }
        table.ApplyPendingChanges();
        tableTimes.push_back(Seconds(std::chrono::steady_clock::now() - start));

        start = std::chrono::steady_clock::now();
        ApplyPlain(plain, reports);
        plainTimes.push_back(Seconds(std::chrono::steady_clock::now() - start));
    }
    std::sort(tableTimes.begin(), tableTimes.end());
    std::sort(plainTimes.begin(), plainTimes.end());
    const double t = tableTimes[kRounds / 2];
    const double b = plainTimes[kRounds / 2];
    std::printf("security table: %d tagged change reports to %d securities, indication ticking per %d, median of %d\n",
        kReports, kSecurities, kPerPacket, kRounds);
    std::printf("  security table (intake, tags, indication):  %8.3f s  %10.0f reports/s\n", t, kReports / t);
    std::printf("  baseline (from_chars into a plain array):   %8.3f s  %10.0f reports/s\n", b, kReports / b);
    std::printf("  ratio table/baseline: %.2f (goal <= 3.00)\n", t / b);
    std::printf("  (record %zu bytes; row 7 last %.2f, plain %.2f)\n", sizeof(SecurityRec), static_cast<double>(table.GetRec(7)->dLast), plain[7].last);
    table.Free();
}
