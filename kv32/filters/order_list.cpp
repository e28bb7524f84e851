#include "kv32/filters/order_list.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <system_error>

#include "kv32/tables/local_order_record.h"
#include "kv32/tables/neg_deal_table.h"
#include "kv32/tables/order_record.h"

namespace {

constexpr char kLineEnd[] = "\r\n";

template <size_t N> std::string_view Field(const char (&text)[N])
{
    return std::string_view(text, strnlen(text, N));
}

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// Settlement and expiry dates: blanks, and the host's zeros, mean no date.
std::string_view OptionalDate(std::string_view text)
{
    return IsBlank(text) || text == "00000000" ? std::string_view() : text;
}

std::string_view OptionalTime(std::string_view text)
{
    return IsBlank(text) ? std::string_view() : text;
}

// Decimal numbers without digit grouping; zero and the no-value mark as an empty value.
std::string Amount(const CDouble& value)
{
    return value.Format(0, 0);
}

std::string Letter(char c)
{
    return c == '\0' || c == ' ' ? std::string() : std::string(1, c);
}

// One record of the tagged form, built apart and appended only when every
// value fits the form.
class TaggedRecord {
public:
    explicit TaggedRecord(Kv32OrderListStringId element)
        : m_element(Kv32OrderListString(element))
    {
        m_text += "<" + m_element + ">" + kLineEnd;
    }
    TaggedRecord& Add(Kv32OrderListStringId id, std::string_view value)
    {
        if (value.find_first_of("\r\n") != std::string_view::npos)
            m_ok = false;
        const std::string name = Kv32OrderListString(id);
        m_text += "\t<" + name + ">" + EscapeOrderListText(value) + "</" + name + ">" + kLineEnd;
        return *this;
    }
    bool AppendTo(std::string& out)
    {
        if (!m_ok)
            return false;
        out += m_text + "</" + m_element + ">" + kLineEnd + kLineEnd;
        return true;
    }

private:
    std::string m_element;
    std::string m_text;
    bool m_ok = true;
};

std::string Text(uint32_t value)
{
    return std::to_string(value);
}

std::string Text(int32_t value)
{
    return std::to_string(value);
}

// Writes the text beside the file and then puts it in the file's place, so
// that a failed export leaves an existing file as it was.
uint32_t WriteWhole(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::path temporary = path;
    temporary += ".part";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out)
        return IDS_ODL_CREATE_FILE_ERROR;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    std::error_code ec;
    if (!out) {
        std::filesystem::remove(temporary, ec);
        return IDS_ODL_WRITE_ERROR;
    }
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return IDS_ODL_WRITE_ERROR;
    }
    return 0;
}

template <class TRecord, class TWriter>
uint32_t ExportTagged(
    const std::filesystem::path& path, std::span<const TRecord* const> records, TWriter write)
{
    std::string text;
    for (const TRecord* rec : records) {
        if (rec != nullptr && !write(*rec, text))
            return IDS_ODL_WRITE_ERROR;
    }
    return WriteWhole(path, text);
}

} // namespace

OrderListForm OrderListFormOf(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".odl" ? OrderListForm::Tagged : OrderListForm::Text;
}

std::string EscapeOrderListText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string UnescapeOrderListText(std::string_view text)
{
    static constexpr std::pair<std::string_view, char> kEntities[]
        = { { "&amp;", '&' }, { "&lt;", '<' }, { "&gt;", '>' } };
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '&') {
            for (const auto& [entity, c] : kEntities) {
                if (text.substr(i, entity.size()) == entity) {
                    out += c;
                    i += entity.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

bool ExportNDealsXml(const CNegDealRec& rec, std::string& out)
{
    return TaggedRecord(IDS_ODL_NEG_DEAL)
        .Add(IDS_ODL_ORDER_NO, Text(rec.nDealNo))
        .Add(IDS_ODL_TIMEOUT, Text(rec.nTimeout))
        .Add(IDS_ODL_DISS_STATUS, Field(rec.szDissStatus))
        .Add(IDS_ODL_YIELD, Amount(rec.dYield))
        .Add(IDS_ODL_TIME, Field(rec.szTime))
        .Add(IDS_ODL_SECURITY, Field(rec.szSecurity))
        .Add(IDS_ODL_BOARD, Field(rec.szBoardName))
        .Add(IDS_ODL_USER, Field(rec.szUser))
        .Add(IDS_ODL_TRD_ACC, Field(rec.szTrdAcc))
        .Add(IDS_ODL_BUY_SELL, Field(rec.szBuySell))
        .Add(IDS_ODL_SETTLE_DATE, OptionalDate(Field(rec.szSettleDate)))
        .Add(IDS_ODL_STATUS, Field(rec.szStatus))
        .Add(IDS_ODL_PRICE, Amount(rec.dPrice))
        .Add(IDS_ODL_QTY, Amount(rec.dQty))
        .Add(IDS_ODL_REFERENCE, Field(rec.szReference))
        .Add(IDS_ODL_WARNING_TIMEOUT, Text(rec.nWarningTimeout))
        .Add(IDS_ODL_CP_USER, Field(rec.szCPUser))
        .Add(IDS_ODL_DISS_TIME, Field(rec.szDissTime))
        .Add(IDS_ODL_TRADE_SOURCE, Letter(rec.cTradeSourceLetter))
        .AppendTo(out);
}

bool ExportOrdersXml(const COrderRec& rec, std::string& out)
{
    return TaggedRecord(IDS_ODL_ORDER)
        .Add(IDS_ODL_ORDER_NO, Text(rec.nOrderNo))
        .Add(IDS_ODL_VALUE, Amount(rec.dValue))
        .Add(IDS_ODL_YIELD, Amount(rec.dYield))
        .Add(IDS_ODL_DATE, Field(rec.szDate))
        .Add(IDS_ODL_TIME, Field(rec.szTime))
        .Add(IDS_ODL_SECURITY, Field(rec.szSecurity))
        .Add(IDS_ODL_BOARD, Field(rec.szBoardName))
        .Add(IDS_ODL_USER, Field(rec.szUser))
        .Add(IDS_ODL_TRD_ACC, Field(rec.szTrdAcc))
        .Add(IDS_ODL_BUY_SELL, Field(rec.szBuySell))
        .Add(IDS_ODL_SETTLE_DATE, OptionalDate(Field(rec.szSettleDate)))
        .Add(IDS_ODL_STATUS, Field(rec.szStatus))
        .Add(IDS_ODL_TYPE, Field(rec.szType))
        .Add(IDS_ODL_PRICE, Amount(rec.dPrice))
        .Add(IDS_ODL_QTY, Amount(rec.dQty))
        .Add(IDS_ODL_HIDDEN, Amount(rec.dHidden))
        .Add(IDS_ODL_BALANCE, Amount(rec.dBalance))
        .Add(IDS_ODL_EXPIRY_DATE, OptionalDate(Field(rec.szExpiryDate)))
        .Add(IDS_ODL_EXPIRY_TIME, OptionalTime(Field(rec.szExpiryTime)))
        .Add(IDS_ODL_TRIGGER_PRICE, Amount(rec.dTriggerPrice))
        .Add(IDS_ODL_REFERENCE, Field(rec.szReference))
        .Add(IDS_ODL_NEXT_LINK_ORDER_NO, Text(rec.nNextLinkOrderNo))
        .Add(IDS_ODL_PREV_LINK_ORDER_NO, Text(rec.nPrevLinkOrderNo))
        .Add(IDS_ODL_FILL_MIN_QTY, Amount(rec.dFillMinQty))
        .AppendTo(out);
}

namespace {

// The values of a private order by column of the text form; the tagged
// form adds the fill minimum.
std::array<std::string, kPrivateOrderTextColumns.size()> PrivateOrderValues(const CLocalOrderRec& rec)
{
    return { Amount(rec.dYield), std::string(Field(rec.szSecurity)), std::string(Field(rec.szBoardName)),
        std::string(Field(rec.szTrdAcc)), std::string(Field(rec.szBuySell)),
        std::string(OptionalDate(Field(rec.szSettleDate))), std::string(Field(rec.szStatus)),
        std::string(Field(rec.szType)), Amount(rec.dPrice), Amount(rec.dQty), Amount(rec.dHidden),
        std::string(OptionalDate(Field(rec.szExpiryDate))),
        std::string(OptionalTime(Field(rec.szExpiryTime))), Amount(rec.dTriggerPrice),
        std::string(Field(rec.szReference)), std::string(Field(rec.szWorkArea)) };
}

} // namespace

bool ExportPrivateOrdersXml(const CLocalOrderRec& rec, std::string& out)
{
    const auto values = PrivateOrderValues(rec);
    TaggedRecord record(IDS_ODL_ORDER);
    for (size_t i = 0; i < values.size(); ++i)
        record.Add(kPrivateOrderTextColumns[i], values[i]);
    return record.Add(IDS_ODL_FILL_MIN_QTY, Amount(rec.dFillMinQty)).AppendTo(out);
}

void WritePrivateOrderTextHeader(std::string& out)
{
    for (const Kv32OrderListStringId id : kPrivateOrderTextColumns)
        out += Kv32OrderListString(id) + "\t";
    out += kLineEnd;
}

bool ExportPrivateOrderLine(const CLocalOrderRec& rec, std::string& out)
{
    std::string line;
    for (const std::string& value : PrivateOrderValues(rec)) {
        if (value.find_first_of("\t\r\n") != std::string::npos)
            return false;
        line += value + "\t";
    }
    out += line + kLineEnd;
    return true;
}

uint32_t ExportNDealsFile(const std::filesystem::path& path, std::span<const CNegDealRec* const> records)
{
    return ExportTagged(path, records, ExportNDealsXml);
}

uint32_t ExportOrdersFile(const std::filesystem::path& path, std::span<const COrderRec* const> records)
{
    return ExportTagged(path, records, ExportOrdersXml);
}

uint32_t ExportPrivateOrdersFile(
    const std::filesystem::path& path, std::span<const CLocalOrderRec* const> records)
{
    if (OrderListFormOf(path) == OrderListForm::Tagged)
        return ExportTagged(path, records, ExportPrivateOrdersXml);
    std::string text;
    for (const CLocalOrderRec* rec : records) {
        if (rec == nullptr)
            continue;
        if (text.empty())
            WritePrivateOrderTextHeader(text);
        if (!ExportPrivateOrderLine(*rec, text))
            return IDS_ODL_WRITE_ERROR;
    }
    return WriteWhole(path, text);
}
