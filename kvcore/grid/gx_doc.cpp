#include "kvcore/grid/gx_doc.h"

#include "fw/core/archive.h"
#include "fw/core/strings.h"
#include "kvcore/grid/xl_view.h"
#include "kvcore/res/grid_ids.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <type_traits>

namespace kvcore {

int CTGXDoc::m_iColorMethod = 0;

CTGXDoc::CTGXDoc()
{
    static constexpr const char* kYields[][2] = { { "Hozam", "\xC1r" }, { "V. hozam", "V\xE9tel" },
        { "E. hozam", "Elad\xE1s" }, { "B. hozam", "Utols\xF3 \xE1r" }, { "Hozam", "Utols\xF3 \xE1r" },
        { "S. hozam", "Utols\xF3 \xE1r" }, { "Ny. hozam", "Utols\xF3 \xE1r" }, { "Max. hozam", "Utols\xF3 \xE1r" },
        { "Min. hozam", "Utols\xF3 \xE1r" }, { "Yield", "Price" }, { "Bid Yield", "Bid" }, { "Offer Yield", "Offer" },
        { "Ref. Yield", "Last" }, { "Yield", "Last" }, { "WA Yield", "Last" }, { "Open Yield", "Last" },
        { "High Yield", "Last" }, { "Low Yield", "Last" } };
    for (const auto& entry : kYields)
        AddYieldEntry(entry[0], entry[1]);
    commands().onCommand(ID_GRID_EXCEL, [this] { OnGridExcel(); });
    commands().onUpdate(ID_GRID_EXCEL,
        [this](fw::CmdUI& ui) { ui.setText(fw::loadString(IsExcelLinked() ? IDS_UNLINK_EXCEL : IDS_LINK_EXCEL)); });
}

void CTGXDoc::OnGridExcel()
{
    if (m_pXLView) {
        m_pXLView.reset();
        return;
    }
    auto link = std::make_unique<CXLView>(CXLView::MakePort());
    link->setDocument(this);
    link->onInitialUpdate();
    if (link->IsLinked())
        m_pXLView = std::move(link);
}

bool CTGXDoc::AddYieldEntry(const char* title, const char* priceTitle)
{
    if (m_yields.size() >= kMaxYieldEntries)
        return false;
    YieldEntry entry;
    entry.hasPrice = true;
    entry.valid = title && std::strlen(title) < 32 && (!entry.hasPrice || (priceTitle && std::strlen(priceTitle) < 32));
    if (entry.valid) {
        entry.title = title;
        entry.priceTitle = priceTitle;
    }
    m_yields.push_back(std::move(entry));
    return true;
}
CTGXDoc::~CTGXDoc() = default;

bool CTGXDoc::onNewDocument()
{
    m_colorOffset = GetColorOffset();
    m_pColorTable = &GetColorRefArray();
    return fw::Document::onNewDocument();
}

const std::uint8_t* CTGXDoc::GetRowData(int) const { return nullptr; }
int CTGXDoc::GetRowCount() const { return 0; }
int CTGXDoc::GetColorOffset() const { return -1; }
int CTGXDoc::OwnerDrawSort(const std::uint8_t*, const std::uint8_t*, int) const { return 0; }

int CTGXDoc::MapRowView2Doc(int row) const
{
    if (row < 1)
        return -1;
    const auto index = static_cast<std::size_t>(row - 1);
    const long doc = index < m_rowMap.size() ? static_cast<long>(m_rowMap[index]) : row - 1;
    return doc < GetRowCount() ? static_cast<int>(doc) : -1;
}

int CTGXDoc::MapColView2Doc(int col) const
{
    if (col >= 1 && static_cast<std::size_t>(col - 1) < m_selected.size())
        return m_selected[static_cast<std::size_t>(col - 1)];
    return col - 1;
}

unsigned CTGXDoc::GetColumnJustify(int view) const
{
    const int id = MapColView2Doc(view);
    return id >= 0 && static_cast<std::size_t>(id) < m_justify.size() ? m_justify[static_cast<std::size_t>(id)] : 0;
}

bool CTGXDoc::HasSortKey(int columnId) const
{
    return std::any_of(m_sortKeys.begin(), m_sortKeys.end(),
        [columnId](std::uint32_t key) { return static_cast<int>(key & 0xFFFF) == columnId; });
}

bool CTGXDoc::IsSorted(int view, int ascending) const
{
    const int id = MapColView2Doc(view);
    return id >= 0 && std::find(m_sortKeys.begin(), m_sortKeys.end(),
        MakeSortKey(static_cast<std::uint16_t>(id), ascending ? kAscending : kDescending)) != m_sortKeys.end();
}

void CTGXDoc::SetSortColumn(int view, int ascending)
{
    const int id = MapColView2Doc(view);
    if (id < 0) {
        m_sortKeys.clear();
        m_rowMap.resize(static_cast<std::size_t>(std::max(GetRowCount(), 0)));
        std::iota(m_rowMap.begin(), m_rowMap.end(), 0u);
        m_mapInOrder = true;
        updateAllViews(nullptr);
        return;
    }
    const std::uint32_t key = MakeSortKey(static_cast<std::uint16_t>(id), ascending ? kAscending : kDescending);
    auto same = std::find_if(m_sortKeys.begin(), m_sortKeys.end(),
        [id](std::uint32_t k) { return static_cast<int>(k & 0xFFFF) == id; });
    if (same != m_sortKeys.end())
        *same = key; // keeps its priority
    else
        m_sortKeys.push_back(key);
    UpdateDocument(0, nullptr);
}

void CTGXDoc::RemoveSortColumn(int view)
{
    const int id = MapColView2Doc(view);
    std::erase_if(m_sortKeys, [id](std::uint32_t k) { return static_cast<int>(k & 0xFFFF) == id; });
    UpdateDocument(0, nullptr);
}

namespace {

template <typename T> T ReadValue(const std::uint8_t* record, std::size_t offset)
{
    static_assert(std::is_trivially_copyable_v<T>);
    T value{};
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

template <typename T> int ThreeWay(const T& a, const T& b) { return a < b ? -1 : (b < a ? 1 : 0); }

int CompareDateTimes(const CDateTime& a, const CDateTime& b)
{
    if (!a.IsValid() || !b.IsValid())
        return ThreeWay(a.IsValid(), b.IsValid()); // invalid values first, two invalid equal
    const auto order = a <=> b;
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // namespace

int CTGXDoc::CompareByKey(std::uint32_t key, int docRowA, int docRowB) const
{
    const auto id = static_cast<std::size_t>(key & 0xFFFF);
    if (id >= m_type.size() || id >= m_offset.size())
        return 0;
    const std::uint8_t* a = GetRowData(docRowA);
    const std::uint8_t* b = GetRowData(docRowB);
    if (!a || !b)
        return 0;
    const std::size_t off = m_offset[id];
    switch (m_type[id] & 0xFF) {
    case kGXUnsigned:
        return ThreeWay(ReadValue<std::uint32_t>(a, off), ReadValue<std::uint32_t>(b, off));
    case kGXSigned:
        return ThreeWay(ReadValue<std::int32_t>(a, off), ReadValue<std::int32_t>(b, off));
    case kGXText: {
        const int c = std::strcmp(reinterpret_cast<const char*>(a + off), reinterpret_cast<const char*>(b + off));
        return ThreeWay(c, 0);
    }
    case kGXDouble:
        return ThreeWay(static_cast<double>(ReadValue<CDouble>(a, off)), static_cast<double>(ReadValue<CDouble>(b, off)));
    case kGXDate:
    case kGXTime:
        return CompareDateTimes(ReadValue<CDateTime>(a, off), ReadValue<CDateTime>(b, off));
    case kGXOwner:
        return ThreeWay(OwnerDrawSort(a, b, static_cast<int>(id)), 0);
    default:
        return 0;
    }
}

int CTGXDoc::CompareRows(int docRowA, int docRowB) const
{
    for (std::uint32_t key : m_sortKeys) {
        int c = CompareByKey(key, docRowA, docRowB);
        if ((key >> 16) == kDescending)
            c = -c;
        if (c != 0)
            return c;
    }
    return ThreeWay(docRowA, docRowB); // ties keep document order whatever the directions
}

void CTGXDoc::SortRowMap(CTHint* marks)
{
    if (m_sortKeys.empty() || m_rowMap.empty())
        return;
    // Most updates change no sort value: a map still in order (one comparison a row) moves no
    // row and marks nothing more.
    const auto inOrder = [this](std::uint32_t a, std::uint32_t b) {
        return CompareRows(static_cast<int>(a), static_cast<int>(b)) < 0;
    };
    if (std::is_sorted(m_rowMap.begin(), m_rowMap.end(), inOrder))
        return;
    const std::vector<std::uint32_t> before = m_rowMap;
    struct Pair {
        std::uint32_t docRow;
        bool marked;
    };
    std::vector<Pair> pairs;
    pairs.reserve(before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        pairs.push_back({ before[i], marks && marks->GetRow(static_cast<int>(i)) != 0 });
    std::stable_sort(pairs.begin(), pairs.end(), [this](const Pair& a, const Pair& b) {
        return CompareRows(static_cast<int>(a.docRow), static_cast<int>(b.docRow)) < 0;
    });
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (marks) {
            if (pairs[i].marked || pairs[i].docRow != before[i])
                marks->AddRow(static_cast<int>(i));
            else
                marks->ClearRow(static_cast<int>(i));
        }
        m_rowMap[i] = pairs[i].docRow;
    }
}

bool CTGXDoc::PassesHintThrough(const fw::RowHint* changed) const
{
    if (!changed || !m_sortKeys.empty() || !m_mapInOrder)
        return false;
    return static_cast<std::size_t>(std::max(GetRowCount(), 0)) >= m_rowMap.size() || changed->CoversMoves();
}

const CTHint& CTGXDoc::UpdateRows(const fw::RowHint* changed, long* appendedFrom)
{
    const auto n = static_cast<std::size_t>(std::max(GetRowCount(), 0));
    const std::size_t m = m_rowMap.size();
    if (appendedFrom)
        *appendedFrom = -1;
    m_viewHint.Clear();
    m_viewHint.SetCoversMoves(false);
    if (PassesHintThrough(changed)) {
        m_rowMap.resize(n);
        for (std::size_t i = m; i < n; ++i)
            m_rowMap[i] = static_cast<std::uint32_t>(i);
        m_viewHint.SetSize(static_cast<int>(n));
        m_viewHint.SetCoversMoves(changed->CoversMoves());
        for (const int row : changed->Rows()) {
            if (static_cast<std::size_t>(row) >= n)
                break;
            m_viewHint.AddRow(row);
        }
        for (const fw::RowHint::Range& range : changed->Ranges())
            if (static_cast<std::size_t>(range.first) < n)
                m_viewHint.AddRange(range.first, std::min(range.second, static_cast<int>(n) - 1));
        for (std::size_t i = m; i < n; ++i)
            m_viewHint.AddRow(static_cast<int>(i));
        if (appendedFrom && n > m)
            *appendedFrom = static_cast<long>(m);
        return m_viewHint;
    }
    if (!changed || n < m) {
        m_rowMap.resize(n);
        std::iota(m_rowMap.begin(), m_rowMap.end(), 0u);
        m_mapInOrder = m_sortKeys.empty();
        SortRowMap(nullptr);
        m_viewHint.SetSize(0);
        return m_viewHint;
    }
    m_mapInOrder = m_mapInOrder && m_sortKeys.empty();
    CTHint& view = m_viewHint;
    view.SetSize(static_cast<int>(n));
    if (n > m) {
        m_rowMap.resize(n);
        for (std::size_t i = m; i < n; ++i) {
            m_rowMap[i] = static_cast<std::uint32_t>(i);
            view.AddRow(static_cast<int>(i));
        }
        if (appendedFrom)
            *appendedFrom = static_cast<long>(m);
    }
    for (std::size_t i = 0; i < n; ++i)
        if (changed->GetRow(static_cast<int>(m_rowMap[i])))
            view.AddRow(static_cast<int>(i));
    SortRowMap(&view);
    return view;
}

void CTGXDoc::UpdateDocument(intptr_t, fw::Hint* object)
{
    const auto* changed = dynamic_cast<const fw::RowHint*>(object);
    const bool rowsRemoved = static_cast<std::size_t>(std::max(GetRowCount(), 0)) < m_rowMap.size();
    const bool followed = !rowsRemoved || PassesHintThrough(changed);
    long appendedFrom = -1;
    UpdateRows(changed, &appendedFrom);
    if (!changed || !followed) {
        updateAllViews(nullptr);
        return;
    }
    updateAllViews(nullptr, appendedFrom >= 0 ? MakeAppendHint(appendedFrom) : 0, &m_viewHint);
}

void CTGXDoc::GetColorCell(const std::uint8_t* record, int, COLORREF& back, COLORREF& text) const
{
    back = m_defaultBack;
    text = m_defaultText;
    if (m_colorOffset == -1 || !record)
        return;
    const auto index = ReadValue<std::int32_t>(record, static_cast<std::size_t>(m_colorOffset));
    // An index outside the colour table keeps the default colours.
    const std::vector<std::uint32_t>& table = *m_pColorTable;
    if (index < 0 || static_cast<std::size_t>(index) >= table.size())
        return;
    if (m_iColorMethod == 0)
        back = table[static_cast<std::size_t>(index)];
    else if (m_iColorMethod == 1)
        text = table[static_cast<std::size_t>(index)];
}

void CTGXDoc::KeepContrast(COLORREF& back, COLORREF& text)
{
    if (back != text)
        return;
    if (m_iColorMethod == 1)
        back = text == kBlack ? kWhite : kBlack;
    else
        text = back == kBlack ? kWhite : kBlack;
}

void CTGXDoc::Serialize(fw::Archive& ar)
{
    if (ar.isStoring()) {
        StoreColumnWidths();
        ar.writeDWord(m_defaultBack);
        ar.writeDWord(m_defaultText);
        ar.writeWord(static_cast<std::uint16_t>(m_zoom));
        ar.writeWord(static_cast<std::uint16_t>(m_fixedColumns));
        ar.writeWord(m_columnSet);
        ar.writeWord(IsExcelLinked() ? 1 : 0);
        ar.writeWordArray(m_width);
        ar.writeDWordArray(m_sortKeys);
        ar.writeWordArray(m_selected);
        ar.writeDWordArray(m_colorRefs);
        return;
    }
    // Read everything first so a short or damaged record changes nothing.
    const COLORREF back = ar.readDWord();
    const COLORREF text = ar.readDWord();
    const std::uint16_t zoom = ar.readWord();
    const std::uint16_t fixed = ar.readWord();
    const std::uint16_t columnSet = ar.readWord();
    (void)ar.readWord(); // the Excel link is not reopened
    auto width = ar.readWordArray();
    auto keys = ar.readDWordArray();
    auto selected = ar.readWordArray();
    auto colors = ar.readDWordArray();
    m_defaultBack = back;
    m_defaultText = text;
    m_zoom = zoom;
    m_fixedColumns = fixed;
    m_columnSet = columnSet;
    m_width = std::move(width);
    m_sortKeys = std::move(keys);
    m_selected = std::move(selected);
    m_colorRefs = std::move(colors);
}

} // namespace kvcore
