#include "fw/ui/spreadsheet.h"

#include "fw/core/codepage.h"

#include <algorithm>
#include <cstdio>
#include <xlsxwriter.h>

namespace fw {

SpreadsheetLink::~SpreadsheetLink() = default;

namespace {

class XlsxLink : public SpreadsheetLink {
public:
    ~XlsxLink() override = default;

    bool open(const std::string& path, const std::string& sheetName) override
    {
        if (path.empty()) {
            error_ = "no file name";
            return false;
        }
        path_ = path;
        // Sheet names are at most 31 characters (not bytes: an accented letter takes two in
        // UTF-8) and may not hold []:*?/\ in the format.
        sheet_.clear();
        for (char c : cp1250ToUtf8(sheetName.empty() ? std::string("Sheet1") : sheetName))
            sheet_.push_back(std::string_view("[]:*?/\\").find(c) == std::string_view::npos ? c : '_');
        const auto characters = std::count_if(sheet_.begin(), sheet_.end(),
            [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
        if (characters > 31) {
            error_ = "sheet name longer than 31 characters";
            return false;
        }
        open_ = true;
        return true;
    }
    void close() override
    {
        open_ = false;
        rows_.clear();
        titles_.clear();
    }
    bool isOpen() const override { return open_; }
    void setTitles(const std::vector<std::string>& titles) override { titles_ = titles; }
    void setRow(size_t row, std::vector<SpreadsheetCell> cells) override
    {
        if (row >= rows_.size())
            rows_.resize(row + 1);
        rows_[row] = std::move(cells);
    }
    void setRowCount(size_t rows) override { rows_.resize(rows); }
    size_t rowCount() const override { return rows_.size(); }
    const std::string& lastError() const override { return error_; }

    bool sync() override
    {
        if (!open_) {
            error_ = "not open";
            return false;
        }
        // The format's limits: refuse rather than write a workbook that cannot be opened.
        if (rows_.size() + 1 > 1048576u || titles_.size() > 16384u) {
            error_ = "table too large for a worksheet";
            return false;
        }
        std::string tmp = path_ + ".tmp";
        lxw_workbook* wb = workbook_new(tmp.c_str());
        if (!wb) {
            error_ = "cannot create " + tmp;
            return false;
        }
        lxw_worksheet* ws = workbook_add_worksheet(wb, sheet_.empty() ? nullptr : sheet_.c_str());
        lxw_format* bold = workbook_add_format(wb);
        format_set_bold(bold);
        bool ok = ws != nullptr;
        for (size_t c = 0; ok && c < titles_.size(); ++c)
            ok = worksheet_write_string(ws, 0, static_cast<lxw_col_t>(c), cp1250ToUtf8(titles_[c]).c_str(), bold)
                == LXW_NO_ERROR;
        for (size_t r = 0; ok && r < rows_.size(); ++r) {
            const auto& row = rows_[r];
            if (row.size() > 16384u) {
                ok = false;
                break;
            }
            for (size_t c = 0; ok && c < row.size(); ++c) {
                auto rr = static_cast<lxw_row_t>(r + 1);
                auto cc = static_cast<lxw_col_t>(c);
                lxw_error e = row[c].number ? worksheet_write_number(ws, rr, cc, *row[c].number, nullptr)
                                            : worksheet_write_string(ws, rr, cc, cp1250ToUtf8(row[c].text).c_str(), nullptr);
                // Over-long strings are an error of the format; keep the cell empty rather than cut it.
                ok = e == LXW_NO_ERROR || e == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED;
            }
        }
        lxw_error closed = workbook_close(wb);
        if (!ok || closed != LXW_NO_ERROR) {
            std::remove(tmp.c_str());
            error_ = std::string("writing the workbook failed: ") + lxw_strerror(closed);
            return false;
        }
        if (std::rename(tmp.c_str(), path_.c_str()) != 0) {
            std::remove(tmp.c_str());
            error_ = "cannot replace " + path_;
            return false;
        }
        error_.clear();
        return true;
    }

private:
    std::string path_, sheet_, error_;
    bool open_ = false;
    std::vector<std::string> titles_;
    std::vector<std::vector<SpreadsheetCell>> rows_;
};

} // namespace

std::unique_ptr<SpreadsheetLink> makeXlsxLink()
{
    return std::make_unique<XlsxLink>();
}

} // namespace fw
