#pragma once
// The exchange's reference tables: markets, instruments, boards, sectors,
// statuses, languages, news types, message drafts, trade sources, audit
// groups and types, transitions. Texts are Windows-1250 bytes.
#include <string>

namespace exchange {

// A market (table 20) or an instrument (table 21): code, name, state 'A'/'S'.
struct CodeState {
    std::string code;
    std::string name;
    char state = 'A';
};

struct Board {
    std::string code;
    std::string name;
    char status = 'A';
    std::string methods; // the order-method string, 32 '0'/'1'
};

struct CodeName {
    std::string code;
    std::string name;
};

struct SecurityStatus {
    std::string code;
    char kind = 'A';
    std::string name;
    std::string transitions; // one '0'/'1' per status position
};

struct MessageDraft {
    std::string title;
    std::string text;
};

struct TradeSource {
    char code = 'E';
    char second = ' ';
    char enabled = 'Y';
    std::string name;
};

struct AuditType {
    std::string group;
    std::string code;
    std::string text;
    char display = 'N';
};

} // namespace exchange
