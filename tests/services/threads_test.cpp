// The spooler-facing entry points called from several threads at once on two
// printers with different data drivers give the answers of one thread.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <string.h>

#include "tests/common/printers.h"
#include "tests/services/driver.h"

namespace {

const int kThreads = 6;
const int kRounds = 15;

struct Answers {
    DWORD copies;
    DWORD papers;
    DWORD resolutions;
    DWORD fields;
    BOOL printable;
    BOOL converted;
    PXDEVMODE record;
    WCHAR profile[64];
};

void Collect(const WCHAR *printer, HANDLE handle, Answers *a)
{
    const DriverModule &d = Driver();
    WCHAR *name = const_cast<WCHAR *>(printer);
    a->copies = d.DrvDeviceCapabilities(handle, name, DC_COPIES, NULL, NULL);
    a->papers = d.DrvDeviceCapabilities(handle, name, DC_PAPERS, NULL, NULL);
    a->resolutions = d.DrvDeviceCapabilities(handle, name, DC_ENUMRESOLUTIONS, NULL, NULL);
    a->fields = d.DrvDeviceCapabilities(handle, name, DC_FIELDS, NULL, NULL);
    LONG needed = sizeof a->record;
    a->converted = d.DrvConvertDevMode(name, NULL, &a->record.dm, &needed, CDM_DRIVER_DEFAULT);
    WCHAR reason[64];
    DEVQUERYPRINT_INFO info = {};
    info.hPrinter = handle;
    info.pDevMode = &a->record.dm;
    info.pszErrorStr = reason;
    info.cchErrorStr = sizeof reason;
    a->printable = d.DevQueryPrintEx(&info);
    ULONG bytes = sizeof a->profile;
    FLONG flags;
    d.DrvQueryColorProfile(handle, &a->record.dm, QCP_DEVICEPROFILE, a->profile, &bytes, &flags);
}

BOOL Same(const Answers &a, const Answers &b)
{
    return a.copies == b.copies && a.papers == b.papers && a.resolutions == b.resolutions &&
           a.fields == b.fields && a.printable == b.printable && a.converted == b.converted &&
           memcmp(&a.record, &b.record, sizeof a.record) == 0 &&
           lstrcmpW(a.profile, b.profile) == 0;
}

const WCHAR *const kPrinters[2] = {PX_PRINTER, PX_PRINTER_SECOND};
Answers g_expected[2];
LONG g_mismatches;

DWORD WINAPI Worker(void *param)
{
    int which = static_cast<int>(reinterpret_cast<INT_PTR>(param)) % 2;
    PrinterHandle handle(kPrinters[which]);
    for (int round = 0; round < kRounds; round++) {
        Answers got = {};
        Collect(kPrinters[which], handle, &got);
        if (!Same(got, g_expected[which]))
            InterlockedIncrement(&g_mismatches);
    }
    return 0;
}

TEST(Threads, TwoDataDriversAtOnceGiveTheSingleThreadAnswers)
{
    for (int i = 0; i < 2; i++) {
        PrinterHandle handle(kPrinters[i]);
        Collect(kPrinters[i], handle, &g_expected[i]);
        ASSERT_TRUE(g_expected[i].converted);
        ASSERT_TRUE(g_expected[i].printable);
        ASSERT_GT(g_expected[i].papers, 0u);
    }
    // The two data drivers differ, so cross-talk between them shows.
    EXPECT_EQ(999u, g_expected[0].copies);
    EXPECT_EQ(500u, g_expected[1].copies);

    HANDLE threads[kThreads];
    for (int i = 0; i < kThreads; i++)
        threads[i] = CreateThread(NULL, 0, Worker, reinterpret_cast<void *>(INT_PTR(i)), 0, NULL);
    WaitForMultipleObjects(kThreads, threads, TRUE, INFINITE);
    for (HANDLE thread : threads)
        CloseHandle(thread);
    EXPECT_EQ(0, g_mismatches);
}

}  // namespace
