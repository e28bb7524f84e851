// The client side: takes the server's configuration, counts the traffic and
// reports it every SendInterval received packets.
#include <cstdio>
#include <cstring>
#include <new>

#include "blocks.h"
#include "pigauge.h"
#include "plinth/time.h"

namespace pigauge {
namespace {

PluginFunctions clientTable()
{
    PluginFunctions t {};
    t.Cleanup = ClientCleanup;
    t.OnAddMsg = PIGAUGEOnAddMsg;
    t.OnGetMsg = PIGAUGEOnGetMsg;
    t.OnSendToNet = PIGAUGECountPacket;
    t.OnRecvFromNet = PIGAUGEOnSendtoNet;
    t.OnRecvPluginPkt = PIGAUGEClientOnRecvPluginPkt;
    t.OnConnectToServer = PIGAUGEOnConnectToServer;
    return t;
}
const PluginFunctions kClientTable = clientTable();

uint8_t* summaryOf(uint8_t* block)
{
    return block + kCbSummary;
}
uint8_t* rangeOf(uint8_t* block, int i)
{
    return block + kCbRanges + static_cast<std::size_t>(i) * kRangeRecordSize;
}

// The live counting block, or null while counting is off or after a failure.
uint8_t* counting(void* context)
{
    auto* ctx = static_cast<ClientContext*>(context);
    if (ctx == nullptr || ctx->released || ctx->block == nullptr)
        return nullptr;
    return plugins::getWord(ctx->block + kCbCounting) != 0 ? ctx->block : nullptr;
}

// The range record that counts a message type, null for a type of no range.
uint8_t* rangeFor(uint8_t* block, int type)
{
    const int range = FindFileIdx(block, type);
    return range >= 0 && range < kMaxRanges ? rangeOf(block, range) : nullptr;
}

uint32_t ms(uint64_t ticks)
{
    const uint64_t perSec = TimeTicksPerSec();
    return static_cast<uint32_t>(ticks * 1000 / (perSec != 0 ? perSec : 1000));
}

void resetSummary(uint8_t* s, uint32_t now)
{
    std::memset(s, 0, 4 * kSummaryWords);
    setWord(s, kSStartTick, now);
}

void resetRange(uint8_t* r, int index, uint32_t now)
{
    std::memset(r, 0, kRangeRecordSize);
    setWord(r, kRIndex, static_cast<uint32_t>(index));
    setWord(r, kRStartTick, now);
}

// The configuration of message 258, checked before it is taken: counts within
// the block, a positive interval, sets ordered, disjoint and naming ranges.
bool validConfig(const PluginMsgRecord& msg)
{
    if (msg.length != kConfigLength || msg.data == nullptr)
        return false;
    const auto* b = static_cast<const uint8_t*>(msg.data);
    const auto interval = static_cast<int32_t>(plugins::getBE32(b + kSbSendInterval));
    const auto sets = static_cast<int32_t>(plugins::getBE32(b + kSbSetCount));
    const auto ranges = static_cast<int32_t>(plugins::getBE32(b + kSbRangeCount));
    if (interval <= 0 || sets < 0 || sets > kMaxSets || ranges < 0 || ranges > kMaxRanges)
        return false;
    int64_t previousLast = -1;
    for (int i = 0; i < sets; ++i) {
        const uint8_t* s = b + kSbSets + i * kSetSize;
        const auto first = static_cast<int32_t>(plugins::getBE32(s));
        const auto last = static_cast<int32_t>(plugins::getBE32(s + 4));
        const auto range = static_cast<int32_t>(plugins::getBE32(s + 8));
        if (first <= previousLast || last < first || range < 0 || range >= ranges)
            return false;
        previousLast = last;
    }
    return true;
}

void InitialiseClientInfo(uint8_t* block, const uint8_t* config)
{
    const uint32_t now = TimeTickCount();
    setWord(block, kCbSendInterval / 4, plugins::getBE32(config + kSbSendInterval));
    const uint32_t ranges = plugins::getBE32(config + kSbRangeCount);
    setWord(block, kCbRangeCount / 4, ranges);
    setWord(block, kCbPackets / 4, 0);
    resetSummary(summaryOf(block), now);
    for (int i = 0; i < kMaxRanges; ++i)
        resetRange(rangeOf(block, i), i, now);
    const uint32_t sets = plugins::getBE32(config + kSbSetCount);
    setWord(block, kCbSetCount / 4, sets);
    for (int w = 0; w < kMaxSets * 3; ++w)
        setWord(block + kCbSets, w, plugins::getBE32(config + kSbSets + 4 * w));
}

int fatal(ClientContext* ctx)
{
    ClientRelease(ctx);
    return VORL_PLUGIN_FAIL;
}

int sendStats(ClientContext* ctx, PluginPktRecord* pkt, int type, const uint8_t* record)
{
    uint8_t body[kStatsLength];
    EncodeStats(record, body);
    return ctx->host.sendPluginMsgFn(pkt->context, type, body, kStatsLength);
}

// The report: summary first; ranges while the plug-in packet has room.
int report(ClientContext* ctx, PluginPktRecord* pkt)
{
    uint8_t* block = ctx->block;
    uint32_t now = TimeTickCount();
    uint8_t* s = summaryOf(block);
    setWord(s, kSElapsed, ms(TimeTickDelta(now, word(s, kSStartTick))));
    int rc = sendStats(ctx, pkt, kMsgSummaryStats, s);
    if (rc == VORL_PLUGIN_MORE)
        return 0;
    if (rc != 0) {
        std::fprintf(stderr, "PIGAUGEOnSendtoNet: sendPluginMsgfn failed %d\n", rc);
        return fatal(ctx);
    }
    resetSummary(s, now);
    const int ranges = static_cast<int>(word(block, kCbRangeCount / 4));
    for (int i = 0; i < ranges && i < kMaxRanges; ++i) {
        uint8_t* r = rangeOf(block, i);
        const uint32_t got = word(r, kRMsgsGot);
        setWord(r, kRAverage, got != 0 ? word(r, kRSum) / got : 0);
        now = TimeTickCount();
        setWord(r, kRElapsed, ms(TimeTickDelta(now, word(r, kRStartTick))));
        rc = sendStats(ctx, pkt, kMsgRangeStats, r);
        if (rc == VORL_PLUGIN_MORE)
            break;
        if (rc != 0) {
            std::fprintf(stderr, "PIGAUGEOnSendtoNet: sendPluginMsgfn failed %d\n", rc);
            return fatal(ctx);
        }
        resetRange(r, i, now);
    }
    return 0;
}

} // namespace

int FindFileIdx(const uint8_t* clientBlock, int type)
{
    const int sets = static_cast<int>(word(clientBlock, kCbSetCount / 4));
    for (int i = 0; i < sets && i < kMaxSets; ++i) {
        const uint8_t* s = clientBlock + kCbSets + i * kSetSize;
        if (plugins::getWord(s) > type)
            break;
        if (type <= plugins::getWord(s + 4))
            return plugins::getWord(s + 8);
    }
    return -1;
}

int ClientInitialise(const PluginHostInfo* info, const PluginHostCallbacks* callbacks,
    const PluginFunctions** table, void** context)
{
    auto* ctx = new (std::nothrow) ClientContext;
    if (ctx == nullptr) {
        std::fprintf(stderr, "ClientInitialise: malloc failed\n");
        return -1019;
    }
    ctx->host = *callbacks;
    ctx->role = info->vorlType;
    ctx->attached = info->attached;
    *table = &kClientTable;
    *context = ctx;
    ctx->config = ConfigOpen(info->section, info->configFile);
    if (ctx->config == nullptr) {
        std::fprintf(stderr, "ClientInitialise: Error opening config file %s section %s - %s\n",
            info->configFile, info->section, SysErrorString());
        return -1000;
    }
    int key = 0;
    if (ctx->role != VORL_ROLE_CLIENT) {
        if (const int rc = GetShmkey(ctx->config, &key); rc != 0) {
            std::fprintf(stderr, "ClientInitialise: GetShmkey failed %d\n\n", rc);
            return rc;
        }
    }
    if (ctx->role == VORL_ROLE_BCCLIENT && ctx->attached != 0) {
        ctx->shm = ShmemOpen(key);
        if (ctx->shm == nullptr) {
            std::fprintf(stderr, "ClientInitialise: Unable to open shared memory\n");
            return -1003;
        }
    } else {
        ctx->shm = ShmemCreate(key, kClientBlockSize);
        if (ctx->shm == nullptr) {
            std::fprintf(stderr, "ClientInitialise: Unable to create shared memory\n");
            return -1004;
        }
        ctx->created = true;
    }
    ctx->block = static_cast<uint8_t*>(ShmemGetPointer(ctx->shm));
    return 0;
}

void ClientRelease(ClientContext* ctx)
{
    if (ctx == nullptr || ctx->released)
        return;
    ctx->released = true;
    if (ctx->config != nullptr)
        ConfigClose(ctx->config);
    ctx->config = nullptr;
    if (ctx->shm != nullptr)
        ShmemClose(ctx->created ? ShmemCondemn(ctx->shm) : ctx->shm);
    ctx->shm = nullptr;
    ctx->block = nullptr;
}

int ClientCleanup(void* context)
{
    auto* ctx = static_cast<ClientContext*>(context);
    ClientRelease(ctx);
    delete ctx;
    return 0;
}

int PIGAUGEOnConnectToServer(void* context, PluginConnectRecord* rec)
{
    auto* ctx = static_cast<ClientContext*>(context);
    if (ctx == nullptr || rec == nullptr)
        return VORL_PLUGIN_FAIL;
    if (ctx->released)
        return VORL_PLUGIN_OK;
    const uint8_t request = 0;
    const int rc = ctx->host.sendPluginMsgFn(rec->context, kMsgConfigRequest, &request, 1);
    if (rc != 0) {
        std::fprintf(stderr, "PIGAUGEOnConnectToServer: sendPluginMsgFn failed %d\n", rc);
        return fatal(ctx);
    }
    plugins::putWord(ctx->block + kCbCounting, 0);
    return VORL_PLUGIN_OK;
}

int PIGAUGEClientOnRecvPluginPkt(void* context, PluginPluginPktRecord* rec)
{
    auto* ctx = static_cast<ClientContext*>(context);
    if (ctx == nullptr || rec == nullptr)
        return VORL_PLUGIN_FAIL;
    if (ctx->released)
        return VORL_PLUGIN_OK;
    bool configured = false;
    for (int i = 0; i < rec->count; ++i) {
        PluginMsgRecord msg {};
        const int rc = ctx->host.getMsgFromPkt(rec->context, rec->packet, i, &msg);
        if (rc != 0) {
            std::fprintf(stderr, "PIGAUGEClientOnRecvPluginPkt: getMsgFromPkt failed %d\n", rc);
            return fatal(ctx);
        }
        if (msg.type != kMsgConfig)
            continue;
        configured = true;
        if (!validConfig(msg)) {
            std::fprintf(stderr,
                "PIGAUGEClientOnRecvPluginPkt: configuration from server refused (length %d)\n", msg.length);
            continue;
        }
        plugins::putWord(ctx->block + kCbCounting, 1);
        InitialiseClientInfo(ctx->block, static_cast<const uint8_t*>(msg.data));
    }
    if (rec->round == VORL_PLUGIN_ROUND_FIRST && !configured) {
        std::fprintf(stderr, "PIGAUGEClientOnRecvPluginPkt: server is not running performance plugin\n");
    }
    return VORL_PLUGIN_OK;
}

int PIGAUGEOnAddMsg(void* context, PluginMsgRecord* msg)
{
    uint8_t* block = counting(context);
    if (block == nullptr || msg == nullptr)
        return VORL_PLUGIN_OK;
    if (uint8_t* r = rangeFor(block, msg->type); r != nullptr) {
        addWord(r, kRMsgsAdded, 1);
        addWord(r, kRBytesAdded, static_cast<uint32_t>(msg->length));
    }
    addWord(summaryOf(block), kSMsgsAdded, 1);
    return VORL_PLUGIN_OK;
}

int PIGAUGEOnGetMsg(void* context, PluginMsgRecord* msg)
{
    uint8_t* block = counting(context);
    if (block == nullptr || msg == nullptr)
        return VORL_PLUGIN_OK;
    if (uint8_t* r = rangeFor(block, msg->type); r != nullptr) {
        addWord(r, kRBytesGot, static_cast<uint32_t>(msg->length));
        const uint32_t t = ms(msg->roundTrip);
        if (word(r, kRMsgsGot) == 0) {
            setWord(r, kRShortest, t);
            setWord(r, kRLongest, t);
            setWord(r, kRSum, t);
        } else {
            if (t < word(r, kRShortest))
                setWord(r, kRShortest, t);
            if (t > word(r, kRLongest))
                setWord(r, kRLongest, t);
            addWord(r, kRSum, t);
        }
        addWord(r, kRMsgsGot, 1);
    }
    addWord(summaryOf(block), kSMsgsGot, 1);
    return VORL_PLUGIN_OK;
}

int PIGAUGECountPacket(void* context, PluginPktRecord* pkt)
{
    uint8_t* block = counting(context);
    if (block == nullptr || pkt == nullptr)
        return VORL_PLUGIN_OK;
    uint8_t* s = summaryOf(block);
    addWord(s, kSPktsSent, 1);
    addWord(s, kSBytesSent, static_cast<uint32_t>(pkt->length));
    if (pkt->resend != 0)
        addWord(s, kSResent, 1);
    return VORL_PLUGIN_OK;
}

int PIGAUGEOnSendtoNet(void* context, PluginPktRecord* pkt)
{
    uint8_t* block = counting(context);
    if (block == nullptr || pkt == nullptr)
        return VORL_PLUGIN_OK;
    uint8_t* s = summaryOf(block);
    addWord(block, kCbPackets / 4, 1);
    addWord(s, kSPktsRecv, 1);
    addWord(s, kSBytesRecv, static_cast<uint32_t>(pkt->length));
    if (pkt->resend != 0)
        addWord(s, kSReceivedResent, 1);
    if (word(block, kCbPackets / 4) < word(block, kCbSendInterval / 4))
        return VORL_PLUGIN_OK;
    if (report(static_cast<ClientContext*>(context), pkt) != 0)
        return VORL_PLUGIN_FAIL;
    // A failed report released the block.
    if (auto* ctx = static_cast<ClientContext*>(context); ctx->block != nullptr)
        setWord(ctx->block, kCbPackets / 4, 0);
    return VORL_PLUGIN_OK;
}

} // namespace pigauge
