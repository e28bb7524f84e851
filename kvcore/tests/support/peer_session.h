// The real router library, loaded by name beside libkvcore.so as the
// application loads it, connected to the host stand-in's protocol peer on
// loopback. The router reads its client section from "kv32.ini" in a scratch
// settings folder; short time-outs end lost links within seconds.
#pragma once

#if KV_HAVE_PEER

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kvcore/app/message_box.h"
#include "kvcore/router/cvorl.h"
#include "protocol_peer.h"
#include "support/scoped_env.h"

namespace kvtest {

using namespace std::chrono_literals;

inline constexpr std::chrono::milliseconds kPeerWait = 5s; // bound for anything expected

class PeerSessionFixture : public ::testing::Test {
protected:
    // Client section keys; a test may change them before Connect.
    std::map<std::string, std::string> keys;

    void SetUp() override
    {
        // Named objects of this process never meet another test's.
        if (std::getenv("PLINTH_NAMESPACE") == nullptr)
            setenv("PLINTH_NAMESPACE", ("t" + std::to_string(getpid()) + "_").c_str(), 1);
        std::string pattern = (std::filesystem::temp_directory_path() / "kvpeer.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        m_iniDir = std::make_unique<ScopedEnv>("VEXA_INI_DIR", m_dir);

        peer = std::make_unique<hostsim::ProtocolPeer>(hostsim::PeerConfig { .address = "127.0.0.1" });
        keys = { { "Service", peer->service() }, { "HostType", "VEXA" }, { "PossibleHosts", "127.0.0.1" },
            { "BroadcastAddress", "127.255.255.255" }, { "PacketTimeout", "4" }, { "CharacterTimeout", "2" },
            { "ReceiveTimeout", "3" }, { "ConnectTime", "2" }, { "SendTries", "1" }, { "WindowSize", "3" } };

        fw::setMessageBoxHook([this](const std::string& text, std::uint32_t) {
            boxes.push_back(text);
            return fw::IDOK;
        });
        ASSERT_EQ(KvCreateRouterSession(), 1) << "libvorl.so beside libkvcore.so";
        ASSERT_NE(pvorl, nullptr);
        ASSERT_TRUE(pvorl->HasAllEntries());
    }

    void TearDown() override
    {
        KvDestroyRouterSession();
        peer.reset();
        fw::setMessageBoxHook(nullptr);
        m_iniDir.reset();
        std::error_code ec;
        if (!m_dir.empty())
            std::filesystem::remove_all(m_dir, ec);
    }

    // Writes the workstation's settings file that the router reads.
    void WriteSettings() const
    {
        std::ofstream out(m_dir + "/kv32.ini", std::ios::binary | std::ios::trunc);
        out << "[VORLClient]\n";
        for (const auto& [key, value] : keys)
            out << key << "=" << value << "\n";
        out << "[VORLClient_plugins]\n";
    }

    // A digest-sized password text.
    static std::string Digest(char c = 'D') { return std::string(64, c); }
    // The logon text the host must see: user to 12, digest to 64, then the mark.
    static std::string LogonText(const std::string& user, const std::string& digest, bool repeated)
    {
        std::string text = user.substr(0, 12);
        text.resize(12, ' ');
        text += digest;
        if (repeated)
            text += 'R';
        return text;
    }

    int Connect(const char* user = "trader01")
    {
        WriteSettings();
        return pvorl->Connect(peer->service().c_str(), "VEXA", user, Digest().c_str());
    }

    std::unique_ptr<hostsim::ProtocolPeer> peer;
    std::vector<std::string> boxes;

private:
    std::string m_dir;
    std::unique_ptr<ScopedEnv> m_iniDir;
};

} // namespace kvtest

#endif
