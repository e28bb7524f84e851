// Reading the messages of the broadcast packet a client holds.
#include <cstring>

#include "bc_handles.h"
#include "vorl/codec.h"

namespace vorl::bc {

int FindMessage(VORLBCClient* c, int index) {
  const uint8_t* p = c->packet.data();
  const int count = wire::getU16(p + 12);
  if (index < 0 || index >= count) return -1;
  // The packet was checked when it was taken: every header lies inside it.
  if (index < c->cursorIndex) {
    c->cursorIndex = 0;
    c->cursorOffset = VORL_BCPKTHDR_SIZE;
  }
  int at = c->cursorOffset;
  for (int i = c->cursorIndex; i < index; ++i) {
    at += EvenBoundary(at);
    at += VORL_BCMSG_SIZE + wire::getU16(p + at + 2);
  }
  c->cursorIndex = index;
  c->cursorOffset = at;
  return at + EvenBoundary(at);
}

} // namespace vorl::bc

namespace {

using namespace vorl::bc;

// The held packet's client, or the result code that stops the caller.
int heldClient(VORLBCHANDLE handle, VORLBCClient** c) {
  *c = CheckClient(handle);
  if (*c == nullptr) return VORL_ERR_INVALID_HANDLE;
  return (*c)->held ? VORL_OK : VORL_ERR_NO_PACKET;
}

} // namespace

VORL_API int VORLBCNumMessages(VORLBCHANDLE handle, int* count) {
  VORLBCClient* c = nullptr;
  if (const int rc = heldClient(handle, &c); rc != VORL_OK) return rc;
  if (count != nullptr) *count = vorl::wire::getU16(c->packet.data() + 12);
  return VORL_OK;
}

VORL_API int VORLBCMessageType(VORLBCHANDLE handle, int index, int* type) {
  VORLBCClient* c = nullptr;
  if (const int rc = heldClient(handle, &c); rc != VORL_OK) return rc;
  const int at = FindMessage(c, index);
  if (at < 0) return VORL_ERR_BAD_INDEX;
  if (type != nullptr) *type = vorl::wire::getU16(c->packet.data() + at);
  return VORL_OK;
}

VORL_API int VORLBCMessage(VORLBCHANDLE handle, int index, int* type, void** data, int* length) {
  VORLBCClient* c = nullptr;
  if (const int rc = heldClient(handle, &c); rc != VORL_OK) return rc;
  if (PluginsHaveGetMsg(c->plugins) != 0) return VORL_ERR_MUST_COPY;
  const int at = FindMessage(c, index);
  if (at < 0) return VORL_ERR_BAD_INDEX;
  uint8_t* p = c->packet.data() + at;
  if (type != nullptr) *type = vorl::wire::getU16(p);
  if (length != nullptr) *length = vorl::wire::getU16(p + 2);
  if (data != nullptr) *data = p + VORL_BCMSG_SIZE;
  return VORL_OK;
}

VORL_API int VORLBCGetMessage(VORLBCHANDLE handle, int index, int* type, void* buffer, int size,
                              int* length) {
  VORLBCClient* c = nullptr;
  if (const int rc = heldClient(handle, &c); rc != VORL_OK) return rc;
  const int at = FindMessage(c, index);
  if (at < 0) return VORL_ERR_BAD_INDEX;
  if (buffer == nullptr) return VORL_ERR_NO_BUFFER;
  uint8_t* p = c->packet.data() + at;
  const int dataLength = vorl::wire::getU16(p + 2);
  PluginMsgRecord msg{};
  msg.index = index;
  msg.type = vorl::wire::getU16(p);
  msg.data = p + VORL_BCMSG_SIZE;
  msg.length = dataLength;
  int copied = 0;
  const int rc = PluginsGetMsg(c->plugins, &msg, p + VORL_BCMSG_SIZE, dataLength, buffer, size < 0 ? 0 : size,
                               &copied);
  if (rc == VORL_PLUGIN_NOROOM) return VORL_ERR_BUFFER_SMALL;
  if (rc != VORL_PLUGIN_OK || copied < 0 || copied > size) return VORL_ERR_PLUGIN;
  msg.data = buffer;
  msg.length = copied;
  if (PluginsOnGetMsg(c->plugins, &msg) == VORL_PLUGIN_FAIL) return VORL_ERR_PLUGIN;
  if (type != nullptr) *type = msg.type;
  if (length != nullptr) *length = copied;
  return VORL_OK;
}

VORL_API int VORLBCPacketSeqnum(VORLBCHANDLE handle, int* value) {
  VORLBCClient* c = nullptr;
  if (const int rc = heldClient(handle, &c); rc != VORL_OK) return rc;
  // The sequence number is the word at +4; +8 holds the send time.
  if (value != nullptr) *value = static_cast<int>(vorl::wire::getU32(c->packet.data() + 4));
  return VORL_OK;
}
