#pragma once
// Helpers of exchange_bench: child processes (vorlrouter, exchange, echohost)
// in a private object namespace on a free loopback port, and a logged-on
// router client that sends one packet and collects its reply.
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

#include "kvcore/security/password.h"
#include "vorl/client.h"

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

struct Message {
    int type = 0;
    std::string data;
};

inline std::string userField(const std::string& user)
{
    std::string u = user;
    u.resize(12, ' ');
    return u;
}

// One logged-on client of the router.
class Client {
public:
    Client(const std::string& config, const std::string& user, const std::string& password)
    {
        const std::string logon = userField(user) + PasswordDigest(password, user);
        ok_ = VORLCreate(&h_, config.c_str(), nullptr, nullptr) == VORL_OK
            && VORLSetLogonMessage(h_, 129, logon.data(), static_cast<unsigned>(logon.size()), 0, accept)
                == VORL_OK
            && VORLConnect(h_) == VORL_OK;
    }
    ~Client()
    {
        if (h_ != nullptr)
            VORLDisconnect(h_);
    }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    bool ok() const { return ok_; }

    // Sends the messages in one packet; their reply's messages, empty on failure.
    std::vector<Message> exchange(const std::vector<std::pair<int, std::string>>& messages)
    {
        std::vector<Message> out;
        for (std::size_t i = 0; i < messages.size(); ++i) {
            const auto& [type, text] = messages[i];
            const int rc = i == 0
                ? VORLStartPacket(h_, type, text.data(), static_cast<int>(text.size()), 0, 0)
                : VORLAddMessage(h_, type, text.data(), static_cast<int>(text.size()), 0);
            if (rc != VORL_OK)
                return out;
        }
        if (VORLEndPacket(h_) != VORL_OK || VORLRecv(h_, 30) != VORL_OK)
            return out;
        int count = 0;
        VORLNumMessages(h_, &count);
        for (int i = 0; i < count; ++i) {
            Message m;
            m.data.resize(30000);
            int length = 0, value = 0;
            if (VORLGetMessage(h_, i, &m.type, m.data.data(), 30000, &length, &value) != VORL_OK)
                return {};
            m.data.resize(static_cast<std::size_t>(length));
            out.push_back(std::move(m));
        }
        return out;
    }

private:
    static int accept(int type, const void*, int, int) { return type == 193 ? 0 : -1; }
    VORLHANDLE h_ = nullptr;
    bool ok_ = false;
};

} // namespace exbench
