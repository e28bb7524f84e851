#include "kv32/dialogs/supervision/suspend_form.h"

#include <cstring>

#include "kv32/res/news_strings.h"
#include "kv32/res/supervision_a_ids.h"
#include "kv32/shell/request_fields.h"
#include "kv32/tables/all_tables.h"

namespace {

constexpr int kUserWidth = 12;
constexpr int kCodeWidth = 12;
constexpr int kTimeWidth = 6;

std::string S(unsigned id)
{
    return Kv32SupervisionAString(id);
}

bool IsSecurityKind(int kind)
{
    return kind == kSuspendSecurity || kind == kUnsuspendSecurity;
}

bool IsIssuerKind(int kind)
{
    return kind == kSuspendIssuer || kind == kUnsuspendIssuer;
}

} // namespace

bool SuspendKindValid(int kind)
{
    return kind >= kSuspendAll && kind <= kUnsuspendIssuer;
}

char SuspendOperatorCode(int kind)
{
    constexpr char kCodes[] = { 0, 44, 45, 9, 10, 12, 13 };
    return SuspendKindValid(kind) ? kCodes[kind] : 0;
}

unsigned SuspendCaptionId(int kind)
{
    return SuspendKindValid(kind) ? IDS_SUSP_CAPTION_ALL + static_cast<unsigned>(kind - 1) : 0;
}

std::string SuspendSubjectWord(int kind)
{
    if (IsSecurityKind(kind))
        return S(IDS_SUSP_SECURITY);
    if (IsIssuerKind(kind))
        return S(IDS_SUSP_ISSUER);
    return Kv32NewsString(IDS_ALL);
}

std::string SuspendOkText(int kind, int mode)
{
    if (mode == kSuspendModeDelete)
        return S(IDS_SUSP_OK_DELETE);
    switch (kind) {
    case kSuspendAll:
    case kSuspendSecurity:
    case kSuspendIssuer:
        return mode == kSuspendModeView ? std::string() : S(IDS_SUSP_OK_SUSPEND);
    case kUnsuspendAll:
    case kUnsuspendSecurity:
        return S(IDS_SUSP_OK_UNSUSPEND);
    case kUnsuspendIssuer:
        return mode == kSuspendModeView ? std::string() : S(IDS_SUSP_OK_UNSUSPEND);
    default:
        return {};
    }
}

int SuspendKindOfEvent(char eventType)
{
    switch (eventType) {
    case 'A': return kSuspendSecurity;
    case 'B': return kUnsuspendSecurity;
    case 'C': return kSuspendAll;
    case 'D': return kUnsuspendAll;
    case 'E': return kSuspendIssuer;
    case 'F': return kUnsuspendIssuer;
    default: return 0;
    }
}

int SuspendDisplayIndex(char letter)
{
    switch (letter) {
    case ' ': return 0;
    case 'P': return 1;
    case 'S': return 2;
    default: return 3;
    }
}

char SuspendDisplayLetter(int index)
{
    constexpr char kLetters[] = { ' ', 'P', 'S', 'N' };
    return index >= 0 && index < 4 ? kLetters[index] : 'N';
}

std::vector<std::string> SuspendReasons(int kind, std::string_view subjectName)
{
    const std::string prefix = SuspendSubjectWord(kind) + " " + std::string(subjectName) + " ";
    std::vector<unsigned> ids;
    switch (kind) {
    case kSuspendAll:
        return { S(IDS_SUSP_TECHNICAL) };
    case kUnsuspendAll:
    case kUnsuspendSecurity:
    case kUnsuspendIssuer:
        return { SuspendPresetMessage(kind, subjectName) };
    case kSuspendSecurity:
        ids = { IDS_SUSP_EXCHANGE_DECISION, IDS_SUSP_CERTI_KO, IDS_SUSP_REF_PRICE_HALT };
        break;
    case kSuspendIssuer:
        ids = { IDS_SUSP_HALT_INTERIM, IDS_SUSP_HALT_STATEMENT, IDS_SUSP_HALT_ANNOUNCEMENT, IDS_SUSP_EXCHANGE_DECISION,
            IDS_SUSP_COMPANY_REQUEST, IDS_SUSP_TECHNICAL, IDS_SUSP_CERTI_KO };
        break;
    default:
        return {};
    }
    std::vector<std::string> reasons;
    for (unsigned id : ids)
        reasons.push_back(prefix + S(id));
    return reasons;
}

std::string SuspendPresetMessage(int kind, std::string_view subjectName)
{
    if (kind == kUnsuspendAll)
        return Kv32NewsString(IDS_ALL) + " " + S(IDS_SUSP_TRADING) + " " + S(IDS_SUSP_UNSUSPENDED);
    if (kind == kUnsuspendSecurity || kind == kUnsuspendIssuer)
        return SuspendSubjectWord(kind) + " " + std::string(subjectName) + " " + S(IDS_SUSP_UNSUSPENDED);
    return {};
}

std::vector<CSuspendState> SuspendNewStates(int securityRow)
{
    CSecurityTable& securities = SecurityTable();
    if (securityRow < 0 || securityRow >= securities.GetCount())
        return {};
    CStatusTable& statuses = KvTables().statuses;
    const int current = statuses.FindByName(securities.GetRec(securityRow)->szStateKey);
    if (current < 0)
        return {};
    const StatusRec& from = *statuses.GetRec(current);
    std::vector<CSuspendState> states;
    const int flags = std::min<int>(from.nTextLen, CStatusTable::kTextRoom);
    for (int i = 0; i < flags && i < statuses.GetCount(); ++i) {
        if (from.szText[i] != '1')
            continue;
        const StatusRec& to = *statuses.GetRec(i);
        if (to.cKind == 'A' || to.cKind == from.cKind)
            continue;
        states.push_back({ to.szName, to.cKind });
    }
    return states;
}

int SuspendPreferredState(const std::vector<CSuspendState>& states)
{
    for (size_t i = 0; i < states.size(); ++i)
        if (states[i].letter == 'S')
            return static_cast<int>(i);
    return -1;
}

bool SuspendOkEnabled(const CSuspendScreen& s)
{
    if (!SuspendKindValid(s.kind))
        return false;
    // An event shown or a deletion confirmed sends nothing: OK only closes.
    if (s.mode != kSuspendModeNew)
        return true;
    if (s.messageEmpty)
        return false;
    if (s.kind == kSuspendAll || s.kind == kUnsuspendAll)
        return true;
    // A subject kind without its subject would send blanks, which the host
    // could read as every security.
    if (!s.subjectFound)
        return false;
    if (s.kind == kSuspendSecurity)
        return s.newStateEnabled && s.stateChosen;
    return true;
}

std::vector<CSuspendSubject> SuspendSubjects(int kind)
{
    std::vector<CSuspendSubject> subjects;
    if (IsSecurityKind(kind)) {
        CSecurityTable& securities = SecurityTable();
        for (int row : securities.GetDistinctList())
            subjects.push_back({ securities.GetRec(row)->szShortName, row });
    } else if (IsIssuerKind(kind)) {
        CParticipantTable& parties = ParticipantTable();
        for (int row = 0; row < parties.GetCount(); ++row)
            subjects.push_back({ parties.GetRec(row)->szName, row });
    }
    return subjects;
}

std::string SuspendSubjectCode(int kind, int row)
{
    if (IsSecurityKind(kind)) {
        CSecurityTable& securities = SecurityTable();
        if (row < 0 || row >= securities.GetCount())
            return {};
        const char* code = securities.GetRec(row)->szCode;
        return std::strlen(code) > 5 ? std::string(code + 5) : std::string();
    }
    if (IsIssuerKind(kind)) {
        CParticipantTable& parties = ParticipantTable();
        if (row < 0 || row >= parties.GetCount())
            return {};
        return parties.GetRec(row)->szCode;
    }
    return {};
}

std::string BuildSuspendRecord(std::string_view user, const CSuspendRequest& r)
{
    if (!SuspendKindValid(r.kind))
        return {};
    KvFieldWriter w;
    w.TextCut(user, kUserWidth).Char(SuspendOperatorCode(r.kind));
    if (r.kind != kSuspendAll && r.kind != kUnsuspendAll) {
        if (r.subjectCode.empty())
            return {};
        AppendPaddedField(w, kCodeWidth, r.subjectCode, false);
    }
    if (r.time.size() != kTimeWidth)
        return {};
    AppendPaddedField(w, kTimeWidth, r.time, false);
    AppendPaddedField(w, kSuspendMessageWidth, r.message, false);
    w.Char(r.display);
    if (r.kind == kSuspendSecurity)
        w.Char(r.newState);
    return w.Str();
}
