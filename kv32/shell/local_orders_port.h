// How the shell reaches the user's local order book (the private order book
// table keeps it): loaded at logon, stored on the main frame's timer, and
// stored and emptied when the session ends (the file stays: it is the user's
// book until the next logon). The table installs the calls; until then they
// do nothing.
#pragma once

#include <functional>

struct CKvLocalOrdersPort {
    std::function<void()> load; // reads the user's file
    std::function<void()> store; // writes the user's file
    std::function<void()> discard; // the session ends: the book is stored and emptied
};

CKvLocalOrdersPort& KvLocalOrdersPort();
