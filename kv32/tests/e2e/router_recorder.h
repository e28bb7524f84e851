// Records what the workstation sends to the router and what it reads back,
// by standing between the router session and the loaded router library: the
// scenario player checks records sent and reply texts against it.
#pragma once

#include <string>
#include <vector>

struct RecordedMessage {
    int type = 0;
    std::string bytes; // as on the wire (Windows-1250)
};

class CRouterRecorder {
public:
    // Binds the router library that the session loaded and puts the recording
    // entry points in front of it. False when no session or library is there.
    static bool Install();

    static std::vector<RecordedMessage>& Sent();
    static std::vector<RecordedMessage>& Received();
};
