#include "sheets/compstui.h"

#include "core/scope.h"
#include "core/trace.h"

typedef LONG(WINAPI *PFN_CommonPropertySheetUIW)(HWND, PX_PFNPROPSHEETUI, LPARAM, LPDWORD);

static const char kCompstui[] = "compstui.dll";
// Guarded: tests swap the name while other threads may open sheets, so it is
// read and written with interlocked operations only.
static PVOID volatile g_libraryName = const_cast<char *>(kCompstui);

static const char *LibraryName(void)
{
    return static_cast<const char *>(InterlockedCompareExchangePointer(&g_libraryName, NULL, NULL));
}

LONG RunCommonPropertySheetUI(HWND owner, PX_PFNPROPSHEETUI pfnPropSheetUI, LPARAM lParam,
                              LPDWORD pResult)
{
    const char *name = LibraryName();
    UniqueLibrary library(LoadLibraryA(name));
    if (!library) {
        PX_TRACE(L"%hs cannot be loaded", name);
        return -1;
    }
    auto entry = (PFN_CommonPropertySheetUIW)(void *)GetProcAddress(library.get(),
                                                                      "CommonPropertySheetUIW");
    if (!entry) {
        PX_TRACE(L"no CommonPropertySheetUIW");
        return -1;
    }
    LONG result = entry(owner, pfnPropSheetUI, lParam, pResult);
    PX_TRACE(L"-> %ld", result);
    return result;
}

void SetCommonPropertySheetLibraryForTesting(const char *name)
{
    InterlockedExchangePointer(&g_libraryName, const_cast<char *>(name ? name : kCompstui));
}
