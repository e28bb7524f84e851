#pragma once
// Small stateless utilities of the router library: versions, sockets, the
// shared-memory key, classful netmasks and the configuration string.
#include <stdint.h>

#include "vorl/export.h"

#define VORL_PROTOCOL_VERSION 40201
#define VORL_SOCKET_STREAM 1
#define VORL_SOCKET_DGRAM 2
#define VORL_INVALID_SOCKET (-1)
#define VORL_SOCKET_BUFFER_CAP 58254

VORL_API int VORLVersionMajor(void);
VORL_API int VORLVersionMinor(void);
VORL_API int VORLVersionBuild(void);
VORL_API int VORLVersionInteger(void);
VORL_API const char* VORLVersionString(void);
VORL_API int VORLVersionProtocol(void);

// Addresses and masks in network order in and out.
VORL_API uint32_t GetDefaultNetmask(uint32_t network);
VORL_API uint32_t MergeAddressAndNetmask(uint32_t address, uint32_t mask);
VORL_API int CheckAddressAndNetmask(uint32_t address, uint32_t mask);
VORL_API int AddressIsInNetwork(uint32_t a, uint32_t b, uint32_t mask);

// Splits "file[,section]" at the first comma; each part is cut to its size - 1.
VORL_API void SplitVORLConfigString(const char* text, char* file, int fileSize, char* section,
                                    int sectionSize);

// Key of the service's shared block: "shmkey" of the section, else the TCP
// port of the service. configFile null: "VORLCONFIG". 0, 12 or 40.
VORL_API int GetSharedMemoryKey(const char* configFile, const char* service, const char* section,
                                int* key);

// Creates an IPv4 socket (type 1 stream, 2 datagram); port and addresses in
// network order. *s is the invalid socket (-1) after a failure.
// bufA is the send buffer size, bufB the receive buffer size (0: left alone).
VORL_API int CreateSocket(int* s, int type, uint16_t port, uint32_t address, int bufA, int bufB,
                          int noDelay, uint32_t localAddress);

VORL_API void VORLExit(int code);
VORL_API void sigpipehandler(int sig);
