#include "kv32/dialogs/auction/auction_cells.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "kv32/res/auction_ids.h"
#include "kv32/shell/text_format.h"
#include "kvcore/app/message_box.h"

namespace {

constexpr int kWidths[kAuctionColumns] = { 82, 80, 80, 80, 80, 128, 82, 82, 80, 80 };
// Sizes are shown without thousands separators, every other figure with them.
constexpr bool kGrouped[kAuctionColumns] = { false, true, true, true, true, true, false, false, true, true };
constexpr size_t kYieldReached = 4;
constexpr size_t kPriceReached = 3;
constexpr size_t kAveragePrice = 1;
constexpr size_t kAverageYield = 2;

std::string Title(uint32_t id)
{
    std::string title = Kv32AuctionString(id);
    std::replace(title.begin(), title.end(), '\n', ' ');
    return title;
}

std::string CsvField(std::string_view text, char separator)
{
    std::string field;
    field.reserve(text.size());
    for (char c : text)
        if (static_cast<unsigned char>(c) != 0xA0)
            field += c;
    if (field.find_first_of(std::string { separator, '"', '\r', '\n' }) == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

bool IsZero(const KvAuctionValues* values, size_t column)
{
    return values != nullptr && !(*values)[column].IsNoValue() && static_cast<double>((*values)[column]) == 0.0;
}

std::string PathText(const std::filesystem::path& path)
{
    return fw::utf8ToCp1250(path.string()).text;
}

} // namespace

CDouble AuctionNoValue(unsigned decimals)
{
    return CDouble(static_cast<double>(CDouble::kNoValue) / CDouble::Multiplier(decimals), decimals);
}

void CAuctionCells::Init(int rows, int columns, uint32_t firstTitleId)
{
    KvGridCells::Init(rows, columns);
    m_nFirstTitle = firstTitleId;
    m_values.assign(static_cast<size_t>(RowCount()), std::nullopt);
    SetTitleLines(2);
    for (int c = 1; c <= columns; ++c) {
        SetTitle(c, Kv32AuctionString(firstTitleId + static_cast<uint32_t>(c - 1)));
        if (c <= kAuctionColumns)
            SetWidth(c, kWidths[c - 1]);
    }
    m_bHasData = false;
}

bool CAuctionCells::SetRow(int row, const KvAuctionValues& values)
{
    if (row < 1 || row > RowCount() + 1 || ColumnCount() < kAuctionColumns)
        return false;
    if (row >= RowCount())
        SetRowCount(row + 1);
    m_values.resize(static_cast<size_t>(RowCount()));
    for (size_t i = 0; i < values.size(); ++i) {
        bool showZero = i == kAverageYield;
        if (i == kYieldReached)
            showZero = !Text(row, static_cast<int>(kPriceReached) + 1).empty();
        SetText(row, static_cast<int>(i) + 1, values[i].Format(kGrouped[i] ? 1 : 0, showZero ? 1 : 0));
    }
    m_values[static_cast<size_t>(row - 1)] = values;
    m_bHasData = true;
    return true;
}

void CAuctionCells::ClearValues()
{
    if (!m_bHasData)
        return;
    ClearTexts();
    std::fill(m_values.begin(), m_values.end(), std::nullopt);
    m_bHasData = false;
}

const KvAuctionValues* CAuctionCells::Values(int row) const
{
    if (row < 1 || row > static_cast<int>(m_values.size()) || !m_values[static_cast<size_t>(row - 1)])
        return nullptr;
    return &*m_values[static_cast<size_t>(row - 1)];
}

std::optional<KvAuctionOrderPreset> AuctionRowOrder(const CAuctionCells& cells, int row, const std::string& board,
    const std::string& security, bool yieldTicked)
{
    if (row < 1 || cells.Text(row, 1).empty())
        return std::nullopt;
    KvAuctionOrderPreset order { board, security, std::string(), cells.Text(row, 1), false };
    const KvAuctionValues* values = cells.Values(row);
    const std::string& priceReached = cells.Text(row, static_cast<int>(kPriceReached) + 1);
    const std::string& yieldReached = cells.Text(row, static_cast<int>(kYieldReached) + 1);
    if (priceReached.empty() && yieldReached.empty()) {
        // Nothing reached at this size: the widest limit of the order's terms.
        order.yield = yieldTicked;
        order.limit = yieldTicked ? CDouble(0.0, 2).Format(0, 1) : CDouble(100.0, 0).Format(0, 1);
    } else if (!yieldReached.empty() && IsZero(values, kYieldReached)) {
        order.limit = priceReached;
        order.yield = IsZero(values, kAveragePrice) && yieldTicked;
    } else if (yieldTicked) {
        order.limit = yieldReached;
        order.yield = true;
    } else {
        order.limit = priceReached;
    }
    return order;
}

std::string AuctionCsvText(const CAuctionCells& cells, uint32_t firstTitleId, char separator)
{
    std::string text;
    for (int c = 0; c < cells.ColumnCount(); ++c) {
        if (c > 0)
            text += separator;
        text += CsvField(Title(firstTitleId + static_cast<uint32_t>(c)), separator);
    }
    text += "\r\n";
    for (int r = 1; r < cells.RowCount(); ++r) {
        for (int c = 1; c <= cells.ColumnCount(); ++c) {
            if (c > 1)
                text += separator;
            text += CsvField(cells.Text(r, c), separator);
        }
        text += "\r\n";
    }
    return text;
}

char AuctionCsvSeparator()
{
    return fw::language() == fw::Language::Hungarian ? ';' : ',';
}

std::filesystem::path AuctionCsvPath()
{
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec)
        folder = "/tmp";
    return folder / "auctiondata.csv";
}

uint32_t ExportAuctionCsv(const CAuctionCells& cells, uint32_t firstTitleId, const std::filesystem::path& path,
    const KvCsvWriteFn& write)
{
    const std::string text = AuctionCsvText(cells, firstTitleId, AuctionCsvSeparator());
    std::filesystem::path temporary = path;
    temporary += ".part";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
        KvMessageBox(KvFillText(Kv32AuctionString(IDS_AU_CANNOT_CREATE), { PathText(path) }), fw::MB_ICONSTOP);
        return IDS_AU_CANNOT_CREATE;
    }
    bool written = false;
    if (write)
        written = write(out, text);
    else
        written = static_cast<bool>(out.write(text.data(), static_cast<std::streamsize>(text.size())));
    out.close();
    std::error_code ec;
    if (written && !out.fail())
        std::filesystem::rename(temporary, path, ec);
    if (!written || out.fail() || ec) {
        std::filesystem::remove(temporary, ec);
        KvMessageBox(Kv32AuctionString(IDS_AU_WRITE_ERROR), fw::MB_ICONSTOP);
        return IDS_AU_WRITE_ERROR;
    }
    KvMessageBox(KvFillText(Kv32AuctionString(IDS_AU_CREATED_FILE), { PathText(path) }), fw::MB_OK);
    return IDS_AU_CREATED_FILE;
}
