#include "kv32/tables/alert_limits.h"

#include <cmath>
#include <cstring>

#include "kv32/tables/alert_file_codec.h"
#include "kv32/tables/alert_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_updates.h"

namespace {

constexpr uint16_t kSecurityAlertsWindow = 26;

// The percentage figures show a sentence; the plain ones the figure's name,
// the operator and the limit.
unsigned SentenceOf(int figure)
{
    switch (figure) {
    case 2:
        return IDS_SENTENCE_LAST_FROM_PREVIOUS;
    case 5:
        return IDS_SENTENCE_OPEN_FROM_PREVIOUS;
    case 8:
        return IDS_SENTENCE_VOLUME_FROM_LISTED;
    case 9:
        return IDS_SENTENCE_VOLUME_FROM_AVERAGE;
    case 11:
        return IDS_SENTENCE_RANGE_FROM_OPEN;
    case 14:
        return IDS_SENTENCE_SKEW;
    default:
        return 0;
    }
}

// "%.2f" filled with the number in the user's format, "%%" as '%'.
std::string FillSentence(const std::string& pattern, const std::string& number)
{
    std::string out;
    bool filled = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 4, "%.2f") == 0 && !filled) {
            out += number;
            filled = true;
            i += 3;
        } else if (pattern.compare(i, 2, "%%") == 0) {
            out += '%';
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

// |a - b| / b * 100; 0 when either is 0.
double PercentFrom(double a, double b)
{
    return a == 0.0 || b == 0.0 ? 0.0 : std::fabs(a - b) / b * 100.0;
}

std::string LimitText(const CDouble& limit)
{
    return limit.Format(1, 0);
}

// The firm, user and security records share one file layout: the code, then
// per figure the operator word, the limit's image and the fired word.
template <class Limits> void StoreLimits(fw::Archive& ar, const Limits& limits)
{
    PutFixedText(ar, limits.szCode, sizeof limits.szCode);
    for (int i = 0; i < Limits::kFigures; ++i) {
        ar.writeWord(static_cast<uint16_t>(limits.anOperator[i]));
        PutDoubleImage(ar, limits.adLimit[i]);
        ar.writeWord(limits.anFired[i] != 0 ? 1 : 0);
    }
}

template <class Limits> void LoadLimits(fw::Archive& ar, Limits& limits)
{
    GetFixedText(ar, limits.szCode, sizeof limits.szCode);
    for (int i = 0; i < Limits::kFigures; ++i) {
        limits.anOperator[i] = ar.readWord();
        limits.adLimit[i] = GetDoubleImage(ar);
        limits.anFired[i] = ar.readWord() != 0 ? 1 : 0;
        limits.anChanged[i] = 0;
    }
}

} // namespace

bool AlertConditionHolds(int op, double value, double limit)
{
    switch (op) {
    case 1:
        return value == limit;
    case 2:
        return value > limit;
    case 3:
        return value >= limit;
    case 4:
        return value < limit;
    case 5:
        return value <= limit;
    default:
        return false;
    }
}

std::string AlertOperatorText(int op)
{
    return op >= 1 && op <= 5 ? Kv32AlertString(IDS_OPERATOR_BASE + static_cast<unsigned>(op)) : std::string();
}

uint32_t AlertOperatorColour(int op, uint32_t colour)
{
    static constexpr uint32_t kColours[] = { 0x000000, 0x00FFFF, 0x0000FF, 0xFF00FF, 0x00FF00, 0xFFFF00 };
    return op >= 0 && op <= 5 ? kColours[op] : colour;
}

CAlertLimits::CAlertLimits()
{
    nIndex = -1;
    nLink = -1;
    std::memset(szCode, 0, sizeof szCode);
    ResetAll();
}

void CAlertLimits::ResetFigure(int i)
{
    if (i < 0 || i >= kFigures)
        return;
    anOperator[i] = 0;
    adLimit[i] = CDouble(0.0, 0);
    anChanged[i] = 0;
    anFired[i] = 0;
}

void CAlertLimits::ResetAll()
{
    for (int i = 0; i < kFigures; ++i)
        ResetFigure(i);
}

int CAlertLimits::TestField(int i, const ParticipantRec& firm)
{
    return i >= 0 && i < kFigures ? TestValue(i, firm.aStats[i], true) : 0;
}

int CAlertLimits::TestUserField(int i, const TraderRec& user)
{
    return i >= 0 && i < kFigures ? TestValue(i, user.aStats[i], false) : 0;
}

int CAlertLimits::TestValue(int i, const CDouble& value, bool firm)
{
    if (i < 0 || i >= kFigures)
        return 0;
    if (!AlertConditionHolds(anOperator[i], value, adLimit[i])) {
        anFired[i] = 0;
        return 0;
    }
    if (anFired[i] != 0)
        return 0;
    const unsigned name = (firm ? IDS_FIRM_FIGURE_FIRST : IDS_USER_FIGURE_FIRST) + static_cast<unsigned>(i);
    const std::string text
        = Kv32AlertString(name) + " " + AlertOperatorText(anOperator[i]) + " " + LimitText(adLimit[i]);
    CLogEntry entry;
    if (firm)
        entry.InitKind2000(i, szCode, text, value);
    else
        entry.InitKind1000(i, szCode, text, value);
    AlertLogTable().AddEntry(entry, 1);
    AlertLogTable().UpdateViews();
    anFired[i] = 1;
    return 1;
}

void CAlertLimits::Store(fw::Archive& ar) const
{
    StoreLimits(ar, *this);
}

void CAlertLimits::Load(fw::Archive& ar)
{
    LoadLimits(ar, *this);
}

CSecAlertLimits::CSecAlertLimits()
{
    nIndex = -1;
    nLink = -1;
    std::memset(szCode, 0, sizeof szCode);
    for (int i = 0; i < kFigures; ++i) {
        anOperator[i] = 0;
        adLimit[i] = CDouble(0.0, 0);
        anChanged[i] = 0;
        anFired[i] = 0;
    }
}

void CSecAlertLimits::ResetFigure(int i)
{
    if (i < 0 || i >= kFigures)
        return;
    anChanged[i] = anOperator[i] != 0 ? 1 : 0;
    anOperator[i] = 0;
    adLimit[i] = CDouble(0.0, 0);
    anFired[i] = 0;
}

void CSecAlertLimits::ResetAll()
{
    for (int i = 0; i < kFigures; ++i)
        ResetFigure(i);
}

double CSecAlertLimits::FigureValue(int i, const SecurityRec& s)
{
    switch (i) {
    case 0:
        return s.dBid;
    case 1:
        return s.dOffer;
    case 2:
        return PercentFrom(s.dLast, s.dPrevPrice);
    case 3:
        return s.dHigh;
    case 4:
        return s.dLow;
    case 5:
        return PercentFrom(s.dOpen, s.dPrevPrice);
    case 6:
        return s.dQuantity;
    case 7:
        return s.dValue;
    case 8:
        return s.dVolumeToday == 0.0 || s.dPlannedIssueSize == 0.0
            ? 0.0
            : s.dVolumeToday / s.dPlannedIssueSize * 100.0;
    case 9:
        return s.dVolumeToday == 0.0 || s.dAvgVolumeLastMonth == 0.0
            ? 0.0
            : s.dVolumeToday / s.dAvgVolumeLastMonth * 100.0;
    case 10:
        return s.dValueToday;
    case 11:
        // Not made absolute: a low above the high gives a negative range.
        return s.dHigh == 0.0 || s.dLow == 0.0 || s.dOpen == 0.0 ? 0.0 : (s.dHigh - s.dLow) / s.dOpen * 100.0;
    case 14:
        return s.dNumOrders == 0.0 ? 0.0 : std::fabs(s.dNumBids - s.dNumOffers) / s.dNumOrders * 100.0;
    default:
        // Movement and Change measure nothing yet.
        return 0.0;
    }
}

int CSecAlertLimits::FigureColumn(int i)
{
    static constexpr int kColumns[kFigures] = { 4, 5, 6, 9, 10, 11, 28, 29, 14, -1, 15, -1, -1, -1, 26 };
    return i >= 0 && i < kFigures ? kColumns[i] : -1;
}

std::string CSecAlertLimits::FigureText(int i, int op, const CDouble& limit)
{
    if (const unsigned sentence = SentenceOf(i); sentence != 0)
        return FillSentence(Kv32AlertString(sentence), CDouble(limit, 2).Format(0, 1));
    return Kv32AlertString(IDS_SEC_FIGURE_FIRST + static_cast<unsigned>(i)) + " " + AlertOperatorText(op) + " "
        + LimitText(limit);
}

int CSecAlertLimits::TestField(int i, SecurityRec& security)
{
    if (i < 0 || i >= kFigures)
        return 0;
    const double value = FigureValue(i, security);
    const int op = anOperator[i];
    // A figure that is exactly 0 has no value to compare.
    const bool holds = value != 0.0 && AlertConditionHolds(op, value, adLimit[i]);
    if (holds && anFired[i] != 0)
        return 0;
    if (holds) {
        CLogEntry entry;
        entry.InitKind3000(i, szCode, security.szBoardName, security.szShortName, FigureText(i, op, adLimit[i]), value);
        AlertLogTable().AddEntry(entry, 1);
        AlertLogTable().UpdateViews();
        anFired[i] = 1;
    } else {
        anFired[i] = 0;
    }
    if (const int column = FigureColumn(i); column >= 0)
        security.aAlertColors[column] = AlertOperatorColour(holds ? op : 0, security.aAlertColors[column]);
    KvUpdateAllDocuments(kSecurityAlertsWindow);
    return holds ? op : 0;
}

void CSecAlertLimits::Store(fw::Archive& ar) const
{
    StoreLimits(ar, *this);
}

void CSecAlertLimits::Load(fw::Archive& ar)
{
    LoadLimits(ar, *this);
}
