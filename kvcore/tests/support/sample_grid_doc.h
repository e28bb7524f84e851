#pragma once
// A grid document over in-memory rows with one column of every type the grid shows.
#include "kvcore/grid/gx_doc.h"
#include "support/row_records.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace kvtest {

struct SampleRow {
    std::uint32_t count = 0;
    std::int32_t change = 0;
    char name[16] = {};
    ::CDouble price;
    ::CDateTime when;
    ::CDateTime at;
    std::int32_t color = -1;
    ::CDouble yield;
};

class SampleGridDoc : public kvcore::CTGXDoc {
public:
    SampleGridDoc()
    {
        auto column = [this](std::uint16_t type, std::size_t offset, std::uint16_t justify) {
            m_type.push_back(type);
            m_offset.push_back(static_cast<std::uint16_t>(offset));
            m_justify.push_back(justify);
            m_available.push_back(static_cast<std::uint16_t>(m_available.size()));
            m_selected.push_back(static_cast<std::uint16_t>(m_selected.size()));
        };
        column(kvcore::kGXUnsigned, offsetof(SampleRow, count), 2);
        column(kvcore::kGXSigned, offsetof(SampleRow, change), 2);
        column(kvcore::kGXText, offsetof(SampleRow, name), 0);
        column(kvcore::kGXDouble, offsetof(SampleRow, price), 2);
        column(kvcore::kGXDate, offsetof(SampleRow, when), 1);
        column(kvcore::kGXTime, offsetof(SampleRow, at), 1);
        m_columnIdCount = static_cast<std::uint16_t>(m_selected.size());
        m_colorOffset = offsetof(SampleRow, color);
    }

    void Add(std::uint32_t count, std::int32_t change, const char* name, double price, ::CDateTime when = {})
    {
        SampleRow row;
        row.count = count;
        row.change = change;
        std::strncpy(row.name, name, sizeof row.name - 1);
        row.price = ::CDouble(price, 2);
        row.when = when;
        row.at = when;
        rows.push_back(row);
    }

    const std::uint8_t* GetRowData(int row) const override { return RowRecord(rows, row); }
    int GetRowCount() const override { return static_cast<int>(rows.size()); }
    int GetColorOffset() const override { return m_colorOffset; }
    std::string GetColumnTitleText(int columnId) const override
    {
        return columnId >= 0 && static_cast<std::size_t>(columnId) < titles.size() ? titles[static_cast<std::size_t>(columnId)] : "";
    }

    std::vector<std::string> titles = { "Count", "Change", "Name", "Price", "Date", "Time" };

    // Document rows in view order.
    std::vector<std::uint32_t> Order() const { return m_rowMap; }

    std::vector<SampleRow> rows;
};

} // namespace kvtest
