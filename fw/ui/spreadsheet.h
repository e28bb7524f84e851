#pragma once
// A spreadsheet file kept in step with a table: the table's titles and rows are held here and
// written out as an .xlsx workbook on every sync, replacing the file in one step so a reader never
// sees half a workbook. Free of Qt.
#include "fw/ui/fw_ui_api.h"
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fw {

struct FW_UI_API SpreadsheetCell {
    std::string text; // Windows-1250
    std::optional<double> number; // written as a number when set
};

class FW_UI_API SpreadsheetLink {
public:
    virtual ~SpreadsheetLink(); // out of line: the class's vtable lives in this library only
    // The file to keep in step and the sheet's name. Nothing is written before sync.
    virtual bool open(const std::string& path, const std::string& sheetName) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual void setTitles(const std::vector<std::string>& titles) = 0;
    // Rows count from 0; setting a row beyond the end grows the table.
    virtual void setRow(size_t row, std::vector<SpreadsheetCell> cells) = 0;
    virtual void setRowCount(size_t rows) = 0;
    virtual size_t rowCount() const = 0;
    // Writes the file so that it matches; false with lastError() on failure.
    virtual bool sync() = 0;
    virtual const std::string& lastError() const = 0;
};

FW_UI_API std::unique_ptr<SpreadsheetLink> makeXlsxLink();

} // namespace fw
