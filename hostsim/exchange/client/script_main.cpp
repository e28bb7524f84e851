// exchange_script [--quiet] config[,section] script-file: a client of the
// simulated exchange that logs users on through the router and runs a script
// of transactions, requests and expectations (language in client/script.h and
// client/script_runner.h); for demos and load runs. Exit status 0 when every
// logon and expectation held, 1 otherwise, 2 on bad arguments.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "client/script_runner.h"

int main(int argc, char** argv)
{
    bool quiet = false;
    int at = 1;
    if (at < argc && std::string(argv[at]) == "--quiet") {
        quiet = true;
        ++at;
    }
    if (argc - at != 2) {
        std::fprintf(stderr, "usage: exchange_script [--quiet] config[,section] script-file\n");
        return 2;
    }
    std::ifstream script(argv[at + 1]);
    if (!script) {
        std::fprintf(stderr, "exchange_script: cannot read %s\n", argv[at + 1]);
        return 2;
    }
    exchange::client::ScriptRunner runner(argv[at], std::cout, quiet);
    const int failures = runner.run(script);
    std::cout << "exchange_script: " << runner.commands() << " commands, " << failures << " failed"
              << std::endl;
    return failures == 0 ? 0 : 1;
}
