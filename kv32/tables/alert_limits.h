// The alert conditions the user sets on the figures of a firm or a user
// (sixteen order and trade statistics) and of a security (fifteen market
// figures). Each figure compares its value with a limit under an operator;
// a condition is logged once when it becomes true and is armed again by one
// test where it fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "fw/core/archive.h"
#include "kvcore/values/cdouble.h"

struct ParticipantRec;
struct TraderRec;
struct SecurityRec;

// Operators: 0 none, 1 "=", 2 ">", 3 ">=", 4 "<", 5 "<="; any other never holds.
bool AlertConditionHolds(int op, double value, double limit);
// The operator's text in alert messages ("=" ... "<="); empty for 0 and others.
std::string AlertOperatorText(int op);
// The cell colour of an operator (0x00BBGGRR): 0 black, 1 yellow, 2 red,
// 3 magenta, 4 green, 5 cyan; any other operator leaves `colour` as it is.
uint32_t AlertOperatorColour(int op, uint32_t colour);

struct CAlertLimits {
    static constexpr int kFigures = 16;
    // The record in the firm and user alert files.
    static constexpr size_t kFileBytes = 13 + kFigures * 20;

    int32_t nIndex; // spare; never saved
    int32_t nLink; // the firm's or user's row in its host table; -1 none
    char szCode[13];
    int32_t anOperator[kFigures];
    CDouble adLimit[kFigures];
    int32_t anChanged[kFigures];
    int32_t anFired[kFigures];

    CAlertLimits();
    void ResetFigure(int i);
    void ResetField(int i) { ResetFigure(i); }
    void ResetAll();

    // Tests figure i of a firm (its statistic i); 1 when an entry was logged.
    int TestField(int i, const ParticipantRec& firm);
    // Tests figure i of a user.
    int TestUserField(int i, const TraderRec& user);
    // The test with the figure's value given; `firm` picks the firm's or the
    // user's names and log kind.
    int TestValue(int i, const CDouble& value, bool firm);

    void Store(fw::Archive& ar) const;
    // Throws fw::ArchiveError on damaged bytes.
    void Load(fw::Archive& ar);
};

struct CSecAlertLimits {
    static constexpr int kFigures = 15;
    static constexpr size_t kFileBytes = 18 + kFigures * 20;

    int32_t nIndex;
    int32_t nLink; // the security's row; -1 none
    char szCode[18]; // compared whole, blanks included
    int32_t anOperator[kFigures];
    CDouble adLimit[kFigures];
    int32_t anChanged[kFigures];
    int32_t anFired[kFigures];

    CSecAlertLimits();
    // Clears the figure; its changed flag tells whether it had a condition.
    void ResetFigure(int i);
    void ResetField(int i) { ResetFigure(i); }
    void ResetAll();

    // Tests figure i on the security's record: logs a new crossing, colours
    // the figure's cell by the operator (or resets it), and refreshes the
    // Securities Alerts window. Returns the operator when the condition
    // holds, else 0.
    int TestField(int i, SecurityRec& security);

    void Store(fw::Archive& ar) const;
    void Load(fw::Archive& ar);

    // The value of figure i computed from the record; 0 where it cannot be computed.
    static double FigureValue(int i, const SecurityRec& security);
    // The Securities window's column of figure i; -1 for figures without one.
    static int FigureColumn(int i);
    // The log text of a crossing of figure i with the limit.
    static std::string FigureText(int i, int op, const CDouble& limit);
};

// The names by which the dialogs know the security alert record.
using CMarketFigures = CSecAlertLimits;
