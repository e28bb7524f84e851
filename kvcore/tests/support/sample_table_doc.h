#pragma once
// A small securities table with one column of every type the grid shows (unsigned, signed, text,
// decimal, date, time, owner-drawn) plus a yield column, a colour index per row and titles in
// both languages. The tests and the gallery's table screens use it.
#include "fw/core/gridsource.h"
#include "fw/core/resources.h"
#include "kvcore/grid/gx_doc.h"
#include "support/row_records.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace kvtest {

struct SampleTableRow {
    std::uint32_t trades = 0;
    std::int32_t change = 0; // in hundredths
    char name[24] = {};
    ::CDouble last;
    ::CDateTime day;
    ::CDateTime at;
    std::int32_t trend = 0; // -1 down, 0 flat, 1 up
    ::CDouble yield;
    std::int32_t color = -1; // index into the colour table, -1 none
};

class SampleTableDoc : public kvcore::CTGXDoc {
public:
    // Column ids.
    enum : std::uint16_t { kTrades, kChange, kName, kLast, kDay, kTime, kTrend, kYield, kColumns };

    SampleTableDoc()
    {
        struct Column {
            std::uint16_t type;
            std::size_t offset;
            std::uint16_t justify;
        };
        constexpr Column columns[] = {
            { kvcore::kGXUnsigned, offsetof(SampleTableRow, trades), 2 },
            { kvcore::kGXSigned, offsetof(SampleTableRow, change), 2 },
            { kvcore::kGXText, offsetof(SampleTableRow, name), 0 },
            { kvcore::kGXDouble, offsetof(SampleTableRow, last), 2 },
            { kvcore::kGXDate, offsetof(SampleTableRow, day), 1 },
            { kvcore::kGXTime, offsetof(SampleTableRow, at), 1 },
            { kvcore::kGXOwner, offsetof(SampleTableRow, trend), 1 },
            { kvcore::kGXDouble, offsetof(SampleTableRow, yield), 2 },
        };
        for (const Column& c : columns) {
            m_type.push_back(c.type);
            m_offset.push_back(static_cast<std::uint16_t>(c.offset));
            m_justify.push_back(c.justify);
            m_available.push_back(static_cast<std::uint16_t>(m_available.size()));
            m_selected.push_back(static_cast<std::uint16_t>(m_selected.size()));
            m_width.push_back(0);
        }
        m_columnIdCount = kColumns;
        m_colorOffset = offsetof(SampleTableRow, color);
        // Row colours: rising, falling, and one equal to the default text colour (black), which
        // the contrast rule must keep readable.
        m_colorRefs = { 0xC0FFC0, 0xC0C0FF, 0x000000 };
    }

    SampleTableRow& Add(const char* name, std::uint32_t trades, std::int32_t change, double last,
        ::CDateTime at = ::CDateTime(2026, 12, 10, 9, 30, 0))
    {
        SampleTableRow row;
        std::strncpy(row.name, name, sizeof row.name - 1);
        row.trades = trades;
        row.change = change;
        row.last = ::CDouble(last, 2);
        row.day = at;
        row.at = at;
        row.trend = change > 0 ? 1 : (change < 0 ? -1 : 0);
        rows.push_back(row);
        return rows.back();
    }

    // Nine securities with names in Windows-1250, every type of value and three row colours.
    void FillSecurities()
    {
        Add("ALFAK\xD5", 1520, 125, 3330.0).color = 0;
        Add("B\xC1RKA", 12, -40, 815.5, ::CDateTime(2026, 12, 10, 9, 31, 12)).color = 1;
        Add("CSILLAG", 4000000000u, 0, 12.25, ::CDateTime(2026, 12, 9, 16, 59, 59));
        Add("DELTA", 7, 310, 98765.0, ::CDateTime(2026, 12, 10, 10, 2, 3)).color = 2;
        Add("\xC9RCB\xC1NYA", 301, -5, 0.0, ::CDateTime());
        Add("F\xC9NYES", 88, 77, 2890.0, ::CDateTime(2026, 12, 10, 11, 15, 0)).yield = ::CDouble(0.0, 2);
        Add("G\xD6RBE", 45, -250, 140.75, ::CDateTime(2026, 12, 10, 11, 16, 30)).yield = ::CDouble(7.35, 2);
        Add("HALOM", 0, 0, 0.0, ::CDateTime(2026, 12, 10, 12, 0, 0));
        Add("\xD6RL\xD5", 999, 1, 1234567.0, ::CDateTime(2026, 12, 10, 12, 45, 10));
    }

    const std::uint8_t* GetRowData(int row) const override { return RowRecord(rows, row); }
    int GetRowCount() const override { return static_cast<int>(rows.size()); }
    int GetColorOffset() const override { return m_colorOffset; }

    std::string GetColumnTitleText(int columnId) const override
    {
        static constexpr const char* kTitles[][2] = { { "Trades", "K\xF6t\xE9sek" }, { "Change", "V\xE1ltoz\xE1s" },
            { "Security", "\xC9rt\xE9kpap\xEDr" }, { "Last", "Utols\xF3 \xE1r" }, { "Date", "D\xE1tum" },
            { "Time", "Id\xF5" }, { "Trend", "Ir\xE1ny" }, { "Yield", "Hozam" } };
        if (columnId < 0 || columnId >= kColumns)
            return {};
        // Titles are Windows-1250 already; the yield table matches them byte for byte.
        const auto& t = kTitles[columnId];
        return fw::language() == fw::Language::Hungarian ? t[1] : t[0];
    }

    void OwnerDrawCell(const std::uint8_t* value, int, int, fw::CellStyle& style) const override
    {
        std::int32_t trend = 0;
        std::memcpy(&trend, value, sizeof trend);
        const bool hu = fw::language() == fw::Language::Hungarian;
        style.value = trend > 0 ? (hu ? "emelked\xF5" : "rising") : trend < 0 ? (hu ? "cs\xF6kken\xF5" : "falling") : "-";
        if (trend != 0)
            style.text = trend > 0 ? 0x008000 : 0x0000C0;
    }
    int OwnerDrawSort(const std::uint8_t* a, const std::uint8_t* b, int col) const override
    {
        std::int32_t x = 0, y = 0;
        std::memcpy(&x, a + m_offset[static_cast<std::size_t>(col)], sizeof x);
        std::memcpy(&y, b + m_offset[static_cast<std::size_t>(col)], sizeof y);
        return x < y ? -1 : (x > y ? 1 : 0);
    }

    std::vector<SampleTableRow> rows;
};

} // namespace kvtest
