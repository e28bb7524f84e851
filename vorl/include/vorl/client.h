#pragma once
// The point-to-point client of the router: one opaque handle per connection,
// created from a configuration section and destroyed by VORLDisconnect.
// Every function returns 0 or a result code of vorl/result.h; a handle that is
// null, destroyed or not a client handle gives 21.
#include <stdint.h>

#include "vorl/export.h"
#include "vorl/result.h"

typedef struct VORLClient VORLClient;
typedef VORLClient* VORLHANDLE;

// The logon callback: (message type, data, length, stored value) of the first
// message of the logon reply; -1 refuses the logon.
typedef int (*VORLLogonFn)(int type, const void* data, int length, int value);

// Option ids of VORLSetOption. 1 to 3 take a text (const char*, cast to
// intptr_t; null or empty clears), the others an integer.
enum VORLOptionId {
  VORL_OPT_PREFERRED_IP = 1,
  VORL_OPT_BROADCAST_ADDRESS = 2,
  VORL_OPT_POSSIBLE_HOSTS = 3,
  VORL_OPT_PACKET_TIMEOUT = 4,
  VORL_OPT_CHARACTER_TIMEOUT = 5,
  VORL_OPT_RECEIVE_TIMEOUT = 6,
  VORL_OPT_CONNECT_TIME = 7,
  VORL_OPT_CONNECT_TRIES = 8,
  VORL_OPT_SEND_TRIES = 9,
  VORL_OPT_MAX_HOSTS = 10,
  VORL_OPT_RECV_BUFFER_SIZE = 11,
  VORL_OPT_SEND_BUFFER_SIZE = 12,
  VORL_OPT_WINDOW_SIZE = 13,
  VORL_OPT_LOAD_BALANCE_TIME = 14,
  VORL_OPT_LOAD_BALANCE_THRESHOLD = 15,
  VORL_OPT_LOAD_BALANCE_SPREAD = 16
};

// config: "file[,section]" (section default "VORLClient"); null takes
// "VORLCONFIG". service and hostType: null or empty take the section's
// "Service" and "HostType". A service of digits only is that port number.
VORL_API int VORLCreate(VORLHANDLE* handle, const char* config, const char* service,
                        const char* hostType);
VORL_API int VORLSetOption(VORLHANDLE handle, int id, intptr_t value);
VORL_API int VORLSetLogonMessage(VORLHANDLE handle, int type, const void* data, unsigned length,
                                 int value, VORLLogonFn callback);
// Closes everything and destroys the handle; later calls with it give 21.
VORL_API int VORLDisconnect(VORLHANDLE handle);

VORL_API int VORLConnect(VORLHANDLE handle);
VORL_API int VORLStartPacket(VORLHANDLE handle, int type, const void* data, int length, int pktClass,
                             int value);
VORL_API int VORLAddMessage(VORLHANDLE handle, int type, const void* data, int length, int value);
VORL_API int VORLEndPacket(VORLHANDLE handle);
VORL_API int VORLResetPacket(VORLHANDLE handle);
VORL_API int VORLSend(VORLHANDLE handle, int type, const void* data, int length, int pktClass,
                      int value);
// Room left for the data of one more message of the packet being built.
VORL_API int VORLSpaceLeft(VORLHANDLE handle, int* room);
VORL_API int VORLRecv(VORLHANDLE handle, int timeout);
VORL_API int VORLNumMessages(VORLHANDLE handle, int* count);
VORL_API int VORLMessage(VORLHANDLE handle, int index, int* type, void** data, int* length,
                         int* value);
VORL_API int VORLGetMessage(VORLHANDLE handle, int index, int* type, void* buffer, int size,
                            int* length, int* value);
