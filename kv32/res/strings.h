// The program's string table (English and Hungarian under one id).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/strings.h"

std::span<const fw::StringEntry> Kv32Strings();
// The text of the id in the current language (the table registered on first use).
std::string Kv32LoadString(std::uint32_t id);
