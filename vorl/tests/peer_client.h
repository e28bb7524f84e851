#pragma once
// A client handle configured against one or more protocol peers on loopback,
// with short time-outs so that lost links and silences end quickly.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "client.h"
#include "protocol_peer.h"
#include "test_env.h"
#include "vorl/client.h"

namespace vorl::test {

// The workstation's reading of the logon reply: 192 refuses.
inline int logonCallback(int type, const void*, int, int)
{
    return type == hostsim::kLogonRefused ? -1 : 0;
}

// Client section keys; the defaults keep every wait within a few seconds.
inline std::map<std::string, std::string> clientKeys(const hostsim::ProtocolPeer& peer)
{
    return { { "Service", peer.service() }, { "HostType", "VEXA" }, { "PossibleHosts", peer.addressText() },
        { "PacketTimeout", "4" }, { "CharacterTimeout", "2" }, { "ReceiveTimeout", "3" },
        { "ConnectTime", "2" }, { "SendTries", "1" }, { "WindowSize", "3" } };
}

class PeerClient {
public:
    // `plugins`: lines of the client's plug-in section (none by default).
    PeerClient(const std::map<std::string, std::string>& keys, const std::string& plugins = "")
    {
        std::string text = "[VORLClient]\n";
        for (const auto& [k, v] : keys)
            text += k + "=" + v + "\n";
        text += "[VORLClient_plugins]\n" + plugins;
        file_ = dir_.write("client.ini", text);
        rc_ = VORLCreate(&h_, file_.c_str(), nullptr, nullptr);
    }
    ~PeerClient()
    {
        if (h_ != nullptr)
            VORLDisconnect(h_);
    }
    PeerClient(const PeerClient&) = delete;
    PeerClient& operator=(const PeerClient&) = delete;

    int createResult() const { return rc_; }
    VORLHANDLE handle() const { return h_; }
    VORLClient* client() const { return h_; }

    int setLogon(const std::string& text, int value = 0)
    {
        return VORLSetLogonMessage(
            h_, 129, text.data(), static_cast<unsigned>(text.size()), value, logonCallback);
    }
    int send(const std::string& text, int type = 7, int value = 0)
    {
        return VORLSend(h_, type, text.data(), static_cast<int>(text.size()), 1, value);
    }
    // The first message of the last reply as text ("" when there is none).
    std::string firstText() const
    {
        char buffer[30000];
        int length = 0;
        if (VORLGetMessage(h_, 0, nullptr, buffer, sizeof buffer, &length, nullptr) != 0)
            return {};
        return std::string(buffer, static_cast<std::size_t>(length));
    }

private:
    ScratchDir dir_;
    std::string file_;
    VORLHANDLE h_ = nullptr;
    int rc_ = -1;
};

} // namespace vorl::test
