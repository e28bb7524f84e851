// Order list files: the negotiated deals, orders and private orders windows
// export their rows as tagged text (".odl", one element per line, element
// names in the user's language), and private orders also as tab-delimited
// text (".txt"). Files are Windows-1250 with CRLF line ends. In the tagged
// form "<", ">" and "&" of a value are written as entities, so that a value
// never ends its element early; the import reads them back.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "kv32/res/order_list_strings.h"

struct CNegDealRec;
struct COrderRec;
struct CLocalOrderRec;

// The field names, index i being string id IDS_ODL_FIRST_NAME + i.
inline constexpr int kOrderListNameCount = IDS_ODL_LAST_NAME - IDS_ODL_FIRST_NAME + 1;
constexpr int OrderListIndex(Kv32OrderListStringId id)
{
    return static_cast<int>(id) - static_cast<int>(IDS_ODL_FIRST_NAME);
}

// The two forms of a file; the tagged form for a name ending in ".odl" in any
// case, the text form for every other name.
enum class OrderListForm { Tagged, Text };
OrderListForm OrderListFormOf(const std::filesystem::path& path);

// "&", "<" and ">" as entities, and back (other "&" are kept as they are).
std::string EscapeOrderListText(std::string_view text);
std::string UnescapeOrderListText(std::string_view text);

// One record in the tagged form, appended to out. False, with out as it was,
// when a value holds a line break, which the line-by-line form cannot carry.
bool ExportNDealsXml(const CNegDealRec& rec, std::string& out);
bool ExportOrdersXml(const COrderRec& rec, std::string& out);
bool ExportPrivateOrdersXml(const CLocalOrderRec& rec, std::string& out);

// The tab-delimited form: the header line, then one line per order; every
// name and value is followed by a tab. False, with out as it was, when a
// value holds a tab or a line break.
void WritePrivateOrderTextHeader(std::string& out);
bool ExportPrivateOrderLine(const CLocalOrderRec& rec, std::string& out);
// The columns of the text form, in their order.
inline constexpr std::array<Kv32OrderListStringId, 16> kPrivateOrderTextColumns = { IDS_ODL_YIELD,
    IDS_ODL_SECURITY, IDS_ODL_BOARD, IDS_ODL_TRD_ACC, IDS_ODL_BUY_SELL, IDS_ODL_SETTLE_DATE, IDS_ODL_STATUS,
    IDS_ODL_TYPE, IDS_ODL_PRICE, IDS_ODL_QTY, IDS_ODL_HIDDEN, IDS_ODL_EXPIRY_DATE, IDS_ODL_EXPIRY_TIME,
    IDS_ODL_TRIGGER_PRICE, IDS_ODL_REFERENCE, IDS_ODL_WORK_AREA };

// A whole file from the given records, replacing the file only once all of
// it is written. 0 when written, else the id of the message to show:
// IDS_ODL_CREATE_FILE_ERROR or IDS_ODL_WRITE_ERROR (also for a record that
// the form cannot carry). Deals and orders always take the tagged form;
// private orders the form of the file name.
uint32_t ExportNDealsFile(const std::filesystem::path& path, std::span<const CNegDealRec* const> records);
uint32_t ExportOrdersFile(const std::filesystem::path& path, std::span<const COrderRec* const> records);
uint32_t ExportPrivateOrdersFile(
    const std::filesystem::path& path, std::span<const CLocalOrderRec* const> records);
