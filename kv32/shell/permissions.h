// Which commands the logged-on user may use: each command id is bound to the
// message type (or the operator code of the operator transaction) that it
// sends or needs, and the host's rights of the user decide.
#pragma once

#include <cstdint>
#include <span>

struct CommandPermission {
    unsigned commandId;
    int32_t msgType; // 0: always allowed (with code 0); -1: never (with code -1)
    int32_t oprCode; // for type 142: the operator code needed; else 0
};

std::span<const CommandPermission> CommandPermissionTable();
// The first row of the command, or null when the table does not bind it.
const CommandPermission* FindCommandPermission(unsigned commandId);

// The rights table holds a record of the message type.
bool IsMsgTypePermitted(unsigned msgType);
// The rights table holds the operator transaction with this operator code.
bool IsOprCodePermitted(unsigned oprCode);
// A command missing from the table is allowed.
bool IsCommandAllowed(unsigned commandId);
