// The FTP location of news attachments: the publisher's upload and the
// reader's download, each telling the user in an exclamation box why it
// failed. The location, user, password and mode are the "NEWS" section's
// "FtpUrl", "FtpUser", "FtpPassword" and "FtpPassive" of the program's profile.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace fw {
class FtpTransfer;
}

class CNewsLocation {
public:
    // The defaults, then what the profile holds.
    CNewsLocation();

    // Puts the local file on the server under its own base name; 1 on success.
    int Upload(const std::string& localPath);
    // Gets the remote file of the local path's base name into the local path; 1 on success.
    int Download(const std::string& localPath);

    std::string m_sUrl = "ftp://127.0.0.1/ftp";
    std::string m_sPassword = "tirqa58";
    std::string m_sUser = "molva";
    bool m_bPassive = false;
    int m_nConnectMs = 10000;
    int m_nTransferMs = 120000;
    // Derived from the URL of the last transfer.
    std::string m_sRemoteFolder;
    std::string m_sRemoteFile;
    std::string m_sServer;
    uint16_t m_nPort = 21;

private:
    // Splits base URL + "/" + name; false (the user told) when it cannot be used.
    bool Split(const std::string& name);
    // The transfer for the local path's base name and its remote path; null
    // (the user told) when the name or the URL cannot be used.
    std::unique_ptr<fw::FtpTransfer> Prepare(const std::string& localPath, std::string& remote);
};

// A name from the host or the user that may name a file in a folder: a plain
// base name of at most 80 bytes of Windows-1250 text, without folders or
// control characters, and not "." or "..".
bool KvIsSafeAttachmentName(std::string_view name);
// The part of a path after its last '/'.
std::string KvBaseName(const std::string& path);
