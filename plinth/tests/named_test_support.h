#pragma once
// Shared by the named-object tests: a namespace of their own per test (so tests
// run in parallel never meet), the stop of that namespace's persist server, and
// child processes running the plinth_named_child helper.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "../src/named_segment.h"
#include "../src/persist_client.h"
#include "../src/sync_cells.h"
#include "plinth/persist.h"

extern char** environ;

namespace plinth::testing {

// The helper programs live beside the test binary; KV_BIN_DIR says where when set.
inline std::string bin_dir()
{
    const char* dir = std::getenv("KV_BIN_DIR");
    if (dir != nullptr && *dir != '\0')
        return dir;
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

// Polls pred for at most limit; the tests never depend on how fast anything is.
template <typename Pred>
bool wait_until(Pred pred, std::chrono::milliseconds limit = std::chrono::seconds(20))
{
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

inline std::string unique_namespace()
{
    static std::atomic<int> counter { 0 };
    return "t" + std::to_string(getpid()) + "_" + std::to_string(counter.fetch_add(1)) + "_";
}

// Removes whatever a failed test left in /dev/shm under the namespace.
inline void remove_segments(const std::string& ns)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/shm", error)) {
        if (entry.path().filename().string().rfind(ns, 0) == 0)
            std::filesystem::remove(entry.path(), error);
    }
}

inline bool segment_exists(const std::string& ns, const std::string& name)
{
    return std::filesystem::exists("/dev/shm/" + ns + name);
}

class ChildProcess {
public:
    // Runs plinth_named_child with args; extra_env entries ("NAME=value") replace
    // or add to the inherited environment.
    explicit ChildProcess(
        const std::vector<std::string>& args, const std::vector<std::string>& extra_env = {})
    {
        std::string program = bin_dir() + "/plinth_named_child";
        std::vector<std::string> argv_text { "plinth_named_child" };
        argv_text.insert(argv_text.end(), args.begin(), args.end());
        std::vector<std::string> env_text;
        for (char** e = environ; *e != nullptr; ++e) {
            std::string entry(*e);
            bool replaced = false;
            for (const auto& extra : extra_env) {
                if (entry.compare(0, extra.find('=') + 1, extra, 0, extra.find('=') + 1) == 0)
                    replaced = true;
            }
            if (!replaced)
                env_text.push_back(entry);
        }
        env_text.insert(env_text.end(), extra_env.begin(), extra_env.end());
        std::vector<char*> argv;
        for (auto& a : argv_text)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (auto& e : env_text)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0)
            pid_ = -1;
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

    // The exit code, or nullopt when it did not end within limit (it is then killed).
    std::optional<int> wait(std::chrono::milliseconds limit = std::chrono::seconds(30))
    {
        if (pid_ <= 0)
            return std::nullopt;
        int status = 0;
        bool ended = wait_until([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, limit);
        if (!ended) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
            return std::nullopt;
        }
        pid_ = -1;
        return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status))
                                 : std::optional<int>(128 + WTERMSIG(status));
    }

    void kill_hard()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

private:
    pid_t pid_ = -1;
};

// Every test gets its own PLINTH_NAMESPACE and stops its own persist server.
class NamedObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ns_ = unique_namespace();
        setenv("PLINTH_NAMESPACE", ns_.c_str(), 1);
    }
    void TearDown() override
    {
        SysStopPersistServer();
        persist::set_server_program_for_testing("");
        remove_segments(ns_);
        unsetenv("PLINTH_NAMESPACE");
    }

    // Looks into a live synchronisation cell by name, as a third process would.
    std::optional<named::Segment> peek(const char* pattern, int key)
    {
        auto name = named::segment_name(pattern, key);
        if (!name)
            return std::nullopt;
        return named::Segment::open(*name, true);
    }

    std::vector<PersistHeldObject> held()
    {
        std::vector<PersistHeldObject> objects(64);
        int count = 0;
        if (SysQueryPersistServer(objects.data(), static_cast<int>(objects.size()), &count) != 1)
            return {};
        objects.resize(static_cast<std::size_t>(std::min(count, 64)));
        return objects;
    }

    std::string ns_;
};

} // namespace plinth::testing
