#pragma once
// Shared by the router's process tests: an object namespace and a scratch
// folder per test, a free loopback port, the configuration file, and child
// processes (vorlrouter, echohost) that are always reaped.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "plinth/persist.h"
#include "loopback_port.h"

extern char** environ;

namespace routertest {

inline std::string binDir()
{
    const char* dir = std::getenv("KV_BIN_DIR");
    if (dir != nullptr && *dir != '\0')
        return dir;
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().string();
}

template <typename Pred> bool waitUntil(Pred pred, std::chrono::milliseconds limit = std::chrono::seconds(30))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

inline uint16_t freePort() { return hostsim::freeLoopbackPort(); }

class Child {
public:
    Child(const std::string& program, const std::vector<std::string>& args, const std::string& output)
    {
        std::vector<std::string> text { program };
        text.insert(text.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : text)
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
    ~Child() { kill(SIGKILL); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return pid_ > 0; }
    void kill(int sig)
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, sig);
        if (sig == SIGKILL) {
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }
    // Asks for a clean stop; the exit code, or nullopt when it had to be killed.
    std::optional<int> stop()
    {
        if (pid_ <= 0)
            return std::nullopt;
        ::kill(pid_, SIGTERM);
        int status = 0;
        const bool ended = waitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; });
        if (!ended) {
            kill(SIGKILL);
            return std::nullopt;
        }
        pid_ = -1;
        return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
    }

private:
    pid_t pid_ = -1;
};

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A namespace, a folder and a configuration of one router on a free port.
class RouterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::atomic<int> counter { 0 };
        ns_ = "t" + std::to_string(getpid()) + "_vr" + std::to_string(counter.fetch_add(1)) + "_";
        setenv("PLINTH_NAMESPACE", ns_.c_str(), 1);
        std::string pattern = (std::filesystem::temp_directory_path() / "vorlrouter.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        port_ = freePort();
        ASSERT_NE(port_, 0);
    }
    void TearDown() override
    {
        SysStopPersistServer();
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator("/dev/shm", ec)) {
            if (e.path().filename().string().rfind(ns_, 0) == 0)
                std::filesystem::remove(e.path(), ec);
        }
        unsetenv("PLINTH_NAMESPACE");
        unsetenv("VORLCONFIG");
        std::filesystem::remove_all(dir_, ec);
    }
    // Writes the configuration (router, server and client sections); extra
    // lines go into the router's section.
    std::string writeConfig(const std::string& routerExtra = "", const std::string& clientExtra = "")
    {
        const std::string service = std::to_string(port_);
        std::ofstream(dir_ + "/vorl.ini") << "[VORLRouter]\nService=" << service
                                          << "\nHostType=TEST\nListenAddress=127.0.0.1\n"
                                             "BroadcastAddress=127.255.255.255\n"
                                          << routerExtra << "\n[VORLServer]\nService=" << service
                                          << "\nHostType=TEST\n[VORLClient]\nService=" << service
                                          << "\nHostType=TEST\nBroadcastAddress=127.255.255.255\n"
                                          << clientExtra << "\n";
        config_ = dir_ + "/vorl.ini";
        setenv("VORLCONFIG", config_.c_str(), 1);
        return config_;
    }
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    // Starts a program and waits for its first output line that contains `ready`.
    std::unique_ptr<Child> startAndWait(const std::string& program, const std::vector<std::string>& args,
        const std::string& log, const std::string& ready)
    {
        auto child = std::make_unique<Child>(program, args, path(log));
        EXPECT_TRUE(child->started());
        EXPECT_TRUE(waitUntil([&] { return readFile(path(log)).find(ready) != std::string::npos; }))
            << program << ": " << readFile(path(log));
        return child;
    }

    std::string ns_;
    std::string dir_;
    std::string config_;
    uint16_t port_ = 0;
};

} // namespace routertest
