#include "pages/help.h"

#include "core/trace.h"
#include "resources/ids_controls.h"

const HelpContext kBasicPageHelp[] = {
    {IDC_BASIC_PORTRAIT, 21},         {IDC_BASIC_LANDSCAPE, 21},
    {IDC_BASIC_PAGE_SIZE_LABEL, 22},  {IDC_BASIC_PAGE_SIZE, 22},
    {IDC_BASIC_USER_SIZE, 24},        {IDC_BASIC_OUTPUT_SIZE_LABEL, 25},
    {IDC_BASIC_OUTPUT_SIZE, 25},      {IDC_BASIC_SCALE, 25},
    {IDC_BASIC_PERCENT, 25},          {IDC_BASIC_ROTATION_LABEL, 26},
    {IDC_BASIC_ROTATION, 26},         {IDC_BASIC_MEDIA_TYPE_LABEL, 27},
    {IDC_BASIC_MEDIA_TYPE, 27},       {IDC_BASIC_SETTINGS_LIST, 28},
    {IDC_BASIC_ADVANCED, 28},         {IDC_SUMMARY_CONFIRM, 122},
    {IDC_SUMMARY_PAGE_PICTURE, 121},  {IDC_SUMMARY_PANEL_PICTURE, 121},
    {0, 0},
};

const HelpContext kOptionPageHelp[] = {
    {IDC_OPTION_COPIES_LABEL, 81},       {IDC_OPTION_COPIES, 81},
    {IDC_OPTION_COPIES_UNIT, 81},        {IDC_OPTION_MIRROR, 82},
    {IDC_OPTION_OVERPRINT, 84},          {IDC_OPTION_OVERPRINT_COUNT, 84},
    {IDC_OPTION_OVERPRINT_WAIT_ON, 85},  {IDC_OPTION_OVERPRINT_WAIT, 85},
    {IDC_OPTION_PREHEATER, 86},          {IDC_OPTION_PREHEATER_TEMP, 86},
    {IDC_OPTION_PLATEN_HEATER, 86},      {IDC_OPTION_PLATEN_HEATER_TEMP, 86},
    {IDC_OPTION_AFTER_HEATER, 86},       {IDC_OPTION_AFTER_HEATER_TEMP, 86},
    {IDC_OPTION_ON_THE_FLY, 87},         {IDC_OPTION_CROP_MARKS, 0},
    {IDC_SUMMARY_CONFIRM, 122},          {IDC_SUMMARY_PAGE_PICTURE, 121},
    {IDC_SUMMARY_PANEL_PICTURE, 121},    {0, 0},
};

const HelpContext kSetupPageHelp[] = {
    {IDC_SETUP_LENGTH_LABEL, 101}, {IDC_SETUP_LENGTH_UNIT, 101},
    {IDC_SETUP_TEMP_LABEL, 102},   {IDC_SETUP_TEMP_UNIT, 102},
    {IDC_SETUP_SHOW_STATUS, 103},  {IDC_SETUP_LOAD, 104},
    {IDC_SETUP_SAVE, 105},         {IDC_SETUP_VERSION, 106},
    {IDC_SETUP_INITIALIZE, 107},   {IDC_SUMMARY_CONFIRM, 122},
    {IDC_SUMMARY_PAGE_PICTURE, 121}, {IDC_SUMMARY_PANEL_PICTURE, 121},
    {0, 0},
};

#define HTML_HELP_ORDINAL 15
#define HTML_HELP_CLSID_KEY "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32"

// Module-wide and never released while the module is loaded; help is only
// asked for on the UI thread.
static HMODULE g_helpModule;
static PFN_HtmlHelpW g_helpEntry;
static BOOL g_helpFailed;

static HMODULE LoadRegisteredHelpControl(void)
{
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, HTML_HELP_CLSID_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return NULL;
    char path[260] = {};
    DWORD bytes = sizeof path - 1;  // room for a terminator the value may lack
    LONG status = RegQueryValueExA(key, NULL, NULL, NULL, (BYTE *)path, &bytes);
    RegCloseKey(key);
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

LONG_PTR ShowHelp(HWND window, const WCHAR *helpFile, UINT command, DWORD_PTR data)
{
    if (!g_helpEntry && (!LoadHelpControl() || !ResolveHelpEntry()))
        return 0;
    PX_TRACE(L"%ls command %u data %lu", helpFile ? helpFile : L"(none)", command, (unsigned long)data);
    return (LONG_PTR)g_helpEntry(window, helpFile, command, data);
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
    g_helpEntry = entry;
    if (!entry) {
        g_helpModule = NULL;
        g_helpFailed = FALSE;
    }
}
