// The rules of the suspend and unsuspend dialog without its window: what each
// subject kind shows and sends, the prepared reasons, the states a security
// may move to, when OK is offered, and the operator record (142).
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The subjects: all trading, a security or an issuer, each suspended or resumed.
enum KvSuspendKind : int {
    kSuspendAll = 1,
    kUnsuspendAll = 2,
    kSuspendSecurity = 3,
    kUnsuspendSecurity = 4,
    kSuspendIssuer = 5,
    kUnsuspendIssuer = 6,
};

// A new operation (the only mode that sends), an existing event shown
// read-only, and the confirmation of an event's deletion.
enum KvSuspendMode : int { kSuspendModeNew = 1, kSuspendModeView = 2, kSuspendModeDelete = 65536 };

inline constexpr int kSuspendMessageWidth = 640;

bool SuspendKindValid(int kind);
// The operator code byte of the kind (0 outside 1..6).
char SuspendOperatorCode(int kind);
unsigned SuspendCaptionId(int kind);
// The subject word: "All", "Security" or "Issuer".
std::string SuspendSubjectWord(int kind);
// The text of OK; empty: the template's "OK" stays.
std::string SuspendOkText(int kind, int mode);
// The kind of a trading event's type letter ('A' to 'F'); 0 for any other.
int SuspendKindOfEvent(char eventType);

// The display radio (0 default, 1 urgent, 2 regular, 3 non-display) of a
// display-type letter, and the letter sent for a radio.
int SuspendDisplayIndex(char letter);
char SuspendDisplayLetter(int index);

// The prepared reasons for the subject name, in their order.
std::vector<std::string> SuspendReasons(int kind, std::string_view subjectName);
// The text put into the message at once (the unsuspend kinds); empty for the others.
std::string SuspendPresetMessage(int kind, std::string_view subjectName);

// One state a security may be moved to.
struct CSuspendState {
    std::string name;
    char letter = 0; // the status's kind letter, sent as the new state
};
// The states the security at this row may take from its current status: those
// whose position is flagged '1' in the current status's transition flags,
// other than the active state and the current one. Empty when the security
// or its status is unknown.
std::vector<CSuspendState> SuspendNewStates(int securityRow);
// The state offered first: the suspended one ('S'), else -1.
int SuspendPreferredState(const std::vector<CSuspendState>& states);

// What the dialog shows when OK's state is decided.
struct CSuspendScreen {
    int kind = 0;
    int mode = kSuspendModeNew;
    bool subjectFound = false; // a security or issuer is selected (kinds 3 to 6)
    bool messageEmpty = true;
    bool newStateEnabled = false; // kind 3: some state can be chosen
    bool stateChosen = false; // kind 3
};
bool SuspendOkEnabled(const CSuspendScreen& s);

// The subjects the combo lists: the securities' short names (one per name,
// the data is the security row) or the issuers' names (the data is the
// participant row).
struct CSuspendSubject {
    std::string name;
    int row = -1;
};
std::vector<CSuspendSubject> SuspendSubjects(int kind);
// The code sent for a subject: the security's 12-character instrument id or
// the issuer's participant code; empty when the row is unknown.
std::string SuspendSubjectCode(int kind, int row);

// The values of one operation.
struct CSuspendRequest {
    int kind = 0;
    std::string subjectCode; // kinds 3 to 6
    std::string time = "070000"; // HHMMSS
    std::string message;
    char display = ' ';
    char newState = ' '; // kind 3
};
// The operator record: 660 bytes for kinds 1 and 2, 673 for kind 3, 672 for
// the others; empty when a field does not fit (a message over 640 bytes, a
// code over 12) or the kind is unknown.
std::string BuildSuspendRecord(std::string_view user, const CSuspendRequest& r);
