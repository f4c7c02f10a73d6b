// Many calls of each window-less entry point, on good and bad printers and
// records, leave the module's live heap blocks, the process's handles and
// the spooler's printer handles as they were. The module's code linked into
// this executable is called, so its allocation counter is the one read.
//   PX_LEAK_CALLS: calls per entry point; CI makes 3,000 (about 40 s),
//   scripts/fuzz.sh 10,000.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include "core/module.h"
#include "tests/common/printers.h"
#include "tests/robustness/calls.h"
#include "tests/robustness/world.h"

namespace {

// GetProcessHandleCount answers 0 in this Wine, so the handles are counted
// by asking for each value's information. New handles take the lowest free
// value, so the table is dense: a long run of unused values ends it.
DWORD ProcessHandles(void)
{
    const ULONG_PTR kStep = 4, kEmptyRun = 1024;
    DWORD count = 0, flags;
    ULONG_PTR empty = 0;
    for (ULONG_PTR h = kStep; empty < kEmptyRun; h += kStep) {
        if (GetHandleInformation(reinterpret_cast<HANDLE>(h), &flags)) {
            count++;
            empty = 0;
        } else {
            empty++;
        }
    }
    return count;
}

TEST(Leaks, ManyCallsOfEachEntryPointLeaveNoBlockNoHandleNoPrinter)
{
    World *w = TheWorld();
    ASSERT_TRUE(w->ready);
    ModuleExports linked = LinkedEntryPoints();
    const unsigned calls = static_cast<unsigned>(EnvNumber("PX_LEAK_CALLS", 3000));
    ASSERT_GT(ProcessHandles(), 0u);  // the count is real, so its comparison means something
    for (int e = 0; e < kEntryCallCount; e++) {
        const EntryCall &entry = kEntryCalls[e];
        // The first calls may bind a data driver, which stays bound.
        for (unsigned i = 0; i < 24; i++)
            entry.call(&linked, i);
        LONG blocks = PxLiveBlocks();
        DWORD handles = ProcessHandles();
        HANDLE slot = NextPrinterHandle(PX_PRINTER);
        ULONGLONG start = GetTickCount64();
        for (unsigned i = 0; i < calls; i++)
            entry.call(&linked, i);
        // Leave the same data driver bound as at the start.
        for (unsigned i = 0; i < 24; i++)
            entry.call(&linked, i);
        EXPECT_EQ(blocks, PxLiveBlocks()) << entry.name;
        EXPECT_EQ(handles, ProcessHandles()) << entry.name;
        EXPECT_EQ(slot, NextPrinterHandle(PX_PRINTER)) << entry.name;
        printf("leaks: %-40s %u calls in %.1f s\n", entry.name, calls,
               (GetTickCount64() - start) / 1000.0);
    }
}

}  // namespace
