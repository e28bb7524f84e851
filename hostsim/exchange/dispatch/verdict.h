#pragma once
// The answer to a transaction: 193 with a text for the user, or 192 with a
// text and the error number the workstation's dialogs act on.
#include <string>

#include "dispatch/wire.h"

namespace exchange {

struct Verdict {
    bool accepted = false;
    std::string text;
    int error = 0;
};

inline Verdict Accept(std::string text)
{
    return { true, std::move(text), 0 };
}

inline Verdict Refuse(std::string text, int error = 0)
{
    return { false, std::move(text), error };
}

// 193: "text\0". 192: "text\0" then the error number in decimal and a NUL, so
// that a reader taking the number with atoi never runs into stale bytes.
ReplyMessage VerdictMessage(const Verdict& verdict);

// The error number that tells a polling workstation its user was logged out.
constexpr int kLoggedOutError = 90;

} // namespace exchange
