// The one export of pigauge.vpx, found by the router by name.
#include "pigauge.h"

extern "C" __attribute__((visibility("default"))) int PIGAUGEInitialise(const PluginHostInfo* info,
    const PluginHostCallbacks* callbacks, const PluginFunctions** table, void** context)
{
    return pigauge::PIGAUGEInitialise(info, callbacks, table, context);
}
