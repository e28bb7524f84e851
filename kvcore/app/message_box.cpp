#include "kvcore/app/message_box.h"

#include "fw/core/strings.h"

int KvMessageBox(const std::string& text, std::uint32_t flags)
{
    return fw::messageBox(text, flags);
}

int KvMessageBoxId(std::uint32_t stringId, std::uint32_t flags)
{
    return fw::messageBox(fw::loadString(stringId), flags);
}
