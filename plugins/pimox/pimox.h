#pragma once
// The link-encryption plug-in: entry, initialisation and slots. The module
// exports only PIMOXInitialise.
#include "context.h"

namespace pimox {

int PIMOXInitialise(const PluginHostInfo* info, const PluginHostCallbacks* callbacks,
    const PluginFunctions** table, void** context);
int Initialise(const PluginHostInfo* info, const PluginHostCallbacks* callbacks, void** context);
// The host's cleanup slot: releases everything and frees the context.
int PIMOXCleanup(void* context);

int PIMOXOnConnectToServer(void* context, PluginConnectRecord* rec);
int PIMOXOnRecvPluginPkt(void* context, PluginPluginPktRecord* rec);
int AwaitRsaPublickey(Context* ctx, const PluginMsgRecord& msg, const PluginPluginPktRecord* rec);
int AwaitDesKey(Context* ctx, const PluginMsgRecord& msg);

int PIMOXOnClientConnect(void* context, PluginClientRecord* rec);
int PIMOXOnClientDisconnect(void* context, PluginClientRecord* rec);
int PIMOXSendToNet(void* context, PluginPktRecord* pkt, const void* source, int sourceLength, void* target,
    int targetSize, int* length);
int PIMOXRecvFromNet(void* context, PluginPktRecord* pkt, const void* source, int sourceLength, void* target,
    int targetSize, int* length);

} // namespace pimox
