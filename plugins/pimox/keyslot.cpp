#include "context.h"

#include <cstdio>
#include <cstring>
#include <mutex>

namespace pimox {
namespace {
std::mutex toolkitLock;
int toolkitUsers = 0;
} // namespace

uint8_t* Slot(Context* ctx, int index)
{
    if (ctx == nullptr || ctx->slots == nullptr || index < 0 || index >= ctx->slotCount)
        return nullptr;
    return ctx->slots + static_cast<std::size_t>(index) * kSlotSize;
}

// The flag is read by other processes' transforms: it is set only after the
// keys are in place and read before them.
bool LineEncrypted(const uint8_t* slot)
{
    return __atomic_load_n(reinterpret_cast<const int32_t*>(slot + kSlotFlag), __ATOMIC_ACQUIRE) != 0;
}
void SetLine(uint8_t* slot, bool encrypted)
{
    __atomic_store_n(reinterpret_cast<int32_t*>(slot + kSlotFlag), encrypted ? 1 : 0, __ATOMIC_RELEASE);
}

int InstallKeys(uint8_t* slot, const uint8_t* k1, const uint8_t* k2)
{
    MOXKEY key {};
    const int rc = MOXKeyInitDES(k1, k2, &key);
    if (rc == 0)
        std::memcpy(slot + kSlotKeyObject, key.raw, sizeof key.raw);
    return rc;
}

int SlotKey(const uint8_t* slot, MOXKEY* key)
{
    uint8_t k1[8];
    uint8_t k2[8];
    std::memcpy(k1, slot + kSlotK1, 8);
    std::memcpy(k2, slot + kSlotK2, 8);
    return MOXKeyInitDES(k1, k2, key);
}

void ClearSlot(uint8_t* slot)
{
    SetLine(slot, false);
    std::memset(slot + kSlotKeyObject, 0, sizeof(MOXKEY));
}

int AcquireToolkit()
{
    std::lock_guard<std::mutex> lock(toolkitLock);
    if (toolkitUsers == 0) {
        const int rc = MOXInit();
        if (rc != 0)
            return rc;
    }
    ++toolkitUsers;
    return 0;
}

void ReleaseToolkit()
{
    std::lock_guard<std::mutex> lock(toolkitLock);
    if (toolkitUsers == 0 || --toolkitUsers > 0)
        return;
    if (const int rc = MOXCleanup(); rc != 0)
        std::fprintf(stderr, "PIMOXCleanup: MOXCleanup failed %d\n", rc);
}

void ReleasePrivateKey(Context* ctx)
{
    if (ctx == nullptr || !ctx->hasPrivateKey)
        return;
    MOXKeyCleanup(&ctx->privateKey);
    std::memset(&ctx->privateKey, 0, sizeof ctx->privateKey);
    ctx->hasPrivateKey = false;
}

void Banner(const char* text, int role)
{
    static const char kDashes[] = "------------------------------------------------";
    std::fprintf(stderr, "%s\nPIMOX : %d %s\n%s\n", kDashes, role, text, kDashes);
}

} // namespace pimox
