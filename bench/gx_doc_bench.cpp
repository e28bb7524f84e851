// CTGXDoc's three-key sort of 100,000 rows (only the row map moves) against
// std::stable_sort of the raw rows by the same keys, measured in the same run.
#include "kvcore/grid/gx_doc.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace {

struct Row {
    std::uint32_t a;
    std::int32_t b;
    char name[12];
};

class BenchDoc : public kvcore::CTGXDoc {
public:
    explicit BenchDoc(const std::vector<Row>& rows)
        : rows_(rows)
    {
        m_type = { kvcore::kGXUnsigned, kvcore::kGXSigned, kvcore::kGXText };
        m_offset = { offsetof(Row, a), offsetof(Row, b), offsetof(Row, name) };
        m_justify = { 2, 2, 0 };
        m_selected = { 0, 1, 2 };
    }
    const std::uint8_t* GetRowData(int row) const override
    {
        return reinterpret_cast<const std::uint8_t*>(&rows_[static_cast<std::size_t>(row)]);
    }
    int GetRowCount() const override { return static_cast<int>(rows_.size()); }

private:
    const std::vector<Row>& rows_;
};

double Seconds(std::chrono::steady_clock::time_point from)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

} // namespace

int main()
{
    constexpr int kRows = 100000;
    constexpr int kRepeats = 5;
    std::mt19937 random(7);
    std::vector<Row> rows(kRows);
    for (Row& row : rows) {
        row.a = random() % 50;
        row.b = static_cast<std::int32_t>(random() % 200) - 100;
        std::snprintf(row.name, sizeof row.name, "N%05u", static_cast<unsigned>(random() % 5000));
    }
    double docTime = 0, rawTime = 0;
    for (int r = 0; r < kRepeats; ++r) {
        BenchDoc doc(rows);
        doc.m_sortKeys = { kvcore::CTGXDoc::MakeSortKey(0, 1), kvcore::CTGXDoc::MakeSortKey(1, 0),
            kvcore::CTGXDoc::MakeSortKey(2, 1) };
        auto start = std::chrono::steady_clock::now();
        doc.UpdateRows(nullptr);
        docTime += Seconds(start);
        std::vector<Row> raw = rows;
        start = std::chrono::steady_clock::now();
        std::stable_sort(raw.begin(), raw.end(), [](const Row& x, const Row& y) {
            if (x.a != y.a)
                return x.a < y.a;
            if (x.b != y.b)
                return x.b > y.b;
            return std::strcmp(x.name, y.name) < 0;
        });
        rawTime += Seconds(start);
    }
    std::printf("sort of %d rows by three keys (mean of %d)\n", kRows, kRepeats);
    std::printf("  CTGXDoc row map     %8.3f ms\n", docTime * 1000.0 / kRepeats);
    std::printf("  std::stable_sort    %8.3f ms\n", rawTime * 1000.0 / kRepeats);
    std::printf("  ratio               %8.2f\n", docTime / rawTime);
    return 0;
}
