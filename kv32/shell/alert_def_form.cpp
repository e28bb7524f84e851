#include "kv32/shell/alert_def_form.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "kv32/res/alert_dialog_ids.h"
#include "kv32/tables/alert_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/values/intl_info.h"

namespace {

constexpr int kSingleVolume = 6;

// Board code of a security code: the four characters after the kind character.
std::string BoardCodeOf(const char* securityCode)
{
    const size_t length = strnlen(securityCode, 5);
    return length < 5 ? std::string() : std::string(securityCode + 1, 4);
}

} // namespace

bool KvReadAlertBound(std::string_view text, int decimals, CDouble& bound)
{
    const char separator = KvDecimalChar();
    std::string plain;
    int typedDecimals = 0;
    bool point = false;
    for (char ch : text) {
        if (ch == separator || ch == '.') {
            if (point)
                return false;
            point = true;
            plain += '.';
        } else if (ch >= '0' && ch <= '9') {
            plain += ch;
            if (point)
                ++typedDecimals;
        } else {
            return false;
        }
    }
    if (plain.empty() || plain == ".") {
        bound = CDouble(0.0, decimals < 0 ? 0 : static_cast<unsigned>(decimals));
        return true;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
        return false;
    if (decimals < 0) {
        decimals = typedDecimals;
    } else if (typedDecimals > decimals) {
        const double scale = CDouble::Multiplier(static_cast<unsigned>(decimals));
        value = std::round(value * scale) / scale;
    }
    bound = CDouble(value, static_cast<unsigned>(decimals));
    return true;
}

KvAlertForm::KvAlertForm(KvAlertKind kind)
    : m_kind(kind)
{
}

uint16_t KvAlertForm::CloseHint() const
{
    switch (m_kind) {
    case KvAlertKind::User:
        return CUserAlertTable::kTableId;
    case KvAlertKind::Firm:
        return CFirmAlertTable::kTableId;
    case KvAlertKind::Security:
        break;
    }
    return CSecAlertTable::kWindowId;
}

int KvAlertForm::CriterionCount() const
{
    return m_kind == KvAlertKind::Security ? CSecAlertLimits::kFigures : CAlertLimits::kFigures;
}

bool KvAlertForm::IsPercentCriterion(int criterion)
{
    switch (criterion) {
    case 2:
    case 5:
    case 8:
    case 9:
    case 11:
    case 12:
    case 13:
    case 14:
        return true;
    default:
        return false;
    }
}

bool KvAlertForm::Open(int subjectRow)
{
    if (m_kind == KvAlertKind::Security) {
        CSecurityTable& securities = SecurityTable();
        if (subjectRow < 0 || subjectRow >= securities.GetCount())
            return false;
        m_boards = BoardTable().FillList();
        const std::string board = BoardCodeOf(securities.GetRec(subjectRow)->szCode);
        m_board = BoardTable().FindByCode(board.c_str());
        FillSecurities();
        m_subject = -1;
        for (size_t i = 0; i < m_subjectRows.size(); ++i) {
            if (m_subjectRows[i] == subjectRow)
                m_subject = static_cast<int>(i);
        }
        LookUp();
        return true;
    }
    FillSubjects();
    m_subject = m_subjectNames.empty() ? -1 : 0;
    for (size_t i = 0; i < m_subjectRows.size(); ++i) {
        if (m_subjectRows[i] == subjectRow)
            m_subject = static_cast<int>(i);
    }
    LookUp();
    return true;
}

void KvAlertForm::FillSubjects()
{
    m_subjectNames.clear();
    m_subjectRows.clear();
    if (m_kind == KvAlertKind::Firm) {
        for (int row : ParticipantTable().SelectVisible()) {
            m_subjectRows.push_back(row);
            m_subjectNames.emplace_back(ParticipantTable().GetRec(row)->szName);
        }
    } else {
        for (int row : TraderTable().SelectVisible()) {
            m_subjectRows.push_back(row);
            m_subjectNames.emplace_back(TraderTable().GetRec(row)->szCode);
        }
    }
}

void KvAlertForm::FillSecurities()
{
    m_subjectNames.clear();
    m_subjectRows.clear();
    if (m_board < 0 || m_board >= BoardTable().GetCount())
        return;
    const char* board = BoardTable().GetRec(m_board)->szCode;
    CSecurityTable& securities = SecurityTable();
    for (int row = 0; row < securities.GetCount(); ++row) {
        const SecurityRec& s = *securities.GetRec(row);
        if (CSecurityTable::CodeHasBoard(s.szCode, board)) {
            m_subjectRows.push_back(row);
            m_subjectNames.emplace_back(s.szShortName);
        }
    }
}

void KvAlertForm::ChooseBoard(int position)
{
    if (m_kind != KvAlertKind::Security || position < 0 || position >= static_cast<int>(m_boards.size()))
        return;
    const std::string previous
        = m_subject >= 0 ? m_subjectNames[static_cast<size_t>(m_subject)] : std::string();
    m_board = position;
    FillSecurities();
    m_subject = -1;
    for (size_t i = 0; i < m_subjectNames.size() && !previous.empty(); ++i) {
        if (m_subjectNames[i] == previous) {
            m_subject = static_cast<int>(i);
            break;
        }
    }
    LookUp();
}

void KvAlertForm::ChooseSubject(int position)
{
    if (position < 0 || position >= static_cast<int>(m_subjectNames.size()))
        return;
    m_subject = position;
    LookUp();
}

int KvAlertForm::SubjectRow() const
{
    return m_subject >= 0 && m_subject < static_cast<int>(m_subjectRows.size())
        ? m_subjectRows[static_cast<size_t>(m_subject)]
        : -1;
}

void KvAlertForm::LookUp()
{
    m_alert = -1;
    const int row = SubjectRow();
    int32_t link = -1;
    int count = 0;
    switch (m_kind) {
    case KvAlertKind::Firm:
        if (row >= 0 && row < ParticipantTable().GetCount())
            link = ParticipantTable().GetRec(row)->nAlertLink;
        count = FirmAlertTable().GetCount();
        break;
    case KvAlertKind::User:
        if (row >= 0 && row < TraderTable().GetCount())
            link = TraderTable().GetRec(row)->nAlertLink;
        count = UserAlertTable().GetCount();
        break;
    case KvAlertKind::Security:
        if (row >= 0 && row < SecurityTable().GetCount())
            link = SecurityTable().GetRec(row)->nAlertLink;
        count = SecAlertTable().GetCount();
        break;
    }
    // A link past the table's end is no alert record: the subject can get one.
    if (link >= 0 && link < count)
        m_alert = link;
    m_lines.clear();
    m_criterion = -1;
    if (m_alert < 0) {
        m_valueText.clear();
        m_percent = false;
        return;
    }
    for (int i = 0; i < CriterionCount(); ++i)
        m_lines.push_back(Line(i));
    m_criterion = 0;
    ShowCriterion();
}

KvAlertForm::Slot KvAlertForm::At(int i) const
{
    if (m_alert < 0 || i < 0 || i >= CriterionCount())
        return { nullptr, nullptr, nullptr, nullptr };
    if (m_kind == KvAlertKind::Security) {
        CSecAlertLimits& r = *SecAlertTable().GetRec(m_alert);
        return { &r.anOperator[i], &r.adLimit[i], &r.anChanged[i], &r.anFired[i] };
    }
    CAlertLimits& r
        = m_kind == KvAlertKind::Firm ? *FirmAlertTable().GetRec(m_alert) : *UserAlertTable().GetRec(m_alert);
    return { &r.anOperator[i], &r.adLimit[i], &r.anChanged[i], &r.anFired[i] };
}

int32_t KvAlertForm::Operator(int criterion) const
{
    const Slot c = At(criterion);
    return c.op != nullptr ? *c.op : 0;
}

CDouble KvAlertForm::Bound(int criterion) const
{
    const Slot c = At(criterion);
    return c.bound != nullptr ? *c.bound : CDouble();
}

int32_t KvAlertForm::Modified(int criterion) const
{
    const Slot c = At(criterion);
    return c.modified != nullptr ? *c.modified : 0;
}

int32_t KvAlertForm::Status(int criterion) const
{
    const Slot c = At(criterion);
    return c.status != nullptr ? *c.status : 0;
}

std::string KvAlertForm::Line(int criterion) const
{
    unsigned first = IDS_SEC_FIGURE_FIRST;
    if (m_kind == KvAlertKind::Firm)
        first = IDS_FIRM_FIGURE_FIRST;
    else if (m_kind == KvAlertKind::User)
        first = IDS_USER_FIGURE_FIRST;
    std::string line = Kv32AlertString(first + static_cast<unsigned>(criterion));
    if (Operator(criterion) != 0)
        line += '*';
    return line;
}

std::vector<std::string> KvAlertForm::OperatorTexts()
{
    std::vector<std::string> texts;
    for (unsigned op = 1; op <= 5; ++op)
        texts.push_back(Kv32AlertString(IDS_OPERATOR_BASE + op));
    return texts;
}

int KvAlertForm::OperatorPosition() const
{
    const int32_t op = Operator(m_criterion);
    return op >= 1 && op <= 5 ? op - 1 : -1;
}

std::string KvAlertForm::Explanation() const
{
    return m_percent ? Kv32AlertDialogString(IDS_ALERT_EXPLANATION_FIRST + static_cast<unsigned>(m_criterion))
                     : std::string();
}

void KvAlertForm::ShowCriterion()
{
    const Slot c = At(m_criterion);
    if (c.op == nullptr)
        return;
    m_percent = m_kind == KvAlertKind::Security && IsPercentCriterion(m_criterion);
    if (m_kind != KvAlertKind::Security) {
        m_valueDecimals = kAlertFreeDecimals;
    } else if (m_percent) {
        m_valueDecimals = 2;
    } else if (m_criterion == kSingleVolume) {
        m_valueDecimals = 0;
    } else {
        const int row = SubjectRow();
        m_valueDecimals = row >= 0 ? SecurityTable().GetRec(row)->nPriceDec : 0;
    }
    m_remembered = *c.bound;
    m_valueText = c.bound->Format(0, 0);
}

void KvAlertForm::ChooseCriterion(int criterion)
{
    if (m_alert < 0 || criterion < 0 || criterion >= CriterionCount())
        return;
    m_criterion = criterion;
    ShowCriterion();
}

void KvAlertForm::Edited(const Slot& c) const
{
    *c.modified = 1;
    *c.status = 0;
}

void KvAlertForm::ChooseOperator(int position)
{
    const Slot c = At(m_criterion);
    if (c.op == nullptr || position < 0 || position >= 5)
        return;
    const int32_t code = position + 1;
    if (code == *c.op)
        return;
    *c.op = code;
    Edited(c);
    m_lines[static_cast<size_t>(m_criterion)] = Line(m_criterion);
}

void KvAlertForm::TypeValue(std::string_view text)
{
    const Slot c = At(m_criterion);
    if (c.op == nullptr)
        return;
    CDouble bound;
    if (!KvReadAlertBound(text, m_kind == KvAlertKind::Security ? m_valueDecimals : -1, bound))
        return;
    m_valueText = std::string(text);
    if (static_cast<double>(bound) == m_remembered)
        return;
    *c.bound = bound;
    // What is stored is what a later change is measured against.
    m_remembered = bound;
    Edited(c);
    if (m_percent)
        *c.op = static_cast<double>(bound) != 0.0 ? 3 : 0;
    m_lines[static_cast<size_t>(m_criterion)] = Line(m_criterion);
}

namespace {

// A new alert record for the subject's host record: the subject's code
// copied, both linked to each other, appended to the table.
template <class TDefinition, class TSubject, class TTable>
void AppendAlert(TSubject& subject, int row, TTable& table)
{
    TDefinition def;
    std::memcpy(def.szCode, subject.szCode, sizeof def.szCode);
    def.szCode[sizeof def.szCode - 1] = '\0';
    def.nLink = row;
    subject.nAlertLink = table.GetCount();
    table.AddRec(def);
}

} // namespace

void KvAlertForm::Create()
{
    const int row = SubjectRow();
    if (row < 0 || m_alert >= 0)
        return;
    switch (m_kind) {
    case KvAlertKind::Firm:
        AppendAlert<CAlertLimits>(*ParticipantTable().GetRec(row), row, FirmAlertTable());
        break;
    case KvAlertKind::User:
        AppendAlert<CAlertLimits>(*TraderTable().GetRec(row), row, UserAlertTable());
        break;
    case KvAlertKind::Security:
        AppendAlert<CSecAlertLimits>(*SecurityTable().GetRec(row), row, SecAlertTable());
        break;
    }
    LookUp();
}

void KvAlertForm::Clear()
{
    if (m_alert < 0 || m_criterion < 0)
        return;
    if (m_kind == KvAlertKind::Security)
        SecAlertTable().GetRec(m_alert)->ResetFigure(m_criterion);
    else if (m_kind == KvAlertKind::Firm)
        FirmAlertTable().GetRec(m_alert)->ResetFigure(m_criterion);
    else
        UserAlertTable().GetRec(m_alert)->ResetFigure(m_criterion);
    m_lines[static_cast<size_t>(m_criterion)] = Line(m_criterion);
    ShowCriterion();
}

void KvAlertForm::ClearAll()
{
    if (m_alert < 0)
        return;
    if (m_kind == KvAlertKind::Security)
        SecAlertTable().GetRec(m_alert)->ResetAll();
    else if (m_kind == KvAlertKind::Firm)
        FirmAlertTable().GetRec(m_alert)->ResetAll();
    else
        UserAlertTable().GetRec(m_alert)->ResetAll();
    for (int i = 0; i < CriterionCount(); ++i)
        m_lines[static_cast<size_t>(i)] = Line(i);
    ShowCriterion();
}

void KvAlertForm::Close() const
{
    KvUpdateAllDocuments(CloseHint());
}
