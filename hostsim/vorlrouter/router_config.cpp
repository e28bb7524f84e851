// The router's section of the router configuration file, read like the
// library's own roles read theirs.
#include <arpa/inet.h>
#include <netdb.h>

#include <cstring>

#include "plinth/config.h"
#include "router.h"
#include "vorl/server_block.h"
#include "vorl/util.h"

namespace vorlrouter {

namespace {

bool servicePort(const std::string& service, uint16_t& port)
{
    if (service.empty())
        return false;
    if (service.find_first_not_of("0123456789") == std::string::npos) {
        if (service.size() > 5)
            return false;
        const int value = std::stoi(service);
        if (value < 1 || value > 65535)
            return false;
        port = static_cast<uint16_t>(value);
        return true;
    }
    servent* entry = getservbyname(service.c_str(), "tcp");
    if (entry == nullptr)
        return false;
    port = ntohs(static_cast<uint16_t>(entry->s_port));
    return true;
}

bool loopbackText(const std::string& text)
{
    in_addr a {};
    return inet_pton(AF_INET, text.c_str(), &a) == 1 && (ntohl(a.s_addr) >> 24) == 127;
}

} // namespace

std::string ReadConfig(const std::string& configText, RouterConfig& out)
{
    char file[260];
    char section[128];
    SplitVORLConfigString(configText.c_str(), file, sizeof file, section, sizeof section);
    out.file = file;
    if (*section != '\0')
        out.section = section;
    Config cfg = ConfigOpen(out.section.c_str(), out.file.c_str());
    if (cfg == nullptr)
        return "no memory";
    char text[256];
    ConfigReadString(cfg, "Service", text, sizeof text, "");
    const std::string service = text;
    ConfigReadString(cfg, "HostType", text, sizeof text, "");
    out.hostType.assign(text, strnlen(text, vorl::block::kHostTypeMax));
    ConfigReadString(cfg, "ListenAddress", text, sizeof text, out.listenAddress.c_str());
    out.listenAddress = text;
    ConfigReadString(cfg, "BroadcastAddress", text, sizeof text, out.broadcastAddress.c_str());
    out.broadcastAddress = text;
    ConfigReadString(cfg, "PluginSection", text, sizeof text, "");
    out.pluginSection = *text != '\0' ? std::string(text) : out.section + "_plugins";
    out.clients = ConfigReadInt(cfg, "Clients", out.clients);
    out.window = ConfigReadInt(cfg, "WindowSize", out.window);
    out.requestSize = ConfigReadInt(cfg, "RequestSize", out.requestSize);
    out.replySize = ConfigReadInt(cfg, "ReplySize", out.replySize);
    out.load = ConfigReadInt(cfg, "Load", out.load);
    out.objectKey = ConfigReadInt(cfg, "ObjectKey", 0);
    ConfigClose(cfg);

    if (!servicePort(service, out.port))
        return "\"Service\" names no port";
    // The stand-in serves tests and demonstrations on this machine only.
    if (!loopbackText(out.listenAddress))
        return "\"ListenAddress\" must be a 127.x address";
    if (!out.broadcastAddress.empty() && !loopbackText(out.broadcastAddress))
        return "\"BroadcastAddress\" must be a 127.x address";
    const vorl::block::Geometry g { out.clients, out.requestSize, out.replySize, out.window };
    if (!g.valid())
        return "\"Clients\", \"WindowSize\", \"RequestSize\" or \"ReplySize\" out of range";
    if (GetSharedMemoryKey(out.file.c_str(), service.c_str(), out.section.c_str(), &out.key) != 0)
        return "no shared memory key";
    if (out.objectKey == 0)
        out.objectKey = out.key + 1;
    return {};
}

} // namespace vorlrouter
