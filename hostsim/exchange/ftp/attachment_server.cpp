#include "ftp/attachment_server.h"

#include <filesystem>

#include "ftp/ftp_session.h"

namespace exchange::ftp {

namespace {

constexpr std::size_t kMaxSessions = 16;
constexpr int kAcceptWaitMs = 100;

} // namespace

AttachmentServer::AttachmentServer(ServerOptions options)
    : options_(std::move(options))
{
}

AttachmentServer::~AttachmentServer()
{
    stop();
}

bool AttachmentServer::start(std::string& error)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(options_.folder, ec)) {
        error = "the attachment folder " + options_.folder + " does not exist";
        return false;
    }
    port_ = options_.port;
    listener_ = ListenOnLoopback(port_);
    if (!listener_.valid()) {
        error = "cannot listen on 127.0.0.1 port " + std::to_string(options_.port);
        return false;
    }
    acceptor_ = std::thread([this] { acceptLoop(); });
    return true;
}

void AttachmentServer::stop()
{
    stopping_.store(true);
    if (acceptor_.joinable())
        acceptor_.join();
    std::lock_guard<std::mutex> guard(lock_);
    for (Session& s : sessions_)
        s.thread.join();
    sessions_.clear();
    listener_ = Socket();
}

void AttachmentServer::reapFinished()
{
    std::lock_guard<std::mutex> guard(lock_);
    for (auto it = sessions_.begin(); it != sessions_.end();) {
        if (it->done->load()) {
            it->thread.join();
            it = sessions_.erase(it);
        } else {
            ++it;
        }
    }
}

void AttachmentServer::acceptLoop()
{
    while (!stopping_.load()) {
        Socket control = AcceptWithin(listener_, kAcceptWaitMs);
        reapFinished();
        if (!control.valid())
            continue;
        std::lock_guard<std::mutex> guard(lock_);
        if (sessions_.size() >= kMaxSessions) {
            SendAll(control, "421 Too many connections.\r\n");
            continue;
        }
        auto done = std::make_shared<std::atomic<bool>>(false);
        auto session = std::make_shared<FtpSession>(options_, std::move(control), stopping_);
        sessions_.push_back({ std::thread([session, done] {
                                 session->run();
                                 done->store(true);
                             }),
            done });
    }
}

} // namespace exchange::ftp
