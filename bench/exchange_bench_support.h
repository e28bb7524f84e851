#pragma once
// Helpers of exchange_bench: child processes (vorlrouter, exchange, echohost)
// from beside the program, their output in files.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

namespace exbench {

using Clock = std::chrono::steady_clock;

inline double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

inline std::string binDir()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A child program from beside this one, its output in a file; killed and
// reaped when it goes.
class Process {
public:
    Process(const std::string& program, std::vector<std::string> args, const std::string& output)
        : output_(output)
    {
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        const std::string path = binDir() + "/" + program;
        if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Process()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            for (int i = 0; i < 200 && waitpid(pid_, nullptr, WNOHANG) == 0; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(25));
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    pid_t pid() const { return pid_; }
    // Waits (bounded) for `text` in the output.
    bool waitFor(const std::string& text, int limitSeconds) const
    {
        const auto deadline = Clock::now() + std::chrono::seconds(limitSeconds);
        while (Clock::now() < deadline) {
            if (readFile(output_).find(text) != std::string::npos)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

private:
    pid_t pid_ = -1;
    std::string output_;
};

} // namespace exbench
