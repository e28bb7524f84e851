// The client handle: creation from a configuration section, the sixteen
// options, the logon message and the handle's validity.
#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "client.h"
#include "plugin_fixture.h"
#include "test_env.h"
#include "vorl/client.h"

namespace {

using vorl::test::EnvVar;
using vorl::test::ScratchDir;

constexpr const char* kBase = "Service=45678\nHostType=VEXA\nBroadcastAddress=127.255.255.255\n";

struct Created {
  int rc = -1;
  VORLHANDLE h = nullptr;
  ~Created() {
    if (h != nullptr) VORLDisconnect(h);
  }
  VORLClient* client() const { return h; }
};

void create(Created& out, const ScratchDir& dir, const std::string& section, const char* service = nullptr,
            const char* hostType = nullptr, const std::string& configSuffix = "") {
  const std::string file = dir.write("client.ini", section);
  out.rc = VORLCreate(&out.h, (file + configSuffix).c_str(), service, hostType);
}

uint32_t ip(const char* dotted) { return inet_addr(dotted); }

TEST(ClientCreate, DefaultsOfEveryOption) {
  ScratchDir dir;
  Created c;
  create(c, dir, std::string("[VORLClient]\n") + kBase);
  ASSERT_EQ(c.rc, 0);
  const vorl::ClientOptions& o = c.client()->options;
  EXPECT_EQ(o.preferredAddress, 0u);
  EXPECT_EQ(o.broadcastAddresses, std::vector<uint32_t>{ip("127.255.255.255")});
  EXPECT_TRUE(o.possibleHosts.empty());
  EXPECT_EQ(o.packetTimeout, 10);
  EXPECT_EQ(o.characterTimeout, 2);
  EXPECT_EQ(o.receiveTimeout, 5);
  EXPECT_EQ(o.connectTime, 10);
  EXPECT_EQ(o.connectTries, 1);
  EXPECT_EQ(o.sendTries, 1);
  EXPECT_EQ(o.maxHosts, 1);
  EXPECT_EQ(o.recvBufferSize, 30000);
  EXPECT_EQ(o.sendBufferSize, 30000);
  EXPECT_EQ(o.windowSize, 1);
  EXPECT_EQ(o.loadBalanceTime, 0);
  EXPECT_EQ(o.loadBalanceThreshold, 0);
  EXPECT_EQ(o.loadBalanceSpread, 30);
  EXPECT_EQ(c.client()->slots.size(), 1u);
  EXPECT_EQ(c.client()->hostType, "VEXA");
  EXPECT_EQ(c.client()->tcpPort, htons(45678));
  EXPECT_EQ(c.client()->udpPort, htons(45678));
  EXPECT_EQ(c.client()->pluginSection, "VORLClient_plugins");
  EXPECT_GE(c.client()->udpSocket, 0);
  EXPECT_LT(c.client()->tcpSocket, 0);
}

TEST(ClientCreate, EachRangeRuleOfTheNumericOptions) {
  const struct {
    const char* key;
    const char* value;
    int32_t vorl::ClientOptions::*field;
    int32_t expected;
  } cases[] = {
      {"PacketTimeout", "0", &vorl::ClientOptions::packetTimeout, 10},
      {"PacketTimeout", "-5", &vorl::ClientOptions::packetTimeout, 10},
      {"PacketTimeout", "  42abc", &vorl::ClientOptions::packetTimeout, 42},
      {"PacketTimeout", "40000", &vorl::ClientOptions::packetTimeout, 32767},
      {"CharacterTimeout", "0", &vorl::ClientOptions::characterTimeout, 2},
      {"CharacterTimeout", "3", &vorl::ClientOptions::characterTimeout, 3},
      {"ReceiveTimeout", "abc", &vorl::ClientOptions::receiveTimeout, 5},
      {"ReceiveTimeout", "70000", &vorl::ClientOptions::receiveTimeout, 32767},
      {"ConnectTime", "0", &vorl::ClientOptions::connectTime, 10},
      {"ConnectTries", "0", &vorl::ClientOptions::connectTries, 1},
      {"ConnectTries", "3", &vorl::ClientOptions::connectTries, 3},
      {"SendTries", "0", &vorl::ClientOptions::sendTries, 0},
      {"SendTries", "-1", &vorl::ClientOptions::sendTries, 1},
      {"SendTries", "40000", &vorl::ClientOptions::sendTries, 40000},
      {"MaxHosts", "0", &vorl::ClientOptions::maxHosts, 1},
      {"MaxHosts", "4", &vorl::ClientOptions::maxHosts, 4},
      {"RecvBufferSize", "500", &vorl::ClientOptions::recvBufferSize, 30000},
      {"RecvBufferSize", "1000", &vorl::ClientOptions::recvBufferSize, 1000},
      {"RecvBufferSize", "30001", &vorl::ClientOptions::recvBufferSize, 30000},
      {"SendBufferSize", "999", &vorl::ClientOptions::sendBufferSize, 30000},
      {"SendBufferSize", "2000", &vorl::ClientOptions::sendBufferSize, 2000},
      {"WindowSize", "0", &vorl::ClientOptions::windowSize, 0},
      {"WindowSize", "-2", &vorl::ClientOptions::windowSize, 1},
      {"WindowSize", "4", &vorl::ClientOptions::windowSize, 4},
      {"WindowSize", "100000", &vorl::ClientOptions::windowSize, 256},
      {"LoadBalanceTime", "-1", &vorl::ClientOptions::loadBalanceTime, 0},
      {"LoadBalanceTime", "60", &vorl::ClientOptions::loadBalanceTime, 60},
      {"LoadBalanceThreshold", "150", &vorl::ClientOptions::loadBalanceThreshold, 0},
      {"LoadBalanceThreshold", "10", &vorl::ClientOptions::loadBalanceThreshold, 10},
      {"LoadBalanceSpread", "0", &vorl::ClientOptions::loadBalanceSpread, 30},
      {"LoadBalanceSpread", "5", &vorl::ClientOptions::loadBalanceSpread, 5},
  };
  for (const auto& t : cases) {
    ScratchDir dir;
    Created c;
    create(c, dir, std::string("[VORLClient]\n") + kBase + t.key + "=" + t.value + "\n");
    ASSERT_EQ(c.rc, 0) << t.key << "=" << t.value;
    EXPECT_EQ(c.client()->options.*t.field, t.expected) << t.key << "=" << t.value;
  }
}

TEST(ClientCreate, WindowSlotsFollowWindowAndSendBufferSizes) {
  ScratchDir dir;
  Created c;
  create(c, dir, std::string("[VORLClient]\n") + kBase + "WindowSize=3\nSendBufferSize=2000\n");
  ASSERT_EQ(c.rc, 0);
  ASSERT_EQ(c.client()->slots.size(), 3u);
  for (const auto& s : c.client()->slots) {
    EXPECT_EQ(s.buffer.size(), 2000u);
    EXPECT_TRUE(s.free);
  }
  ASSERT_EQ(VORLSetOption(c.h, VORL_OPT_WINDOW_SIZE, 5), 0);
  ASSERT_EQ(c.client()->slots.size(), 5u);
  EXPECT_EQ(c.client()->slots[4].buffer.size(), 2000u);
  ASSERT_EQ(VORLSetOption(c.h, VORL_OPT_WINDOW_SIZE, 0), 0);
  EXPECT_TRUE(c.client()->slots.empty());
}

TEST(ClientCreate, AddressOptionsAndTheCandidateList) {
  ScratchDir dir;
  std::string many;
  for (int i = 0; i < 40; ++i) many += (i ? "," : "") + std::string("127.0.1.") + std::to_string(i);
  Created c;
  create(c, dir,
         "[VORLClient]\nService=45678\nPreferredIPAddress=bogus\n"
         "BroadcastAddress=127.255.255.255, not.an.address ,,127.0.0.255\nPossibleHosts=127.0.0.9\n");
  ASSERT_EQ(c.rc, 0);
  const VORLClient* cl = c.client();
  EXPECT_EQ(cl->options.preferredAddress, 0u);
  EXPECT_EQ(cl->options.broadcastAddresses, (std::vector<uint32_t>{ip("127.255.255.255"), ip("127.0.0.255")}));
  ASSERT_EQ(cl->candidates.size(), 3u);
  EXPECT_EQ(cl->candidates[0].sin_addr.s_addr, ip("127.0.0.9")); // possible hosts first
  EXPECT_EQ(cl->candidates[1].sin_addr.s_addr, ip("127.255.255.255"));
  for (const auto& sa : cl->candidates) EXPECT_EQ(sa.sin_port, htons(45678));

  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_PREFERRED_IP, reinterpret_cast<intptr_t>("127.0.0.2")), 0);
  EXPECT_EQ(cl->options.preferredAddress, ip("127.0.0.2"));
  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_BROADCAST_ADDRESS, reinterpret_cast<intptr_t>(many.c_str())), 0);
  EXPECT_EQ(cl->options.broadcastAddresses.size(), 32u);
  EXPECT_EQ(cl->candidates.size(), 32u);
  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_POSSIBLE_HOSTS, reinterpret_cast<intptr_t>("localhost")), 0);
  EXPECT_FALSE(cl->options.possibleHosts.empty());
  EXPECT_EQ(cl->candidates.size(), 32u);
  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_BROADCAST_ADDRESS, 0), 0);
  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_POSSIBLE_HOSTS, reinterpret_cast<intptr_t>("")), 0);
  EXPECT_TRUE(cl->candidates.empty());
  EXPECT_EQ(VORLConnect(c.h), VORL_ERR_NO_SERVER_ADDRESS);
}

TEST(ClientOptions, RefusalsWithFortyOne) {
  ScratchDir dir;
  Created c;
  create(c, dir, std::string("[VORLClient]\n") + kBase);
  ASSERT_EQ(c.rc, 0);
  for (int id : {0, -1, 17, 101}) EXPECT_EQ(VORLSetOption(c.h, id, 1), VORL_ERR_OPTION) << id;
  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_PACKET_TIMEOUT, intptr_t{1} << 32), VORL_ERR_OPTION);
  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_SEND_TRIES, -(intptr_t{1} << 33)), VORL_ERR_OPTION);
  // The edges of 32 bits: one past them would wrap negative; at them a time-out is clamped.
  for (int id = VORL_OPT_PACKET_TIMEOUT; id <= VORL_OPT_MAX_HOSTS; ++id) {
    EXPECT_EQ(VORLSetOption(c.h, id, intptr_t{INT32_MAX} + 1), VORL_ERR_OPTION) << id;
    EXPECT_EQ(VORLSetOption(c.h, id, intptr_t{INT32_MIN} - 1), VORL_ERR_OPTION) << id;
  }
  EXPECT_EQ(c.client()->options.packetTimeout, 10);
  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_PACKET_TIMEOUT, INT32_MAX), 0);
  EXPECT_EQ(c.client()->options.packetTimeout, 32767);
  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_CONNECT_TIME, INT32_MIN), 0);
  EXPECT_EQ(c.client()->options.connectTime, 10);

  // While connected the buffer sizes stay as they are.
  int pair[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
  close(pair[1]);
  c.client()->tcpSocket = pair[0];
  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_SEND_BUFFER_SIZE, 5000), VORL_ERR_OPTION);
  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_RECV_BUFFER_SIZE, 5000), VORL_ERR_OPTION);
  EXPECT_EQ(c.client()->options.sendBufferSize, 30000);
  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_PACKET_TIMEOUT, 20), 0);
  // The window stays while a sent packet awaits its reply.
  c.client()->sentFirst = 0;
  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_WINDOW_SIZE, 3), VORL_ERR_OPTION);
  c.client()->sentFirst = -1;
  EXPECT_EQ(VORLSetOption(c.h, VORL_OPT_WINDOW_SIZE, 3), 0);
}

TEST(ClientCreate, FailuresStopCreationAndLeaveTheHandleUntouched) {
  ScratchDir dir;
  const std::string ok = std::string("[VORLClient]\n") + kBase;
  servent* ssh = getservbyname("ssh", "tcp");
  const bool sshTcpOnly = ssh != nullptr && getservbyname("ssh", "udp") == nullptr;
  const struct {
    const char* what;
    std::string section;
    const char* service;
    int rc;
  } cases[] = {
      {"no service", "[VORLClient]\nHostType=X\n", nullptr, VORL_ERR_SERVICE},
      {"unknown service", ok, "no-such-service-here", VORL_ERR_SERVICE},
      {"port zero", ok, "0", VORL_ERR_SERVICE},
      {"port too big", ok, "65536", VORL_ERR_SERVICE},
      {"tcp only", ok, sshTcpOnly ? "ssh" : "no-such-service-here", VORL_ERR_SERVICE},
      {"oversized number", ok + "PacketTimeout=99999999999\n", nullptr, VORL_ERR_OPTION},
      {"plug-in fails", ok + "[VORLClient_plugins]\nBad=nocomma\n", nullptr, VORL_ERR_PLUGIN_LOAD},
  };
  for (const auto& t : cases) {
    Created c;
    c.h = reinterpret_cast<VORLHANDLE>(&c); // must stay as it is
    testing::internal::CaptureStderr();
    create(c, dir, t.section, t.service);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(c.rc, t.rc) << t.what;
    EXPECT_EQ(c.h, reinterpret_cast<VORLHANDLE>(&c)) << t.what;
    c.h = nullptr;
  }
  {
    EnvVar none("VORLCONFIG", nullptr);
    VORLHANDLE h = nullptr;
    EXPECT_EQ(VORLCreate(&h, nullptr, "45678", "X"), VORL_ERR_NO_CONFIG);
    EXPECT_EQ(h, nullptr);
  }
  // A path or section too long to keep whole is refused, not cut to another
  // name: here the cut path names a real file.
  const std::size_t keep = 259 - dir.path().size() - 1;
  const std::string file = dir.write(std::string(keep, 'c'), ok);
  ASSERT_EQ(file.size(), 259u);
  for (const std::string& config : {file + "x", file + "," + std::string(200, 's')}) {
    VORLHANDLE h = nullptr;
    EXPECT_EQ(VORLCreate(&h, config.c_str(), nullptr, nullptr), VORL_ERR_NO_CONFIG) << config.size();
    EXPECT_EQ(h, nullptr);
  }
}

TEST(ClientCreate, SectionsServiceAndHostTypeSources) {
  ScratchDir dir;
  const std::string file = dir.write("c.ini",
                                     "[VORLClient]\nService=45678\nHostType=FromKey\n"
                                     "[Other]\nService=45679\nPluginSection=Mine\n"
                                     "HostType=0123456789012345678901234567890123456789\n");
  {
    EnvVar cfg("VORLCONFIG", file.c_str());
    VORLHANDLE h = nullptr;
    ASSERT_EQ(VORLCreate(&h, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(h->section, "VORLClient");
    EXPECT_EQ(h->hostType, "FromKey");
    VORLDisconnect(h);
  }
  VORLHANDLE h = nullptr;
  ASSERT_EQ(VORLCreate(&h, (file + ",Other").c_str(), "45680", "Given"), 0);
  EXPECT_EQ(h->pluginSection, "Mine");
  EXPECT_EQ(h->tcpPort, htons(45680));
  EXPECT_EQ(h->hostType, "Given");
  VORLDisconnect(h);
  ASSERT_EQ(VORLCreate(&h, (file + ",Other").c_str(), nullptr, ""), 0);
  EXPECT_EQ(h->tcpPort, htons(45679));
  EXPECT_EQ(h->hostType, "012345678901234567890123456789"); // at most 30 characters
  VORLDisconnect(h);
}

int acceptLogon(int, const void*, int, int) { return 0; }

TEST(ClientHandle, LogonMessageIsAPrivateCopy) {
  ScratchDir dir;
  Created c;
  create(c, dir, std::string("[VORLClient]\n") + kBase);
  ASSERT_EQ(c.rc, 0);
  std::string text = "user        digest";
  ASSERT_EQ(VORLSetLogonMessage(c.h, 129, text.data(), static_cast<unsigned>(text.size()), 7, acceptLogon), 0);
  text[0] = 'X';
  const vorl::LogonMessage& logon = c.client()->logon;
  EXPECT_TRUE(logon.set);
  EXPECT_EQ(logon.type, 129);
  EXPECT_EQ(logon.value, 7);
  EXPECT_EQ(std::string(logon.data.begin(), logon.data.end()), "user        digest");
  EXPECT_EQ(VORLSetLogonMessage(c.h, 129, text.data(), 30000, 7, acceptLogon), VORL_ERR_NO_ROOM);
  EXPECT_EQ(VORLSetLogonMessage(c.h, 129, text.data(), 3, 7, nullptr), 0);
  EXPECT_FALSE(c.client()->logon.set);
  EXPECT_EQ(VORLSetLogonMessage(c.h, 129, nullptr, 3, 7, acceptLogon), 0);
  EXPECT_FALSE(c.client()->logon.set);
}

TEST(ClientHandle, EveryCallAfterDisconnectGivesTwentyOne) {
  vorl::test::Recorder rec;
  ScratchDir dir;
  VORLHANDLE h = nullptr;
  const std::string file = dir.write(
      "c.ini", std::string("[VORLClient]\n") + kBase + "[VORLClient_plugins]\n" +
                   vorl::test::entry("Rec", "recorder.vpx", "RecorderInit"));
  ASSERT_EQ(VORLCreate(&h, file.c_str(), nullptr, nullptr), 0);
  EXPECT_EQ(rec.log(), "Rec:Init version 259 role 1 connections 1 attached 1\n");
  ASSERT_EQ(VORLDisconnect(h), 0);
  EXPECT_EQ(rec.log(), "Rec:Init version 259 role 1 connections 1 attached 1\nRec:Cleanup\n");
  char buffer[8];
  int n = 0;
  void* data = nullptr;
  for (VORLHANDLE bad : {h, static_cast<VORLHANDLE>(nullptr), reinterpret_cast<VORLHANDLE>(&n)}) {
    EXPECT_EQ(VORLDisconnect(bad), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLSetOption(bad, VORL_OPT_PACKET_TIMEOUT, 5), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLSetLogonMessage(bad, 1, "x", 1, 0, acceptLogon), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLConnect(bad), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLStartPacket(bad, 1, "x", 1, 0, 0), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLAddMessage(bad, 1, "x", 1, 0), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLEndPacket(bad), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLResetPacket(bad), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLSend(bad, 1, "x", 1, 0, 0), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLRecv(bad, 0), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLNumMessages(bad, &n), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLMessage(bad, 0, &n, &data, &n, &n), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLGetMessage(bad, 0, &n, buffer, sizeof buffer, &n, &n), VORL_ERR_INVALID_HANDLE);
  }
}

} // namespace
