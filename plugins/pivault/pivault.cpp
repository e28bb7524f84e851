#include "pivault.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "ini.h"
#include "keystring.h"

namespace pivault {
namespace {

constexpr int kVersion = VORL_PLUGIN_INTERFACE_VERSION;
constexpr char kUse[] = "USE";
constexpr char kDecline[] = "   ";

PluginFunctions makeTable()
{
    PluginFunctions t {};
    t.Cleanup = Cleanup;
    t.OnRecvPluginPkt = OnRecvPluginPkt;
    t.OnConnectToServer = OnConnectToServer;
    t.SendToNet = SendToNet;
    t.RecvFromNet = RecvFromNet;
    return t;
}
const PluginFunctions kTable = makeTable();

// The server's "Use" key: an integer, 0 (the default) declines every client.
bool readUse(const PluginHostInfo* info, int* use)
{
    *use = 0;
    if (info->configFile == nullptr || info->section == nullptr)
        return true;
    const auto value = ReadIniValue(info->configFile, info->section, "Use");
    if (!value || value->empty())
        return true;
    char* end = nullptr;
    const long v = std::strtol(value->c_str(), &end, 10);
    if (end == value->c_str() || *end != '\0') {
        std::fprintf(
            stderr, "Initialise: Invalid Use value \"%s\" in section %s\n", value->c_str(), info->section);
        return false;
    }
    *use = v != 0 ? 1 : 0;
    return true;
}

int transform(void* context, PluginPktRecord* pkt, const void* source, int sourceLength, void* target,
    int targetSize, int* length)
{
    auto* ctx = static_cast<Context*>(context);
    if (ctx == nullptr || length == nullptr)
        return VORL_PLUGIN_FAIL;
    bool on = ctx->use != 0;
    if (on && ctx->role == VORL_ROLE_SERVER) {
        // A server scrambles only the links whose clients asked for it.
        const int connection = pkt != nullptr ? pkt->word1 : -1;
        if (connection < 0 || static_cast<std::size_t>(connection) >= ctx->granted.size()) {
            std::fprintf(
                stderr, "pivault: connection index %d outside 0..%zu\n", connection, ctx->granted.size());
            return VORL_PLUGIN_FAIL;
        }
        on = ctx->granted[static_cast<std::size_t>(connection)] != 0;
    }
    if (!on) {
        return ctx->host.DefaultCopy(
            pkt != nullptr ? pkt->context : nullptr, source, sourceLength, target, targetSize, length);
    }
    if (sourceLength < 0 || (sourceLength > 0 && (source == nullptr || target == nullptr)))
        return VORL_PLUGIN_FAIL;
    // Never past the caller's buffer: a payload that does not fit is the host's
    // "no room", not a write beyond the end.
    if (sourceLength > targetSize)
        return VORL_PLUGIN_NOROOM;
    Scramble(ctx->key, static_cast<const uint8_t*>(source), sourceLength, static_cast<uint8_t*>(target));
    *length = sourceLength;
    return VORL_PLUGIN_OK;
}

} // namespace

int Initialise(const PluginHostInfo* info, const PluginHostCallbacks* callbacks,
    const PluginFunctions** table, void** context)
{
    if (info == nullptr || callbacks == nullptr || table == nullptr || context == nullptr)
        return VORL_PLUGIN_FAIL;
    std::string key;
    try {
        key = BuildKeyString(kKeyStringSize);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "Initialise: cannot allocate memory\n");
        return VORL_PLUGIN_FAIL;
    }
    if (info->interfaceVersion != kVersion) {
        std::fprintf(
            stderr, "Initialise: Version mismatch vorl %d plugin %d\n", info->interfaceVersion, kVersion);
        return VORL_PLUGIN_FAIL;
    }
    int use = 0;
    if (info->vorlType == VORL_ROLE_SERVER && !readUse(info, &use))
        return VORL_PLUGIN_FAIL;
    std::unique_ptr<Context> ctx(new (std::nothrow) Context);
    if (ctx == nullptr) {
        std::fprintf(stderr, "Initialise: plugin malloc\n");
        return VORL_PLUGIN_FAIL;
    }
    ctx->host = *callbacks;
    ctx->role = info->vorlType;
    ctx->use = use;
    try {
        if (ctx->role == VORL_ROLE_SERVER && use != 0) {
            ctx->granted.assign(
                static_cast<std::size_t>(info->maxConnections > 0 ? info->maxConnections : 0), 0);
        }
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "Initialise: plugin malloc\n");
        return VORL_PLUGIN_FAIL;
    }
    ctx->key = std::move(key);
    *table = &kTable;
    *context = ctx.release();
    return VORL_PLUGIN_OK;
}

int Cleanup(void* context)
{
    delete static_cast<Context*>(context);
    return VORL_PLUGIN_OK;
}

int OnConnectToServer(void* context, PluginConnectRecord* rec)
{
    auto* ctx = static_cast<Context*>(context);
    if (ctx == nullptr || rec == nullptr)
        return VORL_PLUGIN_FAIL;
    // Every connection asks anew: the server of a new connection may decline.
    if (ctx->role == VORL_ROLE_CLIENT)
        ctx->use = 0;
    return ctx->host.sendPluginMsgFn(rec->context, kPluginMsgUse, kUse, kUseLength);
}

int OnRecvPluginPkt(void* context, PluginPluginPktRecord* rec)
{
    auto* ctx = static_cast<Context*>(context);
    if (ctx == nullptr || rec == nullptr)
        return VORL_PLUGIN_FAIL;
    bool asked = false;
    for (int i = 0; i < rec->count; ++i) {
        PluginMsgRecord msg {};
        const int rc = ctx->host.getMsgFromPkt(rec->context, rec->packet, i, &msg);
        if (rc != 0) {
            std::fprintf(stderr, "OnRecvPluginPkt: getMsgFromPkt failed %d\n", rc);
            return VORL_PLUGIN_FAIL;
        }
        if (msg.type != kPluginMsgUse)
            continue;
        const bool askedUse
            = msg.length >= kUseLength && msg.data != nullptr && std::memcmp(msg.data, kUse, kUseLength) == 0;
        if (ctx->role == VORL_ROLE_SERVER) {
            // The answer is best effort: a client that reads nothing stays clear.
            ctx->host.sendPluginMsgFn(
                rec->context, kPluginMsgUse, ctx->use != 0 ? kUse : kDecline, kUseLength);
            asked = asked || askedUse;
        } else if (ctx->role == VORL_ROLE_CLIENT) {
            if (askedUse)
                ctx->use = 1;
        }
    }
    // The first exchange of a connection decides its state on a granting server,
    // so that a later client on the same index starts clear.
    if (ctx->role == VORL_ROLE_SERVER && ctx->use != 0 && rec->round == VORL_PLUGIN_ROUND_FIRST) {
        const int connection = rec->connection;
        if (connection < 0 || static_cast<std::size_t>(connection) >= ctx->granted.size()) {
            std::fprintf(stderr, "OnRecvPluginPkt: connection index %d outside 0..%zu\n", connection,
                ctx->granted.size());
            return VORL_PLUGIN_FAIL;
        }
        ctx->granted[static_cast<std::size_t>(connection)] = asked ? 1 : 0;
    }
    return VORL_PLUGIN_OK;
}

int SendToNet(void* context, PluginPktRecord* pkt, const void* source, int sourceLength, void* target,
    int targetSize, int* length)
{
    return transform(context, pkt, source, sourceLength, target, targetSize, length);
}

int RecvFromNet(void* context, PluginPktRecord* pkt, const void* source, int sourceLength, void* target,
    int targetSize, int* length)
{
    return transform(context, pkt, source, sourceLength, target, targetSize, length);
}

} // namespace pivault
