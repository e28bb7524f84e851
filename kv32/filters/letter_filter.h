// Small filters that several windows and tables share.
#pragma once

#include <string_view>

// A one-letter, three-state filter: 0 accepts every letter, 1 only 'S' or
// 's', 2 only 'P' or 'p'; any other state accepts nothing.
class CLetterFilter {
public:
    bool Matches(char letter) const;
    int m_nState = 0;
};

// A filter that accepts every record.
int AcceptAll(const void* record);

// The fixed-width record's tenth character is '*' (a definition for all).
bool IsStarMarked(std::string_view record);
