// The rules of the filter dialogs without their windows: which controls the
// no-filtering box and the "All" boxes enable, disable and hide; the time and
// date bounds a dialog shows and stores; the cash-position combos by kind;
// and the security-position dialog's checks and its trading-account request.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kvcore/values/cdatetime.h"

// One list of a filter dialog and the box that makes it ignored.
struct KvFilterList {
    uint32_t listId;
    uint32_t allId;
};

// What the rules need to know of a dialog's form.
struct KvFilterForm {
    uint32_t noFilteringId = 0; // 0: the dialog has none
    std::vector<KvFilterList> lists; // in the order their rules run
    std::vector<uint32_t> pickers; // date and time pickers, hidden while nothing is filtered
};

struct KvControlState {
    uint32_t id;
    bool enabled;
    bool visible;
    bool operator==(const KvControlState&) const = default;
};

// The state of every control of the dialog (ids as the dialog has them, OK and
// Cancel among them). With no filtering checked only that box, OK and Cancel
// stay enabled and the pickers are hidden; otherwise everything is enabled
// and shown except a list whose "All" box is checked.
std::vector<KvControlState> FilterControlStates(const KvFilterForm& form, std::span<const uint32_t> controls,
    bool noFiltering, const std::function<bool(uint32_t allId)>& isChecked);

// What a time picker shows for a bound: the bound, or for an unset bound the
// earliest (lower) or latest (upper) moment there is, so that an untouched
// picker spans the whole day.
CDateTime FilterBoundShown(const CDateTime& bound, bool upper);
// The bound a time picker stores: the time of day typed (six digits, hhmmss)
// on the date that was shown; no bound when the picker was emptied.
CDateTime FilterTimeStored(const CDateTime& shown, std::string_view hhmmss);
// The bound a date picker stores: the day at 00:00:00 (lower) or 23:59:59
// (upper); no bound for an invalid day.
CDateTime FilterDateStored(int year, int month, int day, bool upper);

// The cash positions: the user combo shows for kinds 1 and 2, the account
// combo for kind 2 only.
struct KvCurPosShown {
    bool user;
    bool account;
};
KvCurPosShown CurPosShown(int kind);

// The security positions' OK: the message (0 when none) and the control to
// focus for a firm and an account chosen or not.
struct KvSecPosCheck {
    uint32_t messageId;
    uint32_t focusId;
};
KvSecPosCheck CheckSecPosChoice(bool firmChosen, bool accountChosen);

// The trading-account list request of a firm: the user (12), the continuation
// key (8; "00000000" for the first page) and the firm code (12). Empty when a
// field does not fit.
inline constexpr int kTrAccRequest = 88;
inline constexpr const char* kTrAccFirstPage = "00000000";
std::string BuildTrAccRequestKey(std::string_view user, std::string_view continuation, std::string_view firm);

// One page of its reply: the continuation key, the last-page flag and the
// rows (account code stripped, status letter).
struct KvTrAccRow {
    std::string account;
    char status = ' ';
    bool operator==(const KvTrAccRow&) const = default;
};
struct KvTrAccPage {
    std::string continuation;
    bool last = false;
    std::vector<KvTrAccRow> rows;
};
// False for a record shorter than its count of rows says or with a count
// that is not six digits; nothing is taken from such a record.
bool DecodeTrAccPage(std::string_view record, KvTrAccPage& page);
