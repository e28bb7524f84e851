#include "kv32/shell/alert_ordcount_form.h"

#include <charconv>

#include "kv32/res/alert_dialog_ids.h"
#include "kv32/res/table_strings.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/profile_settings.h"

namespace {

int PositionOf(const std::vector<std::string>& list, std::string_view text)
{
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == text)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

void KvOrdCountForm::FillLists()
{
    m_boardCodes.clear();
    m_boardRows.clear();
    const std::string active = Kv32TableString(IDS_STATE_ACTIVE);
    CBoardTable& boards = BoardTable();
    for (int row = 0; row < boards.GetCount(); ++row) {
        const BoardRec& b = *boards.GetRec(row);
        if (active == b.szStatus) {
            m_boardCodes.emplace_back(b.szCode);
            m_boardRows.push_back(row);
        }
    }
    m_firms = ParticipantTable().FillBrokerCodes();
}

void KvOrdCountForm::Open(int countingRow)
{
    FillLists();
    COrdCountTable& counts = OrdCountTable();
    m_countingRow = countingRow >= 0 && countingRow < counts.GetCount() ? countingRow : -1;
    m_allFirms = true;
    if (m_countingRow < 0) {
        m_board = m_boardCodes.empty() ? -1 : 0;
        m_firm = m_firms.empty() ? -1 : 0;
        LookUp();
        return;
    }
    const COrdCountRec& row = *counts.GetRec(m_countingRow);
    const std::string_view board = StrippedField(row.szBoard, 4);
    const std::string_view firm = StrippedField(row.szFirm, 12);
    m_board = PositionOf(m_boardCodes, board);
    // A firm the list does not hold shows no selection rather than one the
    // dialog would not use.
    m_firm = PositionOf(m_firms, firm);
    m_definition = m_board < 0 ? -1 : OrdCountAlertTable().FindByKeys(board, firm);
    if (m_definition >= 0)
        m_allFirms = IsStarMarked(*OrdCountAlertTable().GetRec(m_definition));
    LoadLimits();
}

void KvOrdCountForm::LookUp()
{
    m_definition = -1;
    if (m_board >= 0) {
        const std::string& board = m_boardCodes[static_cast<size_t>(m_board)];
        if (m_allFirms)
            m_definition = OrdCountAlertTable().Find(board, "", true);
        else if (m_firm >= 0)
            m_definition = OrdCountAlertTable().Find(board, m_firms[static_cast<size_t>(m_firm)], false);
    }
    LoadLimits();
}

void KvOrdCountForm::LoadLimits()
{
    m_limits = {};
    if (m_definition < 0)
        return;
    const COrdCountAlertRec& d = *OrdCountAlertTable().GetRec(m_definition);
    m_limits = { d.nNormalLimit, d.nMMLimit, d.nNormalSpeed, d.nMMSpeed };
}

bool KvOrdCountForm::DeleteEnabled() const
{
    return m_definition >= 0 && OrdCountAlertTable().GetRec(m_definition)->bDeleted == 0;
}

void KvOrdCountForm::ChooseBoard(int position)
{
    if (position < 0 || position >= static_cast<int>(m_boardCodes.size()))
        return;
    m_board = position;
    LookUp();
}

void KvOrdCountForm::ChooseFirm(int position)
{
    if (position < 0 || position >= static_cast<int>(m_firms.size()))
        return;
    m_firm = position;
    LookUp();
}

void KvOrdCountForm::SetAllFirms(bool all)
{
    m_allFirms = all;
    LookUp();
}

bool KvOrdCountForm::SetLimit(int which, std::string_view text)
{
    if (which < 0 || which >= static_cast<int>(m_limits.size()) || text.size() > kOrdCountLimitDigits)
        return false;
    int64_t value = 0;
    if (!text.empty()) {
        for (char ch : text) {
            if (ch < '0' || ch > '9')
                return false;
        }
        std::from_chars(text.data(), text.data() + text.size(), value);
    }
    m_limits[static_cast<size_t>(which)] = value;
    return true;
}

std::string KvOrdCountForm::LimitText(int which) const
{
    return std::to_string(m_limits[static_cast<size_t>(which)]);
}

std::string KvOrdCountForm::PeriodText()
{
    return std::to_string(nOrdCountPeriod);
}

unsigned KvOrdCountForm::Accept()
{
    bool anyOn = false;
    for (int64_t limit : m_limits) {
        if (limit < 0 || limit > UINT32_MAX)
            return IDS_ORDCOUNT_NEED_LIMIT;
        anyOn = anyOn || limit > 0;
    }
    if (!anyOn)
        return IDS_ORDCOUNT_NEED_LIMIT;
    const auto limit = [this](int k) { return static_cast<uint32_t>(m_limits[static_cast<size_t>(k)]); };
    COrdCountAlertTable& table = OrdCountAlertTable();
    if (m_definition >= 0) {
        table.ModifyAlert(m_definition, limit(0), limit(1), limit(2), limit(3));
        return 0;
    }
    if (m_board < 0)
        return IDS_ORDCOUNT_NO_BOARD;
    if (!m_allFirms && m_firm < 0)
        return IDS_ORDCOUNT_NO_FIRM;
    const std::string firm = m_allFirms ? std::string() : m_firms[static_cast<size_t>(m_firm)];
    table.AddAlert(
        m_boardCodes[static_cast<size_t>(m_board)], firm, m_allFirms, limit(0), limit(1), limit(2), limit(3));
    return 0;
}

void KvOrdCountForm::Delete()
{
    if (m_definition >= 0)
        OrdCountAlertTable().RemoveAlert(m_definition);
}
