#pragma once
// The client side of the persist server, used by the named-object modules.
#include <sys/types.h>

#include <string>

namespace plinth::persist {

// Makes sure the server of this namespace runs (starting plinth_o when none
// does), then asks it to hold (type, key). 1 only when the server now holds it.
int PersistAccept(int type, int key);
// Asks the server to let go of its newest hold on (type, key). 1 when it had one.
int PersistRelease(int type, int key);

// Test seams: the program started as the server (empty: the normal search beside
// the library, then PATH), and the process id of the running server (0 if none).
void set_server_program_for_testing(const std::string& path);
pid_t server_pid();

} // namespace plinth::persist
