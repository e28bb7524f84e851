#include "kv32/dialogs/supervision/ref_price_form.h"

#include <cstdio>

#include "kv32/shell/message_send.h"
#include "kv32/shell/request_fields.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"

namespace {

constexpr int kUserWidth = 12;
constexpr int kSecurityWidth = 17;
constexpr char kOprRefPrice = 55;
constexpr int kTrOperator = 142;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The wire digits as a number; digits only, at most 18 of them.
std::optional<int64_t> WireValue(std::string_view wire)
{
    if (wire.empty() || wire.size() > 18)
        return std::nullopt;
    int64_t value = 0;
    for (char c : wire) {
        if (!IsDigit(c))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<std::string> RefPriceWire(std::string_view text, int decimals)
{
    if (decimals < 0 || decimals > 8)
        return std::nullopt;
    std::string whole, fraction;
    bool point = false;
    for (char c : text) {
        if (IsDigit(c))
            (point ? fraction : whole) += c;
        else if ((c == '.' || c == ',') && !point)
            point = true;
        else
            return std::nullopt;
    }
    if ((whole.empty() && fraction.empty()) || static_cast<int>(fraction.size()) > decimals)
        return std::nullopt;
    fraction.append(static_cast<size_t>(decimals) - fraction.size(), '0');
    std::string digits = whole + fraction;
    const size_t first = digits.find_first_not_of('0');
    digits = first == std::string::npos ? std::string() : digits.substr(first);
    if (static_cast<int>(digits.size()) > kRefPriceWireWidth)
        return std::nullopt;
    return std::string(kRefPriceWireWidth - digits.size(), '0') + digits;
}

std::string RefPriceDisplay(std::string_view wire, int decimals)
{
    std::string digits(wire);
    const size_t first = digits.find_first_not_of('0');
    digits = first == std::string::npos ? std::string() : digits.substr(first);
    if (decimals <= 0)
        return digits.empty() ? "0" : digits;
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, static_cast<size_t>(decimals) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<size_t>(decimals), 1, '.');
    return digits;
}

bool RefPriceOkEnabled(int mode, std::string_view text, std::string_view previous, int decimals)
{
    if (text.empty() || text == previous)
        return false;
    if (mode == kRefPriceTyped)
        return true;
    // A text that is no price is offered, so that OK can say why it is refused.
    const std::optional<std::string> wire = RefPriceWire(text, decimals);
    return !wire || WireValue(*wire).value_or(0) > 0;
}

bool RefPriceRemarkable(std::string_view previousWire, std::string_view newWire)
{
    const std::optional<int64_t> before = WireValue(previousWire);
    const std::optional<int64_t> after = WireValue(newWire);
    if (!before || !after || *before <= 0)
        return false;
    // Whole numbers of the same decimals: 1.15 and 0.85 times compared exactly.
    return *after * 100 > *before * 115 || *after * 100 < *before * 85;
}

std::string RefPricePercent(std::string_view previousWire, std::string_view newWire)
{
    const int64_t before = WireValue(previousWire).value_or(0);
    const int64_t after = WireValue(newWire).value_or(0);
    if (before <= 0)
        return "0.00";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f",
        static_cast<double>(after - before) * 100.0 / static_cast<double>(before));
    return text;
}

std::string BuildRefPriceRecord(std::string_view user, std::string_view securityCode, std::string_view wire)
{
    if (wire.size() != kRefPriceWireWidth || !WireValue(wire))
        return {};
    KvFieldWriter w;
    w.TextCut(user, kUserWidth).Char(kOprRefPrice);
    AppendPaddedField(w, kSecurityWidth, securityCode, false);
    w.Number(1, 2).Char('v');
    AppendPaddedField(w, kRefPriceWireWidth, wire, true);
    w.Char('#').Char('#');
    return w.Str();
}

std::string RefPriceSendBuffer(const std::string& record)
{
    if (record.empty() || record.size() > static_cast<size_t>(kRefPriceSendLength))
        return {};
    return record + std::string(kRefPriceSendLength - record.size(), ' ');
}

std::string RefPriceNewsText(std::string_view securityCode)
{
    return "NREFPRICECHGNEWS|" + std::string(securityCode) + "|";
}

std::string RefPriceChangeText(std::string_view securityCode)
{
    return "NREFPRICECHG|" + std::string(securityCode) + "|";
}

std::string BuildRefPriceMessage(const std::string& text, int& code)
{
    return BuildMsgType144Text("EXCHANGE", std::string(), text, 'N', 0, "080000", std::string(), 0, code);
}

int SendRefPriceChange(int mode, std::string_view user, std::string_view securityCode, std::string_view wire)
{
    std::string buffer = RefPriceSendBuffer(BuildRefPriceRecord(user, securityCode, wire));
    if (buffer.empty())
        return 0;
    if (VORLTransaction(kTrOperator, buffer.data(), kRefPriceSendLength, 1) == 0)
        return 0;
    std::vector<std::string> texts;
    if (mode != kRefPriceTyped)
        texts.push_back(RefPriceNewsText(securityCode));
    texts.push_back(RefPriceChangeText(securityCode));
    for (const std::string& text : texts) {
        int code = 0;
        std::string message = BuildRefPriceMessage(text, code);
        if (!message.empty())
            VORLTransaction(code, message.data(), static_cast<int>(message.size()), 0);
    }
    return 1;
}

std::vector<CBoardSecurity> BoardSecurities(int boardRow)
{
    CBoardTable& boards = BoardTable();
    if (boardRow < 0 || boardRow >= boards.GetCount())
        return {};
    const std::string code = boards.GetRec(boardRow)->szCode;
    CSecurityTable& securities = SecurityTable();
    std::vector<CBoardSecurity> list;
    for (int row = 0; row < securities.GetCount(); ++row) {
        const SecurityRec& rec = *securities.GetRec(row);
        if (CSecurityTable::CodeHasBoard(rec.szCode, code.c_str()))
            list.push_back({ rec.szShortName, row });
    }
    return list;
}
