#pragma once
// A stand-in router for one plug-in: loads the .vpx by name, hands it host
// callbacks that capture the plug-in messages it sends, and builds the records
// its slots take. Packets handed to the plug-in are the harness's own lists of
// messages; the plug-ins reach them only through getMsgFromPkt.
#include <cstdint>
#include <string>
#include <vector>

#include "vorl/plugin.h"

namespace plugtest {

struct Message {
    int type = 0;
    std::vector<uint8_t> data;
};
Message text(int type, const std::string& body);

struct Packet {
    std::vector<Message> messages;
};

// The host side: its address is the host object the plug-in hands back.
class Host {
public:
    static PluginHostCallbacks Callbacks();
    PluginContext* object() { return reinterpret_cast<PluginContext*>(this); }

    std::vector<Message> sent;
    // sendPluginMsgFn takes this many messages, then answers `fullResult`.
    int room = 1 << 30;
    int fullResult = VORL_PLUGIN_MORE;
    int getMsgResult = 0; // nonzero: getMsgFromPkt fails with it
    int copyCalls = 0; // DefaultCopy calls
};

// Records of the slots, pointing at the host object.
PluginPluginPktRecord PluginPacket(
    Host& host, Packet& packet, int round, int connection = 0, uint32_t address = 0);
PluginPktRecord PacketRecord(Host& host, int connection = 0, int length = 16, int resend = 0);
PluginMsgRecord MsgRecord(Host& host, int type, int length, uint32_t roundTrip = 0);

// The built plug-in <name>.vpx beside the test program.
std::string PluginPath(const std::string& name);

class Plugin {
public:
    Plugin(const std::string& name, const char* entry);
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    bool loaded() const { return init_ != nullptr; }
    // Runs the entry; the table and context stay for the slot calls. A context
    // handed out is cleaned up by the destructor unless cleanup() ran.
    int init(const PluginHostInfo& info, Host& host);
    void cleanup();

    const PluginFunctions* table = nullptr;
    void* context = nullptr;

    // Slot calls; an empty slot answers -1.
    int send(PluginPktRecord& pkt, const std::vector<uint8_t>& in, std::vector<uint8_t>& out, int outSize);
    int recv(PluginPktRecord& pkt, const std::vector<uint8_t>& in, std::vector<uint8_t>& out, int outSize);
    int pluginPacket(PluginPluginPktRecord& rec);
    int connect(Host& host);

private:
    void* lib_ = nullptr;
    PluginInitFn init_ = nullptr;
    PluginHostCallbacks callbacks_ {};
    bool cleaned_ = true;
};

// A host information record whose strings stay valid with it.
struct HostInfo {
    std::string file;
    std::string section;
    PluginHostInfo info {};
    HostInfo(std::string configFile, std::string sectionName, int role, int maxConnections = 1,
        int attached = 1, int version = VORL_PLUGIN_INTERFACE_VERSION);
    const PluginHostInfo& get();
};

// A private folder for configuration and statistics files.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }
    std::string write(const std::string& name, const std::string& text) const;
    std::string read(const std::string& name) const;

private:
    std::string path_;
};

// Named objects of this test in a namespace of their own; its persist server
// is stopped at the end.
class NamedScope {
public:
    NamedScope();
    ~NamedScope();
    NamedScope(const NamedScope&) = delete;
    NamedScope& operator=(const NamedScope&) = delete;
    // A key unlikely to be used by another test of the same namespace.
    static int Key(int n);
};

} // namespace plugtest
