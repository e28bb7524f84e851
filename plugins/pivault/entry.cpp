// The one export of pivault.vpx, found by the router by name.
#include "pivault.h"

extern "C" __attribute__((visibility("default"))) int Initialise(const PluginHostInfo* info,
    const PluginHostCallbacks* callbacks, const PluginFunctions** table, void** context)
{
    return pivault::Initialise(info, callbacks, table, context);
}
