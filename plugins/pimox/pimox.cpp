// Loading and unloading of pimox: the configuration, the key-slot table in
// shared memory and the toolkit.
#include "pimox.h"

#include <cstdio>
#include <new>

#include "plinth/time.h"
#include "plugin_common.h"

namespace pimox {
namespace {

constexpr int kShmkeyMax = 128;

PluginFunctions serverTable()
{
    PluginFunctions t {};
    t.Cleanup = PIMOXCleanup;
    t.OnRecvPluginPkt = PIMOXOnRecvPluginPkt;
    t.OnClientConnect = PIMOXOnClientConnect;
    t.OnClientDisconnect = PIMOXOnClientDisconnect;
    t.SendToNet = PIMOXSendToNet;
    t.RecvFromNet = PIMOXRecvFromNet;
    return t;
}
PluginFunctions clientTable()
{
    PluginFunctions t {};
    t.Cleanup = PIMOXCleanup;
    t.OnRecvPluginPkt = PIMOXOnRecvPluginPkt;
    t.OnConnectToServer = PIMOXOnConnectToServer;
    t.SendToNet = PIMOXSendToNet;
    t.RecvFromNet = PIMOXRecvFromNet;
    return t;
}
const PluginFunctions kServerTable = serverTable();
const PluginFunctions kClientTable = clientTable();

int readShmkey(Config config, int* key)
{
    char text[kShmkeyMax + 2];
    const int n = ConfigReadString(config, "shmkey", text, sizeof text, "");
    if (n < 0 || n > kShmkeyMax) {
        std::fprintf(stderr, "Initialise: Unable to read shmkey in config file\n");
        return kErrShmkeyRead;
    }
    switch (plugins::ParseShmkey(text, key)) {
    case plugins::ShmkeyResult::Ok:
        return 0;
    case plugins::ShmkeyResult::Empty:
        std::fprintf(stderr, "Initialise: Unable to read shmkey in config file\n");
        return kErrShmkeyEmpty;
    case plugins::ShmkeyResult::Invalid:
        break;
    }
    std::fprintf(stderr, "Initialise: Invalid shmkey %s in config file\n", text);
    return kErrShmkeyRead;
}

// The owning broadcast server's session keys, shared by all its clients.
int broadcastKeys(Context* ctx, int maxConnections)
{
    if (maxConnections != 1) {
        std::fprintf(
            stderr, "Initialise: Broadcast server max connections %d should be 1 only\n", maxConnections);
        return kErrBroadcastConnections;
    }
    uint8_t k1[8];
    uint8_t k2[8];
    int rc = MOXKeyGenerateDES(k1);
    if (rc == 0)
        rc = MOXKeyGenerateDES(k2);
    if (rc != 0) {
        std::fprintf(stderr, "Initialise: MOXKeyGenerateDES failed %d\n", rc);
        return rc;
    }
    if ((rc = InstallKeys(Slot(ctx, 0), k1, k2)) != 0) {
        std::fprintf(stderr, "Initialise: MOXKeyInitDES failed %d\n", rc);
        return rc;
    }
    return 0;
}

void release(Context* ctx)
{
    ReleasePrivateKey(ctx);
    if (ctx->toolkit)
        ReleaseToolkit();
    ctx->toolkit = false;
    if (ctx->config != nullptr)
        ConfigClose(ctx->config);
    ctx->config = nullptr;
    if (ctx->shm != nullptr)
        ShmemClose(ctx->created ? ShmemCondemn(ctx->shm) : ctx->shm);
    ctx->shm = nullptr;
    ctx->slots = nullptr;
    ctx->slotCount = 0;
}

} // namespace

int Initialise(const PluginHostInfo* info, const PluginHostCallbacks* callbacks, void** context)
{
    auto* ctx = new (std::nothrow) Context;
    if (ctx == nullptr) {
        std::fprintf(stderr, "Initialise: Malloc failed\n");
        return kErrNoMemory;
    }
    ctx->host = *callbacks;
    ctx->role = info->vorlType;
    ctx->attached = info->attached;
    if (const int rc = AcquireToolkit(); rc != 0) {
        std::fprintf(stderr, "Initialise: MOXInit failed %d\n", rc);
        delete ctx;
        return rc;
    }
    ctx->toolkit = true;
    *context = ctx;

    ctx->config = ConfigOpen(info->section, info->configFile);
    if (ctx->config == nullptr) {
        std::fprintf(stderr, "Initialise: Error opening config file %s section %s - %s\n", info->configFile,
            info->section, SysErrorString());
        return kErrConfig;
    }
    if (ctx->role == VORL_ROLE_SERVER)
        ctx->mandatory = ConfigReadInt(ctx->config, "mandatory", 0);
    int key = 0;
    if (ctx->role != VORL_ROLE_CLIENT) {
        if (const int rc = readShmkey(ctx->config, &key); rc != 0)
            return rc;
    }
    if (info->maxConnections <= 0) {
        std::fprintf(stderr, "Initialise: Unable to create shared memory\n");
        return kErrShmemCreate;
    }
    const std::size_t size = static_cast<std::size_t>(info->maxConnections) * kSlotSize;
    if (ctx->role == VORL_ROLE_CLIENT || ctx->attached == 0) {
        ctx->shm = ShmemCreate(key, size);
        if (ctx->shm == nullptr) {
            std::fprintf(stderr, "Initialise: Unable to create shared memory\n");
            return kErrShmemCreate;
        }
        ctx->created = true;
    } else {
        ctx->shm = ShmemOpen(key);
        if (ctx->shm == nullptr) {
            std::fprintf(stderr, "Initialise: Unable to open shared memory\n");
            return kErrShmemOpen;
        }
    }
    ctx->slots = static_cast<uint8_t*>(ShmemGetPointer(ctx->shm));
    ctx->slotCount = info->maxConnections;
    if (ctx->role == VORL_ROLE_BCSERVER && ctx->attached == 0)
        return broadcastKeys(ctx, info->maxConnections);
    return 0;
}

int PIMOXInitialise(const PluginHostInfo* info, const PluginHostCallbacks* callbacks,
    const PluginFunctions** table, void** context)
{
    if (info == nullptr || callbacks == nullptr || table == nullptr || context == nullptr)
        return VORL_PLUGIN_FAIL;
    switch (info->vorlType) {
    case VORL_ROLE_SERVER:
    case VORL_ROLE_BCSERVER:
        *table = &kServerTable;
        break;
    case VORL_ROLE_CLIENT:
    case VORL_ROLE_BCCLIENT:
        *table = &kClientTable;
        break;
    default:
        std::fprintf(stderr, "PIMOXInitialise: Invalid vorlType %d\n", info->vorlType);
        return VORL_PLUGIN_FAIL;
    }
    if (info->interfaceVersion != kVersion) {
        std::fprintf(stderr, "PIMOXInitialise: Version mismatch vorl %d plugin %d\n", info->interfaceVersion,
            kVersion);
        return VORL_PLUGIN_FAIL;
    }
    *context = nullptr;
    if (const int rc = Initialise(info, callbacks, context); rc != 0) {
        std::fprintf(stderr, "PIMOXInitialise: Initialise failed %d\n", rc);
        // The router keeps no plug-in that failed, so nobody else frees it.
        if (*context != nullptr)
            PIMOXCleanup(*context);
        *context = nullptr;
        return VORL_PLUGIN_FAIL;
    }
    return VORL_PLUGIN_OK;
}

int PIMOXCleanup(void* context)
{
    auto* ctx = static_cast<Context*>(context);
    if (ctx == nullptr)
        return 0;
    release(ctx);
    delete ctx;
    return 0;
}

} // namespace pimox
