#pragma once

namespace plinth {

// Starts a new scan from word 1 (the state a process begins with).
void OptionReset();

} // namespace plinth
