// Export macro of libkvcore.so: the library is built with hidden visibility,
// so everything kv32 calls is marked explicitly.
#pragma once

#if defined(__GNUC__)
#define KVCORE_API __attribute__((visibility("default")))
#else
#define KVCORE_API
#endif
