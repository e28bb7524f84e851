#include "kv32/filters/dialogs/filter_dlg.h"

#include <QDateTime>

#include "fw/ui/commondlg.h"
#include "fw/ui/dataexchange.h"
#include "fw/ui/datetimefield.h"
#include "kv32/res/filter_dialog_ids.h"
#include "kv32/res/table_strings.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/controls/num_edit.h"
#include "kvcore/ui/date_picker_widget.h"
#include "kvcore/ui/num_edit_widget.h"

namespace {

QDateTime ToQt(const CDateTime& t)
{
    return QDateTime(
        QDate(t.GetYear(), t.GetMonth(), t.GetDay()), QTime(t.GetHour(), t.GetMinute(), t.GetSecond()));
}

std::string BoardName(int row)
{
    CBoardTable& boards = BoardTable();
    return row >= 0 && row < boards.GetCount() ? std::string(boards.GetRec(row)->szName) : std::string();
}

std::string SecurityName(int row)
{
    CSecurityTable& securities = SecurityTable();
    return row >= 0 && row < securities.GetCount() ? std::string(securities.GetRec(row)->szShortName)
                                                   : std::string();
}

} // namespace

CFilterDlg::CFilterDlg(uint32_t templateId, QWidget* parent)
    : CKvDialog(templateId, parent)
{
    commands().onNotify(IDC_FLT_CLEAR, fw::Notify::Clicked, [this] { Clear(); });
}

CFilterDlg::~CFilterDlg() = default;

std::vector<std::string> CFilterDlg::UserCodes()
{
    return TraderTable().FillCodes();
}

std::vector<std::string> CFilterDlg::SessionAccounts()
{
    std::vector<std::string> items;
    int selected = -1;
    if (const CTrAccLocalArray* accounts = GetCurrentSessionData())
        accounts->FillList(items, selected, {});
    return items;
}

void CFilterDlg::BindNoFiltering(uint32_t id, int32_t& value)
{
    m_form.noFilteringId = id;
    m_noFiltering = &value;
    commands().onNotify(id, fw::Notify::Clicked, [this] { NoFilteringRule(); });
}

void CFilterDlg::BindCheck(uint32_t id, int32_t& value)
{
    m_checks.emplace_back(id, &value);
}

void CFilterDlg::AddList(ListBinding list)
{
    m_form.lists.push_back(list.ids);
    const size_t index = m_lists.size();
    commands().onNotify(list.ids.allId, fw::Notify::Clicked, [this, index] { AllRule(m_lists[index]); });
    m_lists.push_back(std::move(list));
}

void CFilterDlg::BindBoards(int32_t& all, std::vector<int>& rows)
{
    AddList({ { IDC_FLT_BOARDS, IDC_FLT_ALL_BOARDS }, ListKind::Rows, &all, &rows, nullptr, {}, BoardName });
}

void CFilterDlg::BindSecurities(int32_t& all, std::vector<int>& rows)
{
    AddList({ { IDC_FLT_SECURITIES, IDC_FLT_ALL_SECURITIES }, ListKind::Rows, &all, &rows, nullptr, {},
        SecurityName });
}

void CFilterDlg::BindTexts(uint32_t listId, uint32_t allId, int32_t& all, std::vector<std::string>& texts,
    std::function<std::vector<std::string>()> fill)
{
    AddList({ { listId, allId }, ListKind::Texts, &all, nullptr, &texts, std::move(fill), {} });
}

void CFilterDlg::BindNumber(uint32_t id, uint32_t& value)
{
    m_numbers.emplace_back(id, &value);
    m_numberEdits.push_back(std::make_unique<CIntEdit>());
}

void CFilterDlg::BindTime(uint32_t id, CDateTime& value, bool upper)
{
    m_pickers.push_back({ id, &value, upper, false, nullptr, {} });
    m_form.pickers.push_back(id);
}

void CFilterDlg::BindDate(uint32_t id, CDateTime& value, bool upper)
{
    m_pickers.push_back({ id, &value, upper, true, nullptr, {} });
    m_form.pickers.push_back(id);
}

bool CFilterDlg::onInitDialog()
{
    fw::WaitCursor wait;
    FillLists();
    FillOwnControls();
    for (PickerBinding& p : m_pickers) {
        if (!p.date) {
            p.picker = std::make_unique<KvDateTimePicker>();
            p.picker->AttachTimeCtrl(p.id, *this);
        } else if (auto* field = itemAs<fw::DateTimeField>(p.id)) {
            field->setBlankAllowed(true);
        }
    }
    CKvDialog::onInitDialog();
    NoFilteringRule();
    return true;
}

void CFilterDlg::FillLists()
{
    for (const ListBinding& list : m_lists) {
        const uint32_t id = list.ids.listId;
        setRedraw(id, false);
        resetContent(id);
        if (id == IDC_FLT_BOARDS) {
            CBoardTable& boards = BoardTable();
            const std::string active = Kv32TableString(IDS_STATE_ACTIVE);
            for (int row = 0; row < boards.GetCount(); ++row) {
                const BoardRec& rec = *boards.GetRec(row);
                if (active != rec.szStatus)
                    continue;
                setItemData(id, addString(id, rec.szName), static_cast<uint64_t>(row));
            }
        } else if (id == IDC_FLT_SECURITIES) {
            CSecurityTable& securities = SecurityTable();
            for (int row = 0; row < securities.GetCount(); ++row)
                setItemData(
                    id, addString(id, securities.GetRec(row)->szShortName), static_cast<uint64_t>(row));
        } else if (list.fillTexts) {
            for (const std::string& text : list.fillTexts())
                addString(id, text);
        }
        setRedraw(id, true);
    }
}

void CFilterDlg::doDataExchange(fw::DataExchange& dx)
{
    for (size_t i = 0; i < m_numbers.size(); ++i)
        DDX_Control(dx, m_numbers[i].first, *m_numberEdits[i], false);
    if (m_noFiltering) {
        int value = *m_noFiltering;
        dx.check(m_form.noFilteringId, value);
        *m_noFiltering = value;
    }
    for (auto& [id, member] : m_checks) {
        int value = *member;
        dx.check(id, value);
        *member = value;
    }
    for (ListBinding& list : m_lists) {
        int value = *list.all;
        dx.check(list.ids.allId, value);
        *list.all = value;
    }
    for (auto& [id, member] : m_numbers)
        DDX_Value(dx, id, *member);
    for (PickerBinding& p : m_pickers)
        ExchangePicker(p, dx.saving());
}

void CFilterDlg::ExchangePicker(PickerBinding& p, bool saving)
{
    if (!saving) {
        p.shown = FilterBoundShown(*p.value, p.upper);
        if (p.date) {
            if (auto* field = itemAs<fw::DateTimeField>(p.id))
                field->setValue(ToQt(p.shown));
        } else if (p.picker && p.picker->Field()) {
            p.picker->Field()->setValue(ToQt(p.shown));
        }
        return;
    }
    if (!p.date) {
        // Only the time of day counts; the date stays the one shown, so an
        // untouched picker keeps the whole day.
        *p.value = FilterTimeStored(p.shown, p.picker ? p.picker->FormatTimeVORL() : std::string());
        return;
    }
    auto* field = itemAs<fw::DateTimeField>(p.id);
    const std::optional<QDateTime> value = field ? field->value() : std::nullopt;
    *p.value = value
        ? FilterDateStored(value->date().year(), value->date().month(), value->date().day(), p.upper)
        : CDateTime();
}

void CFilterDlg::NoFilteringRule()
{
    const bool off = m_noFiltering != nullptr && isButtonChecked(m_form.noFilteringId) != 0;
    const std::vector<uint32_t> ids = itemIds();
    for (const KvControlState& s : FilterControlStates(
             m_form, ids, off, [this](uint32_t allId) { return isButtonChecked(allId) != 0; })) {
        enableItem(s.id, s.enabled);
        showItem(s.id, s.visible);
    }
    if (!off)
        for (const ListBinding& list : m_lists)
            AllRule(list);
}

void CFilterDlg::AllRule(const ListBinding& list)
{
    const uint32_t id = list.ids.listId;
    if (isButtonChecked(list.ids.allId) != 0) {
        for (int i = 0; i < itemCount(id); ++i)
            setSel(id, i, false);
        enableItem(id, false);
        return;
    }
    enableItem(id, true);
    auto select = [&](const std::string& text) {
        if (text.empty())
            return; // a board or security that left its table
        const int index = findStringExact(id, -1, text);
        if (index >= 0)
            setSel(id, index, true);
    };
    if (list.kind == ListKind::Rows) {
        for (int row : *list.rows)
            select(list.nameOfRow(row));
    } else {
        for (const std::string& text : *list.texts)
            select(text);
    }
}

void CFilterDlg::Clear()
{
    ResetCopy();
    if (m_noFiltering)
        *m_noFiltering = 0;
    for (const ListBinding& list : m_lists)
        for (int i = 0; i < itemCount(list.ids.listId); ++i)
            setSel(list.ids.listId, i, false);
    updateData(false);
    NoFilteringRule();
}

void CFilterDlg::RebuildLists()
{
    for (ListBinding& list : m_lists) {
        if (*list.all != 0)
            continue;
        const uint32_t id = list.ids.listId;
        if (list.kind == ListKind::Rows) {
            list.rows->clear();
            for (int index : selectedItems(id))
                list.rows->push_back(static_cast<int>(itemData(id, index)));
        } else {
            list.texts->clear();
            for (int index : selectedItems(id))
                list.texts->push_back(itemString(id, index));
        }
    }
}

void CFilterDlg::onOK()
{
    if (!updateData(true))
        return;
    StoreOwnControls();
    if (m_noFiltering == nullptr || *m_noFiltering == 0)
        RebuildLists();
    Commit();
    endDialog(fw::IDOK);
}
