#pragma once
// The FTP server that holds news attachments: publishers upload a news
// item's file, readers download it (the host records carry only its name).
// It serves one folder of the local disk as the remote folder "/ftp" to one
// user with a password, on loopback only, passive (PASV, EPSV) or active
// (PORT, EPRT to a loopback address), binary transfers; enough of the
// protocol for the workstation's transfers. Every wait is bounded.
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ftp/ftp_sockets.h"

namespace exchange::ftp {

struct ServerOptions {
    std::string folder; // the local folder that holds the attachments
    std::string user = "molva";
    std::string password = "tirqa58";
    std::string remoteFolder = "ftp"; // the folder of the workstation's base URL
    int port = 0; // 0: a free port
};

class AttachmentServer {
public:
    explicit AttachmentServer(ServerOptions options);
    ~AttachmentServer();
    AttachmentServer(const AttachmentServer&) = delete;
    AttachmentServer& operator=(const AttachmentServer&) = delete;

    // Listens and serves from a thread of its own; false with the reason when it cannot.
    bool start(std::string& error);
    int port() const { return port_; }
    // Ends every session (within their bounded waits) and stops listening.
    void stop();

private:
    struct Session {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    void acceptLoop();
    void reapFinished();

    ServerOptions options_;
    int port_ = 0;
    Socket listener_;
    std::atomic<bool> stopping_ { false };
    std::thread acceptor_;
    std::mutex lock_;
    std::vector<Session> sessions_;
};

} // namespace exchange::ftp
