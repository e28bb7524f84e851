// The rules of the trading event entry dialog without its window: the request
// for the transition names (91) and its reply, the check of a time already
// past, and the operator record that adds the event (142, code 42).
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline constexpr int kTransitionRequest = 91;
inline constexpr int kScheduleRecordLength = 53;

// 22 bytes: the user, then ten '0'.
std::string TransitionRequestKey(std::string_view user);
// The transition names of one reply message: after 10 bytes a 3-digit count,
// then that many 12-byte names, trailing blanks stripped. A count beyond the
// message gives the names the message holds; a count that is not digits gives none.
std::vector<std::string> DecodeTransitions(std::string_view message);

// Seconds of the day of HHMMSS; -1 when the text is not a time.
int SecondsOfDay(std::string_view hhmmss);
// The event's time lies before now (both times of day): the user is asked first.
bool ScheduleTimeIsPast(std::string_view eventTime, std::string_view now);

struct CScheduleEntry {
    std::string time; // HHMMSS
    int priority = 0; // 0..99
    std::string transition;
    std::string board; // code, or empty
    std::string instrument; // code, or empty
    std::string security; // the security's full code, or empty
};
// 53 bytes: user, the operator code (42 adds the event, 43 removes it),
// time, priority (2 digits), transition 12, board 4, instrument 4, the last
// 12 bytes of the security code; empty when a field does not fit.
std::string BuildScheduleRecord(std::string_view user, const CScheduleEntry& e, char operatorCode = 42);
