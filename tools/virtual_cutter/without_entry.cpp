// A DLL that loads but has no ZOLK_OpenUsb: what an incomplete or foreign USB library looks
// like to the controller.
#include <windows.h>

extern "C" __declspec(dllexport) HANDLE WINAPI ZOLK_CloseUsb(DWORD device)
{
    (void)device;
    return INVALID_HANDLE_VALUE;
}
