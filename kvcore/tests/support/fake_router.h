// An in-process stand-in for the router library: a table of entry points over
// scripted state, recording every call in order.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "kvcore/router/vorl_api.h"

namespace kvtest {

struct FakeMessage {
    int type = 0;
    std::string data;
    int value = 0;
};

struct FakeLogon {
    int type = 0;
    std::string data;
    int value = 0;
    VorlLogonFn callback = nullptr;
};

struct FakeRouter {
    // Script.
    int createStatus = 0;
    int connectStatus = 0;
    int logonEvent = 193; // what the host answers to the logon
    std::string logonReplyText; // text of that answer
    std::deque<int> recvStatuses; // consumed first by VORLRecv
    std::deque<std::vector<FakeMessage>> replies; // reply packets in arrival order
    size_t packetLimit = 30000; // bytes of messages per packet
    int window = 1;

    // Record.
    std::vector<std::string> calls;
    std::string config, service, hostType;
    std::vector<FakeLogon> logons;
    std::vector<std::vector<FakeMessage>> sent;
    std::vector<FakeMessage> building;
    bool started = false;
    int outstanding = 0;
    std::vector<FakeMessage> lastReply;
    bool haveReply = false;
    int handles = 0; // created and not yet destroyed
    int disconnects = 0;
    std::vector<int> recvTimeouts;
};

// The one fake of the process; Reset() before each test.
FakeRouter& Fake();
void ResetFake();
VorlApi FakeRouterApi();

} // namespace kvtest
