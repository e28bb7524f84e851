#pragma once
// Runs a client script against the exchange through the router: each
// command on its line, what it got written to `out`, one line a command.
//   logon USER PASSWORD       connect and log on (the user becomes the current one)
//   use USER                  make a logged-on user the current one
//   transaction CODE fields   a transaction; the user id goes first
//   request CODE fields       a blocking request; its records are listed
//   snapshot CODE [fields]    a whole snapshot loop; its record count
//   expect accepted|refused [ERROR]   checks the last transaction's verdict
//   expect records N          checks the last request's or snapshot's record count
//   repeat N COMMAND ...      the command N times, "{n}" in its fields the pass 1..N
//   sleep MS                  waits (at most a minute)
//   echo TEXT ...             writes the text
// A failed logon or expectation counts as a failure; a line that cannot be
// read ends the script.
#include <iosfwd>
#include <map>
#include <memory>
#include <string>

#include "client/script.h"
#include "client/scripted_client.h"

namespace exchange::client {

class ScriptRunner {
public:
    ScriptRunner(std::string config, std::ostream& out, bool quiet = false);
    ~ScriptRunner();
    // Runs every line; the number of failures (a script that cannot be read counts one).
    int run(std::istream& script);
    int commands() const { return commands_; }

private:
    bool execute(const ScriptLine& line, int pass);
    bool logon(const ScriptLine& line);
    bool expect(const ScriptLine& line);
    ScriptedClient* current();

    std::string config_;
    std::ostream& out_;
    bool quiet_;
    std::map<std::string, std::unique_ptr<ScriptedClient>> clients_;
    std::string currentUser_;
    Message lastVerdict_ { -1, {} };
    long lastRecords_ = -1;
    int commands_ = 0;
};

} // namespace exchange::client
