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
    // Passive mode (the server opens the data port); false for active mode,
    // where the server connects back to the client's address.
    bool passive = true;
};

// What a failed transfer could not do: reach or log in to the server, change
// to the remote folder, read or write the local file, or move the data.
enum class FtpFailure { None, Connect, RemoteFolder, LocalFile, Transfer };

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
    // Downloads remotePath (relative to the login folder) into localPath through a temporary file
    // in the same folder that replaces localPath only when the whole file has arrived: a failed
    // download leaves no partial file and an existing localPath as it was.
    virtual bool get(const std::string& remotePath, const std::string& localPath) = 0;
    virtual bool put(const std::string& localPath, const std::string& remotePath) = 0;
    virtual bool remove(const std::string& remotePath) = 0;
    virtual const std::string& lastError() const = 0;
    virtual FtpFailure lastFailure() const = 0;
};

FW_UI_API std::unique_ptr<FtpTransfer> makeCurlFtp();

} // namespace fw
