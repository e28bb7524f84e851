#pragma once
// One control connection of the attachment server: the login, the folder,
// the data connection's mode and the commands.
#include <atomic>
#include <cstdint>
#include <string>

#include "ftp/attachment_server.h"

namespace exchange::ftp {

class FtpSession {
public:
    FtpSession(const ServerOptions& options, Socket control, const std::atomic<bool>& stopping);
    // Greets, then answers commands until QUIT, a closed or idle connection, or the server's stop.
    void run();

private:
    bool reply(const std::string& line);
    bool readLine(std::string& line);
    void command(const std::string& verb, const std::string& argument);
    // The local path of a file argument inside the remote folder, or empty when it names none.
    std::string filePath(const std::string& argument) const;
    Socket openData();
    // Announces a transfer and opens its data connection; refused (and invalid) when it cannot.
    Socket startTransfer();
    void retrieve(const std::string& argument);
    void store(const std::string& argument);

    const ServerOptions& options_;
    Socket control_;
    const std::atomic<bool>& stopping_;
    std::string buffer_;
    std::string user_;
    bool loggedIn_ = false;
    bool quit_ = false;
    std::string cwd_ = "/";
    Socket passive_;
    uint32_t activeAddress_ = 0;
    int activePort_ = 0;
};

} // namespace exchange::ftp
