#pragma once
// The C functions of vorl's public headers have default visibility; everything else
// in libvorl stays hidden.
#ifdef __cplusplus
#define VORL_API extern "C" __attribute__((visibility("default")))
#else
#define VORL_API __attribute__((visibility("default")))
#endif
