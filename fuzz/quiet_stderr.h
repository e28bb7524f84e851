#pragma once
// The libraries under fuzz report every refused input with a line on stderr; millions of
// inputs would flood the run's log. The harness points the C stream stderr at /dev/null
// once. The sanitizers write their reports to descriptor 2 and libFuzzer keeps the stream
// it took at start-up, so findings and progress still show.
#include <cstdio>

namespace fuzz {

inline void SilenceLibraryDiagnostics()
{
    static const bool silenced = [] {
        FILE* sink = std::fopen("/dev/null", "w");
        if (sink != nullptr)
            stderr = sink;
        return sink != nullptr;
    }();
    (void)silenced;
}

} // namespace fuzz
