#include "kvcore/app/message_box.h"

#include <cstdio>
#include <utility>

#include "fw/core/codepage.h"
#include "kvcore/res/strings.h"

namespace {
KvMessageBoxHook& Hook()
{
    static KvMessageBoxHook hook;
    return hook;
}
} // namespace

void KvSetMessageBoxHook(KvMessageBoxHook hook)
{
    Hook() = std::move(hook);
}

int KvMessageBox(const std::string& text, unsigned flags)
{
    if (Hook())
        return Hook()(text, flags);
    std::fprintf(stderr, "kvcore: %s\n", fw::cp1250ToUtf8(text).c_str());
    return KV_IDOK;
}

int KvMessageBoxId(unsigned stringId, unsigned flags)
{
    return KvMessageBox(KvLoadString(stringId), flags);
}
