// pxhost's subcommands. Each lives in its own cmd_*.cpp file.
#pragma once

#include <windows.h>

// Exit codes scripts can rely on.
#define PXHOST_OK 0
#define PXHOST_FAILED 1      // the operation ran and failed
#define PXHOST_USAGE 2       // bad command line
#define PXHOST_REFUSED 3     // input refused (a damaged or foreign file)
#define PXHOST_NOT_PRINTABLE 4  // check: the driver refuses the job's device mode

// An option a subcommand takes: "--name VALUE" or the flag "--name".
struct PxhostOption {
    const WCHAR *name;
    BOOL takesValue;
};

struct PxhostCommand {
    const WCHAR *name;
    const WCHAR *usage;
    int (*run)(int argc, WCHAR **argv);  // argv[0] is the subcommand
    int operands;                        // arguments that are not options
    const PxhostOption *options;         // ends with a NULL name
};

int RunInstall(int argc, WCHAR **argv);
int RunInfo(int argc, WCHAR **argv);
int RunCaps(int argc, WCHAR **argv);
int RunDevMode(int argc, WCHAR **argv);
int RunCheck(int argc, WCHAR **argv);
int RunConvert(int argc, WCHAR **argv);
int RunOvpShow(int argc, WCHAR **argv);
int RunOvpWrite(int argc, WCHAR **argv);
int RunWorkfileShow(int argc, WCHAR **argv);
int RunPreferences(int argc, WCHAR **argv);
int RunShots(int argc, WCHAR **argv);

extern const PxhostCommand kCommands[];
extern const int kCommandCount;

// Checks a command line (argv[0] the subcommand) before it runs: an unknown
// option, an option without its value or given twice, and a missing or extra
// operand are refused with a message. Arguments starting with '-' are
// options; an option's value never is.
BOOL CommandLineValid(const PxhostCommand *command, int argc, WCHAR **argv);

// Shared helpers.
const WCHAR *OptionValue(int argc, WCHAR **argv, const WCHAR *option, const WCHAR *fallback);
void PrintUtf8(const WCHAR *format, ...);
