// Transfers against a real FTP server on loopback (pyftpdlib), in passive and
// in active mode, with the kind of each failure.
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "fw/ui/ftp.h"
#include "pyftpd_server.h"

namespace {

using fwtest::PyFtpServer;

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Spill(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class FtpServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!PyFtpServer::Available())
            GTEST_SKIP() << "python3-pyftpdlib is not installed";
        server = std::make_unique<PyFtpServer>("news", "s3cret");
        ASSERT_TRUE(server->Ok()) << "the FTP server did not start";
        std::filesystem::create_directory(server->Home() + "/ftp");
        char dir[] = "/tmp/ftplocal-XXXXXX";
        ASSERT_NE(::mkdtemp(dir), nullptr);
        local = dir;
    }
    void TearDown() override
    {
        std::error_code ec;
        if (!local.empty())
            std::filesystem::remove_all(local, ec);
    }
    std::unique_ptr<fw::FtpTransfer> Client(bool passive, const std::string& password = "s3cret")
    {
        auto ftp = fw::makeCurlFtp();
        fw::FtpServer s { "127.0.0.1", server->Port(), "news", password };
        s.passive = passive;
        ftp->setServer(s);
        ftp->setTimeouts(5000, 20000);
        return ftp;
    }

    std::unique_ptr<PyFtpServer> server;
    std::string local;
};

TEST_F(FtpServerTest, RoundTripsByteExactlyInBothModes)
{
    std::string payload(70000, '\0');
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>((i * 131) ^ (i >> 7));
    Spill(local + "/up.bin", payload);
    // The name travels as its Windows-1250 bytes.
    const std::string cp1250Name = "K\xf6zlem\xe9ny.pdf";
    for (const bool passive : { true, false }) {
        SCOPED_TRACE(passive ? "passive" : "active");
        auto ftp = Client(passive);
        const std::string remote = passive ? "ftp/a.bin" : "ftp/" + cp1250Name;
        ASSERT_TRUE(ftp->put(local + "/up.bin", remote)) << ftp->lastError();
        EXPECT_EQ(ftp->lastFailure(), fw::FtpFailure::None);
        EXPECT_EQ(Slurp(server->Home() + "/" + remote), payload) << "stored under the same bytes";
        Spill(local + "/down.bin", "an older file");
        ASSERT_TRUE(ftp->get(remote, local + "/down.bin")) << ftp->lastError();
        EXPECT_EQ(Slurp(local + "/down.bin"), payload) << "a download replaces the file";
    }
    // Nothing but the downloads stays in the local folder.
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(local))
        entries += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 2);
}

TEST_F(FtpServerTest, EachFailureHasItsKindAndKeepsTheLocalFile)
{
    struct Case {
        const char* name;
        const char* password;
        const char* remote;
        fw::FtpFailure failure;
    } const cases[] = {
        { "wrong password", "wrong", "ftp/x.bin", fw::FtpFailure::Connect },
        { "missing remote folder", "s3cret", "nofolder/x.bin", fw::FtpFailure::RemoteFolder },
        { "missing remote file", "s3cret", "ftp/missing.bin", fw::FtpFailure::Transfer },
    };
    for (const Case& c : cases) {
        Spill(local + "/keep.bin", "kept");
        auto ftp = Client(true, c.password);
        EXPECT_FALSE(ftp->get(c.remote, local + "/keep.bin")) << c.name;
        EXPECT_EQ(ftp->lastFailure(), c.failure) << c.name << ": " << ftp->lastError();
        EXPECT_FALSE(ftp->lastError().empty()) << c.name;
        EXPECT_EQ(Slurp(local + "/keep.bin"), "kept") << c.name;
        int entries = 0;
        for (const auto& e : std::filesystem::directory_iterator(local))
            entries += 1 + 0 * static_cast<int>(e.is_regular_file());
        EXPECT_EQ(entries, 1) << c.name << ": no temporary file stays";
    }
    auto ftp = Client(true);
    EXPECT_FALSE(ftp->put(local + "/none.bin", "ftp/none.bin"));
    EXPECT_EQ(ftp->lastFailure(), fw::FtpFailure::LocalFile);
    EXPECT_FALSE(ftp->get("ftp/x.bin", local + "/no/such/folder/x.bin"));
    EXPECT_EQ(ftp->lastFailure(), fw::FtpFailure::LocalFile);
}

} // namespace
