#include "kvcore/session/option_programs.h"

#include <spawn.h>
#include <sys/wait.h>

#include <sstream>
#include <thread>
#include <vector>

#include "fw/core/profile.h"

extern char** environ;

std::string KvOptionProgramCommand(KvOptionProgram which)
{
    const char* key = which == KvOptionProgram::Calculator ? "Calculator" : "ScreenSaver";
    return fw::Profile("kv32.ini").getString("programs", key);
}

bool KvStartProgram(const std::string& commandLine, const std::string& extraArgument)
{
    std::vector<std::string> words;
    std::istringstream in(commandLine);
    for (std::string word; in >> word;)
        words.push_back(word);
    if (words.empty())
        return false;
    if (!extraArgument.empty())
        words.push_back(extraArgument);
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    // The program runs on its own; a waiting thread collects its exit so no zombie stays.
    std::thread([pid] {
        int status = 0;
        waitpid(pid, &status, 0);
    }).detach();
    return true;
}
