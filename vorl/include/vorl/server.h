#pragma once
// The application side of the host: a process becomes a VORL server by
// attaching to the shared block of the host's router process and taking the
// queued request packets from it; the operator queues one request of its own
// and waits for the reply. Every function returns 0 or a result code of
// vorl/result.h; a handle that is null, destroyed or not a server gives 21.
#include <stdint.h>

#include "vorl/export.h"
#include "vorl/result.h"

typedef struct VORLServer VORLServer;
typedef VORLServer* VORLSERVERHANDLE;
typedef struct PlinthShmem PlinthShmem;
typedef struct PlinthMutex PlinthMutex;

// Option of VORLServerSetOption: the largest reply in bytes (0 or negative:
// no limit beyond the client's and the reply area's).
#define VORL_SERVER_OPT_MAX_SEND_BUFSIZE 101

// Limits an operator's request and reply carry.
#define VORL_OPERATOR_BUFSIZE 30000

// A request of a client slot, as VORLServerGetClient fills it and
// VORLServerSetClient and VORLForwardMessage take it; `message` points at a
// message header in wire form inside the request.
typedef struct VORLServerClient {
    uint16_t clientSlot;
    uint16_t windowSlot;
    const void* message;
} VORLServerClient;

// config: "file[,section]" (section default "VORLServer"); null takes
// "VORLCONFIG". service and hostType: null or empty take the section's
// "Service" and "HostType".
VORL_API int VORLServerCreate(
    VORLSERVERHANDLE* handle, const char* config, const char* service, const char* hostType);
VORL_API int VORLServerSetOption(VORLSERVERHANDLE handle, int id, intptr_t value);
VORL_API int VORLServerConnect(VORLSERVERHANDLE handle);
VORL_API int VORLServerDisconnect(VORLSERVERHANDLE handle);
// Resets the router: every client dropped, the queue emptied, the new host type.
VORL_API int VORLServerSetHostType(VORLSERVERHANDLE handle, const char* hostType);

// Takes the next request: pktClass 0 the next of any class, above 0 the first
// of exactly that class, below 0 the first whose class is at most |pktClass|.
// timeout in seconds: 0 only looks, negative waits without limit.
VORL_API int VORLServerRecv(VORLSERVERHANDLE handle, int timeout, int pktClass);
VORL_API int VORLServerNumMessages(VORLSERVERHANDLE handle, int* count);
VORL_API int VORLServerMessage(
    VORLSERVERHANDLE handle, int index, int* type, void** data, int* length, int* value);
VORL_API int VORLServerGetMessage(
    VORLSERVERHANDLE handle, int index, int* type, void* buffer, int size, int* length, int* value);
VORL_API int VORLServerMessageType(VORLSERVERHANDLE handle, int index, int* type);
// Address words are in network order, as they travel.
VORL_API int VORLServerMessageAddress(VORLSERVERHANDLE handle, int index, uint32_t* address);
VORL_API int VORLServerMessageSeqnum(VORLSERVERHANDLE handle, int index, uint32_t* seq);
VORL_API int VORLServerPacketAddress(VORLSERVERHANDLE handle, uint32_t* address);
// The current request in wire form (inside the shared block).
VORL_API int VORLServerPacket(VORLSERVERHANDLE handle, const void** packet);
// Room for the data of a reply's messages: the largest reply minus the packet overhead.
VORL_API int VORLServerSendBufsize(VORLSERVERHANDLE handle, int* size);

VORL_API int VORLServerStartPacket(VORLSERVERHANDLE handle, int type, const void* data, int length);
VORL_API int VORLServerAddMessage(VORLSERVERHANDLE handle, int type, const void* data, int length);
VORL_API int VORLServerSpaceLeft(VORLSERVERHANDLE handle, int* room);
VORL_API int VORLServerForwardMessage(VORLSERVERHANDLE handle, const void* message);
VORL_API int VORLServerEndPacket(VORLSERVERHANDLE handle);
VORL_API int VORLServerSend(VORLSERVERHANDLE handle, int type, const void* data, int length);

VORL_API int VORLServerGetClient(VORLSERVERHANDLE handle, int index, VORLServerClient* client);
VORL_API int VORLServerSetClient(VORLSERVERHANDLE handle, const VORLServerClient* client);

// Creates (create != 0) or opens the shared block of a key; the mapped address
// or null. Opening checks the geometry in the block's header; the sizes given
// are used only when creating.
VORL_API void* GetVORLSharedMemory(PlinthShmem** handle, int key, int n, int a, int b, int w, int create);

// Appends {client slot, window slot, class} to the block's queue under the
// queue mutex: 1, or 0 when the queue is full or the mutex fails (reported on
// stderr). `queue` is the first queue entry of the block.
VORL_API int AddToMessageQueue(
    void* block, void* queue, PlinthMutex* mutex, int clientSlot, int windowSlot, int pktClass);

// Sends one message as a request through the queue and waits for the reply;
// the reply's first message goes to replyBuffer (VORL_OPERATOR_BUFSIZE bytes).
VORL_API int VORLOperator(const char* config, const char* service, const char* hostType, int type,
    const void* data, int length, int pktClass, int* replyType, void* replyBuffer, int* replyLength);
