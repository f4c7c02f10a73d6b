// pxhost's subcommands. Each lives in its own cmd_*.cpp file.
#pragma once

#include <windows.h>

// Exit codes scripts can rely on.
#define PXHOST_OK 0
#define PXHOST_FAILED 1      // the operation ran and failed
#define PXHOST_USAGE 2       // bad command line
#define PXHOST_REFUSED 3     // input refused (a damaged or foreign file)

struct PxhostCommand {
    const WCHAR *name;
    const WCHAR *usage;
    int (*run)(int argc, WCHAR **argv);  // argv[0] is the subcommand
};

int RunInstall(int argc, WCHAR **argv);
int RunInfo(int argc, WCHAR **argv);

extern const PxhostCommand kCommands[];
extern const int kCommandCount;

// Shared helpers.
const WCHAR *OptionValue(int argc, WCHAR **argv, const WCHAR *option, const WCHAR *fallback);
void PrintUtf8(const WCHAR *format, ...);
