#include "fw/ui/ftp.h"

#include <cctype>
#include <cstdio>
#include <curl/curl.h>
#include <cstdlib>
#include <mutex>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {

void globalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Easy {
    CURL* h = curl_easy_init();
    ~Easy()
    {
        if (h)
            curl_easy_cleanup(h);
    }
    Easy() = default;
    Easy(const Easy&) = delete;
    Easy& operator=(const Easy&) = delete;
};

struct File {
    FILE* f;
    explicit File(FILE* file) : f(file) {}
    ~File()
    {
        if (f)
            std::fclose(f);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool close()
    {
        bool ok = std::fclose(f) == 0;
        f = nullptr;
        return ok;
    }
};

// The file creation mask, read without changing it (umask() itself would race other threads).
mode_t processUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    return 022;
}

size_t writeTo(char* data, size_t size, size_t n, void* file)
{
    return std::fwrite(data, size, n, static_cast<FILE*>(file));
}

size_t readFrom(char* data, size_t size, size_t n, void* file)
{
    return std::fread(data, size, n, static_cast<FILE*>(file));
}

class CurlFtp : public FtpTransfer {
public:
    CurlFtp() { globalInit(); }
    void setServer(const FtpServer& server) override { server_ = server; }
    void setTimeouts(int connectMs, int transferMs) override
    {
        connectMs_ = connectMs;
        transferMs_ = transferMs;
    }
    const std::string& lastError() const override { return error_; }
    FtpFailure lastFailure() const override { return failure_; }

    bool get(const std::string& remotePath, const std::string& localPath) override
    {
        Easy e;
        // Set up before creating the partial file, so a refused request leaves nothing behind.
        if (!setup(e, remotePath))
            return false;
        // A private name in the target folder, so the rename replaces the target in one step and
        // no file of the user's is taken for the temporary one.
        const size_t slash = localPath.rfind('/');
        std::string tmp = (slash == std::string::npos ? std::string() : localPath.substr(0, slash + 1)) + ".ftp-XXXXXX";
        const int fd = ::mkstemp(tmp.data());
        if (fd < 0)
            return fail("cannot create a file beside " + localPath, FtpFailure::LocalFile);
        File out(::fdopen(fd, "wb"));
        if (!out.f) {
            ::close(fd);
            std::remove(tmp.c_str());
            return fail("cannot create " + tmp, FtpFailure::LocalFile);
        }
        curl_easy_setopt(e.h, CURLOPT_WRITEFUNCTION, writeTo);
        curl_easy_setopt(e.h, CURLOPT_WRITEDATA, out.f);
        bool ok = perform(e);
        bool closed = out.close();
        if (ok && !closed)
            ok = fail("cannot write " + tmp, FtpFailure::LocalFile);
        // mkstemp makes the file private; the download gets the usual permissions.
        if (ok)
            (void)!::chmod(tmp.c_str(), 0666 & ~processUmask());
        if (ok && std::rename(tmp.c_str(), localPath.c_str()) != 0)
            ok = fail("cannot replace " + localPath, FtpFailure::LocalFile);
        if (!ok)
            std::remove(tmp.c_str());
        return ok;
    }

    bool put(const std::string& localPath, const std::string& remotePath) override
    {
        Easy e;
        File in(std::fopen(localPath.c_str(), "rb"));
        if (!in.f)
            return fail("cannot open " + localPath, FtpFailure::LocalFile);
        if (!setup(e, remotePath))
            return false;
        curl_easy_setopt(e.h, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(e.h, CURLOPT_READFUNCTION, readFrom);
        curl_easy_setopt(e.h, CURLOPT_READDATA, in.f);
        return perform(e);
    }

    bool remove(const std::string& remotePath) override
    {
        Easy e;
        if (!setup(e, ""))
            return false;
        std::string cmd = "DELE " + remotePath;
        if (cmd.find_first_of("\r\n") != std::string::npos)
            return fail("invalid file or host name");
        curl_slist* list = curl_slist_append(nullptr, cmd.c_str());
        curl_easy_setopt(e.h, CURLOPT_QUOTE, list);
        curl_easy_setopt(e.h, CURLOPT_NOBODY, 1L);
        bool ok = perform(e);
        curl_slist_free_all(list);
        return ok;
    }

private:
    bool fail(std::string message, FtpFailure failure = FtpFailure::Transfer)
    {
        error_ = std::move(message);
        failure_ = failure;
        return false;
    }

    static FtpFailure failureOf(CURLcode rc)
    {
        switch (rc) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT:
        case CURLE_LOGIN_DENIED:
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_OPERATION_TIMEDOUT: return FtpFailure::Connect;
        case CURLE_REMOTE_ACCESS_DENIED: return FtpFailure::RemoteFolder; // a CWD the server refused
        case CURLE_WRITE_ERROR:
        case CURLE_READ_ERROR: return FtpFailure::LocalFile;
        default: return FtpFailure::Transfer;
        }
    }

    // The URL of a path: each segment escaped, so names with blanks or '#' stay names.
    bool urlOf(CURL* h, const std::string& path, std::string& url)
    {
        if (server_.host.empty())
            return fail("no FTP server set", FtpFailure::Connect);
        if (server_.host.find_first_of("/@:\r\n ") != std::string::npos)
            return fail("invalid file or host name", FtpFailure::Connect);
        if (path.find_first_of("\r\n") != std::string::npos)
            return fail("invalid file or host name");
        url = "ftp://" + server_.host + ":" + std::to_string(server_.port) + "/";
        size_t start = 0;
        while (start <= path.size()) {
            size_t slash = path.find('/', start);
            std::string seg = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
            char* esc = curl_easy_escape(h, seg.c_str(), static_cast<int>(seg.size()));
            if (!esc)
                return fail("out of memory");
            url += esc;
            curl_free(esc);
            if (slash == std::string::npos)
                break;
            url += "/";
            start = slash + 1;
        }
        return true;
    }

    bool setup(Easy& e, const std::string& remotePath)
    {
        if (!e.h)
            return fail("cannot start a transfer");
        std::string url;
        if (!urlOf(e.h, remotePath, url))
            return false;
        curl_easy_setopt(e.h, CURLOPT_URL, url.c_str());
        curl_easy_setopt(e.h, CURLOPT_USERNAME, server_.user.c_str());
        curl_easy_setopt(e.h, CURLOPT_PASSWORD, server_.password.c_str());
        curl_easy_setopt(e.h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connectMs_));
        curl_easy_setopt(e.h, CURLOPT_TIMEOUT_MS, static_cast<long>(transferMs_));
        curl_easy_setopt(e.h, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(e.h, CURLOPT_FTP_USE_EPSV, 1L);
        // Active mode: the server connects back to the address of the control connection.
        curl_easy_setopt(e.h, CURLOPT_FTPPORT, server_.passive ? nullptr : "-");
        curl_easy_setopt(e.h, CURLOPT_ERRORBUFFER, errbuf_);
        errbuf_[0] = 0;
        return true;
    }

    bool perform(Easy& e)
    {
        CURLcode rc = curl_easy_perform(e.h);
        if (rc == CURLE_OK) {
            error_.clear();
            failure_ = FtpFailure::None;
            return true;
        }
        return fail(errbuf_[0] ? std::string(errbuf_) : std::string(curl_easy_strerror(rc)), failureOf(rc));
    }

    FtpServer server_;
    int connectMs_ = 10000;
    int transferMs_ = 120000;
    std::string error_;
    FtpFailure failure_ = FtpFailure::None;
    char errbuf_[CURL_ERROR_SIZE] = {};
};

} // namespace

namespace {
std::optional<std::string> percentDecoded(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out.push_back(s[i]);
            continue;
        }
        if (i + 2 >= s.size())
            return std::nullopt;
        auto hex = [](char c) -> int {
            if (c >= '0' && c <= '9')
                return c - '0';
            if (c >= 'a' && c <= 'f')
                return c - 'a' + 10;
            if (c >= 'A' && c <= 'F')
                return c - 'A' + 10;
            return -1;
        };
        int hi = hex(s[i + 1]), lo = hex(s[i + 2]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
    }
    return out;
}
} // namespace

std::optional<FtpLocation> parseFtpUrl(const std::string& url)
{
    const std::string scheme = "ftp://";
    if (url.size() < scheme.size())
        return std::nullopt;
    for (size_t i = 0; i < scheme.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(url[i])) != scheme[i])
            return std::nullopt;
    std::string rest = url.substr(scheme.size());
    size_t slash = rest.find('/');
    std::string authority = rest.substr(0, slash);
    std::string path = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
    FtpLocation loc;
    size_t at = authority.rfind('@');
    if (at != std::string::npos) {
        std::string userinfo = authority.substr(0, at);
        authority = authority.substr(at + 1);
        size_t colon = userinfo.find(':');
        auto user = percentDecoded(userinfo.substr(0, colon));
        auto pass = percentDecoded(colon == std::string::npos ? std::string() : userinfo.substr(colon + 1));
        if (!user || !pass)
            return std::nullopt;
        loc.server.user = *user;
        loc.server.password = *pass;
    }
    size_t colon = authority.rfind(':');
    if (colon != std::string::npos) {
        std::string port = authority.substr(colon + 1);
        authority = authority.substr(0, colon);
        if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        int p = std::stoi(port);
        if (p < 1 || p > 65535)
            return std::nullopt;
        loc.server.port = p;
    }
    if (authority.empty())
        return std::nullopt;
    loc.server.host = authority;
    auto decoded = percentDecoded(path);
    if (!decoded)
        return std::nullopt;
    loc.path = *decoded;
    return loc;
}

std::unique_ptr<FtpTransfer> makeCurlFtp()
{
    return std::make_unique<CurlFtp>();
}

} // namespace fw
