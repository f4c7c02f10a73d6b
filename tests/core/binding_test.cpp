// Binding the data driver named by a printer's driver information.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "core/binding.h"
#include "core/ddops.h"
#include "tests/common/printers.h"

static BOOL Bind(const WCHAR *name, PrinterInfoRecord *info)
{
    PrinterHandle printer(name);
    EXPECT_TRUE(printer.handle != NULL) << "printer not installed";
    return BindAndCheck(printer, info);
}

TEST(Binding, SamePrinterTwiceLoadsOnceAndKeepsResolvedOperations)
{
    PrinterInfoRecord info = {};
    ASSERT_TRUE(Bind(PX_PRINTER, &info));
    EXPECT_EQ(info.version, 0x0102u);
    ASSERT_GT(DdMediaQuery(), 0);
    LONG loads = DataDriverLoadCount();
    HMODULE module = BoundDataDriver();
    ASSERT_TRUE(OperationResolved(DD_MEDIA_QUERY));

    ASSERT_TRUE(Bind(PX_PRINTER, &info));
    EXPECT_EQ(DataDriverLoadCount(), loads);
    EXPECT_EQ(BoundDataDriver(), module);
    EXPECT_TRUE(OperationResolved(DD_MEDIA_QUERY));
    EXPECT_TRUE(OperationResolved(DD_PRINTER_INFO));
}

TEST(Binding, AnotherDataFileUnloadsLoadsAndClearsSlots)
{
    PrinterInfoRecord info = {};
    ASSERT_TRUE(Bind(PX_PRINTER, &info));
    ASSERT_GT(DdPaperQuery(), -1000);
    ASSERT_TRUE(OperationResolved(DD_PAPER_QUERY));
    const int firstCopies = info.maxCopies;
    LONG loads = DataDriverLoadCount();

    ASSERT_TRUE(Bind(PX_PRINTER_SECOND, &info));
    EXPECT_EQ(DataDriverLoadCount(), loads + 1);
    WCHAR path[MAX_PATH];
    ASSERT_TRUE(BoundDataDriverPath(path, MAX_PATH));
    const size_t n = wcslen(path);
    EXPECT_TRUE(n > 12 && lstrcmpiW(path + n - 12, L"\\pxdata2.dll") == 0) << path;
    EXPECT_FALSE(OperationResolved(DD_PAPER_QUERY));
    EXPECT_EQ(GetModuleHandleW(L"pxdata.dll"), (HMODULE)NULL) << "old data driver still loaded";
    EXPECT_NE(info.maxCopies, firstCopies) << "printer information came from the old file";

    ASSERT_TRUE(Bind(PX_PRINTER, &info));
    EXPECT_EQ(info.maxCopies, firstCopies);
    EXPECT_EQ(GetModuleHandleW(L"pxdata2.dll"), (HMODULE)NULL);
}

TEST(Binding, UnloadableDataFileLeavesNoPathAndLaterBindsRetry)
{
    PrinterInfoRecord info = {};
    for (const WCHAR *name : {PX_PRINTER_MISSING, PX_PRINTER_NOTDLL, PX_PRINTER_MISSING}) {
        SetLastError(0);
        EXPECT_FALSE(Bind(name, &info)) << name;
        EXPECT_EQ(GetLastError(), PX_ERROR_BIND_FAILED) << name;
        WCHAR path[MAX_PATH];
        EXPECT_FALSE(BoundDataDriverPath(path, MAX_PATH)) << name;
        EXPECT_EQ(BoundDataDriver(), (HMODULE)NULL) << name;
        EXPECT_EQ(DdMediaQuery(), 0) << "an operation answered without a data driver";
        EXPECT_TRUE(Bind(PX_PRINTER, &info)) << "module could not bind after " << name;
    }
}

TEST(Binding, BadHandlesFailWithBindErrorAndLeaveTheModuleUsable)
{
    PrinterInfoRecord info = {};
    ASSERT_TRUE(Bind(PX_PRINTER, &info));
    HMODULE module = BoundDataDriver();
    for (HANDLE bad : {(HANDLE)NULL, (HANDLE)(ULONG_PTR)0x1234}) {
        SetLastError(0);
        EXPECT_FALSE(BindAndCheck(bad, &info));
        EXPECT_EQ(GetLastError(), PX_ERROR_BIND_FAILED);
        // A failed read of the driver information keeps what was loaded.
        EXPECT_EQ(BoundDataDriver(), module);
    }
    SetLastError(0);
    PrinterHandle printer(PX_PRINTER);
    EXPECT_FALSE(BindAndCheck(printer, NULL));
    EXPECT_EQ(GetLastError(), PX_ERROR_NO_PRINTER_INFO);
    EXPECT_TRUE(BindAndCheck(printer, &info));
}

TEST(Binding, InterfaceVersionCheck)
{
    struct Case {
        const WCHAR *printer;
        uint32_t version;
        bool accepted;
    } cases[] = {
        {PX_PRINTER_V105, 0x0105, true},
        {PX_PRINTER_V115, 0x0115, false},
        {PX_PRINTER_V205, 0x0205, false},
        {PX_PRINTER, 0x0102, true},
    };
    for (const Case &c : cases) {
        PrinterInfoRecord info = {};
        SetLastError(0);
        EXPECT_EQ(Bind(c.printer, &info) != FALSE, c.accepted) << c.printer;
        EXPECT_EQ(info.version, c.version) << c.printer;
        if (!c.accepted) {
            EXPECT_EQ(GetLastError(), PX_ERROR_VERSION_REFUSED) << c.printer;
        }
    }
}

TEST(Operations, MissingOperationAnswersZeroEveryTime)
{
    PrinterInfoRecord info = {};
    ASSERT_TRUE(Bind(PX_PRINTER_NOOP, &info));
    QualityModeRecord mode = {};
    ASSERT_TRUE(DdQltModeEnum(PX_DEFAULT_INDEX, &mode));
    EXPECT_NE(mode.name[0], 0) << "name not filled from the data driver's strings";
    for (int i = 0; i < 3; i++) {
        QualityModeRecord found = {};
        EXPECT_EQ(DdQltModeSearch(mode.id, &found), 0);
        EXPECT_FALSE(OperationResolved(DD_QLTMODE_SEARCH));
    }
}

TEST(Operations, RecordsGetTheirNamesFromTheDataDriver)
{
    PrinterInfoRecord info = {};
    ASSERT_TRUE(Bind(PX_PRINTER, &info));
    PaperTypeRecord ptype = {};
    ASSERT_TRUE(DdPtypeSearch(1280, &ptype));
    EXPECT_NE(ptype.name[0], 0);
    WCHAR expected[PX_NAME_CHARS];
    ASSERT_GT(DdLoadString(1280, expected, PX_NAME_CHARS), 0);
    EXPECT_STREQ(ptype.name, expected);
    EXPECT_EQ(DdPtypeSearch(1280, NULL), 0);
    MarginRecord margin = {};
    EXPECT_EQ(DdMarginSearch(0x7FFF, &margin), 0) << "unknown margin id found";
}

// Threads binding printers with different data drivers reload the library
// under each other; no call may ever run into an unloaded library.
TEST(Binding, ConcurrentBindsOfTwoDataDrivers)
{
    const int threads = 4, rounds = 150;
    std::vector<std::thread> workers;
    std::vector<int> failures(threads, 0);
    for (int t = 0; t < threads; t++) {
        workers.emplace_back([t, &failures] {
            PrinterHandle first(PX_PRINTER), second(PX_PRINTER_SECOND);
            for (int i = 0; i < rounds; i++) {
                PrinterInfoRecord info = {};
                HANDLE printer = ((i + t) % 2) ? first.handle : second.handle;
                if (!BindAndCheck(printer, &info) || (info.maxCopies != 999 && info.maxCopies != 500))
                    failures[t]++;
                PaperRecord paper = {};
                MediaRecord media = {};
                if (DdPaperQuery() == 0 || !DdPaperEnum(1, &paper) || !DdMediaEnum(1, &media))
                    failures[t]++;
            }
        });
    }
    for (auto &w : workers)
        w.join();
    for (int t = 0; t < threads; t++)
        EXPECT_EQ(failures[t], 0) << "thread " << t;
}
