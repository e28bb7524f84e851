// A user's selection of table rows, stored by the rows' codes so that it
// survives a new session in which the rows stand elsewhere.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace fw {
class Archive;
}

struct SelectionCodes {
    int rowCount = 0;
    std::function<std::string(int row)> codeOf;
    std::function<int(const std::string& code)> findByCode; // -1 when absent
    bool withIndex = false; // the row index is stored after each code
};

// Storing: a 32-bit count, then each row's code (and index). Loading: the
// selection is replaced by the rows that still exist, in stored order; a
// stored index is kept when that row still has the code. 1 on success; a
// damaged archive gives 0 with the rows read so far.
int SerializeSelection(fw::Archive& ar, std::vector<int>& selection, const SelectionCodes& codes);
