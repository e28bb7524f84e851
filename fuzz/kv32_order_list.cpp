// Arbitrary bytes as an order list file read in both forms: the import
// reports faults at lines the file has, keeps only orders with a work area,
// and what it accepts exports to a file that, read again without a fault,
// exports to the same text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "kv32/filters/order_list.h"
#include "kv32/filters/order_list_import.h"

namespace {

// The orders in the form; false when a value cannot be carried by it.
bool Export(const COrderListImport& read, OrderListForm form, std::string& out)
{
    out.clear();
    for (const CLocalOrderRec& rec : read.orders) {
        if (form == OrderListForm::Tagged) {
            if (!ExportPrivateOrdersXml(rec, out))
                return false;
        } else {
            if (out.empty())
                WritePrivateOrderTextHeader(out);
            if (!ExportPrivateOrderLine(rec, out))
                return false;
        }
    }
    return true;
}

void Check(std::string_view text, OrderListForm form, bool answer)
{
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    const COrderListImport read = ImportPrivateOrders(
        text, form, [answer](const COrderListDiagnostic& d) { return !d.question || answer; });
    for (const COrderListDiagnostic& d : read.diagnostics) {
        const int limit = d.id == IDS_ODL_WRONG_COLUMN_NAME ? 17 : lines;
        if (d.line < 1 || d.line > limit || d.Text().empty())
            std::abort();
    }
    for (const CLocalOrderRec& rec : read.orders) {
        if (std::string_view(rec.szWorkArea).find_first_not_of(' ') == std::string_view::npos)
            std::abort();
    }
    std::string first;
    if (!Export(read, form, first))
        return;
    const COrderListImport again = ImportPrivateOrders(first, form);
    if (!again.diagnostics.empty())
        return; // a value that the export lengthened past its field, refused rather than cut
    std::string second;
    if (again.orders.size() != read.orders.size() || !Export(again, form, second) || second != first)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const OrderListForm form : { OrderListForm::Tagged, OrderListForm::Text }) {
        Check(text, form, true);
        Check(text, form, false);
    }
    return 0;
}
