// Entry points of the client's network road that are not built yet. Each one
// checks its handle and answers with a code the caller already handles: the
// receive side reports that nothing is there, the send side that the
// connection is not available.
#include "client.h"

namespace {
constexpr int kNoConnection = VORL_ERR_SEND_TRIES;
}

VORL_API int VORLConnect(VORLHANDLE handle) {
  VORLClient* c = vorl::CheckClient(handle);
  if (c == nullptr) return VORL_ERR_INVALID_HANDLE;
  if (c->candidates.empty()) return VORL_ERR_NO_SERVER_ADDRESS;
  return kNoConnection;
}

VORL_API int VORLStartPacket(VORLHANDLE handle, int, const void*, int, int, int) {
  return vorl::CheckClient(handle) == nullptr ? VORL_ERR_INVALID_HANDLE : kNoConnection;
}

VORL_API int VORLAddMessage(VORLHANDLE handle, int, const void*, int, int) {
  return vorl::CheckClient(handle) == nullptr ? VORL_ERR_INVALID_HANDLE : VORL_ERR_PKT_NOT_STARTED;
}

VORL_API int VORLEndPacket(VORLHANDLE handle) {
  return vorl::CheckClient(handle) == nullptr ? VORL_ERR_INVALID_HANDLE : VORL_ERR_PKT_NOT_STARTED;
}

VORL_API int VORLResetPacket(VORLHANDLE handle) {
  return vorl::CheckClient(handle) == nullptr ? VORL_ERR_INVALID_HANDLE : VORL_ERR_PKT_NOT_STARTED;
}

VORL_API int VORLSend(VORLHANDLE handle, int, const void*, int, int, int) {
  return vorl::CheckClient(handle) == nullptr ? VORL_ERR_INVALID_HANDLE : kNoConnection;
}

VORL_API int VORLRecv(VORLHANDLE handle, int) {
  return vorl::CheckClient(handle) == nullptr ? VORL_ERR_INVALID_HANDLE : VORL_ERR_NOTHING_PENDING;
}

VORL_API int VORLNumMessages(VORLHANDLE handle, int*) {
  return vorl::CheckClient(handle) == nullptr ? VORL_ERR_INVALID_HANDLE : VORL_ERR_PROTOCOL;
}

VORL_API int VORLMessage(VORLHANDLE handle, int, int*, void**, int*, int*) {
  return vorl::CheckClient(handle) == nullptr ? VORL_ERR_INVALID_HANDLE : VORL_ERR_PROTOCOL;
}

VORL_API int VORLGetMessage(VORLHANDLE handle, int, int*, void* buffer, int, int*, int*) {
  if (vorl::CheckClient(handle) == nullptr) return VORL_ERR_INVALID_HANDLE;
  return buffer == nullptr ? VORL_ERR_NO_BUFFER : VORL_ERR_PROTOCOL;
}
