// The result table of the auction calculation dialogs without its window:
// one row per possible size, ten figures per row formatted by column, the
// order a clicked row offers, and the table written as a CSV file.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/dialogs/auction/dialog_grid_cells.h"
#include "kvcore/values/cdouble.h"

inline constexpr int kAuctionColumns = 10;
inline constexpr int kAuctionInitialRows = 15;

// The figures of one row, in column order: size, average price, average
// yield, price reached, yield reached, total value, limit size, market size,
// limit %, market %.
using KvAuctionValues = std::array<CDouble, kAuctionColumns>;

// A value that the host marks as missing (shown as an empty cell).
CDouble AuctionNoValue(unsigned decimals);

class CAuctionCells : public KvGridCells {
public:
    // Sizes the table and writes the titles (strings firstTitleId + column - 1).
    void Init(int rows, int columns, uint32_t firstTitleId);
    // Writes one row; a row written at the end of the table first adds one, so
    // an empty row always follows it. Rows before 1 or beyond the end plus one
    // are refused.
    bool SetRow(int row, const KvAuctionValues& values);
    // Empties every data row when one was written; the row count stays.
    void ClearValues();
    bool HasData() const { return m_bHasData; }
    // The figures of a written row; null for an empty one.
    const KvAuctionValues* Values(int row) const;
    uint32_t FirstTitleId() const { return m_nFirstTitle; }

private:
    uint32_t m_nFirstTitle = 0;
    bool m_bHasData = false;
    std::vector<std::optional<KvAuctionValues>> m_values;
};

// What the order entry is opened with for a clicked row.
struct KvAuctionOrderPreset {
    std::string board;
    std::string security;
    std::string limit;
    std::string quantity;
    bool yield = false; // the limit is a yield
};
// Nothing for the title row and for a row without a size.
std::optional<KvAuctionOrderPreset> AuctionRowOrder(const CAuctionCells& cells, int row, const std::string& board,
    const std::string& security, bool yieldTicked);

// The CSV text: the titles, then every row but the last, each line ended by
// CR LF. A field holding the separator, '"', CR or LF is quoted; no-break
// spaces are left out.
std::string AuctionCsvText(const CAuctionCells& cells, uint32_t firstTitleId, char separator);
// ';' under the Hungarian interface, ',' otherwise.
char AuctionCsvSeparator();
// "auctiondata.csv" in the system's temporary folder.
std::filesystem::path AuctionCsvPath();

// Writes the table to the file through a temporary file and a rename, and
// tells the user how it went. `write` puts the bytes into the stream (tests
// make it fail); returns the message id shown.
using KvCsvWriteFn = std::function<bool(std::ostream& out, std::string_view bytes)>;
uint32_t ExportAuctionCsv(const CAuctionCells& cells, uint32_t firstTitleId, const std::filesystem::path& path,
    const KvCsvWriteFn& write = {});
