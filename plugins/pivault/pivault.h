#pragma once
// The scrambling plug-in: its entry and callbacks. The module exports only
// `Initialise`; the rest is reached through the table it hands out.
#include <cstdint>
#include <string>
#include <vector>

#include "vorl/plugin.h"

namespace pivault {

inline constexpr int kPluginMsgUse = 512;
inline constexpr int kUseLength = 3;

struct Context {
    PluginHostCallbacks host {};
    int role = 0;
    // Client: set while the server of its connection grants scrambling. Server: the "Use" key,
    // and per connection whether its client asked and was granted.
    int use = 0;
    std::vector<uint8_t> granted;
    std::string key;
};

int Initialise(const PluginHostInfo* info, const PluginHostCallbacks* callbacks,
    const PluginFunctions** table, void** context);

int Cleanup(void* context);
int OnRecvPluginPkt(void* context, PluginPluginPktRecord* rec);
int OnConnectToServer(void* context, PluginConnectRecord* rec);
int SendToNet(void* context, PluginPktRecord* pkt, const void* source, int sourceLength, void* target,
    int targetSize, int* length);
int RecvFromNet(void* context, PluginPktRecord* pkt, const void* source, int sourceLength, void* target,
    int targetSize, int* length);

} // namespace pivault
