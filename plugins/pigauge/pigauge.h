#pragma once
// The traffic statistics plug-in: its two sides and their contexts. The
// module exports only PIGAUGEInitialise.
#include <cstdint>

#include "plinth/config.h"
#include "plinth/mutex.h"
#include "plinth/shmem.h"
#include "server_config.h"
#include "vorl/plugin.h"

namespace pigauge {

struct ServerContext {
    PluginHostCallbacks host {};
    Config config = nullptr;
    PlinthShmem* shm = nullptr;
    uint8_t* block = nullptr;
    PlinthMutex* mutex = nullptr;
    int role = 0;
    int attached = 0;
    StatFiles files {};
    bool released = false;
};

struct ClientContext {
    PluginHostCallbacks host {};
    Config config = nullptr;
    PlinthShmem* shm = nullptr;
    uint8_t* block = nullptr;
    int role = 0;
    int attached = 0;
    bool created = false;
    bool released = false;
};

int PIGAUGEInitialise(const PluginHostInfo* info, const PluginHostCallbacks* callbacks,
    const PluginFunctions** table, void** context);

// "shmkey" of the plug-in's section: 0 or the failure code.
int GetShmkey(Config config, int* key);

int ServerInitialise(const PluginHostInfo* info, const PluginHostCallbacks* callbacks,
    const PluginFunctions** table, void** context);
// Releases the owning server's block, mutex, files and configuration; later
// calls find nothing to touch.
void ServerRelease(ServerContext* ctx);
int ServerCleanup(void* context);
int PIGAUGEServerOnRecvPluginPkt(void* context, PluginPluginPktRecord* rec);

int ClientInitialise(const PluginHostInfo* info, const PluginHostCallbacks* callbacks,
    const PluginFunctions** table, void** context);
void ClientRelease(ClientContext* ctx);
int ClientCleanup(void* context);
int PIGAUGEOnConnectToServer(void* context, PluginConnectRecord* rec);
int PIGAUGEClientOnRecvPluginPkt(void* context, PluginPluginPktRecord* rec);
int PIGAUGEOnAddMsg(void* context, PluginMsgRecord* msg);
int PIGAUGEOnGetMsg(void* context, PluginMsgRecord* msg);
int PIGAUGECountPacket(void* context, PluginPktRecord* pkt);
int PIGAUGEOnSendtoNet(void* context, PluginPktRecord* pkt);

// The range index of a message type in the client block, -1 for none.
int FindFileIdx(const uint8_t* clientBlock, int type);

} // namespace pigauge
