#include "fw/core/msgbox.h"

#include "fw/core/codepage.h"

#include <cstdio>
#include <utility>

namespace fw {
namespace {

MessageBoxHook& hook()
{
    static MessageBoxHook h;
    return h;
}

MessageBoxHandler& handler()
{
    static MessageBoxHandler h;
    return h;
}

} // namespace

void setMessageBoxHook(MessageBoxHook h)
{
    hook() = std::move(h);
}

const MessageBoxHook& messageBoxHook()
{
    return hook();
}

void setMessageBoxHandler(MessageBoxHandler h)
{
    handler() = std::move(h);
}

int unattendedAnswer(uint32_t type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL: return IDCANCEL;
    case MB_YESNO: return IDNO;
    default: return IDOK;
    }
}

int messageBox(const std::string& text, uint32_t type, uint32_t helpId)
{
    if (handler())
        return handler()(text, type, helpId);
    if (hook())
        return hook()(text, type);
    std::fprintf(stderr, "%s\n", cp1250ToUtf8(text).c_str());
    return unattendedAnswer(type);
}

} // namespace fw
