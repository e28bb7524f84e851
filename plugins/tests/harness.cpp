#include "harness.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "plinth/persist.h"

namespace plugtest {
namespace {

int getMsg(PluginContext* context, const void* packet, int index, PluginMsgRecord* msg)
{
    if (auto* host = reinterpret_cast<Host*>(context); host != nullptr && host->getMsgResult != 0) {
        return host->getMsgResult;
    }
    const auto* p = static_cast<const Packet*>(packet);
    if (p == nullptr || msg == nullptr)
        return VORL_PLUGIN_FAIL;
    if (index < 0 || static_cast<std::size_t>(index) >= p->messages.size())
        return VORL_PLUGIN_NOROOM;
    const Message& m = p->messages[static_cast<std::size_t>(index)];
    *msg = PluginMsgRecord { index, m.type, const_cast<uint8_t*>(m.data.data()),
        static_cast<int32_t>(m.data.size()), 0, 0, 0, 0, -1, nullptr };
    return 0;
}

int sendMsg(PluginContext* context, int type, const void* data, int length)
{
    auto* host = reinterpret_cast<Host*>(context);
    if (host == nullptr || length < 0)
        return VORL_PLUGIN_FAIL;
    if (static_cast<int>(host->sent.size()) >= host->room)
        return host->fullResult;
    Message m;
    m.type = type;
    if (length > 0)
        m.data.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + length);
    host->sent.push_back(std::move(m));
    return 0;
}

int copy(
    PluginContext* context, const void* source, int sourceLength, void* target, int targetSize, int* length)
{
    if (auto* host = reinterpret_cast<Host*>(context))
        ++host->copyCalls;
    const int n = sourceLength < targetSize ? sourceLength : targetSize;
    *length = n > 0 ? n : 0;
    if (*length > 0)
        std::memmove(target, source, static_cast<std::size_t>(*length));
    return sourceLength > targetSize ? VORL_PLUGIN_NOROOM : VORL_PLUGIN_OK;
}

} // namespace

Message text(int type, const std::string& body)
{
    return Message { type, std::vector<uint8_t>(body.begin(), body.end()) };
}

PluginHostCallbacks Host::Callbacks()
{
    return PluginHostCallbacks { getMsg, sendMsg, copy };
}

PluginPluginPktRecord PluginPacket(Host& host, Packet& packet, int round, int connection, uint32_t address)
{
    return PluginPluginPktRecord { round, static_cast<int32_t>(address), connection, &packet,
        static_cast<int32_t>(packet.messages.size()), 0, host.object() };
}

PluginPktRecord PacketRecord(Host& host, int connection, int length, int resend)
{
    return PluginPktRecord { 1, connection, 0, nullptr, 1, 1, resend, 0, length, -1, 0, 0, host.object() };
}

PluginMsgRecord MsgRecord(Host& host, int type, int length, uint32_t roundTrip)
{
    return PluginMsgRecord { 0, type, nullptr, length, 0, 0, 0, roundTrip, 0, host.object() };
}

std::string PluginPath(const std::string& name)
{
    const char* dir = std::getenv("KV_BIN_DIR");
    return std::string(dir != nullptr && *dir != '\0' ? dir : PLUGINS_TEST_BIN_DIR) + "/" + name + ".vpx";
}

Plugin::Plugin(const std::string& name, const char* entry)
    : lib_(dlopen(PluginPath(name).c_str(), RTLD_NOW | RTLD_NODELETE))
{
    if (lib_ != nullptr)
        init_ = reinterpret_cast<PluginInitFn>(dlsym(lib_, entry));
}

Plugin::~Plugin()
{
    cleanup();
    if (lib_ != nullptr)
        dlclose(lib_);
}

int Plugin::init(const PluginHostInfo& info, Host&)
{
    if (init_ == nullptr)
        return -1;
    callbacks_ = Host::Callbacks();
    table = nullptr;
    context = nullptr;
    const int rc = init_(&info, &callbacks_, &table, &context);
    cleaned_ = rc != 0;
    return rc;
}

void Plugin::cleanup()
{
    if (!cleaned_ && table != nullptr && table->Cleanup != nullptr)
        table->Cleanup(context);
    cleaned_ = true;
}

namespace {
int modify(int (*fn)(void*, PluginPktRecord*, const void*, int, void*, int, int*), void* context,
    PluginPktRecord& pkt, const std::vector<uint8_t>& in, std::vector<uint8_t>& out, int outSize)
{
    if (fn == nullptr)
        return -1;
    out.assign(static_cast<std::size_t>(outSize), 0xEE);
    int length = -1;
    const int rc = fn(context, &pkt, in.data(), static_cast<int>(in.size()), out.data(), outSize, &length);
    out.resize(
        rc == VORL_PLUGIN_OK && length >= 0 && length <= outSize ? static_cast<std::size_t>(length) : 0);
    return rc;
}
} // namespace

int Plugin::send(PluginPktRecord& pkt, const std::vector<uint8_t>& in, std::vector<uint8_t>& out, int outSize)
{
    return modify(table->SendToNet, context, pkt, in, out, outSize);
}
int Plugin::recv(PluginPktRecord& pkt, const std::vector<uint8_t>& in, std::vector<uint8_t>& out, int outSize)
{
    return modify(table->RecvFromNet, context, pkt, in, out, outSize);
}
int Plugin::pluginPacket(PluginPluginPktRecord& rec)
{
    return table->OnRecvPluginPkt != nullptr ? table->OnRecvPluginPkt(context, &rec) : -1;
}
int Plugin::connect(Host& host)
{
    PluginConnectRecord rec { 0x0100007F, 0, host.object() };
    return table->OnConnectToServer != nullptr ? table->OnConnectToServer(context, &rec) : -1;
}

HostInfo::HostInfo(
    std::string configFile, std::string sectionName, int role, int maxConnections, int attached, int version)
    : file(std::move(configFile))
    , section(std::move(sectionName))
{
    info = PluginHostInfo { version, nullptr, nullptr, maxConnections, attached, role };
}
const PluginHostInfo& HostInfo::get()
{
    info.configFile = file.c_str();
    info.section = section.c_str();
    return info;
}

ScratchDir::ScratchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "plugtest.XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr)
        path_ = pattern;
}
ScratchDir::~ScratchDir()
{
    std::error_code ec;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ec);
}
std::string ScratchDir::write(const std::string& name, const std::string& text) const
{
    const std::string file = path_ + "/" + name;
    std::ofstream(file, std::ios::binary) << text;
    return file;
}
std::string ScratchDir::read(const std::string& name) const
{
    std::ifstream in(path_ + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

NamedScope::NamedScope()
{
    const std::string ns = "t" + std::to_string(getpid()) + "_pl";
    setenv("PLINTH_NAMESPACE", ns.c_str(), 1);
}
NamedScope::~NamedScope()
{
    SysStopPersistServer();
    unsetenv("PLINTH_NAMESPACE");
}
int NamedScope::Key(int n)
{
    return 0x5000 + n;
}

} // namespace plugtest
