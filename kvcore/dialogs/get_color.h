// The colour chooser of the workstation: the chosen colour, or the initial one
// when the user cancels; the 16 custom colours come back only with OK.
#pragma once

#include <cstdint>

#include "kvcore/kvcore_api.h"

// Colours are 0x00BBGGRR; custom holds 16 of them (null: none kept).
KVCORE_API uint32_t GetColor(uint32_t* custom, uint32_t initial);
