#include "tools/pxhost/commands.h"

#include <stdarg.h>
#include <stdio.h>

const PxhostCommand kCommands[] = {
    {L"install", L"install [--printer NAME] [--data FILE]   add the driver and a printer", RunInstall},
    {L"info", L"info [--printer NAME]   what the data driver reports through the module", RunInfo},
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
