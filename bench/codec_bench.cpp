// Decodes 1,000,000 fixed-width host records of 20 fields (numbers with
// implied decimals, dates, times, texts) into typed values with kvcore's
// codecs, and the same fields with a hand-written std::from_chars decoder, in
// one run; prints both rates and their ratio.
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"
#include "kvcore/values/field_codecs.h"

namespace {

constexpr int kRecords = 1000000;
constexpr int kDistinct = 4096;

enum Kind { kText, kInt, kUInt, kNumber, kDate, kTime };
struct Field {
    Kind kind;
    int width;
    int decimals;
};
constexpr Field kLayout[20] = {
    { kText, 12, 0 },
    { kText, 20, 0 },
    { kInt, 8, 0 },
    { kUInt, 10, 0 },
    { kNumber, 12, 4 },
    { kNumber, 12, 0 },
    { kDate, 8, 0 },
    { kTime, 6, 0 },
    { kInt, 4, 0 },
    { kText, 1, 0 },
    { kNumber, 12, 2 },
    { kNumber, 12, 2 },
    { kDate, 8, 0 },
    { kTime, 6, 0 },
    { kInt, 6, 0 },
    { kText, 30, 0 },
    { kNumber, 10, 4 },
    { kInt, 2, 0 },
    { kText, 3, 0 },
    { kUInt, 10, 0 },
};

int RecordWidth()
{
    int w = 0;
    for (const Field& f : kLayout)
        w += f.width;
    return w;
}

std::string Pad(const std::string& s, int width, char fill, bool left)
{
    if (static_cast<int>(s.size()) >= width)
        return s.substr(0, static_cast<size_t>(width));
    const std::string padding(static_cast<size_t>(width) - s.size(), fill);
    return left ? padding + s : s + padding;
}

std::string MakeRecord(std::mt19937& rng)
{
    std::string r;
    for (const Field& f : kLayout) {
        switch (f.kind) {
        case kText:
            r += Pad(std::string(1 + rng() % static_cast<unsigned>(f.width), 'A' + rng() % 26), f.width, ' ',
                false);
            break;
        case kInt: {
            const int64_t limit
                = f.width >= 9 ? 99999999 : static_cast<int64_t>(std::pow(10, f.width - 1)) - 1;
            const int64_t v = static_cast<int64_t>(rng() % static_cast<uint64_t>(limit + 1));
            r += (rng() % 4 == 0) ? "-" + Pad(std::to_string(v), f.width - 1, '0', true)
                                  : Pad(std::to_string(v), f.width, '0', true);
            break;
        }
        case kUInt:
            r += Pad(std::to_string(rng()), f.width, '0', true);
            break;
        case kNumber: {
            if (rng() % 16 == 0) {
                r += Pad("-99999999", f.width, ' ', true);
            } else {
                const uint64_t v = rng() % 100000000u;
                r += (rng() % 3 == 0) ? "-" + Pad(std::to_string(v), f.width - 1, '0', true)
                                      : Pad(std::to_string(v), f.width, '0', true);
            }
            break;
        }
        case kDate: {
            char buf[16];
            std::snprintf(
                buf, sizeof buf, "%04lu%02lu%02lu", 1990 + rng() % 40, 1 + rng() % 12, 1 + rng() % 28);
            r += buf;
            break;
        }
        case kTime: {
            char buf[16];
            std::snprintf(buf, sizeof buf, "%02lu%02lu%02lu", rng() % 24, rng() % 60, rng() % 60);
            r += buf;
            break;
        }
        }
    }
    return r;
}

// The typed record both decoders fill.
struct TypedKv {
    char text[5][31];
    int32_t ints[5];
    uint32_t uints[2];
    CDouble numbers[5];
    CDateTime moments[2];
};

uint64_t DecodeWithKvcore(const char* rec, TypedKv& out)
{
    const char* p = rec;
    int t = 0, i = 0, u = 0, n = 0, m = 0;
    for (const Field& f : kLayout) {
        switch (f.kind) {
        case kText:
            Vorl2Str0(out.text[t++], p, f.width);
            break;
        case kInt:
            out.ints[i++] = Vorl2Long(p, f.width);
            break;
        case kUInt:
            out.uints[u++] = Vorl2ULong(p, f.width);
            break;
        case kNumber:
            out.numbers[n++].SetVORL(p, static_cast<unsigned>(f.width), static_cast<unsigned>(f.decimals));
            break;
        case kDate:
            out.moments[m].SetDateVORL(p);
            break;
        case kTime:
            out.moments[m++].SetTimeVORL(p);
            break;
        }
        p += f.width;
    }
    return static_cast<uint64_t>(out.ints[0]) + out.uints[1]
        + static_cast<uint64_t>(static_cast<double>(out.numbers[2]))
        + static_cast<uint64_t>(out.moments[1].GetDay()) + static_cast<uint8_t>(out.text[4][0]);
}

// The hand-written baseline: the same values, std::from_chars and plain code.
struct TypedBase {
    char text[5][31];
    int32_t ints[5];
    uint32_t uints[2];
    double numbers[5];
    unsigned decimals[5];
    int64_t moments[2]; // seconds since 1899-12-30
    bool valid[2];
};

constexpr double kPow10[] = { 1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000 };

template <typename T> T ReadNumber(const char* p, int width)
{
    const char* end = p + width;
    while (p < end && *p == ' ')
        ++p;
    if (p < end && *p == '+')
        ++p;
    T v = 0;
    std::from_chars(p, end, v);
    return v;
}

int64_t DaysFromCivil(int y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<int64_t>(era) * 146097 + doe - 719468 + 25569;
}

uint64_t DecodeBaseline(const char* rec, TypedBase& out)
{
    const char* p = rec;
    int t = 0, i = 0, u = 0, n = 0, m = 0;
    int y = 0, mo = 0, d = 0;
    for (const Field& f : kLayout) {
        switch (f.kind) {
        case kText: {
            int len = f.width;
            while (len > 0 && p[len - 1] == ' ')
                --len;
            std::memcpy(out.text[t], p, static_cast<size_t>(len));
            out.text[t++][len] = '\0';
            break;
        }
        case kInt:
            out.ints[i++] = ReadNumber<int32_t>(p, f.width);
            break;
        case kUInt:
            out.uints[u++] = ReadNumber<uint32_t>(p, f.width);
            break;
        case kNumber:
            out.numbers[n] = static_cast<double>(ReadNumber<int64_t>(p, f.width)) / kPow10[f.decimals];
            out.decimals[n++] = static_cast<unsigned>(f.decimals);
            break;
        case kDate:
            std::from_chars(p, p + 4, y);
            std::from_chars(p + 4, p + 6, mo);
            std::from_chars(p + 6, p + 8, d);
            break;
        case kTime: {
            int h = 0, mi = 0, s = 0;
            std::from_chars(p, p + 2, h);
            std::from_chars(p + 2, p + 4, mi);
            std::from_chars(p + 4, p + 6, s);
            out.valid[m] = mo >= 1 && mo <= 12 && d >= 1 && d <= 31 && h < 24 && mi < 60 && s < 60;
            out.moments[m++] = DaysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * 86400
                + h * 3600 + mi * 60 + s;
            break;
        }
        }
        p += f.width;
    }
    return static_cast<uint64_t>(out.ints[0]) + out.uints[1] + static_cast<uint64_t>(out.numbers[2])
        + static_cast<uint64_t>(out.moments[1] % 31) + static_cast<uint8_t>(out.text[4][0]);
}

template <typename Fn> double BestSeconds(Fn&& run)
{
    double best = 1e30;
    for (int rep = 0; rep < 3; ++rep) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (took.count() < best)
            best = took.count();
    }
    return best;
}

} // namespace

int main()
{
    const int width = RecordWidth();
    std::mt19937 rng(20261208);
    std::string data;
    for (int r = 0; r < kDistinct; ++r)
        data += MakeRecord(rng);

    volatile uint64_t sink = 0;
    TypedKv kv {};
    TypedBase base {};
    const double kvSeconds = BestSeconds([&] {
        uint64_t sum = 0;
        for (int r = 0; r < kRecords; ++r)
            sum += DecodeWithKvcore(data.data() + (r % kDistinct) * width, kv);
        sink = sink + sum;
    });
    const double baseSeconds = BestSeconds([&] {
        uint64_t sum = 0;
        for (int r = 0; r < kRecords; ++r)
            sum += DecodeBaseline(data.data() + (r % kDistinct) * width, base);
        sink = sink + sum;
    });

    std::printf("records: %d of %d bytes, 20 fields each\n", kRecords, width);
    std::printf("kvcore codecs:         %.3f s, %.0f records/s\n", kvSeconds, kRecords / kvSeconds);
    std::printf("from_chars baseline:   %.3f s, %.0f records/s\n", baseSeconds, kRecords / baseSeconds);
    std::printf("ratio kvcore/baseline: %.2fx (goal <= 1.5x)\n", kvSeconds / baseSeconds);
    return 0;
}
