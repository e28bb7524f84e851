// The news attachment location against a real FTP server on loopback: the
// profile's settings, the round trip, the user's message for each failure,
// and the names that are refused before anything is sent.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fw/test/fwtest.h"
#include "fw/tests/ui/pyftpd_server.h"
#include "kv32/shell/news_location.h"
#include "kv32/shell/news_opener.h"
#include "support/scoped_env.h"

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

std::string TempDir(const char* stem)
{
    std::string dir = std::string("/tmp/") + stem + "-XXXXXX";
    return ::mkdtemp(dir.data()) != nullptr ? dir : std::string();
}

TEST(NewsLocation, ReadsTheNewsSectionOfTheProfile)
{
    const std::string dir = TempDir("newsini");
    kvtest::ScopedEnv ini("VEXA_INI_DIR", dir);
    {
        CNewsLocation defaults;
        EXPECT_EQ(defaults.m_sUrl, "ftp://127.0.0.1/ftp");
        EXPECT_EQ(defaults.m_sUser, "molva");
        EXPECT_EQ(defaults.m_sPassword, "tirqa58");
        EXPECT_FALSE(defaults.m_bPassive) << "active mode unless the profile says otherwise";
    }
    Spill(dir + "/kv32.ini", "[NEWS]\nFtpUrl=ftp://127.0.0.2:2121/news\nFtpUser=reader\nFtpPassword=pw\nFtpPassive=1\n");
    CNewsLocation set;
    EXPECT_EQ(set.m_sUrl, "ftp://127.0.0.2:2121/news");
    EXPECT_EQ(set.m_sUser, "reader");
    EXPECT_EQ(set.m_sPassword, "pw");
    EXPECT_TRUE(set.m_bPassive);
    std::filesystem::remove_all(dir);
}

TEST(NewsLocation, RefusesUnsafeNamesBeforeSendingAnything)
{
    const std::string cases[] = { "", ".", "..", "a\\b.pdf", std::string("a\x01.pdf"), std::string(81, 'n'),
        "tab\there", "bad\x81.pdf" };
    for (const std::string& name : cases)
        EXPECT_FALSE(KvIsSafeAttachmentName(name)) << name;
    for (const std::string& name :
        std::vector<std::string> { "report.pdf", "K\xf6zlem\xe9ny.pdf", std::string(80, 'n'), "a b.txt" })
        EXPECT_TRUE(KvIsSafeAttachmentName(name)) << name;
    // A name that cannot be used stops the transfer with a message; the
    // location points nowhere, so a connection attempt would say so instead.
    for (const std::string& path : std::vector<std::string> { "/tmp/", "/tmp/..", "/tmp/a\x02" }) {
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        boxes.answerMessageBox(fw::IDOK);
        CNewsLocation where;
        where.m_sUrl = "ftp://127.0.0.1:1/ftp";
        EXPECT_EQ(where.Download(path), 0) << path;
        EXPECT_EQ(where.Upload(path), 0) << path;
        ASSERT_EQ(boxes.messageBoxes().size(), 2u) << path;
        EXPECT_EQ(boxes.messageBoxes()[0].rfind("This file name cannot be used: ", 0), 0u) << path;
    }
}

class NewsLocationServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!PyFtpServer::Available())
            GTEST_SKIP() << "python3-pyftpdlib is not installed";
        server = std::make_unique<PyFtpServer>("molva", "tirqa58");
        ASSERT_TRUE(server->Ok()) << "the FTP server did not start";
        std::filesystem::create_directory(server->Home() + "/ftp");
        local = TempDir("newsloc");
        ASSERT_FALSE(local.empty());
    }
    void TearDown() override
    {
        if (!local.empty())
            std::filesystem::remove_all(local);
    }
    CNewsLocation Where(bool passive = false) const
    {
        CNewsLocation where;
        where.m_sUrl = "ftp://127.0.0.1:" + std::to_string(server->Port()) + "/ftp";
        where.m_sUser = "molva";
        where.m_sPassword = "tirqa58";
        where.m_bPassive = passive;
        where.m_nConnectMs = 5000;
        where.m_nTransferMs = 20000;
        return where;
    }

    std::unique_ptr<PyFtpServer> server;
    std::string local;
    fw::test::Script boxes;
};

TEST_F(NewsLocationServer, UploadThenDownloadRoundTrips)
{
    const std::string payload = std::string("%PDF-1.4\r\n\0\x01\xff", 14) + std::string(5000, 'x');
    const std::string name = "K\xf6zlem\xe9ny.pdf";
    const std::filesystem::path before = std::filesystem::current_path();
    for (const bool passive : { false, true }) {
        SCOPED_TRACE(passive ? "passive" : "active");
        Spill(local + "/" + name, payload);
        CNewsLocation where = Where(passive);
        ASSERT_EQ(where.Upload(local + "/" + name), 1) << (boxes.messageBoxes().empty() ? "" : boxes.messageBoxes()[0]);
        EXPECT_EQ(where.m_sRemoteFolder, "ftp");
        EXPECT_EQ(where.m_sRemoteFile, name);
        EXPECT_EQ(Slurp(server->Home() + "/ftp/" + name), payload);
        std::filesystem::create_directory(local + "/in");
        Spill(local + "/in/" + name, "an older copy");
        ASSERT_EQ(Where(passive).Download(local + "/in/" + name), 1);
        EXPECT_EQ(Slurp(local + "/in/" + name), payload) << "the download replaces the file";
    }
    EXPECT_EQ(std::filesystem::current_path(), before) << "the current folder stays";
    EXPECT_TRUE(boxes.messageBoxes().empty());
}

TEST_F(NewsLocationServer, ABareFileNameUsesTheCurrentFolder)
{
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(local);
    Spill("bare.txt", "bare");
    EXPECT_EQ(Where().Upload("bare.txt"), 1);
    std::filesystem::remove("bare.txt");
    EXPECT_EQ(Where().Download("bare.txt"), 1);
    EXPECT_EQ(Slurp("bare.txt"), "bare");
    std::filesystem::current_path(before);
    EXPECT_EQ(Slurp(server->Home() + "/ftp/bare.txt"), "bare");
}

TEST_F(NewsLocationServer, EachFailureTellsTheUser)
{
    Spill(server->Home() + "/ftp/there.txt", "remote");
    struct Case {
        const char* name;
        std::string url, password;
        bool upload;
        std::string path;
        std::string box; // exact, or a prefix when it ends in '*'
    };
    const std::string site = "ftp://127.0.0.1:" + std::to_string(server->Port());
    const Case cases[] = {
        { "empty host", "ftp:///ftp", "tirqa58", false, local + "/keep.txt", "Cannot connect to FTP site:" },
        { "wrong password", site + "/ftp", "nope", false, local + "/keep.txt", "Cannot connect to FTP site: *" },
        { "missing remote folder", site + "/gone", "tirqa58", false, local + "/keep.txt",
            "Cannot set to target directory" },
        { "missing remote file", site + "/ftp", "tirqa58", false, local + "/keep.txt", "FTP: Cannot get file keep.txt" },
        { "not an FTP address", "http://127.0.0.1/ftp", "tirqa58", false, local + "/keep.txt",
            "Invalid FTP address http://127.0.0.1/ftp/keep.txt" },
        { "missing local folder", site + "/ftp", "tirqa58", false, local + "/none/there.txt",
            "Cannot set target directory: " + local + "/none" },
        { "missing local file", site + "/ftp", "tirqa58", true, local + "/absent.txt",
            "Cannot connect to FTP site: " + local + "/absent.txt" },
    };
    for (const Case& c : cases) {
        Spill(local + "/keep.txt", "kept");
        fw::test::Script script;
        script.answerMessageBox(fw::IDOK);
        CNewsLocation where = Where(true);
        where.m_sUrl = c.url;
        where.m_sPassword = c.password;
        EXPECT_EQ(c.upload ? where.Upload(c.path) : where.Download(c.path), 0) << c.name;
        ASSERT_EQ(script.messageBoxes().size(), 1u) << c.name;
        const std::string& shown = script.messageBoxes()[0];
        if (c.box.back() == '*')
            EXPECT_EQ(shown.rfind(c.box.substr(0, c.box.size() - 1), 0), 0u) << c.name << ": " << shown;
        else
            EXPECT_EQ(shown, c.box) << c.name;
        EXPECT_EQ(script.messageBoxTypes()[0] & 0xf0, 0x30u) << c.name << ": an exclamation box";
        EXPECT_EQ(Slurp(local + "/keep.txt"), "kept") << c.name;
        size_t entries = 0;
        for (auto it = std::filesystem::directory_iterator(local); it != std::filesystem::directory_iterator(); ++it)
            ++entries;
        EXPECT_EQ(entries, 1u) << c.name << ": no other file appears";
    }
    EXPECT_TRUE(std::filesystem::exists(server->Home() + "/ftp/there.txt"));
}

} // namespace

namespace {

TEST_F(NewsLocationServer, TheNewsWindowFetchesAMissingAttachmentThenOpensIt)
{
    const std::string ini = TempDir("newsini");
    const std::string folder = local + "/news";
    std::filesystem::create_directory(folder);
    Spill(ini + "/kv32.ini",
        "[NEWS]\nNewsPath=" + folder + "/\nFtpUrl=ftp://127.0.0.1:" + std::to_string(server->Port()) + "/ftp\n");
    kvtest::ScopedEnv env("VEXA_INI_DIR", ini);
    Spill(server->Home() + "/ftp/report.pdf", "remote pdf");
    std::vector<std::string> opened;
    KvDesktopOpener() = [&](const std::string& path) {
        opened.push_back(path);
        return true;
    };
    struct Case {
        const char* name;
        std::string file;
        int result;
        size_t opens;
        size_t boxes;
    } const cases[] = {
        { "no file named", "", -1, 0, 0 },
        { "a folder in the name", "../report.pdf", -1, 0, 1 },
        { "fetched, then opened", "report.pdf", 0, 1, 0 },
        { "already there", "report.pdf", 0, 2, 0 },
        { "not on the server either", "gone.pdf", -1, 2, 1 },
    };
    for (const Case& c : cases) {
        fw::test::Script script;
        script.answerMessageBox(fw::IDOK);
        EXPECT_EQ(KvOpenNewsAttachment(c.file), c.result) << c.name;
        EXPECT_EQ(opened.size(), c.opens) << c.name;
        EXPECT_EQ(script.messageBoxes().size(), c.boxes) << c.name;
    }
    EXPECT_EQ(Slurp(folder + "/report.pdf"), "remote pdf");
    EXPECT_FALSE(std::filesystem::exists(folder + "/gone.pdf"));
    KvDesktopOpener() = {};
    std::filesystem::remove_all(ini);
}

} // namespace
