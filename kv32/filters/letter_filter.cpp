#include "kv32/filters/letter_filter.h"

bool CLetterFilter::Matches(char letter) const
{
    switch (m_nState) {
    case 0:
        return true;
    case 1:
        return letter == 'S' || letter == 's';
    case 2:
        return letter == 'P' || letter == 'p';
    default:
        return false;
    }
}

int AcceptAll(const void* /*record*/)
{
    return 1;
}

bool IsStarMarked(std::string_view record)
{
    return record.size() > 9 && record[9] == '*';
}
