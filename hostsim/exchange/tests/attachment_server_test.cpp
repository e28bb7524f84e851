// The news attachment server: the workstation's transfer uploads, downloads
// and deletes attachments in its folder; bad logins, names outside the
// folder and non-loopback active addresses are refused; an active-mode
// download over a raw control connection.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ftp/attachment_server.h"
#include "fw/ui/ftp.h"

namespace exchange::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary) << bytes;
}

class AttachmentServerTest : public ::testing::Test {
protected:
    AttachmentServerTest()
        : root_(fs::temp_directory_path() / ("exchange-ftp-" + std::to_string(::getpid())))
    {
        fs::remove_all(root_);
        fs::create_directories(root_ / "served");
        fs::create_directories(root_ / "local");
        server_ = std::make_unique<ftp::AttachmentServer>(ftp::ServerOptions { (root_ / "served").string() });
        std::string error;
        EXPECT_TRUE(server_->start(error)) << error;
        client_ = fw::makeCurlFtp();
        client_->setTimeouts(5000, 10000);
        client_->setServer({ "127.0.0.1", server_->port(), "molva", "tirqa58" });
    }
    ~AttachmentServerTest() override
    {
        server_->stop();
        fs::remove_all(root_);
    }

    fs::path root_;
    std::unique_ptr<ftp::AttachmentServer> server_;
    std::unique_ptr<fw::FtpTransfer> client_;
    // Bytes a text transfer would damage: NUL, CR LF, high bytes.
    const std::string bytes_ = std::string("%PDF-1.4\r\n\0\xff\xfe line\n", 20) + std::string(100000, 'x');
};

TEST_F(AttachmentServerTest, UploadDownloadAndDeleteThroughTheWorkstationsTransfer)
{
    WriteFile(root_ / "local" / "jelentes.pdf", bytes_);
    ASSERT_TRUE(client_->put((root_ / "local" / "jelentes.pdf").string(), "ftp/jelentes.pdf"))
        << client_->lastError();
    EXPECT_EQ(ReadFile(root_ / "served" / "jelentes.pdf"), bytes_);
    ASSERT_TRUE(client_->get("ftp/jelentes.pdf", (root_ / "local" / "copy.pdf").string()))
        << client_->lastError();
    EXPECT_EQ(ReadFile(root_ / "local" / "copy.pdf"), bytes_);
    ASSERT_TRUE(client_->remove("ftp/jelentes.pdf")) << client_->lastError();
    EXPECT_FALSE(fs::exists(root_ / "served" / "jelentes.pdf"));
    EXPECT_FALSE(client_->get("ftp/jelentes.pdf", (root_ / "local" / "gone.pdf").string()));
}

TEST_F(AttachmentServerTest, RefusesWrongLoginsAndNamesOutsideItsFolder)
{
    WriteFile(root_ / "local" / "a.txt", "a");
    WriteFile(root_ / "secret.txt", "not served");
    const struct {
        const char* what;
        std::string user, password, remote;
    } cases[] = {
        { "wrong password", "molva", "guess", "ftp/a.txt" },
        { "wrong user", "anonymous", "tirqa58", "ftp/a.txt" },
        { "outside the folder", "molva", "tirqa58", "ftp/../secret.txt" },
        { "another folder", "molva", "tirqa58", "other/a.txt" },
    };
    for (const auto& c : cases) {
        client_->setServer({ "127.0.0.1", server_->port(), c.user, c.password });
        EXPECT_FALSE(client_->put((root_ / "local" / "a.txt").string(), c.remote)) << c.what;
        EXPECT_FALSE(client_->get(c.remote, (root_ / "local" / "b.txt").string())) << c.what;
    }
    EXPECT_EQ(ReadFile(root_ / "secret.txt"), "not served");
    EXPECT_TRUE(fs::is_empty(root_ / "served"));
}

// A raw control connection: sends a line, returns the reply's first line.
class Control {
public:
    explicit Control(int port)
        : fd_(::socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in a {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<uint16_t>(port));
        EXPECT_EQ(::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        timeval limit { 5, 0 };
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    }
    ~Control() { ::close(fd_); }
    std::string line()
    {
        std::string l;
        char c = 0;
        while (l.size() < 1024 && ::recv(fd_, &c, 1, 0) == 1 && c != '\n')
            l += c;
        return l;
    }
    std::string say(const std::string& command)
    {
        const std::string text = command + "\r\n";
        ::send(fd_, text.data(), text.size(), MSG_NOSIGNAL);
        return line();
    }

private:
    int fd_;
};

TEST_F(AttachmentServerTest, ActiveModeConnectsBackOnlyToLoopback)
{
    WriteFile(root_ / "served" / "hir.txt", bytes_);
    Control c(server_->port());
    EXPECT_EQ(c.line().substr(0, 3), "220");
    EXPECT_EQ(c.say("STOR x").substr(0, 3), "530") << "nothing before the login";
    EXPECT_EQ(c.say("USER molva").substr(0, 3), "331");
    EXPECT_EQ(c.say("PASS tirqa58").substr(0, 3), "230");
    EXPECT_EQ(c.say("CWD /ftp").substr(0, 3), "250");
    EXPECT_EQ(c.say("CWD /etc").substr(0, 3), "550");
    EXPECT_EQ(c.say("SIZE hir.txt"), "213 " + std::to_string(bytes_.size()) + "\r");
    EXPECT_EQ(c.say("PORT 10,0,0,1,4,1").substr(0, 3), "501");
    EXPECT_EQ(c.say("EPRT |1|192.168.1.1|1025|").substr(0, 3), "501");
    // A listener of our own receives the file.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ::listen(listener, 1);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);
    const int port = ntohs(a.sin_port);
    EXPECT_EQ(c.say("EPRT |1|127.0.0.1|" + std::to_string(port) + "|").substr(0, 3), "200");
    EXPECT_EQ(c.say("RETR hir.txt").substr(0, 3), "150");
    const int data = ::accept(listener, nullptr, nullptr);
    ASSERT_GE(data, 0);
    std::string received;
    char chunk[8192];
    for (ssize_t n; (n = ::recv(data, chunk, sizeof chunk, 0)) > 0;)
        received.append(chunk, static_cast<std::size_t>(n));
    ::close(data);
    ::close(listener);
    EXPECT_EQ(c.line().substr(0, 3), "226");
    EXPECT_EQ(received, bytes_);
    EXPECT_EQ(c.say("QUIT").substr(0, 3), "221");
}

} // namespace
} // namespace exchange::test
