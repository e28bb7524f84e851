// The import of a whole order list file: the tagged form read element by
// element with its structure checked, the text form column by column.
#include "kv32/filters/order_list_import.h"

#include <fstream>
#include <iterator>

#include "fw/core/msgbox.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/record_text.h"

namespace {

// A file larger than this is no order list; reading it would only exhaust memory.
constexpr std::uintmax_t kMaxFileBytes = 64u * 1024 * 1024;

// Calls fn(line, number) for every line, numbered from 1, without its CR
// or LF; false as soon as fn does.
template <class TFn> void ForEachLine(std::string_view text, TFn fn)
{
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!fn(line, ++number))
            return;
    }
}

bool HasWorkArea(const CLocalOrderRec& rec)
{
    return std::string_view(rec.szWorkArea).find_first_not_of(' ') != std::string_view::npos;
}

class CImporter {
public:
    CImporter(COrderListImport& result, const COrderListReport& report)
        : m_result(result)
        , m_report(report)
    {
        m_tags.LoadTagNames();
    }

    void Warn(uint32_t id, int line)
    {
        COrderListDiagnostic d { id, line, false, false };
        if (m_report)
            m_report(d);
        m_result.diagnostics.push_back(d);
    }
    // False when the answer ends the import.
    bool Ask(uint32_t id, int line)
    {
        COrderListDiagnostic d { id, line, true, true };
        if (m_report)
            d.answer = m_report(d);
        m_result.diagnostics.push_back(d);
        if (!d.answer)
            m_result.stopped = true;
        return d.answer;
    }
    // An order read to its end joins the result when it names its work area.
    bool Finish(CLocalOrderRec& rec, int line)
    {
        if (!HasWorkArea(rec))
            return Ask(IDS_ODL_NO_WAI, line);
        CopyText(rec.szStatus, LocalOrderTable().StateText(LocalOrderState::New));
        m_result.orders.push_back(rec);
        return true;
    }

protected:
    COrderListImport& m_result;
    const COrderListReport& m_report;
    COrderListTags m_tags;
};

class CTaggedImporter : public CImporter {
public:
    CTaggedImporter(COrderListImport& result, const COrderListReport& report)
        : CImporter(result, report)
        , m_orderOpen(MakeOpenTag(Kv32OrderListString(IDS_ODL_ORDER)))
        , m_orderClose(MakeCloseTag(Kv32OrderListString(IDS_ODL_ORDER)))
    {
    }

    void Read(std::string_view text)
    {
        int last = 0;
        ForEachLine(text, [&](std::string_view line, int number) {
            last = number;
            return ReadLine(line, number);
        });
        if (!m_result.stopped && m_bInOrder)
            Warn(IDS_ODL_LAST_ORDER_NOT_ENDED, last);
    }

private:
    bool ReadLine(std::string_view line, int number)
    {
        CImportCursor cursor;
        std::string token;
        for (;;) {
            const int more = NextImportToken(cursor, line, token);
            if (token.empty()) {
                if (more == 0) {
                    if (!Ask(IDS_ODL_LINE_READ_ERROR, number))
                        return false;
                    SkipOrder();
                }
                return true;
            }
            if (!Take(token, number))
                return false;
            if (more == 0)
                return true;
        }
    }

    // The rest of the current order is passed over, up to the next order.
    void SkipOrder()
    {
        m_bInOrder = false;
        m_nField = -1;
        m_bSkipping = true;
    }

    bool Take(const std::string& token, int line)
    {
        if (token == m_orderOpen) {
            OpenOrder(line);
            return true;
        }
        if (token == m_orderClose)
            return CloseOrder(line);
        if (m_bSkipping)
            return true;
        if (token.front() != '<') {
            TakeData(token, line);
            return true;
        }
        // Elements of other names (a root element, a prolog) carry nothing for an order.
        const int index = m_tags.ImportTagIndex(token);
        if (index >= 0) {
            if (IsClosingTag(token))
                CloseField(index, line);
            else
                OpenField(index, line);
        }
        return true;
    }

    void OpenOrder(int line)
    {
        if (m_bInOrder)
            Warn(IDS_ODL_ORDER_NOT_ENDED, line);
        m_bSkipping = false;
        m_bInOrder = true;
        m_nField = -1;
        m_order = CLocalOrderRec();
        m_nOrderLine = line;
    }

    bool CloseOrder(int line)
    {
        if (m_bSkipping) {
            m_bSkipping = false;
            return true;
        }
        if (!m_bInOrder) {
            Warn(IDS_ODL_END_OF_UNSTARTED_ORDER, line);
            return true;
        }
        if (m_nField >= 0)
            Warn(IDS_ODL_FIELD_NOT_ENDED_AT_ORDER_END, line);
        m_bInOrder = false;
        m_nField = -1;
        return Finish(m_order, m_nOrderLine);
    }

    void OpenField(int index, int line)
    {
        if (!m_bInOrder) {
            Warn(IDS_ODL_FIELD_OUTSIDE_ORDER, line);
            m_bSkipping = true;
            return;
        }
        if (m_nField >= 0)
            Warn(IDS_ODL_FIELD_NOT_ENDED, line);
        m_nField = index;
        m_bHasData = false;
        m_data.clear();
        m_nDataLine = line;
    }

    void CloseField(int index, int line)
    {
        if (!m_bInOrder || m_nField < 0) {
            Warn(IDS_ODL_END_OF_UNSTARTED_FIELD, line);
            return;
        }
        const int field = m_nField;
        m_nField = -1;
        if (index != field) {
            Warn(IDS_ODL_END_OF_OTHER_FIELD, line);
            return;
        }
        if (!ParseOrderField(m_order, field, UnescapeOrderListText(m_data)))
            Warn(IDS_ODL_WRONG_DATA_FORMAT, m_bHasData ? m_nDataLine : line);
    }

    void TakeData(const std::string& token, int line)
    {
        if (!m_bInOrder || m_nField < 0) {
            Warn(IDS_ODL_DATA_OUTSIDE_FIELD, line);
            return;
        }
        if (m_bHasData) {
            Warn(IDS_ODL_DATA_REDEFINED, line);
            return;
        }
        m_data = token;
        m_bHasData = true;
        m_nDataLine = line;
    }

    const std::string m_orderOpen;
    const std::string m_orderClose;
    bool m_bInOrder = false;
    bool m_bSkipping = false;
    int m_nField = -1;
    bool m_bHasData = false;
    std::string m_data;
    int m_nDataLine = 0;
    int m_nOrderLine = 0;
    CLocalOrderRec m_order;
};

class CTextImporter : public CImporter {
public:
    using CImporter::CImporter;

    void Read(std::string_view text)
    {
        ForEachLine(text, [&](std::string_view line, int number) {
            return number == 1 ? ReadHeader(line) : ReadOrder(line, number);
        });
    }

private:
    // The values of a line; the tab after the last one is optional.
    static std::vector<std::string_view> Split(std::string_view line)
    {
        std::vector<std::string_view> values;
        if (!line.empty() && line.back() == '\t')
            line.remove_suffix(1);
        for (;;) {
            const size_t tab = line.find('\t');
            values.push_back(line.substr(0, tab));
            if (tab == std::string_view::npos)
                return values;
            line = line.substr(tab + 1);
        }
    }

    bool ReadHeader(std::string_view line)
    {
        const std::vector<std::string_view> names = Split(line);
        for (size_t i = 0; i < kPrivateOrderTextColumns.size() || i < names.size(); ++i) {
            if (i >= names.size() || i >= kPrivateOrderTextColumns.size()
                || names[i] != m_tags.Name(OrderListIndex(kPrivateOrderTextColumns[i]))) {
                Warn(IDS_ODL_WRONG_COLUMN_NAME, static_cast<int>(i) + 1);
                m_result.stopped = true;
                return false;
            }
        }
        return true;
    }

    bool ReadOrder(std::string_view line, int number)
    {
        if (line.empty())
            return true;
        const std::vector<std::string_view> values = Split(line);
        if (values.size() != kPrivateOrderTextColumns.size()) {
            Warn(IDS_ODL_WRONG_FIELD_COUNT, number);
            return true;
        }
        CLocalOrderRec rec;
        for (size_t i = 0; i < values.size(); ++i) {
            if (!ParseOrderField(rec, OrderListIndex(kPrivateOrderTextColumns[i]), values[i]))
                Warn(IDS_ODL_WRONG_DATA_FORMAT, number);
        }
        return Finish(rec, number);
    }
};

} // namespace

std::string COrderListDiagnostic::Text() const
{
    std::string text = Kv32OrderListString(id);
    if (const size_t at = text.find("%d"); at != std::string::npos)
        text.replace(at, 2, std::to_string(line));
    return text;
}

COrderListImport ImportPrivateOrders(
    std::string_view text, OrderListForm form, const COrderListReport& report)
{
    COrderListImport result;
    if (form == OrderListForm::Tagged)
        CTaggedImporter(result, report).Read(text);
    else
        CTextImporter(result, report).Read(text);
    return result;
}

COrderListImport ImportPrivateOrdersFile(const std::filesystem::path& path)
{
    return ImportPrivateOrdersFile(path, ShowImportDiagnostic);
}

COrderListImport ImportPrivateOrdersFile(const std::filesystem::path& path, const COrderListReport& report)
{
    COrderListImport result;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.fileError = IDS_ODL_OPEN_FILE_ERROR;
        return result;
    }
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxFileBytes) {
        result.fileError = IDS_ODL_READ_ERROR;
        return result;
    }
    std::string text(static_cast<size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size)) {
        result.fileError = IDS_ODL_READ_ERROR;
        return result;
    }
    return ImportPrivateOrders(text, OrderListFormOf(path), report);
}

void ImportWarning(uint32_t id, int line)
{
    fw::messageBox(
        COrderListDiagnostic { id, line, false, false }.Text(), fw::MB_OK | fw::MB_ICONEXCLAMATION);
}

bool ImportQuestion(uint32_t id, int line)
{
    return fw::messageBox(
               COrderListDiagnostic { id, line, true, false }.Text(), fw::MB_YESNO | fw::MB_ICONQUESTION)
        == fw::IDYES;
}

bool ShowImportDiagnostic(const COrderListDiagnostic& diagnostic)
{
    if (diagnostic.question)
        return ImportQuestion(diagnostic.id, diagnostic.line);
    ImportWarning(diagnostic.id, diagnostic.line);
    return true;
}
