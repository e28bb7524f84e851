#pragma once
// The client handle. Creation, options and destruction live in
// client_create.cpp and client_options.cpp; discovery, connection, packets and
// receiving work on the connection state below.
#include <netinet/in.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "vorl/client.h"
#include "vorl/plugins.h"
#include "vorl/wire.h"

namespace vorl {

inline constexpr uint16_t kClientMark = 19018;
inline constexpr int kMaxCandidates = 32;
inline constexpr int kMaxReplies = 32;
inline constexpr int kHostTypeMax = 30;
inline constexpr std::size_t kRecvRawSize = 60000;
inline constexpr std::size_t kRecvTransformSize = 30000;

struct ClientOptions {
  uint32_t preferredAddress = 0;           // 1, network order, 0 for none
  std::vector<uint32_t> broadcastAddresses; // 2, network order
  std::vector<uint32_t> possibleHosts;      // 3, network order
  int32_t packetTimeout = 10;               // 4 to 7 in seconds
  int32_t characterTimeout = 2;
  int32_t receiveTimeout = 5;
  int32_t connectTime = 10;
  int32_t connectTries = 1;                 // 8
  int32_t sendTries = 1;                    // 9
  int32_t maxHosts = 1;                     // 10
  int32_t recvBufferSize = 30000;           // 11
  int32_t sendBufferSize = 30000;           // 12
  int32_t windowSize = 1;                   // 13
  int32_t loadBalanceTime = 0;              // 14
  int32_t loadBalanceThreshold = 0;         // 15
  int32_t loadBalanceSpread = 30;           // 16
};

struct ServerReply {
  uint32_t address = 0; // network order
  uint32_t load = 0;
};

struct LogonMessage {
  bool set = false;
  int type = 0;
  std::vector<uint8_t> data;
  int value = 0;
  VORLLogonFn callback = nullptr;
};

// One packet of the sending window.
struct PacketSlot {
  VORLPktHdr hdr{};
  uint32_t sendTime = 0; // seconds; 0 while held back
  uint32_t sendTick = 0;
  int next = -1;         // sent-packet list
  int prev = -1;
  std::vector<uint8_t> buffer; // SendBufferSize bytes, the packet in wire form
  bool free = true;
};

} // namespace vorl

struct VORLClient {
  uint16_t mark = 0; // vorl::kClientMark while valid
  int tcpSocket = -1;
  int udpSocket = -1;
  uint16_t tcpPort = 0; // network order
  uint16_t udpPort = 0;
  std::string hostType;
  std::string configFile;
  std::string section;
  std::string pluginSection;
  vorl::ClientOptions options;

  // Discovery and server choice.
  std::vector<sockaddr_in> candidates; // at most kMaxCandidates
  std::array<vorl::ServerReply, vorl::kMaxReplies> replies{};
  int replyCount = 0;
  uint32_t currentServer = 0;
  uint32_t nextBalanceTime = 0;
  uint32_t collectTime = 0;
  bool switchPending = false;
  uint32_t switchTarget = 0; // the server that load balancing chose

  vorl::LogonMessage logon;

  // Sending window.
  std::vector<vorl::PacketSlot> slots; // WindowSize of them
  int sentFirst = -1;
  int sentLast = -1;
  uint32_t sequence = 0;
  int building = -1; // slot of the packet being built
  int packetOverhead = 0;  // the plug-ins' overheads, fetched when it was started
  int messageOverhead = 0;
  int sendTryCount = 0;

  // Receiving.
  std::vector<uint8_t> recvArea; // kRecvRawSize + kRecvTransformSize
  std::size_t readPos = 0;
  std::size_t unread = 0;
  bool haveReply = false;
  VORLPktHdr lastReply{};
  const uint8_t* lastPacket = nullptr;
  int cursorIndex = -1;
  std::size_t cursorOffset = 0;
  VORLMsg cursorMsg{};
  uint32_t roundTrip = 0;

  PluginSet* plugins = nullptr;
  std::minstd_rand random;
};

namespace vorl {

// Live client handles, so that a destroyed handle is refused by lookup and
// never read.
void RegisterClient(VORLClient* c);
void UnregisterClient(VORLClient* c);
// The handle when it is live and marked valid, else null.
VORLClient* CheckClient(VORLHANDLE h);

bool Connected(const VORLClient* c);
// 0, or the failing option's code. Used by VORLSetOption and at creation.
int SetClientOption(VORLClient* c, int id, intptr_t value);
// Candidates for discovery: the possible hosts, then the broadcast addresses,
// with the service's UDP port, at most kMaxCandidates.
void RebuildCandidates(VORLClient* c);

} // namespace vorl
