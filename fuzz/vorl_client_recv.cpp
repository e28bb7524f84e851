// Arbitrary bytes as the server's answer to a request: a fresh client connects
// to the protocol peer, sends one packet, and the peer writes the input and
// closes the link. The client must read every byte it is given, answer with a
// result code, and let its messages be read only within the packet.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "protocol_peer.h"
#include "vorl/client.h"

namespace {

constexpr std::size_t kMaxInput = 16384;

struct Setup {
    hostsim::ProtocolPeer peer { hostsim::PeerConfig {
        .address = "127.0.0.1", .broadcastAddress = "", .recordLimit = 0 } };
    std::string dir;
    std::string config;

    Setup()
    {
        // Nothing is answered but what the fuzzer writes.
        peer.setRequestHandler(
            [](const hostsim::PeerPacket&) { return std::optional<std::vector<hostsim::ReplyMessage>> {}; });
        char pattern[] = "/tmp/vorlfuzz.XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            abort();
        dir = pattern;
        config = dir + "/client.ini";
        std::ofstream(config)
            << "[VORLClient]\nService=" << peer.service() << "\nHostType=FUZZ\nPossibleHosts=127.0.0.1\n"
            << "SendTries=0\nConnectTime=1\nPacketTimeout=2\nReceiveTimeout=1\nCharacterTimeout=1\n"
            << "WindowSize=1\n";
    }
    ~Setup()
    {
        unlink(config.c_str());
        rmdir(dir.c_str());
    }
};

Setup& setup()
{
    static Setup s;
    return s;
}

// Every message of the reply, in place and copied.
void readMessages(VORLHANDLE h)
{
    int count = 0;
    if (VORLNumMessages(h, &count) != 0)
        return;
    static char buffer[30000];
    for (int i = count - 1; i >= -1; --i) {
        int type = 0, length = 0, value = 0;
        void* data = nullptr;
        if (VORLMessage(h, i, &type, &data, &length, &value) == 0 && length > 0) {
            volatile char first = static_cast<const char*>(data)[0];
            volatile char last = static_cast<const char*>(data)[length - 1];
            (void)first;
            (void)last;
        }
        VORLGetMessage(h, i, &type, buffer, sizeof buffer, &length, &value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxInput)
        return 0;
    Setup& s = setup();
    s.peer.clearRecord();
    VORLHANDLE h = nullptr;
    if (VORLCreate(&h, s.config.c_str(), nullptr, nullptr) != 0)
        abort();
    if (VORLConnect(h) == 0 && VORLSend(h, 7, "fuzz", 4, 1, 42) == 0) {
        s.peer.sendRaw(std::vector<uint8_t>(data, data + size));
        s.peer.dropLinks();
        // Each result either consumes a reply or ends the link; a few rounds read it all.
        for (int round = 0; round < 8; ++round) {
            const int rc = VORLRecv(h, -1);
            if (rc != 0)
                break;
            readMessages(h);
        }
    }
    VORLDisconnect(h);
    return 0;
}
