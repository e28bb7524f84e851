#include "kv32/shell/alert_select_form.h"

#include <set>

#include "kv32/tables/all_tables.h"

namespace {

KvSecuritySelectionTaker& Taker()
{
    static KvSecuritySelectionTaker taker;
    return taker;
}

bool AnySelected(const KvListBoxPort& list)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (list.IsSelected(i))
            return true;
    }
    return false;
}

void UnselectAll(KvListBoxPort& list)
{
    for (int i = 0; i < list.Count(); ++i)
        list.SetSelected(i, false);
}

} // namespace

KvAlertSelectForm::KvAlertSelectForm(KvListBoxPort& chooser, KvListBoxPort& available,
    KvListBoxPort& selection, std::vector<uint32_t>& callerIndices, bool singleChoice)
    : m_chooser(chooser)
    , m_available(available)
    , m_selection(selection)
    , m_caller(callerIndices)
    , m_single(singleChoice)
{
}

std::string KvAlertSelectForm::SecurityLine(int index)
{
    const SecurityRec& s = *SecurityTable().GetRec(index);
    return std::string(s.szShortName) + '\t' + s.szBoardName;
}

void KvAlertSelectForm::Init()
{
    m_selection.Clear();
    const auto count = static_cast<uint32_t>(SecurityTable().GetCount());
    for (uint32_t index : m_caller) {
        if (index < count)
            m_selection.Insert(-1, { SecurityLine(static_cast<int>(index)), index });
    }
    // The caret stands past the last line: additions go to the end.
    m_selection.SetCaret(-1);
    m_mode = KvChooserMode::Boards;
    m_filledMode = -1;
    FillChooser();
}

void KvAlertSelectForm::SetMode(KvChooserMode mode)
{
    m_mode = mode;
    FillChooser();
}

void KvAlertSelectForm::FillChooser()
{
    if (m_filledMode == static_cast<int>(m_mode))
        return;
    m_filledMode = static_cast<int>(m_mode);
    m_chooser.Clear();
    m_available.Clear();
    if (m_mode == KvChooserMode::Boards) {
        CBoardTable& boards = BoardTable();
        for (int row = 0; row < boards.GetCount(); ++row)
            m_chooser.Insert(-1, { boards.GetRec(row)->szName, static_cast<uint64_t>(row) });
        return;
    }
    for (int row : SecurityTable().GetDistinctList())
        m_chooser.Insert(-1, { SecurityTable().GetRec(row)->szShortName, static_cast<uint64_t>(row) });
}

void KvAlertSelectForm::ChooserChanged()
{
    m_available.Clear();
    std::set<std::string> chosen;
    for (int i : m_chooser.Selection())
        chosen.insert(m_chooser.Entry(i).text);
    if (chosen.empty())
        return;
    CSecurityTable& securities = SecurityTable();
    const bool boards = m_mode == KvChooserMode::Boards;
    for (int row = 0; row < securities.GetCount(); ++row) {
        const SecurityRec& s = *securities.GetRec(row);
        if (chosen.count(boards ? s.szBoardName : s.szShortName) != 0)
            m_available.Insert(-1, { SecurityLine(row), static_cast<uint64_t>(row) });
    }
}

bool KvAlertSelectForm::Contains(uint32_t index) const
{
    for (int i = 0; i < m_selection.Count(); ++i) {
        if (m_selection.Entry(i).data == index)
            return true;
    }
    return false;
}

int KvAlertSelectForm::InsertPosition() const
{
    const int caret = m_selection.Caret();
    return caret >= 0 && caret < m_selection.Count() ? caret : m_selection.Count();
}

bool KvAlertSelectForm::Insert(uint32_t index, int& at)
{
    if (Contains(index))
        return false;
    m_selection.Insert(at, { SecurityLine(static_cast<int>(index)), index });
    ++at;
    return true;
}

void KvAlertSelectForm::AddIndices(const std::vector<uint32_t>& indices)
{
    int at = InsertPosition();
    bool added = false;
    for (uint32_t index : indices)
        added = Insert(index, at) || added;
    if (added)
        m_selection.SetCaret(at < m_selection.Count() ? at : -1);
}

void KvAlertSelectForm::Add()
{
    if (m_single) {
        const std::vector<int> marked = m_available.Selection();
        const int caret = m_available.Caret();
        AddLine(caret >= 0 && caret < m_available.Count() ? caret : marked.empty() ? -1 : marked.front());
        return;
    }
    std::vector<uint32_t> indices;
    for (int i : m_available.Selection())
        indices.push_back(static_cast<uint32_t>(m_available.Entry(i).data));
    AddIndices(indices);
}

void KvAlertSelectForm::AddLine(int line)
{
    if (line < 0 || line >= m_available.Count())
        return;
    if (m_single && m_selection.Count() > 0)
        return;
    AddIndices({ static_cast<uint32_t>(m_available.Entry(line).data) });
}

void KvAlertSelectForm::AddAll()
{
    if (m_single)
        return;
    std::vector<uint32_t> indices;
    for (int i = 0; i < m_available.Count(); ++i)
        indices.push_back(static_cast<uint32_t>(m_available.Entry(i).data));
    AddIndices(indices);
}

void KvAlertSelectForm::Remove()
{
    const std::vector<int> marked = m_selection.Selection();
    if (marked.empty())
        return;
    for (auto it = marked.rbegin(); it != marked.rend(); ++it)
        m_selection.Delete(*it);
    // The caret stays where the first removed line stood.
    m_selection.SetCaret(marked.front() < m_selection.Count() ? marked.front() : -1);
}

void KvAlertSelectForm::RemoveAll()
{
    m_selection.Clear();
    m_selection.SetCaret(-1);
}

void KvAlertSelectForm::UnselectChooser()
{
    UnselectAll(m_chooser);
    m_available.Clear();
}

void KvAlertSelectForm::UnselectAvailable()
{
    UnselectAll(m_available);
}

std::vector<uint32_t> KvAlertSelectForm::Selected() const
{
    std::vector<uint32_t> indices;
    for (int i = 0; i < m_selection.Count(); ++i)
        indices.push_back(static_cast<uint32_t>(m_selection.Entry(i).data));
    return indices;
}

void KvAlertSelectForm::Accept()
{
    m_caller = Selected();
}

KvSelectButtons KvAlertSelectForm::Buttons() const
{
    KvSelectButtons b;
    const bool chosen = m_selection.Count() > 0;
    b.ok = chosen;
    b.removeAll = chosen && !m_single;
    b.add = AnySelected(m_available) && !(m_single && chosen);
    b.addAll = !m_single && m_available.Count() > 0;
    b.remove = AnySelected(m_selection);
    b.unselectChooser = AnySelected(m_chooser);
    b.unselectAvailable = !m_single && AnySelected(m_available);
    return b;
}

void KvSetSecuritySelectionTaker(KvSecuritySelectionTaker taker)
{
    Taker() = std::move(taker);
}

bool KvHandOverSecuritySelection(CTDoc* doc, const std::vector<uint32_t>& indices)
{
    if (doc == nullptr || !Taker())
        return false;
    Taker()(*doc, indices);
    return true;
}
