#pragma once
// Firms (participants), their traders and the rights of each kind of user,
// trading and depository accounts, account groups.
#include <cstdint>
#include <string>
#include <vector>

namespace exchange {

struct Firm {
    std::string code;
    std::string name;
    char status = 'A';
    std::string type; // BROK, EXCH, INST, TULC, ISSR
    std::string phone;
    std::string note;
    char logonVerify = 'N';
};

struct Trader {
    std::string user;
    std::string name;
    std::string firm;
    std::string role;
    std::string rights; // the name of a rights set
    char status = 'A';
    char approve = 'N'; // 'Y': the user's new orders wait for approval
    char logonVerify = 'N';
    std::string phone;
    std::string note;
    std::string digest; // SHA-256 logon digest, 64 upper-case hex digits
    std::string check = "NO"; // answer to the logon check: NO, YES (code needed), PW (expired)
    std::string securityCode; // the code a "YES" user types
};

// One record of the rights table: a message type, and for 142 an operator code.
struct Right {
    int type = 0;
    int operatorCode = 0;
    int64_t value = 0;
};

struct RightsSet {
    std::string name;
    std::vector<Right> rights; // sorted by (type, operator code)
};

struct TradingAccount {
    std::string firm;
    std::string code;
    std::string name;
    char status = 'A';
    std::string depository;
};

struct DepositoryAccount {
    std::string user;
    std::string code;
    char status = 'A';
};

struct AccountGroup {
    std::string firm;
    std::string code;
    std::string name;
    std::vector<std::string> accounts;
    std::vector<std::string> users;
};

} // namespace exchange
