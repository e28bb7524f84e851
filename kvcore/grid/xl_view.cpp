#include "kvcore/grid/xl_view.h"

#include "fw/core/gridsource.h"
#include "fw/core/msgbox.h"
#include "kvcore/app/message_box.h"
#include "kvcore/grid/gx_doc.h"
#include "kvcore/res/grid_ids.h"

#include <algorithm>
#include <cctype>

namespace kvcore {

XLSheetPort::~XLSheetPort() = default;

namespace {

CXLView::PortFactory& Factory()
{
    static CXLView::PortFactory factory;
    return factory;
}

} // namespace

void CXLView::SetPortFactory(PortFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<XLSheetPort> CXLView::MakePort() { return Factory() ? Factory()() : nullptr; }

std::string XLColumnName(int col)
{
    std::string name;
    for (int n = col; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

std::string XLSheetName(const std::string& title)
{
    std::string name = title;
    for (char& c : name)
        if (c == ':' || c == '/' || c == '\\' || c == '?' || c == '*')
            c = ' ';
    // "Orders - 2": the number of a second window on the same table is not part of the name.
    const std::size_t dash = name.rfind("- ");
    if (dash != std::string::npos && dash > 0 && name[dash - 1] == ' ') {
        const std::string tail = name.substr(dash + 2);
        if (!tail.empty() && std::all_of(tail.begin(), tail.end(), [](unsigned char c) { return std::isdigit(c); }))
            name.erase(dash - 1);
    }
    if (name.size() > 31)
        name.resize(31);
    return name;
}

CXLView::CXLView(std::unique_ptr<XLSheetPort> port) : m_port(std::move(port)) { }

CXLView::~CXLView() = default;

bool CXLView::Setup()
{
    const CTGXDoc* doc = dynamic_cast<const CTGXDoc*>(document());
    if (!doc || !m_port || !m_port->OpenSheet(XLSheetName(doc->title()))) {
        KvMessageBoxId(IDS_CANNOT_START_EXCEL, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return false;
    }
    m_bLinked = true;
    return true;
}

void CXLView::onInitialUpdate()
{
    if (Setup())
        onDocumentUpdate(nullptr, 0, nullptr);
}

void CXLView::onDocumentUpdate(fw::DocumentView* sender, intptr_t, fw::Hint* object)
{
    if (sender || !m_bLinked)
        return;
    WriteRows(object);
}

void CXLView::WriteRows(const fw::Hint* object)
{
    const CTGXDoc* doc = dynamic_cast<const CTGXDoc*>(document());
    if (!doc)
        return;
    const auto* hint = dynamic_cast<const fw::RowHint*>(object);
    const int rows = std::max(doc->GetRowCount(), m_nRows);
    const int cols = std::max(doc->GetColumnNumber(), m_nCols);
    m_nRows = doc->GetRowCount();
    m_nCols = doc->GetColumnNumber();
    if (cols <= 0)
        return;
    // Grid row 0 holds the titles; grid row r shows view row r - 1 and lands in sheet row r + 1.
    // Rows that went away are blanked, also when a hint tells the change.
    const int count = m_nRows;
    auto qualifies = [hint, count](int gridRow) {
        return !hint || (gridRow > 0 && (gridRow > count || hint->GetRow(gridRow - 1) != 0));
    };
    const std::string lastColumn = XLColumnName(cols);
    int gridRow = 0;
    while (gridRow <= rows) {
        if (!qualifies(gridRow)) {
            ++gridRow;
            continue;
        }
        std::vector<std::vector<std::string>> block;
        const int first = gridRow;
        while (gridRow <= rows && qualifies(gridRow) && static_cast<int>(block.size()) < kBlockRows) {
            std::vector<std::string> texts(static_cast<std::size_t>(cols));
            for (int col = 0; col < cols; ++col) {
                fw::CellStyle style;
                if (doc->GetStyleRowCol(gridRow, col + 1, style))
                    texts[static_cast<std::size_t>(col)] = style.value;
            }
            block.push_back(std::move(texts));
            ++gridRow;
        }
        XLRange range;
        range.firstRow = first + 1;
        range.lastRow = gridRow;
        range.columns = cols;
        range.from = "A" + std::to_string(range.firstRow);
        range.to = lastColumn + std::to_string(range.lastRow);
        m_port->PutRange(range, block);
    }
    m_port->MarkSaved();
}

} // namespace kvcore
