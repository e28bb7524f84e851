// The depository accounts of the logged-on user as the host lists them
// (request 89), and the transaction that suspends or unsuspends one of them.
// Window-free.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "kv32/dialogs/supervision/tr_acc_form.h"
#include "kvcore/router/vorl_target.h"

inline constexpr int kDepoAccountRequest = 89;

class CDepoAccountList : public CVorlTarget {
public:
    // One request with the user's code; the rows are replaced by the reply's.
    // 1 when the request succeeded.
    int Request();
    const std::vector<KvHostAccount>& Rows() const { return m_rows; }

    // 6 digits of row count, then rows of 13 bytes (code 12, status letter);
    // the count is held to the rows the message carries.
    int Decode(CRecordReader& reader) override;

private:
    std::vector<KvHostAccount> m_rows;
};

// The key of request 89: the user in 12 bytes.
std::string DepoAccountKey(std::string_view user);

// Transaction 142 (27 bytes): user 12, operator 36 (suspend) or 37
// (unsuspend), account 12, session flag, display letter; empty when a field
// does not fit.
std::string BuildDepoStatusRecord(std::string_view user, bool suspend, std::string_view account, char sessionFlag,
    char display);
