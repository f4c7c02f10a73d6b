#include <windows.h>

#include "core/module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        if (!ModuleAttach(instance))
            return FALSE;
        DisableThreadLibraryCalls(instance);
        return TRUE;
    case DLL_PROCESS_DETACH:
        ModuleDetach();
        return TRUE;
    default:
        return TRUE;
    }
}
