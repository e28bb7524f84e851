#pragma once
// CXLView: a window-less view that keeps a spreadsheet in step with a grid document. At its
// initial update it opens the workbook sheet named after the window and writes the whole table
// (titles in sheet row 1, grid row r in sheet row r + 1); afterwards every update writes the
// rows a hint marks, or everything without one. Rows and columns that a shrinking table left
// behind are written blank. Writes go in ranges of at most kBlockRows rows through an
// XLSheetPort, which the workstation binds to an .xlsx file.
#include "fw/core/document.h"
#include "kvcore/kvcore_api.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kvcore {

class CTGXDoc;

// One rectangular write in A1 names ("A3" to "E13") and in numbers (1-based sheet rows).
struct XLRange {
    std::string from;
    std::string to;
    int firstRow = 0;
    int lastRow = 0;
    int columns = 0;
};

// The spreadsheet the link writes to.
class KVCORE_API XLSheetPort {
public:
    virtual ~XLSheetPort();
    // Opens or creates the workbook and the sheet of that name; false when no spreadsheet can be
    // reached (the link is then not made).
    virtual bool OpenSheet(const std::string& sheetName) = 0;
    // values holds range.lastRow - range.firstRow + 1 rows of range.columns texts (Windows-1250).
    virtual void PutRange(const XLRange& range, const std::vector<std::vector<std::string>>& values) = 0;
    // Every range of one update is written: the workbook matches the table.
    virtual void MarkSaved() = 0;
};

// A1 letters of a 1-based column: 1 "A", 26 "Z", 27 "AA", 53 "BA", 702 "ZZ".
KVCORE_API std::string XLColumnName(int col);
// The sheet name for a window title: ':' '/' '\' '?' '*' become blanks, a trailing " - <digits>"
// (the number of a second window) goes, and at most 31 characters stay.
KVCORE_API std::string XLSheetName(const std::string& title);

class KVCORE_API CXLView : public fw::DocumentView {
public:
    static constexpr int kBlockRows = 11;
    using PortFactory = std::function<std::unique_ptr<XLSheetPort>()>;
    // Where new links get their spreadsheet (the workstation sets the file-backed one).
    static void SetPortFactory(PortFactory factory);
    static std::unique_ptr<XLSheetPort> MakePort();

    explicit CXLView(std::unique_ptr<XLSheetPort> port);
    ~CXLView() override;

    // Opens the sheet for the document's title; false (with the message "Cannot Start EXCEL")
    // when that fails. The whole table is written on success.
    bool Setup();
    void onInitialUpdate() override;
    // Acts only on updates from the document itself (no sender view).
    void onDocumentUpdate(fw::DocumentView* sender, intptr_t hint, fw::Hint* object) override;

    bool IsLinked() const { return m_bLinked; }

private:
    void WriteRows(const fw::Hint* object);

    std::unique_ptr<XLSheetPort> m_port;
    bool m_bLinked = false;
    int m_nRows = -1; // rows and columns last written
    int m_nCols = -1;
};

} // namespace kvcore
