#include "sheets/compstui.h"

#include "core/scope.h"
#include "core/trace.h"

typedef LONG(WINAPI *PFN_CommonPropertySheetUIW)(HWND, PX_PFNPROPSHEETUI, LPARAM, LPDWORD);

static const char kCompstui[] = "compstui.dll";
static const char *g_libraryName = kCompstui;

LONG RunCommonPropertySheetUI(HWND owner, PX_PFNPROPSHEETUI pfnPropSheetUI, LPARAM lParam,
                              LPDWORD pResult)
{
    UniqueLibrary library(LoadLibraryA(g_libraryName));
    if (!library) {
        PX_TRACE(L"%hs cannot be loaded", g_libraryName);
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
    g_libraryName = name ? name : kCompstui;
}
