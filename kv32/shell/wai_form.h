// The work area identifier under which orders are filed in the private order
// book: when it may be taken, and how a new one joins the known identifiers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline constexpr int kWaiMaxLength = 127;

bool WaiOkEnabled(std::string_view text);
// The known identifiers a list offers.
const std::vector<std::string>& WaiKnownNames();
// OK: an identifier typed rather than chosen from the list joins the known
// ones (for later openings in this session).
void WaiAccept(std::string_view text, bool chosenFromList);
