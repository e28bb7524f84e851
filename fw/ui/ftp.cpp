#include "fw/ui/ftp.h"

#include <cctype>
#include <cstdio>
#include <curl/curl.h>
#include <mutex>

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

    bool get(const std::string& remotePath, const std::string& localPath) override
    {
        Easy e;
        // Set up before creating the partial file, so a refused request leaves nothing behind.
        if (!setup(e, remotePath))
            return false;
        std::string tmp = localPath + ".part";
        File out(std::fopen(tmp.c_str(), "wb"));
        if (!out.f)
            return fail("cannot create " + tmp);
        curl_easy_setopt(e.h, CURLOPT_WRITEFUNCTION, writeTo);
        curl_easy_setopt(e.h, CURLOPT_WRITEDATA, out.f);
        bool ok = perform(e);
        bool closed = out.close();
        if (ok && !closed)
            ok = fail("cannot write " + tmp);
        if (ok && std::rename(tmp.c_str(), localPath.c_str()) != 0)
            ok = fail("cannot replace " + localPath);
        if (!ok)
            std::remove(tmp.c_str());
        return ok;
    }

    bool put(const std::string& localPath, const std::string& remotePath) override
    {
        Easy e;
        File in(std::fopen(localPath.c_str(), "rb"));
        if (!in.f)
            return fail("cannot open " + localPath);
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
            return fail("invalid file name");
        curl_slist* list = curl_slist_append(nullptr, cmd.c_str());
        curl_easy_setopt(e.h, CURLOPT_QUOTE, list);
        curl_easy_setopt(e.h, CURLOPT_NOBODY, 1L);
        bool ok = perform(e);
        curl_slist_free_all(list);
        return ok;
    }

private:
    bool fail(std::string message)
    {
        error_ = std::move(message);
        return false;
    }

    // The URL of a path: each segment escaped, so names with blanks or '#' stay names.
    bool urlOf(CURL* h, const std::string& path, std::string& url)
    {
        if (server_.host.empty())
            return fail("no FTP server set");
        if (path.find_first_of("\r\n") != std::string::npos || server_.host.find_first_of("/@:\r\n ") != std::string::npos)
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
        curl_easy_setopt(e.h, CURLOPT_ERRORBUFFER, errbuf_);
        errbuf_[0] = 0;
        return true;
    }

    bool perform(Easy& e)
    {
        CURLcode rc = curl_easy_perform(e.h);
        if (rc == CURLE_OK) {
            error_.clear();
            return true;
        }
        return fail(errbuf_[0] ? std::string(errbuf_) : std::string(curl_easy_strerror(rc)));
    }

    FtpServer server_;
    int connectMs_ = 10000;
    int transferMs_ = 120000;
    std::string error_;
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
