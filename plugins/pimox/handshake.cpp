// The key exchange: the client's RSA public key (513) and the server's two
// DES keys enciphered under it (514). A failure fails the one connection and
// leaves the key table, the toolkit and every other connection as they are.
#include <cstdio>
#include <cstring>

#include "berkey.h"
#include "pimox.h"

namespace pimox {
namespace {

// The slot of the connection a plug-in packet came on; a client has one.
uint8_t* packetSlot(Context* ctx, const PluginPluginPktRecord* rec, const char* fn)
{
    const int index = ctx->role == VORL_ROLE_SERVER ? rec->connection : 0;
    uint8_t* slot = Slot(ctx, index);
    if (slot == nullptr) {
        std::fprintf(stderr, "%s: connection index %d outside 0..%d\n", fn, index, ctx->slotCount - 1);
    }
    return slot;
}

} // namespace

int PIMOXOnConnectToServer(void* context, PluginConnectRecord* rec)
{
    auto* ctx = static_cast<Context*>(context);
    uint8_t* slot = ctx != nullptr ? Slot(ctx, 0) : nullptr;
    if (slot == nullptr || rec == nullptr)
        return VORL_PLUGIN_FAIL;
    SetLine(slot, false);
    // A key left from an earlier attempt is not reused: every connection gets a new pair.
    ReleasePrivateKey(ctx);
    MOXKEY publicKey {};
    int rc = MOXKeyGenerateRSA(&publicKey, &ctx->privateKey);
    if (rc != 0) {
        std::fprintf(stderr, "PIMOXOnConnectToServer: MOXKeyGenerateRSA failed %d\n", rc);
        return VORL_PLUGIN_FAIL;
    }
    ctx->hasPrivateKey = true;
    uint8_t* buffer = nullptr;
    uint32_t length = 0;
    rc = MOXRSAKeyToBuffer(&publicKey, &buffer, &length);
    MOXKeyCleanup(&publicKey);
    if (rc != 0) {
        std::fprintf(stderr, "PIMOXOnConnectToServer: MOXRSAKeyToBuffer failed %d\n", rc);
        ReleasePrivateKey(ctx);
        return VORL_PLUGIN_FAIL;
    }
    const int sent = ctx->host.sendPluginMsgFn(rec->context, kMsgPublicKey, buffer, static_cast<int>(length));
    if (sent != 0)
        std::fprintf(stderr, "PIMOXOnConnectToServer: sendPluginMsgFn failed %d\n", sent);
    if ((rc = MOXDisposeMem(buffer)) != 0)
        std::fprintf(stderr, "PIMOXOnConnectToServer: MOXDisposeMem failed %d\n", rc);
    if (sent != 0 || rc != 0) {
        ReleasePrivateKey(ctx);
        return VORL_PLUGIN_FAIL;
    }
    return VORL_PLUGIN_OK;
}

int AwaitRsaPublickey(Context* ctx, const PluginMsgRecord& msg, const PluginPluginPktRecord* rec)
{
    if (ctx->role != VORL_ROLE_SERVER && ctx->role != VORL_ROLE_BCSERVER) {
        std::fprintf(stderr, "AwaitRsaPublickey: Invalid vorlType %d\n", ctx->role);
        return kErrNotServer;
    }
    uint8_t* slot = packetSlot(ctx, rec, "AwaitRsaPublickey");
    if (slot == nullptr)
        return kErrConnection;
    // The message's length bounds every read of the key.
    const auto* body = static_cast<const uint8_t*>(msg.data);
    const std::size_t length = msg.length > 0 && body != nullptr ? static_cast<std::size_t>(msg.length) : 0;
    std::string why;
    if (!CheckPublicKey(body, length, &why)) {
        std::fprintf(stderr, "AwaitRsaPublickey: public key refused - %s\n", why.c_str());
        return kErrBadPublicKey;
    }
    MOXKEY publicKey {};
    int rc = MOXKeyInitRSABuffer(body, length, &publicKey);
    if (rc != 0) {
        std::fprintf(stderr, "AwaitRsaPublickey: MOXKeyInitRSABuffer failed %d\n", rc);
        return rc;
    }
    uint8_t keys[kSessionKeyLength];
    if (ctx->role == VORL_ROLE_SERVER) {
        rc = MOXKeyGenerateDES(keys);
        if (rc == 0)
            rc = MOXKeyGenerateDES(keys + 8);
        if (rc != 0)
            std::fprintf(stderr, "AwaitRsaPublickey: MOXKeyGenerateDES failed %d\n", rc);
    } else {
        uint8_t* owner = Slot(ctx, 0);
        std::memcpy(keys, owner + kSlotK1, 8);
        std::memcpy(keys + 8, owner + kSlotK2, 8);
    }
    uint8_t cipher[kCipherMax];
    uint32_t cipherLength = 0;
    if (rc == 0) {
        rc = MOXRSAEncrypt(&publicKey, keys, kSessionKeyLength, cipher, sizeof cipher, &cipherLength);
        if (rc != 0)
            std::fprintf(stderr, "AwaitRsaPublickey: MOXRSAEncrypt failed %d\n", rc);
    }
    MOXKeyCleanup(&publicKey);
    if (rc != 0)
        return rc;
    const int sent
        = ctx->host.sendPluginMsgFn(rec->context, kMsgSessionKey, cipher, static_cast<int>(cipherLength));
    if (sent != 0) {
        std::fprintf(stderr, "AwaitRsaPublickey: sendPluginMsgFn failed %d\n", sent);
        return kErrSend;
    }
    // The new keys take effect once the client has been sent them.
    if (ctx->role == VORL_ROLE_SERVER && (rc = InstallKeys(slot, keys, keys + 8)) != 0) {
        std::fprintf(stderr, "AwaitRsaPublickey: MOXKeyInitDES failed %d\n", rc);
        return rc;
    }
    std::memset(keys, 0, sizeof keys);
    return 0;
}

int AwaitDesKey(Context* ctx, const PluginMsgRecord& msg)
{
    if (!ctx->hasPrivateKey) {
        std::fprintf(stderr, "AwaitDesKey: MOXKeyInitRSAFile failed %d\n", kErrNoPrivateKey);
        return kErrNoPrivateKey;
    }
    const auto* body = static_cast<const uint8_t*>(msg.data);
    if (msg.length <= 0 || msg.length > kCipherMax || body == nullptr) {
        std::fprintf(stderr, "AwaitDesKey: session key message of %d bytes refused\n", msg.length);
        ReleasePrivateKey(ctx);
        return kErrBadSessionKey;
    }
    uint8_t plain[kCipherMax];
    uint32_t plainLength = 0;
    int rc = MOXRSADecrypt(
        &ctx->privateKey, body, static_cast<uint32_t>(msg.length), plain, sizeof plain, &plainLength);
    ReleasePrivateKey(ctx);
    if (rc != 0) {
        std::fprintf(stderr, "AwaitDesKey: MOXRSADecrypt failed %d\n", rc);
        return rc;
    }
    if (plainLength != kSessionKeyLength) {
        std::fprintf(stderr, "AwaitDesKey: session key of %u bytes refused\n", plainLength);
        return kErrBadSessionKey;
    }
    rc = InstallKeys(Slot(ctx, 0), plain, plain + 8);
    std::memset(plain, 0, sizeof plain);
    if (rc != 0) {
        std::fprintf(stderr, "AwaitDesKey: MOXKeyInit failed %d\n", rc);
        return rc;
    }
    return 0;
}

int PIMOXOnRecvPluginPkt(void* context, PluginPluginPktRecord* rec)
{
    auto* ctx = static_cast<Context*>(context);
    if (ctx == nullptr || rec == nullptr || ctx->slots == nullptr)
        return VORL_PLUGIN_FAIL;
    bool no513 = true;
    bool no514 = true;
    for (int i = 0; i < rec->count; ++i) {
        PluginMsgRecord msg {};
        const int got = ctx->host.getMsgFromPkt(rec->context, rec->packet, i, &msg);
        if (got != 0) {
            std::fprintf(stderr, "PIMOXOnRecvPluginPkt: getMsgFromPkt failed %d\n", got);
            return VORL_PLUGIN_FAIL;
        }
        if (msg.type == kMsgPublicKey) {
            no513 = false;
            if (const int rc = AwaitRsaPublickey(ctx, msg, rec); rc != 0) {
                std::fprintf(stderr, "PIMOXOnRecvPluginPkt: AwaitRsaPublicKey failed %d\n", rc);
                return VORL_PLUGIN_FAIL;
            }
            Banner("Connected to client - line encrypted ", ctx->role);
            SetLine(packetSlot(ctx, rec, "PIMOXOnRecvPluginPkt"), true);
        } else if (msg.type == kMsgSessionKey) {
            no514 = false;
            if (const int rc = AwaitDesKey(ctx, msg); rc != 0) {
                std::fprintf(stderr, "PIMOXOnRecvPluginPkt: AwaitDesKey failed %d\n", rc);
                return VORL_PLUGIN_FAIL;
            }
            Banner("Connected to server - line encrypted ", ctx->role);
            SetLine(Slot(ctx, 0), true);
        }
    }
    if (rec->round != VORL_PLUGIN_ROUND_FIRST)
        return VORL_PLUGIN_OK;
    const bool server = ctx->role == VORL_ROLE_SERVER || ctx->role == VORL_ROLE_BCSERVER;
    if (no513 && server) {
        uint8_t* slot = packetSlot(ctx, rec, "PIMOXOnRecvPluginPkt");
        if (slot == nullptr)
            return VORL_PLUGIN_FAIL;
        SetLine(slot, false);
        if (ctx->role == VORL_ROLE_BCSERVER || ctx->mandatory != 0) {
            std::fprintf(
                stderr, "PIMOXOnRecvPluginPkt: Did not recv public key from client - aborting connection\n");
            return VORL_PLUGIN_FAIL;
        }
        Banner("Did not recv public key from client - line clear ", ctx->role);
    } else if (no514 && !server) {
        SetLine(Slot(ctx, 0), false);
        ReleasePrivateKey(ctx);
        Banner("Did not recv des key from server - line clear ", ctx->role);
    }
    return VORL_PLUGIN_OK;
}

} // namespace pimox
