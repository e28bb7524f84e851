#pragma once
// CTGXDoc: the Qt-free half of every list window. It describes the table's columns,
// which of them are shown and in which order, how rows are sorted (only the row map
// moves, never a row record) and how each cell is coloured; the row records and their
// count come from the derived document. It is a framework document, so its views
// (grid windows, the spreadsheet link) follow it through updateAllViews.
#include "fw/core/document.h"
#include "kvcore/grid/ct_hint.h"
#include "kvcore/kvcore_api.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fw {
class Archive;
struct CellStyle;
}

namespace kvcore {

// Type codes of a column's value in the row record.
enum GXDataType : std::uint16_t {
    kGXUnsigned = 0, // 32-bit unsigned integer
    kGXSigned = 1, // 32-bit signed integer
    kGXText = 2, // NUL-terminated text
    kGXDouble = 9, // CDouble
    kGXDate = 10, // CDateTime shown as its date
    kGXTime = 11, // CDateTime shown as its time
    kGXOwner = 12, // drawn and sorted by the derived document
};

using COLORREF = std::uint32_t;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;

class GXGridAccess;
class CXLView;

class KVCORE_API CTGXDoc : public fw::Document {
public:
    static constexpr std::uint32_t kAscending = 1;
    static constexpr std::uint32_t kDescending = 0;
    static constexpr std::size_t kMaxSortKeys = 3; // keys the sort dialog edits

    // 0 colours the background, 1 the text; other values colour nothing.
    static int m_iColorMethod;

    CTGXDoc();
    ~CTGXDoc() override;

    // Takes the colour-index offset from GetColorOffset() and the colour table from
    // GetColorRefArray(), then the framework's.
    bool onNewDocument() override;
    // The framework's storing goes through Serialize.
    void serialize(fw::Archive& ar) override { Serialize(ar); }

    // Maps and sorts the rows again and updates every view. object, when a CTHint, marks the
    // document rows that changed: the views then get a hint marking the view rows to repaint
    // and, when rows were appended, the hint number MakeAppendHint(old row count). Without a
    // hint, or when rows went away, the views redraw everything (hint 0, no object).
    virtual void UpdateDocument(intptr_t hint, fw::Hint* object);
    // Every derived document fills its column descriptions here.
    virtual void SetDocDescription() {}
    virtual std::vector<std::uint32_t>& GetColorRefArray() { return m_colorRefs; }
    virtual std::vector<std::uint16_t>& GetColorElemArray() { return m_colorElems; }

    // What a derived document supplies.
    virtual const std::uint8_t* GetRowData(int row) const;
    virtual int GetRowCount() const;
    virtual int GetColorOffset() const;
    virtual int OwnerDrawSort(const std::uint8_t* a, const std::uint8_t* b, int col) const;
    virtual void OwnerDrawCell(const std::uint8_t* value, int col, int row, fw::CellStyle& style) const;
    // The title of a column id: the string whose id the available-columns list holds for it,
    // or with the atoms flag the text of the atom it holds (at most kMaxTitleLength characters).
    virtual std::string GetColumnTitleText(int columnId) const;
    // The title of the column shown at display column view.
    std::string GetColumnTitle(int view) const;
    static constexpr std::size_t kMaxTitleLength = 128;

    // How the grid shows one cell (row 0 titles, column 0 row headers); false outside the document.
    bool GetStyleRowCol(int row, int col, fw::CellStyle& style) const;

    // What the first grid view shows: the document row and column id of its current cell (-1
    // without a view, a current cell, or on the title row), the live width of a display
    // position (0 without a view).
    int GetCurrentIndex() const;
    int GetCurrentColumn() const;
    int GetColWidth(int pos) const;
    // The document rows selected in every visible grid view, in selection order; returns the count.
    int GetSelectedRows(std::vector<unsigned>& rows) const;
    int GetSelectedRows(std::vector<std::uint16_t>& rows) const;

    // Column mapping (display columns and view rows are 1-based, 0 is the header).
    int GetColumnNumber() const { return static_cast<int>(m_selected.size()); }
    int GetFixedColumns() const { return m_fixedColumns; }
    int MapRowView2Doc(int row) const;
    int MapColView2Doc(int col) const;
    unsigned GetColumnJustify(int view) const;

    // Sorting.
    void SetSortColumn(int view, int ascending);
    void RemoveSortColumn(int view);
    bool IsSorted(int view, int ascending) const;
    bool HasSortKey(int columnId) const;
    static std::uint32_t MakeSortKey(std::uint16_t columnId, std::uint32_t direction)
    {
        return columnId | (direction << 16);
    }
    // Three-way comparison of two document rows by every sort key; ties keep document order.
    int CompareRows(int docRowA, int docRowB) const;
    // Rebuilds or extends the row map and sorts it; `changed` marks document rows whose
    // values changed (none: everything is redrawn). Returns the view rows to repaint
    // (empty when everything must be redrawn; valid until the next update) and sets
    // `appendedFrom` to the old row count when rows were appended, else -1. An unsorted
    // document hands a hint that covers moved rows through as it is, removals included,
    // at the cost of what it flags.
    const CTHint& UpdateRows(const fw::RowHint* changed, long* appendedFrom = nullptr);

    // Colours of one cell: the defaults, then the row's colour index through the table.
    virtual void GetColorCell(const std::uint8_t* record, int col, COLORREF& back, COLORREF& text) const;
    // The colours a cell is painted with, never equal.
    static void KeepContrast(COLORREF& back, COLORREF& text);

    // Writes the width shown at every display position into the width list at the column id
    // shown there (the first grid view's live widths, else the last widths it reported).
    // Columns not shown keep their last width.
    void StoreColumnWidths();
    // Links the table to a spreadsheet that follows it, or ends the link (the spreadsheet
    // stays as it was last written).
    void OnGridExcel();
    bool IsExcelLinked() const { return m_pXLView != nullptr; }
    // The grid layout inside a workspace record: fixed, no version number.
    virtual void Serialize(fw::Archive& ar);

    // Yield columns show zero when their price column has a value in the same row.
    struct YieldEntry {
        bool valid = false;
        std::string title;
        bool hasPrice = false;
        std::string priceTitle;
    };
    static constexpr std::size_t kMaxYieldEntries = 128;
    // False when the table is full; a title missing or 32 characters or longer is kept as not valid.
    bool AddYieldEntry(const char* title, const char* priceTitle);
    std::vector<YieldEntry> m_yields;
    bool m_fitControl = true; // number cells shrink to fit their column
    // Column descriptions, all indexed by column id.
    std::vector<std::uint16_t> m_type;
    std::vector<std::uint16_t> m_offset;
    std::vector<std::uint16_t> m_justify;
    std::vector<std::uint16_t> m_available;
    std::vector<std::uint16_t> m_width;
    std::vector<std::uint16_t> m_selected; // column ids in display order
    std::vector<std::uint32_t> m_rowMap; // view row r shows document row m_rowMap[r - 1]
    std::vector<std::uint32_t> m_sortKeys; // highest priority first
    std::vector<std::uint32_t> m_colorRefs;
    std::vector<std::uint16_t> m_colorElems;
    COLORREF m_defaultBack = kWhite;
    COLORREF m_defaultText = kBlack;
    int m_fixedColumns = 0;
    int m_zoom = 100;
    std::uint16_t m_columnSet = 0;
    std::uint16_t m_columnIdCount = 0;
    int m_colorOffset = -1;
    int m_fitWindow = 0; // the grid view resizes its frame after zoom and size-to-content
    int m_atoms = 0; // the available columns hold atoms instead of string ids
    int m_columnChooser = 0; // handed unchanged to the column chooser
    // Current widths per display position (0-based), written into m_width on storing.
    std::vector<std::uint16_t> m_displayWidths;

private:
    bool ShowsZero(int columnId, const std::uint8_t* record) const;
    int CompareByKey(std::uint32_t key, int docRowA, int docRowB) const;
    void SortRowMap(CTHint* marks);
    // Whether an update with this hint keeps the map in document order and only passes the
    // hint on (no sort keys, the map in order, nothing removed unless the hint covers moves).
    bool PassesHintThrough(const fw::RowHint* changed) const;
    // The grid views showing the document, first one first.
    std::vector<const GXGridAccess*> GridViews() const;
    template <typename Row> int CollectSelectedRows(std::vector<Row>& rows) const;

    std::unique_ptr<CXLView> m_pXLView;
    // The view rows to repaint, kept so that an update does not allocate it anew.
    CTHint m_viewHint;
    // Set while m_rowMap is 0, 1, 2, ... (no sort keys when it was built).
    bool m_mapInOrder = true;
    // The colour table the rows' colour indexes point into (not owned).
    const std::vector<std::uint32_t>* m_pColorTable = &m_colorRefs;
};

} // namespace kvcore
