#pragma once
// The router's wire records, held in host byte order in memory. On the wire
// every multi-byte integer is big-endian; the address words are kept exactly
// as they travel (network order) and are never converted.
//
// `X_hton` converts a record in place and is its own inverse. `XIn` decodes
// wire bytes (no alignment assumed) into a host record, `XOut` encodes a host
// record into wire bytes. The byte layout comes from vorl/codec.h, never from
// the struct layout.
#include <stdint.h>

#include "vorl/export.h"

#define VORL_PKTHDR_SIZE 16
#define VORL_MSG_SIZE 20
#define VORL_BCPKTHDR_SIZE 16
#define VORL_BCMSG_SIZE 4
#define VORL_CONNECTINFO_SIZE 52
#define VORL_BCCONNECTINFO_SIZE 28
#define VORL_ERRORREQUEST_SIZE 12
#define VORL_HOSTTYPE_SIZE 32

#define VORL_PKT_KIND 2
#define VORL_PLUGIN_SEQ 0xFFFFFFFFu
#define VORL_CLIENT_SLOT_NONE 0xFFFF

typedef struct VORLPktHdr {
  uint8_t kind;      // +0, 2 for every packet
  uint8_t reserved;  // +1, carried unchanged
  uint16_t pktClass; // +2
  uint32_t address;  // +4, network order, not converted
  uint32_t seq;      // +8, 0xFFFFFFFF marks a plug-in packet
  uint16_t count;    // +12, messages in the packet
  uint16_t length;   // +14, bytes including this header
} VORLPktHdr;

typedef struct VORLMsg {
  uint16_t type;       // +0
  uint16_t length;     // +2, data bytes following the header
  uint32_t address;    // +4, network order, not converted
  uint16_t windowSlot; // +8
  uint16_t clientSlot; // +10, 0xFFFF in client-built messages
  uint32_t seq;        // +12
  uint32_t handle;     // +16, caller's message handle
} VORLMsg;

typedef struct VORLBCPktHdr {
  uint32_t value;    // +0
  uint32_t seq;      // +4, 0xFFFFFFFF: a plug-in packet follows the header
  uint32_t sendTime; // +8, seconds
  uint16_t count;    // +12
  uint16_t length;   // +14, including header and padding
} VORLBCPktHdr;

typedef struct VORLBCMsg {
  uint16_t type;   // +0
  uint16_t length; // +2
} VORLBCMsg;

typedef struct ConnectInfo {
  char hostType[VORL_HOSTTYPE_SIZE]; // +0, zero-terminated, not converted
  uint32_t version;                  // +32
  uint32_t sendBufferSize;           // +36
  uint32_t recvBufferSize;           // +40
  uint32_t windowSize;               // +44
  uint32_t load;                     // +48
} ConnectInfo;

typedef struct BCConnectInfo {
  uint32_t word0;   // +0
  uint32_t word1;   // +4
  uint32_t word2;   // +8
  uint32_t address; // +12, network order, not converted
  uint32_t word4;   // +16
  uint32_t word5;   // +20
  uint32_t word6;   // +24
} BCConnectInfo;

typedef struct ErrorRequest {
  uint32_t word0;
  uint32_t word1;
  uint32_t word2;
} ErrorRequest;

VORL_API void VORLPktHdr_hton(VORLPktHdr* hdr);
VORL_API void VORLPktHdrIn(VORLPktHdr* hdr, const void* wire);
VORL_API void VORLPktHdrOut(const VORLPktHdr* hdr, void* wire);

VORL_API void VORLMsg_hton(VORLMsg* msg);
VORL_API void VORLMsgIn(VORLMsg* msg, const void* wire);
VORL_API void VORLMsgOut(const VORLMsg* msg, void* wire);

VORL_API void VORLBCPktHdr_hton(VORLBCPktHdr* hdr);
VORL_API void VORLBCPktHdrIn(VORLBCPktHdr* hdr, const void* wire);
VORL_API void VORLBCPktHdrOut(const VORLBCPktHdr* hdr, void* wire);

VORL_API void VORLBCMsg_hton(VORLBCMsg* msg);
VORL_API void VORLBCMsgIn(VORLBCMsg* msg, const void* wire);
VORL_API void VORLBCMsgOut(const VORLBCMsg* msg, void* wire);

VORL_API void ConnectInfo_hton(ConnectInfo* info);
VORL_API void BCConnectInfo_hton(BCConnectInfo* info);
VORL_API void ErrorRequest_hton(ErrorRequest* req);

// Bytes (0..3) that bring |n| up to the next multiple of 4.
VORL_API int EvenBoundary(int n);
