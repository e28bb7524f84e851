// The one export of pimox.vpx, found by the router by name.
#include "pimox.h"

extern "C" __attribute__((visibility("default"))) int PIMOXInitialise(const PluginHostInfo* info,
    const PluginHostCallbacks* callbacks, const PluginFunctions** table, void** context)
{
    return pimox::PIMOXInitialise(info, callbacks, table, context);
}
