#pragma once
// pimox's context and its key-slot table. A slot per connection, 104 bytes:
// the line flag at 0, then the toolkit's 100-byte DES key object, whose K1
// and K2 fall at 52 and 60. The table lives in shared memory mapped at any
// address, so nothing in it is an address; each transform builds its key
// object afresh from K1 and K2.
#include <cstddef>
#include <cstdint>

#include "mox/mox.h"
#include "plinth/config.h"
#include "plinth/shmem.h"
#include "vorl/plugin.h"

namespace pimox {

inline constexpr int kVersion = VORL_PLUGIN_INTERFACE_VERSION;
inline constexpr int kMsgPublicKey = 513;
inline constexpr int kMsgSessionKey = 514;
inline constexpr std::size_t kSlotSize = 104;
inline constexpr std::size_t kSlotFlag = 0;
inline constexpr std::size_t kSlotKeyObject = 4;
inline constexpr std::size_t kSlotK1 = 52;
inline constexpr std::size_t kSlotK2 = 60;
inline constexpr int kSessionKeyLength = 16;
inline constexpr int kCipherMax = 1024;
static_assert(kSlotKeyObject + sizeof(MOXKEY) == kSlotSize);

// Failure codes of the plug-in itself.
enum : int {
    kErrConfig = -1000,
    kErrShmkeyRead = -1001,
    kErrShmkeyEmpty = -1002,
    kErrShmemOpen = -1003,
    kErrShmemCreate = -1004,
    kErrGetMsg = -1005,
    kErrBroadcastConnections = -1006,
    kErrNoMemory = -1007,
    kErrNotServer = -1008,
    kErrNoPublicKey = -1009,
    kErrSend = -1010,
    kErrNoPrivateKey = -1012,
    kErrConnection = -1013,
    kErrBadPublicKey = -1014,
    kErrBadSessionKey = -1015,
};

struct Context {
    PluginHostCallbacks host {};
    Config config = nullptr;
    PlinthShmem* shm = nullptr;
    uint8_t* slots = nullptr;
    int slotCount = 0;
    int role = 0;
    int attached = 0;
    int mandatory = 0;
    bool created = false;
    bool toolkit = false;
    // The client's private key, from the connect until the session key is read.
    bool hasPrivateKey = false;
    MOXKEY privateKey {};
};

// Slot `index`, or null outside the table.
uint8_t* Slot(Context* ctx, int index);
bool LineEncrypted(const uint8_t* slot);
void SetLine(uint8_t* slot, bool encrypted);
// K1 and K2 as the slot's key object; the toolkit's code.
int InstallKeys(uint8_t* slot, const uint8_t* k1, const uint8_t* k2);
// The slot's key object built in process memory from its K1 and K2.
int SlotKey(const uint8_t* slot, MOXKEY* key);
// Forgets the session keys of a slot.
void ClearSlot(uint8_t* slot);

// The toolkit is process-wide; every loaded instance holds it once.
int AcquireToolkit();
void ReleaseToolkit();
void ReleasePrivateKey(Context* ctx);

// Writes one diagnostic line and the banner lines.
void Banner(const char* text, int role);

} // namespace pimox
