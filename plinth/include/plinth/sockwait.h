#pragma once
// Socket waits with a time-out (poll underneath).
//
// The time-out is a struct timeval; null waits without limit. When waiting fails the
// function writes "<function name>: <error text>" to stderr and returns -1. When the time
// passes with nothing to read the result is 0. Otherwise the operation runs once and its
// result is returned unchanged - so SYSrecvwait's 0 means either "timed out" or "peer
// closed"; PlinthRecvWait tells the two apart.
#include <sys/socket.h>
#include <sys/time.h>

#include "plinth/export.h"

#ifdef __cplusplus
extern "C" {
#endif

// Always 1: sockets need no start-up here.
PLINTH_API int SYSSocketStartup(void);

// recv after waiting: byte count, 0 (time-out or peer closed), -1 error.
PLINTH_API int SYSrecvwait(int sock, void* buffer, int size, int flags, const struct timeval* timeout);

// recvfrom after waiting: byte count, 0 (time-out, or an empty datagram), -1 error.
PLINTH_API int SYSrecvfromwait(int sock, void* buffer, int size, int flags, struct sockaddr* from,
                               socklen_t* fromLength, const struct timeval* timeout);

// accept after waiting: the accepted socket (never 0), 0 on time-out, -1 on error.
PLINTH_API int SYSacceptwait(int sock, struct sockaddr* address, socklen_t* addressLength,
                             const struct timeval* timeout);

// Not supported: always -1.
PLINTH_API int SYSioctl(int sock, long command, unsigned long* argument);

// Not supported: always null.
PLINTH_API struct servent* SYSgetservbyname(const char* name, const char* protocol);

// Results of PlinthRecvWait besides a positive byte count.
#define PLINTH_RECV_TIMEOUT 0  // nothing arrived within the time-out
#define PLINTH_RECV_ERROR (-1) // error; errno tells which (also size < 1: EINVAL)
#define PLINTH_RECV_CLOSED (-2) // the peer closed the connection in order

// Waits like SYSrecvwait and receives once, but reports an orderly close by the peer as
// PLINTH_RECV_CLOSED, never as a time-out. Interrupted waits resume with the time left.
// Writes nothing to stderr.
PLINTH_API int PlinthRecvWait(int sock, void* buffer, int size, int flags, const struct timeval* timeout);

#ifdef __cplusplus
}
#endif
