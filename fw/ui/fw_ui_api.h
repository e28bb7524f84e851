#pragma once
// Marks what libfw_ui.so exports to the other modules.
#define FW_UI_API __attribute__((visibility("default")))
