#pragma once
// Marks what libfw_core.so exports to the other modules.
#define FW_CORE_API __attribute__((visibility("default")))
