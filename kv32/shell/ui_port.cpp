#include "kv32/shell/ui_port.h"

namespace {
CKvUiPort* g_port = nullptr;
}

void KvSetUiPort(CKvUiPort* port)
{
    g_port = port;
}

CKvUiPort* KvUiPort()
{
    return g_port;
}

void KvBeep(unsigned type)
{
    if (g_port != nullptr)
        g_port->Beep(type);
}

void KvSetStatusText(const std::string& text)
{
    if (g_port != nullptr)
        g_port->SetStatusText(text);
}

void KvPostCommand(unsigned commandId)
{
    if (g_port != nullptr)
        g_port->PostCommand(commandId);
}

void KvSetLogStatusText(const std::string& text)
{
    if (g_port != nullptr)
        g_port->SetLogText(text);
}

void KvPostNotify(unsigned message)
{
    if (g_port != nullptr && message != 0)
        g_port->PostNotify(message);
}

bool KvSessionWindowReady()
{
    return g_port != nullptr && g_port->HasSession() && g_port->IsMainWindowEnabled();
}
