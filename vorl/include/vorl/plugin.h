#pragma once
// The plug-in interface shared by the router and every plug-in: the host
// information, the host callbacks, the records handed to the plug-in's slots
// and the 16-slot table. A plug-in is a shared object (suffix ".vpx") that
// exports one initialisation function of type PluginInitFn.
//
// These records live in memory of one process and are never put on a wire.
#include <stdint.h>

#define VORL_PLUGIN_INTERFACE_VERSION 259
#define VORL_PLUGIN_MAX 8
#define VORL_PLUGIN_AREA_SIZE 30000
#define VORL_PLUGIN_PKT_CONTENT_MAX 29980
#define VORL_PLUGIN_RECV_MAX 60000

// Results of notifications and modifications.
#define VORL_PLUGIN_OK 0
#define VORL_PLUGIN_MORE 1
#define VORL_PLUGIN_FAIL 2
#define VORL_PLUGIN_NOROOM 3

// Roles (vorlType).
#define VORL_ROLE_SERVER 0
#define VORL_ROLE_CLIENT 1
#define VORL_ROLE_BCSERVER 2
#define VORL_ROLE_BCCLIENT 3

// Rounds of a received plug-in packet.
#define VORL_PLUGIN_ROUND_FIRST 1
#define VORL_PLUGIN_ROUND_LATER 2
#define VORL_PLUGIN_ROUND_AMONG_REPLIES 3

#ifdef __cplusplus
extern "C" {
#endif

// The host object a plug-in hands back to sendPluginMsgFn and getMsgFromPkt.
typedef struct PluginContext PluginContext;

typedef struct PluginHostInfo {
  int32_t interfaceVersion; // 259
  const char* configFile;
  const char* section;      // the plug-in's key in the plug-in section
  int32_t maxConnections;   // 1 for a client
  int32_t attached;         // 0: this process owns the plug-ins' shared state; else attaches to it
  int32_t vorlType;         // VORL_ROLE_*
} PluginHostInfo;

typedef struct PluginMsgRecord {
  int32_t index;
  int32_t type;
  void* data;
  int32_t length;
  uint32_t handle;       // +16 of the message header
  int32_t reserved1;     // 0
  int32_t reserved2;     // 0
  uint32_t roundTrip;    // ticks, received messages only
  int32_t fromPacket;    // -1 when filled by getMsgFromPkt, else 0
  PluginContext* context;
} PluginMsgRecord;

typedef struct PluginPktRecord {
  uint32_t seq;
  int32_t word1;         // caller's words; 0 from a client, the connection index on a server
  int32_t word2;
  void* packet;          // wire form
  int32_t pktClass;
  int32_t count;
  int32_t resend;        // 1 when sent again after a reconnection
  int32_t reserved;      // 0
  int32_t length;
  int32_t recvTimeout;   // caller's receive time-out, -1 on sending
  uint32_t roundTrip;    // ticks
  uint32_t waited;       // ticks spent waiting
  PluginContext* context;
} PluginPktRecord;

typedef struct PluginPluginPktRecord {
  int32_t round;         // VORL_PLUGIN_ROUND_*
  int32_t word;          // caller's word: on a server the client's IPv4 address, network order; 0 from a client
  int32_t connection;    // connection index on a server; 0 elsewhere
  void* packet;          // wire form, point-to-point header first
  int32_t count;
  int32_t length;
  PluginContext* context;
} PluginPluginPktRecord;

typedef struct PluginTimeoutRecord {
  int32_t reserved1;     // 0
  int32_t reserved2;     // 0
  int32_t expected;      // expected packet length, -1 when no header was read
  int32_t received;      // bytes received so far
  int32_t timeout;       // caller's time-out
  uint32_t sinceSent;    // ticks since the oldest unanswered packet was sent
  uint32_t waited;       // ticks spent waiting
  PluginContext* context;
} PluginTimeoutRecord;

typedef struct PluginConnectRecord {
  uint32_t address;      // server address, network order
  uint32_t port;         // host order
  PluginContext* context;
} PluginConnectRecord;

typedef struct PluginClientRecord {
  int32_t connection;    // connection index on a server
  PluginContext* context;
} PluginClientRecord;

typedef int (*PluginGetMsgFromPktFn)(PluginContext* ignored, const void* packet, int index,
                                     PluginMsgRecord* msg);
typedef int (*PluginSendPluginMsgFn)(PluginContext* context, int type, const void* data,
                                     int length);
typedef int (*PluginDefaultCopyFn)(PluginContext* ignored, const void* source, int sourceLength,
                                   void* target, int targetSize, int* length);

typedef struct PluginHostCallbacks {
  PluginGetMsgFromPktFn getMsgFromPkt;
  PluginSendPluginMsgFn sendPluginMsgFn;
  PluginDefaultCopyFn DefaultCopy;
} PluginHostCallbacks;

// Slots in table order; every slot gets the plug-in's own context first.
typedef struct PluginFunctions {
  int (*Cleanup)(void* ctx);                                                   // 0
  int (*OnAddMsg)(void* ctx, PluginMsgRecord* msg);                            // 1
  int (*OnGetMsg)(void* ctx, PluginMsgRecord* msg);                            // 2
  int (*OnSendToNet)(void* ctx, PluginPktRecord* pkt);                         // 3
  int (*OnRecvFromNet)(void* ctx, PluginPktRecord* pkt);                       // 4
  int (*OnRecvTimeout)(void* ctx, PluginTimeoutRecord* rec);                   // 5
  int (*OnRecvPluginPkt)(void* ctx, PluginPluginPktRecord* rec);               // 6
  int (*OnConnectToServer)(void* ctx, PluginConnectRecord* rec);               // 7
  int (*OnClientConnect)(void* ctx, PluginClientRecord* rec);                  // 8
  int (*OnClientDisconnect)(void* ctx, PluginClientRecord* rec);               // 9
  int (*AddMsg)(void* ctx, PluginMsgRecord* msg, const void* source, int sourceLength,
                void* target, int targetSize, int* length);                    // 10
  int (*GetMsg)(void* ctx, PluginMsgRecord* msg, const void* source, int sourceLength,
                void* target, int targetSize, int* length);                    // 11
  int (*SendToNet)(void* ctx, PluginPktRecord* pkt, const void* source, int sourceLength,
                   void* target, int targetSize, int* length);                 // 12
  int (*RecvFromNet)(void* ctx, PluginPktRecord* pkt, const void* source, int sourceLength,
                     void* target, int targetSize, int* length);               // 13
  int (*GetPktOverhead)(void* ctx, PluginPktRecord* pkt, int* bytes);          // 14
  int (*GetMsgOverhead)(void* ctx, PluginMsgRecord* msg, int* bytes);          // 15
} PluginFunctions;

// The initialisation function a plug-in exports by name: 0 and a table on
// success. The table and the context stay the plug-in's.
typedef int (*PluginInitFn)(const PluginHostInfo* info, const PluginHostCallbacks* callbacks,
                            const PluginFunctions** table, void** context);

#ifdef __cplusplus
}
#endif
