// The server side: hands the configuration to clients and writes their
// reports as rows of the statistics files.
#include <arpa/inet.h>
#include <netinet/in.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>

#include "blocks.h"
#include "pigauge.h"
#include "plinth/time.h"

namespace pigauge {
namespace {

PluginFunctions serverTable()
{
    PluginFunctions t {};
    t.Cleanup = ServerCleanup;
    t.OnRecvPluginPkt = PIGAUGEServerOnRecvPluginPkt;
    t.OnClientConnect = [](void*, PluginClientRecord*) { return 0; };
    t.OnClientDisconnect = [](void*, PluginClientRecord*) { return 0; };
    return t;
}
const PluginFunctions kServerTable = serverTable();
// A server process that attaches to the owner's state writes nothing.
const PluginFunctions kEmptyTable {};

std::string address(uint32_t networkOrder)
{
    in_addr a {};
    a.s_addr = networkOrder;
    char text[INET_ADDRSTRLEN] = "";
    inet_ntop(AF_INET, &a, text, sizeof text);
    return text;
}

// One row of 36 bytes from a client, to the summary file (range -1) or to the
// file of its range, under the mutex. 0 also for a row that is refused: one
// client's bad row must not stop everyone's statistics.
int writeRow(ServerContext* ctx, const char* writer, const PluginPluginPktRecord* rec,
    const PluginMsgRecord& msg, bool summary)
{
    if (msg.length != kStatsLength || msg.data == nullptr) {
        std::fprintf(
            stderr, "%s: message length %d should be %d - row skipped\n", writer, msg.length, kStatsLength);
        return 0;
    }
    int32_t w[kStatsWords];
    DecodeStats(static_cast<const uint8_t*>(msg.data), w);
    int file = 0;
    if (!summary) {
        const int ranges = plugins::getWord(ctx->block + kSbRangeCount);
        if (w[kRIndex] < 0 || w[kRIndex] >= ranges) {
            std::fprintf(
                stderr, "%s: range index %d outside 0..%d - row skipped\n", writer, w[kRIndex], ranges - 1);
            return 0;
        }
        file = 1 + w[kRIndex];
    }
    uint8_t* record
        = summary ? ctx->block + kSbSummaryFile : ctx->block + kSbRangeFiles + (file - 1) * kFileRecordSize;
    FILE* f = ctx->files[static_cast<std::size_t>(file)];
    if (f == nullptr)
        return 0;
    if (MutexGet(ctx->mutex) != 1) {
        std::fprintf(stderr, "%s: MutexGet failed %s\n", writer, SysErrorString());
        return -1018;
    }
    std::fprintf(f, "%s\t", address(static_cast<uint32_t>(rec->word)).c_str());
    if (summary) {
        std::fprintf(f, "%8d\t%8d\t%8d\t%8d\t%8d\t%8d\t%8d\t%8d\t%8d\n", w[0], w[1], w[2], w[3], w[4], w[5],
            w[6], w[7], w[8]);
    } else {
        std::fprintf(
            f, "%8d\t%8d\t%8d\t%8d\t%8d\t%8d\t%8d\t%8d\n", w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7]);
    }
    int rc = 0;
    const int rows = plugins::getWord(record + kFrRowsSinceFlush) + 1;
    if (rows >= plugins::getWord(record + kFrFlushInterval)) {
        if (std::fflush(f) != 0) {
            std::fprintf(stderr, "%s: fflush failed on %s errno %d\n", writer,
                reinterpret_cast<const char*>(record + kFrName), errno);
            rc = -1028;
        }
        plugins::putWord(record + kFrRowsSinceFlush, 0);
    } else {
        plugins::putWord(record + kFrRowsSinceFlush, rows);
    }
    MutexRelease(ctx->mutex);
    return rc;
}

int fatal(ServerContext* ctx)
{
    ServerRelease(ctx);
    return VORL_PLUGIN_FAIL;
}

} // namespace

int ServerInitialise(const PluginHostInfo* info, const PluginHostCallbacks* callbacks,
    const PluginFunctions** table, void** context)
{
    if (info->attached != 0) {
        *table = &kEmptyTable;
        *context = nullptr;
        return 0;
    }
    auto* ctx = new (std::nothrow) ServerContext;
    if (ctx == nullptr) {
        std::fprintf(stderr, "ServerInitialise: malloc failed \n");
        return -1019;
    }
    ctx->host = *callbacks;
    ctx->role = info->vorlType;
    ctx->attached = info->attached;
    *table = &kServerTable;
    *context = ctx;
    ctx->config = ConfigOpen(info->section, info->configFile);
    if (ctx->config == nullptr) {
        std::fprintf(stderr, "ServerInitialise: Error opening config file %s section %s - %s\n",
            info->configFile, info->section, SysErrorString());
        return -1000;
    }
    int key = 0;
    if (const int rc = GetShmkey(ctx->config, &key); rc != 0) {
        std::fprintf(stderr, "ServerInitialise: GetShmkey failed %d\n\n", rc);
        return rc;
    }
    ctx->shm = ShmemCreate(key, kServerBlockSize);
    if (ctx->shm == nullptr) {
        std::fprintf(stderr, "ServerInitialise: Unable to create shared memory\n");
        return -1004;
    }
    ctx->block = static_cast<uint8_t*>(ShmemGetPointer(ctx->shm));
    ctx->mutex = MutexCreate(key + 1);
    if (ctx->mutex == nullptr) {
        std::fprintf(stderr, "ServerInitialise: Unable to create mutex\n");
        return -1017;
    }
    if (const int rc = InitialiseServerInfo(ctx->config, info, ctx->block, ctx->files); rc != 0) {
        std::fprintf(stderr, "ServerInitialise: InitialiseServerInfo failed %d\n\n", rc);
        return rc;
    }
    return 0;
}

void ServerRelease(ServerContext* ctx)
{
    if (ctx == nullptr || ctx->released)
        return;
    ctx->released = true;
    for (FILE*& f : ctx->files) {
        if (f != nullptr)
            std::fclose(f);
        f = nullptr;
    }
    if (ctx->config != nullptr)
        ConfigClose(ctx->config);
    ctx->config = nullptr;
    if (ctx->shm != nullptr)
        ShmemClose(ShmemCondemn(ctx->shm));
    ctx->shm = nullptr;
    ctx->block = nullptr;
    if (ctx->mutex != nullptr)
        MutexClose(MutexCondemn(ctx->mutex));
    ctx->mutex = nullptr;
}

int ServerCleanup(void* context)
{
    auto* ctx = static_cast<ServerContext*>(context);
    ServerRelease(ctx);
    delete ctx;
    return 0;
}

int PIGAUGEServerOnRecvPluginPkt(void* context, PluginPluginPktRecord* rec)
{
    auto* ctx = static_cast<ServerContext*>(context);
    if (ctx == nullptr || rec == nullptr)
        return VORL_PLUGIN_FAIL;
    // Statistics stopped by an earlier failure leave the traffic alone.
    if (ctx->released)
        return VORL_PLUGIN_OK;
    bool asked = false;
    for (int i = 0; i < rec->count; ++i) {
        PluginMsgRecord msg {};
        const int rc = ctx->host.getMsgFromPkt(rec->context, rec->packet, i, &msg);
        if (rc != 0) {
            std::fprintf(stderr, "PIGAUGEServerOnRecvPluginPkt: getMsgFromPkt failed %d\n", rc);
            return fatal(ctx);
        }
        if (msg.type == kMsgConfigRequest) {
            asked = true;
            uint8_t config[kConfigLength];
            for (int w = 0; w < kConfigLength / 4; ++w) {
                plugins::putBE32(config + 4 * w, static_cast<uint32_t>(plugins::getWord(ctx->block + 4 * w)));
            }
            const int sent = ctx->host.sendPluginMsgFn(rec->context, kMsgConfig, config, kConfigLength);
            if (sent != 0) {
                std::fprintf(stderr, "PIGAUGEServerOnRecvPluginPkt: sendPluginMsgFn failed %d\n", sent);
                return fatal(ctx);
            }
        } else if (msg.type == kMsgRangeStats || msg.type == kMsgSummaryStats) {
            const bool summary = msg.type == kMsgSummaryStats;
            const int w
                = writeRow(ctx, summary ? "WriteClientData" : "WriteClientFileData", rec, msg, summary);
            if (w != 0) {
                std::fprintf(stderr, "PIGAUGEServerOnRecvPluginPkt: %s failed %d\n",
                    summary ? "WriteClientData" : "WriteClientFileData", w);
                return fatal(ctx);
            }
        }
    }
    if (rec->round == VORL_PLUGIN_ROUND_FIRST && !asked) {
        std::fprintf(stderr, "PIGAUGEServerOnRecvPluginPkt: client is not running performance plugin\n");
    }
    return VORL_PLUGIN_OK;
}

} // namespace pigauge
