#include "tools/pxhost/commands.h"

#include <stdarg.h>
#include <stdio.h>

const PxhostCommand kCommands[] = {
    {L"install", L"install [--inf FILE] [--dir DIR] [--printer NAME] [--data FILE]   add the driver from the package INF and a printer", RunInstall},
    {L"info", L"info [--printer NAME]   file versions of the module and data driver, and what the data driver reports", RunInfo},
    {L"caps", L"caps [--printer NAME]   papers, resolutions, copies, extents, colour, languages", RunCaps},
    {L"devmode", L"devmode [--printer NAME] [--in FILE] [--out FILE] [--json] [--fields A,B]   default or merged device mode", RunDevMode},
    {L"check", L"check --in FILE [--printer NAME] [--module DLL]   can the device mode be printed (exit 4: no)", RunCheck},
    {L"convert", L"convert --out FILE [--mode convert|convert351|default] [--in FILE] [--size N --extra N] [--printer NAME] [--module DLL]", RunConvert},
    {L"ovp-show", L"ovp-show FILE [--json]   a settings parameter file (.OVP), or why it is refused (exit 3)", RunOvpShow},
    {L"ovp-write", L"ovp-write DEVMODEFILE OVPFILE [--workfile FILE]   a .OVP file from a 4160-byte device mode and the working file's (or the built-in) settings", RunOvpWrite},
    {L"preferences", L"preferences [--printer NAME]   the printing preferences as an application opens them; prints what changed on OK", RunPreferences},
    {L"shots", L"shots DIR [--printer NAME]   a PNG of every page and dialog (needs a display: xvfb-run)", RunShots},
    {L"workfile-show", L"workfile-show FILE [--json]   a working settings file (.$$$), or why it is ignored (exit 3)", RunWorkfileShow},
};
const int kCommandCount = sizeof kCommands / sizeof kCommands[0];

const WCHAR *OptionValue(int argc, WCHAR **argv, const WCHAR *option, const WCHAR *fallback)
{
    for (int i = 1; i + 1 < argc; i++)
        if (lstrcmpW(argv[i], option) == 0)
            return argv[i + 1];
    return fallback;
}

// Console output in UTF-8, so Japanese texts survive pipes and files.
void PrintUtf8(const WCHAR *format, ...)
{
    WCHAR wide[4096];
    va_list args;
    va_start(args, format);
    _vsnwprintf(wide, 4095, format, args);
    va_end(args);
    wide[4095] = 0;
    char narrow[16384];
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, narrow, sizeof narrow, NULL, NULL);
    if (bytes > 1)
        fwrite(narrow, 1, bytes - 1, stdout);
}
