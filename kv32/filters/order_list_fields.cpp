// The tokenizer, the element names and the field parser of the import.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "kv32/filters/order_list_import.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/security_table.h"
#include "kvcore/values/field_codecs.h"
#include "kvcore/values/intl_info.h"

int NextImportToken(CImportCursor& cursor, std::string_view line, std::string& token)
{
    token.clear();
    if (!cursor.m_bSet) {
        cursor.m_nPos = 0;
        cursor.m_bSet = true;
    }
    size_t p = std::min(cursor.m_nPos, line.size());
    while (p < line.size() && (line[p] == ' ' || line[p] == '\t'))
        ++p;
    if (p == line.size()) {
        cursor.m_bSet = false;
        return 1;
    }
    if (line[p] != '<') {
        const size_t next = line.find('<', p);
        if (next != std::string_view::npos) {
            token.assign(line.substr(p, next - p));
            cursor.m_nPos = next;
            return 1;
        }
        token.assign(line.substr(p));
        cursor.m_bSet = false;
        return 0;
    }
    const size_t end = line.find('>', p);
    if (end == std::string_view::npos) {
        cursor.m_bSet = false;
        return 0;
    }
    token.assign(line.substr(p, end - p + 1));
    cursor.m_nPos = end + 1;
    return 1;
}

void COrderListTags::LoadTagNames()
{
    RegisterOrderListStrings();
    for (int i = 0; i < kOrderListNameCount; ++i)
        m_names[static_cast<size_t>(i)] = fw::loadString(static_cast<uint32_t>(IDS_ODL_FIRST_NAME + i));
}

int COrderListTags::FindTagName(std::string_view name) const
{
    if (name.empty())
        return -1;
    for (size_t i = 0; i < m_names.size(); ++i) {
        if (m_names[i] == name)
            return static_cast<int>(i);
    }
    return -1;
}

int COrderListTags::ImportTagIndex(std::string_view token) const
{
    if (token.size() < 2 || token.front() != '<' || token.back() != '>')
        return -1;
    const size_t start = IsClosingTag(token) ? 2 : 1;
    if (token.size() < start + 1)
        return -1;
    return FindTagName(token.substr(start, token.size() - 1 - start));
}

bool IsClosingTag(std::string_view token)
{
    return token.size() > 1 && token[1] == '/';
}

std::string MakeOpenTag(std::string_view name)
{
    return "<" + std::string(name) + ">";
}

std::string MakeCloseTag(std::string_view name)
{
    return "</" + std::string(name) + ">";
}

namespace {

// Doubles hold every whole number up to 2^53 exactly; a larger quantity
// would come back changed.
constexpr double kExactWholeLimit = 9007199254740992.0;

std::string_view TrimBlanks(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A number as the export writes it: an optional '-', digits, and for
// prices one decimal character (the user's, or '.') and more digits. The
// value and the count of decimals it carries.
std::optional<CDouble> ReadNumber(std::string_view value, size_t width, bool decimals)
{
    const std::string_view text = TrimBlanks(value);
    if (text.empty())
        return CDouble(0.0, 0);
    if (text.size() > width)
        return std::nullopt;
    std::string plain(text);
    size_t i = plain[0] == '-' ? 1 : 0;
    size_t digits = 0;
    size_t point = std::string::npos;
    for (; i < plain.size(); ++i) {
        if (IsDigit(plain[i])) {
            ++digits;
        } else if (decimals && point == std::string::npos
            && (plain[i] == KvDecimalChar() || plain[i] == '.')) {
            point = i;
            plain[i] = '.';
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    double number = ParseFieldDouble(plain.data(), plain.size());
    if (std::fabs(number) > kExactWholeLimit)
        return std::nullopt;
    if (number == 0.0)
        number = 0.0; // no negative zero
    const unsigned count = point == std::string::npos ? 0 : static_cast<unsigned>(plain.size() - point - 1);
    return CDouble(number, count);
}

template <size_t N> bool StoreText(char (&field)[N], std::string_view value)
{
    if (value.size() > N - 1 || value.find('\0') != std::string_view::npos)
        return false;
    CopyText(field, value);
    return true;
}

// A date (8 digits) or time (6 digits) of the wire form, or nothing.
bool ReadDateOrTime(std::string_view value, bool date, std::string& text)
{
    text = TrimBlanks(value);
    if (text.empty())
        return true;
    CDateTime check;
    return text.size() == (date ? 8u : 6u)
        && (date ? check.SetDateVORL(text.c_str()) : check.SetTimeVORL(text.c_str()));
}

void UpdateExpiry(CLocalOrderRec& rec)
{
    CDateTime expiry;
    if (expiry.SetDateVORL(rec.szExpiryDate)) {
        CDateTime withTime = expiry;
        if (withTime.SetTimeVORL(rec.szExpiryTime))
            expiry = withTime;
    }
    rec.dtExpiry = expiry;
}

void UpdateValidity(CLocalOrderRec& rec)
{
    CopyText(rec.szValidity, OrderTable().GetValidityText(rec.szType, rec.szExpiryDate));
}

CDouble WithDecimals(const CDouble& value, int decimals)
{
    return CDouble(static_cast<double>(value), static_cast<unsigned>(decimals < 0 ? 0 : decimals));
}

// The security of the order's short name on its board: its code, and its
// decimals for the prices and the yield.
const SecurityRec* FindSecurity(CLocalOrderRec& rec)
{
    if (rec.szSecurity[0] == '\0' || rec.szBoardName[0] == '\0')
        return nullptr;
    CSecurityTable& securities = SecurityTable();
    const int row = securities.FindOnBoard(rec.szSecurity, rec.szBoardName);
    return row < 0 ? nullptr : securities.GetRec(row);
}

void TakeSecurity(CLocalOrderRec& rec)
{
    const SecurityRec* security = FindSecurity(rec);
    if (security == nullptr) {
        rec.szSecurityCode[0] = '\0';
        return;
    }
    CopyText(rec.szSecurityCode, std::string_view(security->szCode, strnlen(security->szCode, 17)));
    rec.dPrice = WithDecimals(rec.dPrice, security->nPriceDec);
    rec.dTriggerPrice = WithDecimals(rec.dTriggerPrice, security->nPriceDec);
    rec.dYield = WithDecimals(rec.dYield, security->nYieldDec);
}

bool StorePrice(CLocalOrderRec& rec, CDouble& field, std::string_view value, bool yield)
{
    const std::optional<CDouble> number = ReadNumber(value, 9, true);
    if (!number)
        return false;
    field = *number;
    if (const SecurityRec* security = FindSecurity(rec))
        field = WithDecimals(field, yield ? security->nYieldDec : security->nPriceDec);
    return true;
}

bool StoreQuantity(CDouble& field, std::string_view value)
{
    const std::optional<CDouble> number = ReadNumber(value, 16, false);
    if (!number)
        return false;
    field = *number;
    return true;
}

bool IsFlagText(std::string_view text)
{
    return text.size() <= 32 && text.find_first_not_of("01") == std::string_view::npos;
}

} // namespace

int ParseOrderField(CLocalOrderRec& rec, int nameIndex, std::string_view value)
{
    std::string text;
    switch (static_cast<int>(IDS_ODL_FIRST_NAME) + nameIndex) {
    case IDS_ODL_WORK_AREA:
        return StoreText(rec.szWorkArea, value);
    case IDS_ODL_TRD_ACC:
        return StoreText(rec.szTrdAcc, value);
    case IDS_ODL_BUY_SELL:
        return StoreText(rec.szBuySell, value);
    case IDS_ODL_REFERENCE:
        return StoreText(rec.szReference, value);
    case IDS_ODL_TYPE:
        if (!IsFlagText(value))
            return 0;
        CopyText(rec.szType, value);
        COrderTable::FormatFlags(rec.szType, rec.szTypeLetters, sizeof rec.szTypeLetters);
        UpdateValidity(rec);
        return 1;
    case IDS_ODL_SECURITY:
        if (!StoreText(rec.szSecurity, value))
            return 0;
        TakeSecurity(rec);
        return 1;
    case IDS_ODL_BOARD:
        if (!StoreText(rec.szBoardName, value))
            return 0;
        TakeSecurity(rec);
        return 1;
    case IDS_ODL_PRICE:
        return StorePrice(rec, rec.dPrice, value, false);
    case IDS_ODL_TRIGGER_PRICE:
        return StorePrice(rec, rec.dTriggerPrice, value, false);
    case IDS_ODL_YIELD:
        return StorePrice(rec, rec.dYield, value, true);
    case IDS_ODL_QTY:
        return StoreQuantity(rec.dQty, value);
    case IDS_ODL_HIDDEN:
        return StoreQuantity(rec.dHidden, value);
    case IDS_ODL_FILL_MIN_QTY:
        return StoreQuantity(rec.dFillMinQty, value);
    case IDS_ODL_SETTLE_DATE:
        if (!ReadDateOrTime(value, true, text))
            return 0;
        CopyText(rec.szSettleDate, text);
        rec.dtSettle = CDateTime();
        rec.dtSettle.SetDateVORL(rec.szSettleDate);
        return 1;
    case IDS_ODL_EXPIRY_DATE:
        if (!ReadDateOrTime(value, true, text))
            return 0;
        CopyText(rec.szExpiryDate, text);
        UpdateExpiry(rec);
        UpdateValidity(rec);
        return 1;
    case IDS_ODL_EXPIRY_TIME:
        if (!ReadDateOrTime(value, false, text))
            return 0;
        CopyText(rec.szExpiryTime, text);
        CopyText(rec.szExpiryTimeText, text);
        UpdateExpiry(rec);
        return 1;
    default:
        return 1;
    }
}
