#pragma once
// The server's statistics configuration: from the plug-in's sections of the
// router's configuration file into the server block, and the files it names.
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "plinth/config.h"
#include "vorl/plugin.h"

namespace pigauge {

// Summary file first, then one per range.
using StatFiles = std::array<FILE*, 11>;

struct MsgSet {
    int first = 0;
    int last = 0;
    int range = 0;
};

// Adds the sets of one "MsgTypes" value ("100-199,300") for range `range`;
// 0 or the failure code, reported on stderr.
int ParseMsgTypes(const std::string& value, int range, std::vector<MsgSet>& sets);

// Fills the block from the configuration and opens the statistics files; 0
// or the failure code, reported on stderr. Files opened before a failure are
// left in `files` for the caller to close.
int InitialiseServerInfo(Config config, const PluginHostInfo* info, uint8_t* block, StatFiles& files);

// A value of a key, refused when longer than the 1,024 characters a value may
// have: -1 when unreadable or too long, else its length.
int ReadValue(Config config, const char* key, std::string& out);

} // namespace pigauge
