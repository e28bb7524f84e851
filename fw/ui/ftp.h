#pragma once
// File transfer with an FTP server (news attachments). Free of Qt.
#include "fw/ui/fw_ui_api.h"
#include <memory>
#include <optional>
#include <string>

namespace fw {

struct FW_UI_API FtpServer {
    std::string host;
    int port = 21;
    std::string user = "anonymous";
    std::string password;
};

// Splits "ftp://[user[:password]@]host[:port]/path" into server and path (percent escapes
// decoded). Nothing for another scheme, a missing host or a bad port.
struct FW_UI_API FtpLocation {
    FtpServer server;
    std::string path;
};
FW_UI_API std::optional<FtpLocation> parseFtpUrl(const std::string& url);

class FW_UI_API FtpTransfer {
public:
    virtual ~FtpTransfer() = default;
    virtual void setServer(const FtpServer& server) = 0;
    // Limits for connecting and for a whole transfer; a stalled transfer fails instead of hanging.
    virtual void setTimeouts(int connectMs, int transferMs) = 0;
    // Downloads remotePath (relative to the login folder) into localPath; a failed download leaves
    // no partial file behind.
    virtual bool get(const std::string& remotePath, const std::string& localPath) = 0;
    virtual bool put(const std::string& localPath, const std::string& remotePath) = 0;
    virtual bool remove(const std::string& remotePath) = 0;
    virtual const std::string& lastError() const = 0;
};

FW_UI_API std::unique_ptr<FtpTransfer> makeCurlFtp();

} // namespace fw
