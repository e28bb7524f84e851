// The texts of the comparison operators of alert conditions (codes 0 to 5)
// and the ordering of an operator column.
#pragma once

#include <string>

// "Null", "=", ">", ">=", "<", "=<" in the user's language; any other code
// gives the empty text.
std::string OperatorName(int code);
// The name by which the alert dialogs ask it.
inline std::string CompareOperatorName(int code)
{
    return OperatorName(code);
}
// a - b: negative, zero or positive, without overflow.
int CompareInts(int a, int b);
