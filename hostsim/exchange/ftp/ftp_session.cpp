#include "ftp/ftp_session.h"

#include <sys/socket.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <vector>

namespace exchange::ftp {

namespace {

constexpr std::size_t kMaxLine = 1024;
constexpr int kIdleLimitMs = 300000; // a control connection idle this long is closed
constexpr int kWaitStepMs = 200;
constexpr int kDataWaitMs = 10000;
constexpr std::uintmax_t kMaxUpload = 64u << 20;

// A folder argument made absolute and without trailing or repeated slashes; ".." goes up.
std::string resolve(const std::string& cwd, const std::string& argument)
{
    std::vector<std::string> parts;
    const std::string path = argument.starts_with('/') ? argument : cwd + "/" + argument;
    std::size_t at = 0;
    while (at <= path.size()) {
        const std::size_t slash = std::min(path.find('/', at), path.size());
        const std::string part = path.substr(at, slash - at);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = slash + 1;
    }
    std::string out;
    for (const std::string& p : parts)
        out += "/" + p;
    return out.empty() ? "/" : out;
}

bool plainName(const std::string& name)
{
    return !name.empty() && name.size() <= 255 && name != "." && name != ".."
        && std::none_of(name.begin(), name.end(), [](char c) { return c == '/' || c == '\\' || c == '\0'; });
}

// "h1,h2,h3,h4,p1,p2" of PORT, or "|1|a.b.c.d|port|" of EPRT.
bool parseActive(const std::string& verb, const std::string& argument, uint32_t& address, int& port)
{
    std::vector<long> n;
    std::string host;
    if (verb == "PORT") {
        std::string field;
        for (const char c : argument + ",") {
            if (c == ',') {
                if (field.empty() || field.size() > 3
                    || field.find_first_not_of("0123456789") != std::string::npos)
                    return false;
                n.push_back(std::stol(field));
                field.clear();
            } else {
                field += c;
            }
        }
        if (n.size() != 6 || std::any_of(n.begin(), n.end(), [](long v) { return v > 255; }))
            return false;
        address = static_cast<uint32_t>(n[0] << 24 | n[1] << 16 | n[2] << 8 | n[3]);
        port = static_cast<int>(n[4] * 256 + n[5]);
        return true;
    }
    // EPRT |1|127.0.0.1|port|
    if (argument.size() < 7 || argument[0] != '|')
        return false;
    std::vector<std::string> fields;
    std::size_t at = 1;
    while (at < argument.size()) {
        const std::size_t bar = argument.find('|', at);
        if (bar == std::string::npos)
            return false;
        fields.push_back(argument.substr(at, bar - at));
        at = bar + 1;
    }
    if (fields.size() != 3 || fields[0] != "1" || fields[2].empty() || fields[2].size() > 5
        || fields[2].find_first_not_of("0123456789") != std::string::npos)
        return false;
    return parseActive(
               "PORT",
               [&] {
                   std::string p = fields[1];
                   std::replace(p.begin(), p.end(), '.', ',');
                   const long v = std::stol(fields[2]);
                   return p + "," + std::to_string(v / 256) + "," + std::to_string(v % 256);
               }(),
               address, port)
        && std::stol(fields[2]) <= 65535;
}

} // namespace

FtpSession::FtpSession(const ServerOptions& options, Socket control, const std::atomic<bool>& stopping)
    : options_(options)
    , control_(std::move(control))
    , stopping_(stopping)
{
}

bool FtpSession::reply(const std::string& line)
{
    return SendAll(control_, line + "\r\n");
}

bool FtpSession::readLine(std::string& line)
{
    int idle = 0;
    for (;;) {
        const std::size_t end = buffer_.find('\n');
        if (end != std::string::npos) {
            line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        if (buffer_.size() > kMaxLine) {
            reply("500 Line too long.");
            return false;
        }
        if (stopping_.load() || idle >= kIdleLimitMs)
            return false;
        if (!Readable(control_, kWaitStepMs)) {
            idle += kWaitStepMs;
            continue;
        }
        char chunk[512];
        const ssize_t n = ::recv(control_.fd(), chunk, sizeof chunk, 0);
        if (n <= 0)
            return false;
        buffer_.append(chunk, static_cast<std::size_t>(n));
        idle = 0;
    }
}

void FtpSession::run()
{
    if (!reply("220 Exchange attachment server ready."))
        return;
    std::string line;
    while (!quit_ && readLine(line)) {
        const std::size_t space = line.find(' ');
        std::string verb = line.substr(0, space);
        std::transform(
            verb.begin(), verb.end(), verb.begin(), [](unsigned char c) { return std::toupper(c); });
        command(verb, space == std::string::npos ? std::string() : line.substr(space + 1));
    }
}

std::string FtpSession::filePath(const std::string& argument) const
{
    const std::string path = resolve(cwd_, argument);
    const std::string folder = "/" + options_.remoteFolder + "/";
    if (!path.starts_with(folder) || !plainName(path.substr(folder.size())))
        return {};
    return (std::filesystem::path(options_.folder) / path.substr(folder.size())).string();
}

Socket FtpSession::openData()
{
    Socket data;
    if (passive_.valid())
        data = AcceptWithin(passive_, kDataWaitMs);
    else if (activePort_ != 0)
        data = ConnectToLoopback(activeAddress_, activePort_, kDataWaitMs);
    passive_ = Socket();
    activePort_ = 0;
    return data;
}

void FtpSession::command(const std::string& verb, const std::string& argument)
{
    if (verb == "QUIT") {
        quit_ = true;
        reply("221 Goodbye.");
    } else if (verb == "USER") {
        user_ = argument;
        loggedIn_ = false;
        reply("331 Password required.");
    } else if (verb == "PASS") {
        loggedIn_ = user_ == options_.user && argument == options_.password;
        reply(loggedIn_ ? "230 Logged in." : "530 Login incorrect.");
    } else if (!loggedIn_) {
        reply("530 Not logged in.");
    } else if (verb == "SYST") {
        reply("215 UNIX Type: L8");
    } else if (verb == "FEAT") {
        reply("211-Features:\r\n EPSV\r\n EPRT\r\n PASV\r\n SIZE\r\n211 End");
    } else if (verb == "NOOP" || verb == "TYPE" || verb == "MODE" || verb == "STRU") {
        reply("200 OK.");
    } else if (verb == "PWD" || verb == "XPWD") {
        reply("257 \"" + cwd_ + "\" is the current folder.");
    } else if (verb == "CWD" || verb == "CDUP") {
        const std::string path = resolve(cwd_, verb == "CDUP" ? ".." : argument);
        const bool known = path == "/" || path == "/" + options_.remoteFolder;
        if (known)
            cwd_ = path;
        reply(known ? "250 Folder changed." : "550 No such folder.");
    } else if (verb == "PASV" || verb == "EPSV") {
        int port = 0;
        passive_ = ListenOnLoopback(port);
        activePort_ = 0;
        if (!passive_.valid())
            reply("425 Cannot open a data port.");
        else if (verb == "EPSV")
            reply("229 Entering Extended Passive Mode (|||" + std::to_string(port) + "|)");
        else
            reply("227 Entering Passive Mode (127,0,0,1," + std::to_string(port / 256) + ","
                + std::to_string(port % 256) + ")");
    } else if (verb == "PORT" || verb == "EPRT") {
        uint32_t address = 0;
        int port = 0;
        const bool ok = parseActive(verb, argument, address, port) && (address >> 24) == 127 && port > 0;
        passive_ = Socket();
        activePort_ = ok ? port : 0;
        activeAddress_ = address;
        reply(ok ? "200 Active mode set." : "501 Only loopback addresses are served.");
    } else if (verb == "SIZE" || verb == "DELE") {
        const std::string path = filePath(argument);
        std::error_code ec;
        const bool file = !path.empty() && std::filesystem::is_regular_file(path, ec);
        if (!file)
            reply("550 No such file.");
        else if (verb == "SIZE")
            reply("213 " + std::to_string(std::filesystem::file_size(path, ec)));
        else
            reply(std::filesystem::remove(path, ec) ? "250 Deleted." : "550 Cannot delete the file.");
    } else if (verb == "RETR") {
        retrieve(argument);
    } else if (verb == "STOR") {
        store(argument);
    } else {
        reply("502 Command not implemented.");
    }
}

Socket FtpSession::startTransfer()
{
    reply("150 Opening the data connection.");
    Socket data = openData();
    if (!data.valid())
        reply("425 Cannot open the data connection.");
    return data;
}

void FtpSession::retrieve(const std::string& argument)
{
    const std::string path = filePath(argument);
    std::ifstream in(path, std::ios::binary);
    if (path.empty() || !in) {
        reply("550 No such file.");
        return;
    }
    Socket data = startTransfer();
    if (!data.valid())
        return;
    std::vector<char> chunk(65536);
    bool sent = true;
    while (sent && in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        if (in.gcount() > 0)
            sent = SendAll(data, std::string(chunk.data(), static_cast<std::size_t>(in.gcount())));
    }
    data = Socket();
    reply(sent ? "226 Transfer complete." : "426 Transfer aborted.");
}

void FtpSession::store(const std::string& argument)
{
    const std::string path = filePath(argument);
    if (path.empty()) {
        reply("553 File name not allowed.");
        return;
    }
    Socket data = startTransfer();
    if (!data.valid())
        return;
    // Received into a hidden file first: a broken upload never replaces a good attachment.
    const std::string part = path + ".part";
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    std::uintmax_t size = 0;
    bool ok = static_cast<bool>(out);
    for (;;) {
        if (!ok || size > kMaxUpload || !Readable(data, kDataWaitMs)) {
            ok = false;
            break;
        }
        char chunk[65536];
        const ssize_t n = ::recv(data.fd(), chunk, sizeof chunk, 0);
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        out.write(chunk, n);
        size += static_cast<std::uintmax_t>(n);
        ok = static_cast<bool>(out);
    }
    out.close();
    std::error_code ec;
    if (ok && out)
        std::filesystem::rename(part, path, ec);
    if (!ok || !out || ec) {
        std::filesystem::remove(part, ec);
        reply(size > kMaxUpload ? "552 The file is too large." : "451 The upload failed.");
        return;
    }
    reply("226 Transfer complete.");
}

} // namespace exchange::ftp
