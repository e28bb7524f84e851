#include "pigauge.h"

#include <cstdio>

#include "plugin_common.h"

namespace pigauge {
namespace {
constexpr int kVersion = VORL_PLUGIN_INTERFACE_VERSION;
constexpr int kShmkeyMax = 128;
} // namespace

int GetShmkey(Config config, int* key)
{
    char text[kShmkeyMax + 2];
    const int n = ConfigReadString(config, "shmkey", text, sizeof text, "");
    if (n < 0 || n > kShmkeyMax) {
        std::fprintf(stderr, "GetShmkey: Unable to read shmemky in config file\n");
        return -1001;
    }
    switch (plugins::ParseShmkey(text, key)) {
    case plugins::ShmkeyResult::Ok:
        return 0;
    case plugins::ShmkeyResult::Empty:
        std::fprintf(stderr, "GetShmkey: Unable to read shmkey in config file\n");
        return -1002;
    case plugins::ShmkeyResult::Invalid:
        break;
    }
    std::fprintf(stderr, "GetShmkey: Invalid shmkey %s in config file\n", text);
    return -1001;
}

int PIGAUGEInitialise(const PluginHostInfo* info, const PluginHostCallbacks* callbacks,
    const PluginFunctions** table, void** context)
{
    if (info == nullptr || callbacks == nullptr || table == nullptr || context == nullptr)
        return VORL_PLUGIN_FAIL;
    if (info->interfaceVersion != kVersion) {
        std::fprintf(stderr, "PIGAUGEInitialise: Version mismatch vorl %d plugin %d\n",
            info->interfaceVersion, kVersion);
        return VORL_PLUGIN_FAIL;
    }
    *context = nullptr;
    int rc = 0;
    int (*cleanup)(void*) = nullptr;
    switch (info->vorlType) {
    case VORL_ROLE_SERVER:
    case VORL_ROLE_BCSERVER:
        rc = ServerInitialise(info, callbacks, table, context);
        cleanup = ServerCleanup;
        break;
    case VORL_ROLE_CLIENT:
    case VORL_ROLE_BCCLIENT:
        rc = ClientInitialise(info, callbacks, table, context);
        cleanup = ClientCleanup;
        break;
    default:
        std::fprintf(stderr, "PIGAUGEInitialise: Invalid vorlType %d\n", info->vorlType);
        return VORL_PLUGIN_FAIL;
    }
    if (rc != 0) {
        std::fprintf(stderr, "PIGAUGEInitialise: Initialise failed %d\n", rc);
        // The router does not keep a plug-in that failed, so its context goes here.
        if (*context != nullptr)
            cleanup(*context);
        *context = nullptr;
        return VORL_PLUGIN_FAIL;
    }
    return VORL_PLUGIN_OK;
}

} // namespace pigauge
