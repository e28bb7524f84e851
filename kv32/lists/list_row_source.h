// What a list window tells about its rows beyond the grid document: which
// host record a row shows and, for the windows over one security's book, the
// book's security and a row's prices. The active-row reader and the commands
// ask this instead of knowing each kind of document.
#pragma once

#include <string>

#include "kv32/trading/active_row.h"

class CListRowSource {
public:
    virtual ~CListRowSource() = default;
    // The host index of a row's record; -1 outside the rows or without one.
    virtual int HostIndexOfRow(int row) const = 0;
    // The book windows: the 17-character security key and a row's figures.
    virtual std::string BookSecurityKey() const { return {}; }
    virtual KvBookRow BookRowAt(int /*row*/) const { return {}; }
    // The board table row the window shows (the summary's); -1 none.
    virtual int BoardIndex() const { return -1; }
};
