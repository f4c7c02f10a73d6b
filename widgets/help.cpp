#include "widgets/help.h"

#include "core/scope.h"
#include "core/trace.h"
#include "resources/ids_help.h"

#define HTML_HELP_ORDINAL 15
#define HTML_HELP_CLSID_KEY "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32"

// A guarded cache: loaded once for the process and never released while the
// module is loaded; sheets on several threads may ask for help at once, so
// the lock covers loading and reading.
static HMODULE g_helpModule;
static PFN_HtmlHelpW g_helpEntry;
static BOOL g_helpFailed;
static SRWLOCK g_helpLock = SRWLOCK_INIT;

static HMODULE LoadRegisteredHelpControl(void)
{
    HKEY opened = NULL;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, HTML_HELP_CLSID_KEY, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return NULL;
    UniqueRegKey key(opened);
    char path[260] = {};
    DWORD bytes = sizeof path - 1;  // room for a terminator the value may lack
    LONG status = RegQueryValueExA(key.get(), NULL, NULL, NULL, (BYTE *)path, &bytes);
    key.reset();
    if (status != ERROR_SUCCESS)
        return NULL;
    return LoadLibraryA(path);
}

static BOOL LoadHelpControl(void)
{
    if (g_helpModule)
        return TRUE;
    if (g_helpFailed)
        return FALSE;
    g_helpModule = LoadRegisteredHelpControl();
    if (!g_helpModule)
        g_helpModule = LoadLibraryA("hhctrl.ocx");
    if (!g_helpModule) {
        g_helpFailed = TRUE;
        PX_TRACE(L"no HTML help control");
    }
    return g_helpModule != NULL;
}

static BOOL ResolveHelpEntry(void)
{
    if (g_helpEntry)
        return TRUE;
    g_helpEntry = (PFN_HtmlHelpW)(void *)GetProcAddress(g_helpModule, MAKEINTRESOURCEA(HTML_HELP_ORDINAL));
    if (!g_helpEntry)
        g_helpFailed = TRUE;
    return g_helpEntry != NULL;
}

// The help control's entry, loaded at the first request; null when it
// cannot be had.
static PFN_HtmlHelpW HelpEntry(void)
{
    AcquireSRWLockExclusive(&g_helpLock);
    if (!g_helpEntry && LoadHelpControl())
        ResolveHelpEntry();
    PFN_HtmlHelpW entry = g_helpEntry;
    ReleaseSRWLockExclusive(&g_helpLock);
    return entry;
}

LONG_PTR ShowHelp(HWND window, const WCHAR *helpFile, UINT command, DWORD_PTR data)
{
    PFN_HtmlHelpW entry = HelpEntry();
    if (!entry)
        return 0;
    PX_TRACE(L"%ls command %u data %lu", helpFile ? helpFile : L"(none)", command, (unsigned long)data);
    return (LONG_PTR)entry(window, helpFile, command, data);
}

void ShowHelpTopic(HWND window, const WCHAR *helpFile, int topic)
{
    ShowHelp(window, helpFile, PX_HH_HELP_CONTEXT, (DWORD_PTR)topic);
}

int TopicOfControl(const HelpContext *table, int controlId)
{
    for (; table->controlId != 0; table++) {
        if (table->controlId == controlId)
            return table->topic;
    }
    return PX_HELP_TOPIC_GENERAL;
}

int HelpControlOf(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HELP && lParam)
        return reinterpret_cast<const HELPINFO *>(lParam)->iCtrlId;
    if (message == WM_CONTEXTMENU)
        return GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
    return 0;
}

void SetHelpEntryForTesting(PFN_HtmlHelpW entry)
{
    AcquireSRWLockExclusive(&g_helpLock);
    g_helpEntry = entry;
    if (!entry) {
        g_helpModule = NULL;
        g_helpFailed = FALSE;
    }
    ReleaseSRWLockExclusive(&g_helpLock);
}
