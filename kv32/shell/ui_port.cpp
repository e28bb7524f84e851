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

bool KvSessionWindowReady()
{
    return g_port != nullptr && g_port->HasSession() && g_port->IsMainWindowEnabled();
}
