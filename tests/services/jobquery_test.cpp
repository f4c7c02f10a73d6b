// DevQueryPrintEx as the spooler calls it: the job's record is rebuilt by
// the driver and every declared change is a reason. How the reason is cut to
// the caller's buffer is the robustness fuzzer's.
#include <gtest/gtest.h>

#include "core/binding.h"
#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tests/services/driver.h"

namespace {

// The message id behind the reason the driver gave; 0 when printable.
int JobResult(const WCHAR *printer, const DEVMODEW *job)
{
    PrinterHandle handle(printer);
    WCHAR reason[128] = L"";
    DEVQUERYPRINT_INFO info = {};
    info.cbSize = sizeof info;
    info.Level = 1;
    info.hPrinter = handle;
    info.pDevMode = const_cast<DEVMODEW *>(job);
    info.pszErrorStr = reason;
    info.cchErrorStr = sizeof reason;
    if (Driver().DevQueryPrintEx(&info))
        return 0;
    for (UINT id = 2560; id <= 2577; id++) {
        WCHAR text[128] = L"";
        if (LoadStringW(Driver().module, id, text, 128) > 0 && lstrcmpW(reason, text) == 0)
            return static_cast<int>(id);
    }
    return -1;
}

// A job record as an application prints with it, in a buffer of exactly its size.
struct Job {
    Guarded buffer;
    Job(const WCHAR *printer = PX_PRINTER, DWORD bytes = sizeof(PXDEVMODE)) : buffer(bytes)
    {
        Guarded full(sizeof(PXDEVMODE));
        EXPECT_TRUE(AppDevMode(printer, NULL, full.as<PXDEVMODE>()));
        memcpy(buffer.buffer.data, full.buffer.data, bytes);
    }
    PXDEVMODE *operator->() { return buffer.as<PXDEVMODE>(); }
    DEVMODEW *dm() { return buffer.as<DEVMODEW>(); }
};

TEST(JobQuery, HeaderChecksComeFirstInOrder)
{
    EXPECT_EQ(0, JobResult(PX_PRINTER, NULL));
    // An older record whose private part is 4 bytes shorter still reads whole;
    // a public part of another size, smaller or larger, does not.
    const struct { WORD specVersion, driver, size, extra; int id; } cases[] = {
        {0x401, 0x102, 220, 3940, 0},    {0x400, 0x201, 220, 3940, 2560},
        {0x401, 0x201, 220, 3940, 2561}, {0x401, 0x1FF, 220, 3940, 0},
        {0x401, 0x102, 156, 0, 2562},    {0x401, 0x102, 220, 3936, 0},
        {0x401, 0x102, 220, 3935, 2568}, {0x401, 0x102, 221, 3939, 2562},
    };
    for (const auto &c : cases) {
        Job job(PX_PRINTER, c.size + c.extra);
        job->dm.dmSpecVersion = c.specVersion;
        job->dm.dmDriverVersion = c.driver;
        job->dm.dmSize = c.size;
        job->dm.dmDriverExtra = c.extra;
        EXPECT_EQ(c.id, JobResult(PX_PRINTER, job.dm()))
            << std::hex << c.specVersion << " " << c.driver << std::dec << " " << c.size << "+" << c.extra;
    }
}

TEST(JobQuery, ChecksRunInOrderAndNameTheirField)
{
    // One declared change per check, in the order the checks run.
    typedef void (*Change)(PXDEVMODE *);
    const struct { DWORD bit; Change change; int id; } checks[] = {
        {DM_ORIENTATION, [](PXDEVMODE *r) { r->dm.dmOrientation = 3; }, 2563},
        {DM_SCALE, [](PXDEVMODE *r) { r->dm.dmScale = 5; }, 2564},
        {DM_COPIES, [](PXDEVMODE *r) { r->dm.dmCopies = 5000; }, 2565},
        {DM_DEFAULTSOURCE, [](PXDEVMODE *r) { r->dm.dmDefaultSource = 9999; }, 2572},
        {DM_COLOR, [](PXDEVMODE *r) { r->dm.dmColor = 7; }, 2567},
        {DM_PRINTQUALITY, [](PXDEVMODE *r) { r->dm.dmPrintQuality = 123; }, 2566},
        {DM_YRESOLUTION, [](PXDEVMODE *r) { r->dm.dmYResolution = 123; }, 2571},
        {DM_PAPERSIZE,
         [](PXDEVMODE *r) {
             r->dm.dmFields &= ~(DM_PAPERLENGTH | DM_PAPERWIDTH | DM_FORMNAME);
             r->dm.dmPaperSize = 9999;
         },
         2569},
        {DM_ICMMETHOD, [](PXDEVMODE *r) { r->dm.dmICMMethod = 7; }, 2575},
        {DM_ICMINTENT, [](PXDEVMODE *r) { r->dm.dmICMIntent = 99; }, 2576},
        {DM_MEDIATYPE, [](PXDEVMODE *r) { r->dm.dmMediaType = 12345; }, 2577},
        {0, [](PXDEVMODE *r) { r->pdmGamma = 99; }, 2574},
    };
    const size_t count = sizeof checks / sizeof checks[0];
    // With every change from check k on, check k is the one reported.
    for (size_t k = 0; k < count; k++) {
        Job job;
        for (size_t i = k; i < count; i++) {
            job->dm.dmFields |= checks[i].bit;
            checks[i].change(job.buffer.as<PXDEVMODE>());
        }
        EXPECT_EQ(checks[k].id, JobResult(PX_PRINTER, job.dm())) << "from check " << k;
    }
    // An undeclared public field is not compared; the private part always is.
    for (size_t k = 0; k + 1 < count; k++) {
        if (k == 7)
            continue;  // the paper is always looked up
        Job job;
        checks[k].change(job.buffer.as<PXDEVMODE>());
        job->dm.dmFields &= ~checks[k].bit;
        EXPECT_EQ(0, JobResult(PX_PRINTER, job.dm())) << "undeclared check " << k;
    }
}

TEST(JobQuery, PaperMustBeListedOrFitAsAUserSize)
{
    const DWORD paperBits = DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_FORMNAME;
    Job unknown;
    unknown->dm.dmFields = (unknown->dm.dmFields & ~paperBits) | DM_PAPERSIZE;
    unknown->dm.dmPaperSize = 9999;
    EXPECT_EQ(2569, JobResult(PX_PRINTER, unknown.dm()));

    Job custom;
    custom->dm.dmFields = (custom->dm.dmFields & ~paperBits) | DM_PAPERLENGTH | DM_PAPERWIDTH;
    custom->dm.dmPaperWidth = 3000;
    custom->dm.dmPaperLength = 2000;
    EXPECT_EQ(0, JobResult(PX_PRINTER, custom.dm()));
    custom->dm.dmPaperWidth = 5;
    custom->dm.dmPaperLength = 5;
    EXPECT_EQ(2569, JobResult(PX_PRINTER, custom.dm()));
}

TEST(JobQuery, UnboundPrinterReportsTheDataDriver)
{
    Job job;
    EXPECT_EQ(2570, JobResult(PX_PRINTER_V115, job.dm()));
    EXPECT_EQ(2570, JobResult(PX_PRINTER_MISSING, job.dm()));
    // The binding's last error reaches the spooler with the reason.
    PrinterHandle refused(PX_PRINTER_V115);
    WCHAR reason[64];
    DEVQUERYPRINT_INFO info = {};
    info.hPrinter = refused;
    info.pDevMode = job.dm();
    info.pszErrorStr = reason;
    info.cchErrorStr = sizeof reason;
    SetLastError(0);
    EXPECT_FALSE(Driver().DevQueryPrintEx(&info));
    EXPECT_EQ(PX_ERROR_VERSION_REFUSED, GetLastError());
    SetLastError(0);
    EXPECT_FALSE(Driver().DevQueryPrintEx(NULL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

}  // namespace
