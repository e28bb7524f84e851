#pragma once
// Broadcasting through shared memory. A broadcast server writes packets into the
// ring of a server block, from which broadcaster processes send them; a broadcast
// client reads the packets that a listener process has placed into its client
// block. Every function returns 0 or a result code of vorl/result.h; a handle
// that is null, destroyed or of the other kind gives 21.
#include "plinth/shmem.h"
#include "vorl/export.h"
#include "vorl/result.h"

typedef struct VORLBCClient VORLBCClient;
typedef VORLBCClient* VORLBCHANDLE;
typedef struct VORLBCServer VORLBCServer;
typedef VORLBCServer* VORLBCSHANDLE;

// Creates (create nonzero: zero-filled, then the sizes and an empty ring recorded)
// or opens the server block of b broadcasters, c entries each and a ring of d bytes
// (c * 16 * b + d + 72 * b + 96 bytes). The mapped address, or null.
VORL_API void* GetBCSSharedMemory(PlinthShmem** handle, int key, int b, int c, int d, int create);

// Creates (n entries, d data bytes; every entry empty, both regions free, the second
// region starting at the middle) or opens a client block of n * 16 + d + 30408 bytes.
VORL_API void* GetBCCSharedMemory(PlinthShmem** handle, int key, int n, int d, int create);

// ---- broadcast client
// config: "file[,section]" (section default "BCClient"); null takes "VORLCONFIG".
// service null or empty: the section's "Service".
VORL_API int VORLBCCreate(VORLBCHANDLE* handle, const char* config, const char* service);
// Asks the listener to connect with value (below -1 counts as -1) and waits for its
// answer: 36 when the listener does not run; a nonzero answer destroys the handle.
VORL_API int VORLBCConnect(VORLBCHANDLE handle, int value);
VORL_API int VORLBCDisconnect(VORLBCHANDLE handle);
// Takes the next packet: 0; 9 when none came within timeout seconds (0: only look;
// -1: 3 seconds); 36 listener not running; 38 inconsistent ring.
VORL_API int VORLBCRecv(VORLBCHANDLE handle, int timeout);
VORL_API int VORLBCNumMessages(VORLBCHANDLE handle, int* count);
// The message in place in the held packet; 49 when a plug-in transforms messages.
VORL_API int VORLBCMessage(VORLBCHANDLE handle, int index, int* type, void** data, int* length);
// The message copied (through the plug-ins) into buffer of size bytes.
VORL_API int VORLBCGetMessage(VORLBCHANDLE handle, int index, int* type, void* buffer, int size,
                              int* length);
VORL_API int VORLBCMessageType(VORLBCHANDLE handle, int index, int* type);
// The held packet's sequence number (header +4).
VORL_API int VORLBCPacketSeqnum(VORLBCHANDLE handle, int* value);

// ---- broadcast server
// config: "file[,section]" (section default "BCServer").
VORL_API int VORLBCServerCreate(VORLBCSHANDLE* handle, const char* config, const char* service);
VORL_API int VORLBCServerConnect(VORLBCSHANDLE handle);
VORL_API int VORLBCServerSetActive(VORLBCSHANDLE handle, int active);
VORL_API int VORLBCServerDisconnect(VORLBCSHANDLE handle);
VORL_API int VORLBCServerStartPacket(VORLBCSHANDLE handle, int value, int type, const void* data,
                                     int length);
VORL_API int VORLBCServerAddMessage(VORLBCSHANDLE handle, int type, const void* data, int length);
// Writes the packet into the ring, waiting while the broadcasters have not read the
// space yet: 35 when broadcasting is stopped (the packet stays started), 6 when the
// packet can never fit the ring (longer than half of it).
VORL_API int VORLBCServerEndPacket(VORLBCSHANDLE handle);
VORL_API int VORLBCServerResetPacket(VORLBCSHANDLE handle);
// Start and end in one; the packet is dropped when it could not be written.
VORL_API int VORLBCServerSend(VORLBCSHANDLE handle, int value, int type, const void* data, int length);
