#pragma once
// Every function of plinth's public headers is a C function with default visibility;
// everything else in the library stays hidden.
#ifdef __cplusplus
#define PLINTH_API extern "C" __attribute__((visibility("default")))
#else
#define PLINTH_API __attribute__((visibility("default")))
#endif
