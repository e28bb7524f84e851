#pragma once
// The server handle and the pieces of the shared block's protocol that the
// server, the operator and the queue functions share.
#include <cstdint>
#include <map>
#include <string>

#include "packet.h"
#include "plinth/event.h"
#include "plinth/mutex.h"
#include "plinth/shmem.h"
#include "plugin_set.h"
#include "vorl/plugins.h"
#include "vorl/server.h"
#include "vorl/server_block.h"

namespace vorl {

inline constexpr uint16_t kServerMark = 42148;

// Where a role's configuration comes from: "file[,section]" split, with the
// role's default section.
struct RoleConfig {
    std::string file;
    std::string section;
    std::string pluginSection;
    std::string service;
    std::string hostType;
    int key = 0; // of the shared block
    int maxSendBufsize = 0; // "MaxSendBufsize", 0 when not set
};
// 0, 40 (no configuration) or 12 (no service / key).
int ReadRoleConfig(const char* config, const char* defaultSection, const char* service, const char* hostType,
    RoleConfig& out);

// An opened block whose geometry has been checked.
struct OpenBlock {
    PlinthShmem* shm = nullptr;
    block::View view;
};
// 0 or 13 (missing or malformed block).
int OpenServerBlock(int key, OpenBlock& out);
void CloseServerBlock(OpenBlock& b);
// 14 unless the block's host type equals hostType.
int CheckHostType(const block::View& view, const std::string& hostType);

enum class Take { Taken, Empty, NoMatch, Failed };
struct QueueEntry {
    int32_t client = -1;
    int32_t window = -1;
    int32_t pktClass = 0;
};
// Takes an entry under the queue mutex by the class rule. When the queue is
// empty and `wake` is given, the wake-up event is blocked before the mutex is
// released, so that the next writer's signal cannot be missed.
Take TakeFromQueue(
    const block::View& view, PlinthMutex* mutex, PlinthEvent* wake, int pktClass, QueueEntry& out);

} // namespace vorl

struct VORLServer {
    uint16_t mark = 0;
    vorl::RoleConfig config;
    vorl::OpenBlock block;
    PlinthEvent* wake = nullptr;
    PlinthMutex* queueMutex = nullptr;
    int maxSendBufsize = 0; // option 101, 0 for none

    // The current request.
    int client = -1;
    int window = -1;
    uint8_t* request = nullptr; // its request area
    uint8_t* reply = nullptr; // its reply area
    vorl::PacketView view;
    vorl::MsgCursor cursor;
    int largestReply = 0;

    // The reply being built (host order; mirrored into the reply state record).
    bool building = false;
    VORLPktHdr replyHdr {};
    int pktOverhead = 0;
    int msgOverhead = 0;

    // Reply events of client slots by key, opened on first use.
    std::map<int, PlinthEvent*> replyEvents;

    PluginSet* plugins = nullptr;
};

namespace vorl {
VORLServer* CheckServer(VORLSERVERHANDLE h);
// Makes (client, window) the current request: reads and checks its header,
// computes the largest reply, places the cursor on message 0. 0 or 10.
int MakeCurrent(VORLServer* s, int client, int window);
// Writes the reply header being built into the reply state record, where it
// is kept while the server turns to another request.
void MirrorReplyHeader(const VORLServer* s);
// Whether the set has any plug-in to call at all: without one, data is
// copied directly and nothing is notified.
inline bool HavePlugins(const PluginSet* set)
{
    return set != nullptr && set->count > 0;
}
// Looks at an event without sleeping for a short while: true once it is
// unblocked. Cheaper than a sleep and a wake-up when the signal is near.
inline constexpr int kSpinMicroseconds = 50;
bool SpinFor(PlinthEvent* event);
// Places the cursor on message `index` of the current request, giving a
// message without an address the packet's. 0, 10, 11.
int SeekMessage(VORLServer* s, int index);
// A message's data through the plug-ins (or copied) into `target`, which has
// `room` bytes: 0 with the written length in `out`, 6 when it does not fit,
// 52 when a plug-in fails or writes outside the target.
inline int AddThroughPlugins(
    PluginSet* plugins, PluginMsgRecord* rec, const void* data, int length, uint8_t* target, int room, int* out)
{
    static const uint8_t none = 0;
    const int rc = PluginsAddMsg(plugins, rec, data != nullptr ? data : &none, length, target, room, out);
    if (rc == VORL_PLUGIN_NOROOM)
        return VORL_ERR_NO_ROOM;
    if (rc != VORL_PLUGIN_OK || *out < 0 || *out > room)
        return VORL_ERR_PLUGIN;
    return VORL_OK;
}
// Types travel in 16 bits; a wider one would arrive as another type.
inline bool WireType(int type)
{
    return type >= 0 && type <= 0xFFFF;
}
} // namespace vorl
