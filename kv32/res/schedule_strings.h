// Column titles, texts and the context menu of the Trading Events window,
// English and Hungarian.
#pragma once

#include <cstdint>
#include <string>

enum Kv32ScheduleStringId : unsigned {
    IDS_SCHEDULE_FIRST_COLUMN = 2050, // to 2056
    IDS_SCHEDULE_PRIORITY_RANGE = 61420,
};

enum Kv32ScheduleCommandId : unsigned {
    ID_SCHEDULE_ADD = 32882,
    ID_SCHEDULE_MODIFY = 32883,
    ID_SCHEDULE_REMOVE = 32884,
};

// Registers the texts and the window's menu once.
void Kv32RegisterScheduleResources();
std::string KvScheduleString(std::uint32_t id);
