#include "tools/pxhost/commands.h"

#include <stdarg.h>
#include <stdio.h>

#define VALUE TRUE
#define FLAG FALSE

static const PxhostOption kPrinterOnly[] = {{L"--printer", VALUE}, {NULL, FLAG}};
static const PxhostOption kInstallOptions[] = {
    {L"--inf", VALUE}, {L"--dir", VALUE}, {L"--printer", VALUE}, {L"--data", VALUE}, {NULL, FLAG}};
static const PxhostOption kDevModeOptions[] = {
    {L"--printer", VALUE}, {L"--in", VALUE}, {L"--out", VALUE}, {L"--json", FLAG},
    {L"--fields", VALUE}, {NULL, FLAG}};
static const PxhostOption kCheckOptions[] = {
    {L"--in", VALUE}, {L"--printer", VALUE}, {L"--module", VALUE}, {NULL, FLAG}};
static const PxhostOption kConvertOptions[] = {
    {L"--out", VALUE}, {L"--mode", VALUE}, {L"--in", VALUE}, {L"--size", VALUE},
    {L"--extra", VALUE}, {L"--printer", VALUE}, {L"--module", VALUE}, {NULL, FLAG}};
static const PxhostOption kJsonOnly[] = {{L"--json", FLAG}, {NULL, FLAG}};
static const PxhostOption kOvpWriteOptions[] = {{L"--workfile", VALUE}, {NULL, FLAG}};

const PxhostCommand kCommands[] = {
    {L"install", L"install [--inf FILE] [--dir DIR] [--printer NAME] [--data FILE]   add the driver from the package INF and a printer", RunInstall, 0, kInstallOptions},
    {L"info", L"info [--printer NAME]   file versions of the module and data driver, and what the data driver reports", RunInfo, 0, kPrinterOnly},
    {L"caps", L"caps [--printer NAME]   papers, resolutions, copies, extents, colour, languages", RunCaps, 0, kPrinterOnly},
    {L"devmode", L"devmode [--printer NAME] [--in FILE] [--out FILE] [--json] [--fields A,B]   default or merged device mode", RunDevMode, 0, kDevModeOptions},
    {L"check", L"check --in FILE [--printer NAME] [--module DLL]   can the device mode be printed (exit 4: no)", RunCheck, 0, kCheckOptions},
    {L"convert", L"convert --out FILE [--mode convert|convert351|default] [--in FILE] [--size N --extra N] [--printer NAME] [--module DLL]", RunConvert, 0, kConvertOptions},
    {L"ovp-show", L"ovp-show FILE [--json]   a settings parameter file (.OVP), or why it is refused (exit 3)", RunOvpShow, 1, kJsonOnly},
    {L"ovp-write", L"ovp-write DEVMODEFILE OVPFILE [--workfile FILE]   a .OVP file from a 4160-byte device mode and the working file's (or the built-in) settings", RunOvpWrite, 2, kOvpWriteOptions},
    {L"preferences", L"preferences [--printer NAME]   the printing preferences as an application opens them; prints what changed on OK", RunPreferences, 0, kPrinterOnly},
    {L"shots", L"shots DIR [--printer NAME]   a PNG of every page and dialog (needs a display: xvfb-run)", RunShots, 1, kPrinterOnly},
    {L"workfile-show", L"workfile-show FILE [--json]   a working settings file (.$$$), or why it is ignored (exit 3)", RunWorkfileShow, 1, kJsonOnly},
};
const int kCommandCount = sizeof kCommands / sizeof kCommands[0];

static BOOL IsOption(const WCHAR *argument) { return argument[0] == L'-' && argument[1]; }

static const PxhostOption *FindOption(const PxhostCommand *command, const WCHAR *name)
{
    for (const PxhostOption *option = command->options; option->name; option++)
        if (lstrcmpW(option->name, name) == 0)
            return option;
    return NULL;
}

static BOOL GivenBefore(WCHAR **argv, int index)
{
    for (int i = 1; i < index; i++)
        if (lstrcmpW(argv[i], argv[index]) == 0)
            return TRUE;
    return FALSE;
}

// One argument (and its value): FALSE, with the reason printed, if refused.
static BOOL ArgumentValid(const PxhostCommand *command, int argc, WCHAR **argv, int *index,
                          int *operands)
{
    const WCHAR *argument = argv[*index];
    if (!IsOption(argument)) {
        if (++*operands > command->operands) {
            PrintUtf8(L"error: unexpected argument %ls\n", argument);
            return FALSE;
        }
        return TRUE;
    }
    const PxhostOption *option = FindOption(command, argument);
    if (!option) {
        PrintUtf8(L"error: %ls has no option %ls\n", command->name, argument);
        return FALSE;
    }
    if (GivenBefore(argv, *index)) {
        PrintUtf8(L"error: %ls is given twice\n", argument);
        return FALSE;
    }
    if (option->takesValue) {
        if (*index + 1 >= argc || IsOption(argv[*index + 1])) {
            PrintUtf8(L"error: %ls needs a value\n", argument);
            return FALSE;
        }
        ++*index;
    }
    return TRUE;
}

BOOL CommandLineValid(const PxhostCommand *command, int argc, WCHAR **argv)
{
    int operands = 0;
    BOOL valid = TRUE;
    for (int i = 1; i < argc && valid; i++)
        valid = ArgumentValid(command, argc, argv, &i, &operands);
    if (valid && operands < command->operands) {
        PrintUtf8(L"error: %ls needs %d file name%ls\n", command->name, command->operands,
                  command->operands == 1 ? L"" : L"s");
        valid = FALSE;
    }
    if (!valid)
        PrintUtf8(L"usage: pxhost %ls\n", command->usage);
    return valid;
}

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
