// Test entry: the module's code is linked in statically, so the test
// executable stands in for the module instance (it carries the string table).
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include "core/module.h"

// A test that waits on a window which never comes must not hang the run:
// after this long (PX_TEST_WATCHDOG_S, or 10 minutes) the executable ends
// with a message. Long fuzzing runs set their own time.
#define PX_TEST_WATCHDOG_DEFAULT_S 600

static DWORD WINAPI Watchdog(void *)
{
    char value[16] = {};
    DWORD seconds = PX_TEST_WATCHDOG_DEFAULT_S;
    if (GetEnvironmentVariableA("PX_TEST_WATCHDOG_S", value, sizeof value) > 0)
        seconds = strtoul(value, NULL, 10);
    if (seconds == 0)
        return 0;
    Sleep(seconds * 1000);
    fprintf(stderr, "watchdog: the suite ran longer than %lu s\n", (unsigned long)seconds);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return 0;
}

int main(int argc, char **argv)
{
    ModuleAttach(GetModuleHandleW(NULL));
    HANDLE watchdog = CreateThread(NULL, 0, Watchdog, NULL, 0, NULL);
    if (watchdog)
        CloseHandle(watchdog);
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    ModuleDetach();
    return result;
}
