#include "kv32/shell/news_location.h"

#include <cstdio>
#include <strings.h>

#include "fw/core/msgbox.h"
#include "fw/core/profile.h"
#include "fw/ui/ftp.h"
#include "kv32/res/message_dialogs_ids.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"

namespace {

constexpr size_t kNameBytes = 80;

void Exclaim(const std::string& text)
{
    KvMessageBox(text, fw::MB_ICONEXCLAMATION);
}

std::string Text(uint32_t id)
{
    return Kv32MessageDialogString(id);
}

} // namespace

bool KvIsSafeAttachmentName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || name.size() > kNameBytes)
        return false;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        // Control characters, folder separators and the bytes that Windows-1250 leaves undefined.
        if (c < 0x20 || c == 0x7f || c == '/' || c == '\\' || c == 0x81 || c == 0x83 || c == 0x88 || c == 0x90
            || c == 0x98)
            return false;
    }
    return true;
}

std::string KvBaseName(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

CNewsLocation::CNewsLocation()
{
    const fw::Profile profile(kKvAppProfile);
    m_sUrl = profile.getString("NEWS", "FtpUrl", m_sUrl);
    m_sUser = profile.getString("NEWS", "FtpUser", m_sUser);
    m_sPassword = profile.getString("NEWS", "FtpPassword", m_sPassword);
    m_bPassive = profile.getInt("NEWS", "FtpPassive", 0) != 0;
}

bool CNewsLocation::Split(const std::string& name)
{
    const std::string url = m_sUrl + "/" + name;
    const std::optional<fw::FtpLocation> location = fw::parseFtpUrl(url);
    if (!location) {
        // A URL without a server name is a site that cannot be reached, not a bad address.
        constexpr std::string_view scheme = "ftp://";
        const bool noHost = url.size() > scheme.size() && strncasecmp(url.c_str(), scheme.data(), scheme.size()) == 0
            && url[scheme.size()] == '/';
        Exclaim(noHost ? Text(IDS_FTP_CANNOT_CONNECT) : Text(IDS_FTP_INVALID_ADDRESS) + " " + url);
        return false;
    }
    m_sServer = location->server.host;
    m_nPort = static_cast<uint16_t>(location->server.port);
    const std::string& path = location->path;
    const size_t slash = path.rfind('/');
    m_sRemoteFile = slash == std::string::npos ? path : path.substr(slash + 1);
    m_sRemoteFolder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    return true;
}

namespace {

std::unique_ptr<fw::FtpTransfer> Connect(const CNewsLocation& where)
{
    auto ftp = fw::makeCurlFtp();
    fw::FtpServer server;
    server.host = where.m_sServer;
    server.port = where.m_nPort;
    server.user = where.m_sUser;
    server.password = where.m_sPassword;
    server.passive = where.m_bPassive;
    ftp->setServer(server);
    ftp->setTimeouts(where.m_nConnectMs, where.m_nTransferMs);
    return ftp;
}

// The messages that connecting and changing folders share; false for other failures.
bool ReportSiteFailure(const fw::FtpTransfer& ftp)
{
    switch (ftp.lastFailure()) {
    case fw::FtpFailure::Connect:
        Exclaim(Text(IDS_FTP_CANNOT_CONNECT) + " "
            + (ftp.lastError().empty() ? Text(IDS_FTP_UNKNOWN_ERROR) : ftp.lastError()));
        return true;
    case fw::FtpFailure::RemoteFolder: Exclaim(Text(IDS_FTP_CANNOT_SET_REMOTE)); return true;
    default: return false;
    }
}

} // namespace

std::unique_ptr<fw::FtpTransfer> CNewsLocation::Prepare(const std::string& localPath, std::string& remote)
{
    const std::string name = KvBaseName(localPath);
    if (!KvIsSafeAttachmentName(name)) {
        Exclaim(Text(IDS_FTP_UNSAFE_NAME) + name);
        return nullptr;
    }
    if (!Split(name))
        return nullptr;
    remote = m_sRemoteFolder.empty() ? m_sRemoteFile : m_sRemoteFolder + "/" + m_sRemoteFile;
    return Connect(*this);
}

int CNewsLocation::Upload(const std::string& localPath)
{
    std::string remote;
    auto ftp = Prepare(localPath, remote);
    if (!ftp)
        return 0;
    if (ftp->put(localPath, remote))
        return 1;
    if (!ReportSiteFailure(*ftp))
        Exclaim(Text(IDS_FTP_CANNOT_CONNECT) + " " + localPath);
    return 0;
}

int CNewsLocation::Download(const std::string& localPath)
{
    std::string remote;
    auto ftp = Prepare(localPath, remote);
    if (!ftp)
        return 0;
    // The file is written straight into its folder: the process's current folder stays.
    if (ftp->get(remote, localPath))
        return 1;
    if (ReportSiteFailure(*ftp))
        return 0;
    if (ftp->lastFailure() == fw::FtpFailure::LocalFile) {
        const size_t slash = localPath.rfind('/');
        Exclaim(Text(IDS_FTP_CANNOT_SET_LOCAL) + " " + (slash == std::string::npos ? "." : localPath.substr(0, slash)));
    } else {
        Exclaim(Text(IDS_FTP_CANNOT_GET) + " " + m_sRemoteFile);
    }
    return 0;
}
