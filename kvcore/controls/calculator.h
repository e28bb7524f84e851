// The small four-function calculator that a numeric edit's drop button opens:
// it starts from the edit's value and, when the user accepts it, hands back the
// result for the edit to take (through its bounds like any other value).
#pragma once

#include <string>

#include "kvcore/kvcore_api.h"

class KVCORE_API KvCalculator {
public:
    explicit KvCalculator(double start = 0);

    // Digits and '.', the operators + - * /, '=' (or Enter as '\r'), 'c' to clear,
    // Backspace ('\b') to drop the last typed digit. False when the key means nothing.
    bool Key(char key);
    // The figure on the display: the operand being typed, else the last result.
    double Display() const;
    // A division by zero shows an error until 'c'.
    bool HasError() const { return m_error; }

private:
    void Apply();

    double m_accumulator = 0;
    char m_pending = 0; // operator waiting for its second operand
    std::string m_entry; // digits typed since the last operator
    bool m_error = false;
};
