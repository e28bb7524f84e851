// Feeds a peer's bytes to the toolkit the way the link encryption does. The
// first byte picks the path: 0 a DES payload to decipher, 1 an RSA public key
// blob to load and encipher under, 2 RSA ciphertext to decipher, 3 a block to
// unpad with each scheme. Every path must fail cleanly on bad input.

#include "mox/bsapi.h"
#include "mox/mox.h"
#include "quiet_stderr.h"

#include <cstring>
#include <vector>

namespace {

struct Setup {
    MOXKEY des{};
    MOXKEY pub{}, priv{};
    bool rsa = false;
    Setup()
    {
        MOXInit();
        const uint8_t k1[8] = {0x13, 0x34, 0x57, 0x79, 0x9b, 0xbc, 0xdf, 0xf1};
        const uint8_t k2[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef};
        MOXKeyInitDES(k1, k2, &des);
        rsa = MOXKeyGenerateRSA(&pub, &priv) == 0;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::SilenceLibraryDiagnostics();
    static Setup setup;
    if (size == 0 || size > 65536)
        return 0;
    const uint8_t path = data[0] & 3;
    const uint8_t* in = data + 1;
    const uint32_t len = uint32_t(size - 1);
    std::vector<uint8_t> out(len + 1024);
    uint32_t n = 0;
    switch (path) {
    case 0:
        MOXDecrypt(&setup.des, in, len, out.data(), uint32_t(out.size()), &n);
        break;
    case 1: {
        MOXKEY peer{};
        if (MOXKeyInitRSABuffer(in, len, &peer) == 0) {
            const uint8_t keys[16] = {};
            MOXRSAEncrypt(&peer, keys, 16, out.data(), uint32_t(out.size()), &n);
            MOXKeyCleanup(&peer);
        }
        break;
    }
    case 2:
        if (setup.rsa)
            MOXRSADecrypt(&setup.priv, in, len, out.data(), uint32_t(out.size()), &n);
        break;
    default:
        if (len > 0) {
            std::vector<uint8_t> block(in, in + len);
            uint32_t keep = 0;
            brsa_unpad(block.data(), &keep, len, 0);
            pkcs5_unpad(block.data(), &keep, len);
            pad_pkcs1.unpad(block.data(), &keep, len, 1);
            block.assign(in, in + len);
            pad_pkcs1.unpad(block.data(), &keep, len, 0);
        }
        break;
    }
    return 0;
}
