// The Securities on Boards window's document: one row per distinct short name
// of the security table and one group of market-data columns per board, so
// that a security can be compared across the boards it trades on. Group b of
// a row shows the security with the row's short name on board b, or nothing
// when the board has none. Rows and boards are taken when the window opens;
// the figures follow the security table's change hints.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/lists/list_columns.h"
#include "kv32/lists/list_row_source.h"
#include "kvcore/doc/ct_doc.h"
#include "kvcore/grid/ct_hint.h"

struct SecurityRec;

class CSecBrdsDoc : public CTDoc, public CListRowSource {
public:
    static constexpr std::uint32_t kTableId = 21;
    // A board group: its own "Short Name", then the Securities window's
    // columns 2901 to 2972.
    static constexpr int kGroupColumns = 73;

    CSecBrdsDoc();
    ~CSecBrdsDoc() override;

    bool onNewDocument() override;
    void MakeTitle(std::string& title) override;
    int GetMaxColumns() override { return kGroupColumns * BoardCount(); }
    // Titles are made at run time: "Short Name", then "<board> <title>".
    void AddColumnTitles() override;
    // The first "Short Name" and each board's Bid, Offer and Last.
    void AddDefaultSelColumns() override;
    // A stored layout keeps only the columns of the boards there are now.
    void LoadDocumentInfo() override;
    void SetDocDescription() override;
    const std::uint8_t* GetRowData(int row) const override;
    int GetRowCount() const override { return static_cast<int>(m_keys.size()); }
    int GetColorOffset() const override { return -1; }
    std::vector<std::uint32_t>& GetColorRefArray() override;
    std::vector<std::uint16_t>& GetColorElemArray() override;
    void OwnerDrawCell(const std::uint8_t* value, int col, int row, fw::CellStyle& style) const override;
    int OwnerDrawSort(const std::uint8_t* a, const std::uint8_t* b, int col) const override;
    // With a hint of security rows: only the rows showing one of them repaint.
    void UpdateDocument(intptr_t hint, fw::Hint* object) override;
    // One window: an opening brings it to the front.
    int CheckTable(void*) override { return 1; }

    // The row's first security (the one the short name was taken from).
    int HostIndexOfRow(int row) const override;

    int BoardCount() const { return static_cast<int>(m_boards.size()); }
    // The security row shown in board group `board` of a row; -1 none.
    int SecurityOnBoard(int row, int board) const;
    // The security shown in a column of a row; null when its group is empty.
    const SecurityRec* CellSecurity(int row, int columnId) const;
    // The first row whose short name is exactly the text; -1 none.
    int FindRowOfShortName(std::string_view text) const;
    // The rows the last hinted update repainted.
    const kvcore::CTHint& LastRowHint() const { return m_rowHint; }

private:
    // What a row's record is to the grid: the short name (the first column
    // reads it) and the row it belongs to (the owner-drawn cells find their
    // securities by it).
    struct RowKey {
        char szShortName[21];
        std::int32_t nRow;
    };

    void ReleaseTitles();
    int RowOfKey(const std::uint8_t* value) const;

    std::vector<std::string> m_boards; // board codes in board-table order
    std::vector<RowKey> m_keys;
    std::vector<std::int32_t> m_firstSecurity; // per row
    std::vector<std::vector<std::int32_t>> m_onBoard; // [board][row]: security row or -1
    std::vector<std::int32_t> m_rowOfSecurity; // per security row: the row showing it, or -1
    std::vector<std::uint16_t> m_titleAtoms;
    kvcore::CTHint m_rowHint;
};
