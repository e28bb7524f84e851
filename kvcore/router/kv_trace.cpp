#include "kvcore/router/kv_trace.h"

#include <cstdio>
#include <utility>

#include "fw/core/codepage.h"

namespace {
KvTraceSink& Sink()
{
    static KvTraceSink sink;
    return sink;
}
} // namespace

void KvSetTraceSink(KvTraceSink sink)
{
    Sink() = std::move(sink);
}

void KvTrace(const std::string& line)
{
    if (Sink()) {
        Sink()(line);
        return;
    }
    std::fprintf(stderr, "kvcore trace: %s\n", fw::cp1250ToUtf8(line).c_str());
}
