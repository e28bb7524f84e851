// The trading account information of one row of the orders, trades or
// negotiated deals window: which account, second code and security the row
// names, the key of request 47 built from them, and the position the host
// answers with. Window-free.
#pragma once

#include <string>
#include <string_view>

#include "kvcore/router/vorl_target.h"
#include "kvcore/values/cdouble.h"

class KvActiveRow;

inline constexpr int kAccountInfoRequest = 47;

// What the row names; all empty for any other window or no row.
struct KvAccountSubject {
    std::string account;
    std::string second; // blank in the key where the row has none
    std::string security; // the 17-character security code
    bool operator==(const KvAccountSubject&) const = default;
};
KvAccountSubject AccountSubjectOf(const KvActiveRow* row);

// 58 bytes: user 12, ten '0', account 12, second code 12, and the 12
// characters of the security code from its sixth on; empty when a field does
// not fit.
std::string AccountInfoKey(std::string_view user, const KvAccountSubject& subject);

struct KvAccountPosition {
    std::string account;
    std::string depository;
    CDouble open { 0.0, 0 };
    CDouble current { 0.0, 0 };
    CDouble plannedBuy { 0.0, 0 };
    CDouble plannedSell { 0.0, 0 };
};

// The reply's target: the position of the last reply that held one.
class CAccountInfo : public CVorlTarget {
public:
    // Clears the values and sends the request; 1 when it succeeded.
    int Request(const KvAccountSubject& subject);
    const KvAccountPosition& Position() const { return m_position; }
    // Characters 10-21 account, 34-45 depository account, 58-68 open and
    // 69-79 current position (11 digits), 80-89 planned buy and 90-99
    // planned sell (10 digits), no decimals. A shorter record changes nothing.
    int Decode(CRecordReader& reader) override;

private:
    KvAccountPosition m_position;
};
