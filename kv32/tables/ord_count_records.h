// The records of order counting: the user's limits per board and firm, and
// the statistics kept per board and firm, each counter twice (index 0 normal
// orders, 1 market-maker orders).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kvcore/values/cdouble.h"

struct COrdCountAlertRec {
    // The record in "ordcount.kva".
    static constexpr size_t kFileBytes = 5 + 13 + 4 * 4;

    uint32_t nIndex;
    char szBoard[5];
    char szFirm[13]; // "*": every firm of the board
    uint32_t nNormalLimit; // most normal orders a day; 0 = no limit
    uint32_t nMMLimit;
    uint32_t nNormalSpeed; // most normal orders a second; 0 = no limit
    uint32_t nMMSpeed;
    uint32_t bModified; // added or changed in this session
    uint32_t bDeleted; // removed: kept in the table, skipped everywhere, not saved

    uint32_t DayLimit(int kind) const { return kind == 0 ? nNormalLimit : nMMLimit; }
    uint32_t SpeedLimit(int kind) const { return kind == 0 ? nNormalSpeed : nMMSpeed; }
};

// The first `width` bytes of a key, up to a zero, trailing blanks stripped.
inline std::string_view StrippedField(std::string_view text, size_t width)
{
    if (text.size() > width)
        text = text.substr(0, width);
    if (const size_t nul = text.find('\0'); nul != std::string_view::npos)
        text = text.substr(0, nul);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// A definition for all firms of its board.
bool IsStarMarked(const COrdCountAlertRec& definition);

struct COrdCountRec {
    static constexpr int kSeconds = 60;
    static constexpr int kMinutes = 60;

    uint32_t nIndex;
    int32_t nAlert; // row of the matching definition; -1 none
    char szFirm[13];
    char szBoard[5];
    int32_t anOrders[2];
    int32_t anCountAlerted[2]; // 1 while the day count is above its limit
    int32_t anPeakPerSecond[2];
    int32_t anSecondsOverSpeed[2];
    CDouble adAverageSpeed[2]; // orders a second over the counting period, 1 decimal
    int32_t anSpeedAlertRun[2]; // evaluations in a row above the speed limit
    int32_t anSpeedAlerts[2]; // evaluations above the speed limit
    int32_t aPerMinute[kMinutes][2]; // ring over the counting period
    int32_t aPerSecond[kSeconds][2]; // the current minute
    int32_t anThisMinute[2];
    char szLastTime[7]; // HHMMSS of the last counted order
    int32_t bAlerting;
};

// Tests one limit of a statistics record against its definition: mode 0 the
// day count, 1 the entering speed; side 0 normal, 1 market-maker orders. An
// alert goes to the alert log; of a run of speed alerts only the first is
// shown on the status bar.
void EvaluateFigureAlert(const COrdCountAlertRec* definition, COrdCountRec& rec, int side, int mode);
