// A minimal router library with the fifteen entry points, for load tests.
// Built twice: whole, and without VORLSetOption.
#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
int g_handle = 0;
}

FAKE_EXPORT int VORLCreate(void** h, const char*, const char*, const char*)
{
    *h = &g_handle;
    return 0;
}
FAKE_EXPORT int VORLConnect(void*)
{
    return 0;
}
FAKE_EXPORT int VORLDisconnect(void*)
{
    return 0;
}
FAKE_EXPORT int VORLSetLogonMessage(void*, int, const void*, unsigned, int, void*)
{
    return 0;
}
FAKE_EXPORT int VORLRecv(void*, int)
{
    return 3;
}
FAKE_EXPORT int VORLNumMessages(void*, int*)
{
    return 10;
}
FAKE_EXPORT int VORLMessage(void*, int, int*, void**, int*, int*)
{
    return 10;
}
FAKE_EXPORT int VORLGetMessage(void*, int, int*, void*, int, int*, int*)
{
    return 10;
}
FAKE_EXPORT int VORLSend(void*, int, const void*, int, int, int)
{
    return 0;
}
FAKE_EXPORT int VORLStartPacket(void*, int, const void*, int, int, int)
{
    return 0;
}
FAKE_EXPORT int VORLAddMessage(void*, int, const void*, int, int)
{
    return 0;
}
FAKE_EXPORT int VORLEndPacket(void*)
{
    return 0;
}
FAKE_EXPORT int VORLResetPacket(void*)
{
    return 0;
}
FAKE_EXPORT const char* VORLGetError(int)
{
    return "fake router error";
}
#ifndef FAKE_VORL_PARTIAL
FAKE_EXPORT int VORLSetOption(void*, int, const void*)
{
    return 0;
}
#endif
