// pxhost: installs the driver into the spooler and queries it, for support
// engineers, integrators and scripts.
#include <stdio.h>

#include "core/module.h"
#include "tools/pxhost/commands.h"

static void PrintUsage(void)
{
    PrintUtf8(L"usage: pxhost COMMAND [options]\n");
    for (int i = 0; i < kCommandCount; i++)
        PrintUtf8(L"  pxhost %ls\n", kCommands[i].usage);
}

int wmain(int argc, WCHAR **argv)
{
    if (argc < 2) {
        PrintUsage();
        return PXHOST_USAGE;
    }
    // The module's code is linked in: this executable carries its resources.
    ModuleAttach(GetModuleHandleW(NULL));
    int result = PXHOST_USAGE;
    BOOL found = FALSE;
    for (int i = 0; i < kCommandCount && !found; i++) {
        if (lstrcmpW(argv[1], kCommands[i].name) == 0) {
            found = TRUE;
            if (CommandLineValid(&kCommands[i], argc - 1, argv + 1))
                result = kCommands[i].run(argc - 1, argv + 1);
        }
    }
    if (!found)
        PrintUsage();
    fflush(stdout);
    ModuleDetach();
    return result;
}
