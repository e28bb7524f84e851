// A real FTP server for transfer tests: pyftpdlib on 127.0.0.1 with a free
// port, one user and a temporary home, started by the test and stopped with
// it. File names are kept as the bytes the client sends. Every wait is
// bounded; without the python3-pyftpdlib package the server reports that it
// is unavailable and the tests skip.
#pragma once

#include <arpa/inet.h>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fwtest {

class PyFtpServer {
public:
    static constexpr const char* kPython = "/usr/bin/python3";

    static bool Available()
    {
        if (::access(kPython, X_OK) != 0)
            return false;
        const std::string check = std::string(kPython) + " -c 'import pyftpdlib' >/dev/null 2>&1";
        return std::system(check.c_str()) == 0;
    }

    PyFtpServer(const std::string& user, const std::string& password)
    {
        char dir[] = "/tmp/pyftpd-XXXXXX";
        if (::mkdtemp(dir) == nullptr)
            return;
        home_ = dir;
        for (int attempt = 0; attempt < 5 && !ok_; ++attempt) {
            port_ = FreePort();
            if (port_ <= 0)
                continue;
            Start(user, password);
            ok_ = WaitForBanner();
            if (!ok_)
                Stop();
        }
    }
    ~PyFtpServer()
    {
        Stop();
        std::error_code ec;
        if (!home_.empty())
            std::filesystem::remove_all(home_, ec);
    }
    PyFtpServer(const PyFtpServer&) = delete;
    PyFtpServer& operator=(const PyFtpServer&) = delete;

    bool Ok() const { return ok_; }
    int Port() const { return port_; }
    const std::string& Home() const { return home_; }

private:
    static int FreePort()
    {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        if (s < 0)
            return -1;
        sockaddr_in a {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        int port = -1;
        if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
            && ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
            port = ntohs(a.sin_port);
        ::close(s);
        return port;
    }

    void Start(const std::string& user, const std::string& password)
    {
        static const char* const kScript = R"(
import logging, os, sys, threading
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
logging.basicConfig(level=logging.CRITICAL)
threading.Timer(600, os._exit, [3]).start()
auth = DummyAuthorizer()
auth.add_user(sys.argv[3], sys.argv[4], sys.argv[2], perm='elradfmwMT')
class Handler(FTPHandler):
    authorizer = auth
    unicode_errors = 'surrogateescape'
    auth_failed_timeout = 0.05
FTPServer(('127.0.0.1', int(sys.argv[1])), Handler).serve_forever()
)";
        const std::string port = std::to_string(port_);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setsid();
            ::execl(kPython, kPython, "-c", kScript, port.c_str(), home_.c_str(), user.c_str(), password.c_str(),
                static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }

    bool WaitForBanner()
    {
        for (int attempt = 0; attempt < 100 && pid_ > 0; ++attempt) {
            const int s = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in a {};
            a.sin_family = AF_INET;
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            a.sin_port = htons(static_cast<uint16_t>(port_));
            bool ready = false;
            if (::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
                pollfd p { s, POLLIN, 0 };
                char buf[4] = {};
                ready = ::poll(&p, 1, 2000) > 0 && ::recv(s, buf, 3, 0) == 3 && std::string(buf) == "220";
            }
            ::close(s);
            if (ready)
                return true;
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return false;
            }
            ::usleep(50000);
        }
        return false;
    }

    void Stop()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        for (int i = 0; i < 100 && ::waitpid(pid_, &status, WNOHANG) == 0; ++i)
            ::usleep(20000);
        if (::waitpid(pid_, &status, WNOHANG) == 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
        }
        pid_ = -1;
    }

    std::string home_;
    int port_ = -1;
    pid_t pid_ = -1;
    bool ok_ = false;
};

} // namespace fwtest
