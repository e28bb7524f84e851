// The document of a list window over one host data table: the rows are the
// indices of the table's records that pass the window's filter (no record is
// copied), the columns are a table of descriptions, the rows take the colours
// of the table's states, and the title tells the filter and the row count.
// A host table's change hint becomes a hint over the window's rows, so only
// the rows that changed are repainted. A window of its own supplies its table,
// its columns and its filter.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "kv32/lists/list_columns.h"
#include "kv32/lists/list_criteria.h"
#include "kv32/lists/list_row_source.h"
#include "kv32/lists/list_rows.h"
#include "kvcore/doc/ct_doc.h"
#include "kvcore/grid/ct_hint.h"

class CTableIndexDoc : public CTDoc, public CListRowSource {
public:
    explicit CTableIndexDoc(std::unique_ptr<CListCriteria> filter);
    ~CTableIndexDoc() override;

    // What a window supplies: its host table ...
    virtual int HostCount() const = 0;
    // 0 <= i < HostCount().
    virtual const std::uint8_t* HostRecord(int i) const = 0;
    // Whether the table changed a record in place since it last told the windows.
    virtual bool HostChangedInPlace() const = 0;
    virtual std::vector<std::uint32_t>& HostColors() = 0;
    virtual std::vector<std::uint16_t>& HostColorNames() = 0;
    // ... and its columns; -1 without a colour index in the record.
    virtual std::span<const KvListColumn> Columns() const = 0;
    virtual int ColorIndexOffset() const { return -1; }
    // A window whose rows' colour index is not a field of the record works it
    // out here (-1: the default colours); asked only without ColorIndexOffset.
    virtual int RowColorIndex(const std::uint8_t* /*record*/) const { return -1; }

    bool onNewDocument() override;
    void onCloseDocument() override;
    // The grid layout, then the filter.
    void Serialize(fw::Archive& ar) override;
    // The host record of the row; null for a row outside the rows (or one whose
    // record the table no longer holds).
    const std::uint8_t* GetRowData(int row) const override;
    int GetRowCount() const override { return m_aRows.Count(); }
    int GetColorOffset() const override { return ColorIndexOffset(); }
    void GetColorCell(const std::uint8_t* record, int col, kvcore::COLORREF& back, kvcore::COLORREF& text) const override;
    void SetDocDescription() override;
    // Without a hint: the rows again from the whole table, a full redraw and
    // the title. With a host hint: only the flagged records are tested, and
    // the grid repaints the rows whose record changed or moved.
    void UpdateDocument(intptr_t hint, fw::Hint* object) override;
    std::vector<std::uint32_t>& GetColorRefArray() override { return HostColors(); }
    std::vector<std::uint16_t>& GetColorElemArray() override { return HostColorNames(); }
    // The table id's title, the filter's description, then " - <rows>" when
    // there are rows.
    void MakeTitle(std::string& title) override;
    // The rows from the whole table; the title when asked or when the count changed.
    int ApplyFilter(bool retitle) override;
    // Every opening makes a new window.
    int CheckTable(void*) override { return 0; }

    CListCriteria& Filter() { return *m_filter; }
    // Puts other criteria in force (null: every record); the rows follow on
    // the next update.
    void SetFilter(std::unique_ptr<CListCriteria> filter);
    // The row that shows the host record, or -1.
    int RowOfHostIndex(int hostIndex) const;
    // The host index of a row, or -1 outside the rows.
    int HostIndexOfRow(int row) const override;

    // The rows shown: host indices in host order (the base's row objects are not used).
    CListRows m_aRows;
    int m_bOpened = 0;

protected:
    // Whether a record that the host's hint flags is shown (by default: when
    // the filter accepts it).
    virtual bool MatchHinted(int hostIndex) { return m_filter->Match(HostRecord(hostIndex)); }

    std::unique_ptr<CListCriteria> m_filter;

private:
    // The hint over the rows, kept so that a refresh does not allocate it anew.
    kvcore::CTHint m_rowHint;
    // The host's colours, for RowColorIndex (not owned; set when the document opens).
    const std::vector<std::uint32_t>* m_rowColors = nullptr;
};

// A table-index document over a host table of records Rec.
template <class Table, class Rec> class CTableIndexDocT : public CTableIndexDoc {
public:
    CTableIndexDocT(Table& table, std::unique_ptr<CListCriteria> filter)
        : CTableIndexDoc(std::move(filter))
        , m_table(table)
    {
    }
    int HostCount() const override { return m_table.GetCount(); }
    const std::uint8_t* HostRecord(int i) const override
    {
        return reinterpret_cast<const std::uint8_t*>(m_table.GetRec(i));
    }
    bool HostChangedInPlace() const override
    {
        // A table that does not say how it changed may have changed any record.
        if constexpr (requires { m_table.m_bChanged; })
            return m_table.m_bChanged != 0;
        else
            return true;
    }
    std::vector<std::uint32_t>& HostColors() override { return m_table.m_aColors; }
    std::vector<std::uint16_t>& HostColorNames() override { return m_table.m_aColorNames; }
    // The record of a row; null outside the rows.
    const Rec* GetRowRecord(int row) const { return reinterpret_cast<const Rec*>(GetRowData(row)); }
    Table& HostTable() const { return m_table; }

private:
    Table& m_table;
};
