#pragma once
// The plug-in host: one plug-in set per router role. The set loads the
// plug-ins named in the role's plug-in section, calls their notifications in
// load order and hands each modification to its one owner.
#include "vorl/export.h"
#include "vorl/plugin.h"

typedef struct PluginSet PluginSet;

// Loads the plug-ins of info->section in info->configFile (info->section is
// the role's plug-in section; each plug-in gets its own key as section).
// `area`: the plug-in packet area (VORL_PLUGIN_AREA_SIZE bytes) or null for
// one of the set's own; `mutexKey`: plinth mutex guarding the area, 0 for none.
// Null on any failure, reported on stderr.
VORL_API PluginSet* PluginsInit(const PluginHostInfo* info, void* area, int mutexKey);
VORL_API void PluginsCleanup(PluginSet* set);

// Notifications: 2 as soon as a plug-in returns 2 (or any value other than 0
// and 1), else 1 when any returned 1, else 0. A null record context is filled
// with the set's own.
VORL_API int PluginsOnAddMsg(PluginSet* set, PluginMsgRecord* msg);
VORL_API int PluginsOnGetMsg(PluginSet* set, PluginMsgRecord* msg);
VORL_API int PluginsOnSendToNet(PluginSet* set, PluginPktRecord* pkt);
VORL_API int PluginsOnRecvFromNet(PluginSet* set, PluginPktRecord* pkt);
VORL_API int PluginsOnRecvTimeout(PluginSet* set, PluginTimeoutRecord* rec);
VORL_API int PluginsOnRecvPluginPkt(PluginSet* set, PluginPluginPktRecord* rec);
VORL_API int PluginsOnConnectToServer(PluginSet* set, PluginConnectRecord* rec);
VORL_API int PluginsOnClientConnect(PluginSet* set, PluginClientRecord* rec);
VORL_API int PluginsOnClientDisconnect(PluginSet* set, PluginClientRecord* rec);

// Modifications: the owner's result (0 done, 3 no room, 2 failure), or the
// plain copy of DefaultCopy when no plug-in owns the slot.
VORL_API int PluginsAddMsg(PluginSet* set, PluginMsgRecord* msg, const void* source, int sourceLength,
                           void* target, int targetSize, int* length);
VORL_API int PluginsGetMsg(PluginSet* set, PluginMsgRecord* msg, const void* source, int sourceLength,
                           void* target, int targetSize, int* length);
VORL_API int PluginsSendToNet(PluginSet* set, PluginPktRecord* pkt, const void* source,
                              int sourceLength, void* target, int targetSize, int* length);
VORL_API int PluginsRecvFromNet(PluginSet* set, PluginPktRecord* pkt, const void* source,
                                int sourceLength, void* target, int targetSize, int* length);
// Overheads of the owners of AddMsg / SendToNet; 0 bytes and 0 without one.
VORL_API int PluginsGetPktOverhead(PluginSet* set, PluginPktRecord* pkt, int* bytes);
VORL_API int PluginsGetMsgOverhead(PluginSet* set, PluginMsgRecord* msg, int* bytes);

VORL_API int PluginsHaveGetMsg(PluginSet* set);
VORL_API int PluginsHaveSendToNet(PluginSet* set);
VORL_API int PluginsHaveRecvFromNet(PluginSet* set);

// Sends a point-to-point packet in wire form through the SendToNet owner and
// the OnSendToNet notification: 0, 52 (plug-in), 23 (short write),
// 10 (a header length outside 16..bufferSize).
VORL_API int PluginsSendPacket(PluginSet* set, int sock, int word1, int word2, const void* packet,
                               int bufferSize, int resend);

// Plug-in packets (header: kind 2, class 1, sequence 0xFFFFFFFF).
VORL_API int PluginsStartPluginPkt(PluginSet* set);
VORL_API int PluginsSendPluginPkt(PluginSet* set, int sock);
// Reads one plug-in packet (time-outs in seconds; the packet time-out counts
// from the call) and hands it to OnRecvPluginPkt; *more receives its result.
// 0, 10, 22, 24, or 52 for a result other than 0 and 1.
VORL_API int PluginsRecvPluginPkt(PluginSet* set, int sock, int recvTimeout, int charTimeout,
                                  int pktTimeout, int word, int round, int* more);
// The same for a server, whose plug-ins keep state per connection: `connection`
// (0 up to the most connections - 1) reaches them in the record's connection
// word, where the call above puts 0. An index outside that range gives 52.
VORL_API int PluginsRecvPluginPktOnConnection(PluginSet* set, int sock, int recvTimeout, int charTimeout,
                                              int pktTimeout, int word, int connection, int round,
                                              int* more);
VORL_API int PluginsHasPluginPktStarted(PluginSet* set);
VORL_API PluginContext* PluginsDefaultContext(PluginSet* set);

VORL_API int PluginsContextStartPluginPkt(PluginContext* context);
VORL_API int PluginsContextSendPluginPkt(PluginContext* context, int sock);
VORL_API int PluginsContextRecvPluginPkt(PluginContext* context, int sock, int recvTimeout,
                                         int charTimeout, int pktTimeout, int word, int round,
                                         int* more);
VORL_API int PluginsContextRecvPluginPktOnConnection(PluginContext* context, int sock, int recvTimeout,
                                                     int charTimeout, int pktTimeout, int word,
                                                     int connection, int round, int* more);
VORL_API int PluginsContextHasPluginPktStarted(PluginContext* context);
