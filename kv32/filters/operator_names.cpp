#include "kv32/filters/operator_names.h"

#include "fw/core/strings.h"

std::string OperatorName(int code)
{
    switch (code) {
    case 0:
        return fw::language() == fw::Language::Hungarian ? "Nincs" : "Null";
    case 1:
        return "=";
    case 2:
        return ">";
    case 3:
        return ">=";
    case 4:
        return "<";
    case 5:
        return "=<";
    default:
        return {};
    }
}

int CompareInts(int a, int b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}
