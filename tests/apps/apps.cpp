#include "tests/apps/apps.h"

#include <gtest/gtest.h>

#include <stddef.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>
#include <winspool.h>

#include "tests/common/printers.h"
#include "tests/common/pxhostrun.h"

std::vector<BYTE> StoredRecord(const WCHAR *printer)
{
    std::vector<BYTE> info = PrinterInfo2(PrinterHandle(printer));
    const BYTE *dm = info.empty() ? NULL : reinterpret_cast<const BYTE *>(AsInfo2(info)->pDevMode);
    if (!dm)
        return {};
    const DEVMODEW *header = reinterpret_cast<const DEVMODEW *>(dm);
    return std::vector<BYTE>(dm, dm + header->dmSize + header->dmDriverExtra);
}

int Papers::OtherThan(WORD current) const
{
    for (size_t i = 0; i < codes.size(); i++) {
        WORD code = codes[i];
        // Forms carry code 0 and user sizes 256 and 366-370.
        if (code != current && code != 0 && code != DMPAPER_USER && (code < 366 || code > 370))
            return static_cast<int>(i);
    }
    return -1;
}

Papers PrinterPapers(const WCHAR *printer)
{
    Papers p;
    int count = DeviceCapabilitiesW(printer, NULL, DC_PAPERS, NULL, NULL);
    if (count <= 0)
        return p;
    p.codes.resize(count);
    p.sizes.resize(count);
    std::vector<WCHAR> names(64 * count);
    DeviceCapabilitiesW(printer, NULL, DC_PAPERS, reinterpret_cast<WCHAR *>(p.codes.data()), NULL);
    DeviceCapabilitiesW(printer, NULL, DC_PAPERSIZE, reinterpret_cast<WCHAR *>(p.sizes.data()),
                        NULL);
    DeviceCapabilitiesW(printer, NULL, DC_PAPERNAMES, names.data(), NULL);
    for (int i = 0; i < count; i++)
        p.names.push_back(std::wstring(&names[64 * i]));
    return p;
}

PXDEVMODE NamesCut(const void *record)
{
    PXDEVMODE r;
    CopyMemory(&r, record, sizeof r);
    const struct { WCHAR *name; size_t chars; } names[] = {
        {r.dm.dmDeviceName, CCHDEVICENAME}, {r.dm.dmFormName, CCHFORMNAME},
        {r.pdmImageProfile, PX_PATH_CHARS}, {r.pdmPrinterProfile, PX_PATH_CHARS},
        {r.pdmColorTable, PX_PATH_CHARS}};
    for (const auto &n : names) {
        size_t used = wcsnlen(n.name, n.chars);
        ZeroMemory(n.name + used, (n.chars - used) * sizeof(WCHAR));
    }
    return r;
}

// Installs the printer as a user does and makes it the default for the run;
// puts the previous default back and removes the printer at the end.
class AppsEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        DWORD chars = MAX_PATH;
        if (!GetDefaultPrinterW(previous_, &chars))
            previous_[0] = 0;
        ToolRun install = RunPxhost(L"install --printer \"" APPS_PRINTER L"\"");
        if (install.exitCode != 0)
            fprintf(stderr, "pxhost install ended with %lu: %s\n", install.exitCode,
                    install.output.c_str());
        if (!SetDefaultPrinterW(APPS_PRINTER))
            fprintf(stderr, "cannot make %ls the default printer\n", APPS_PRINTER);
    }
    void TearDown() override
    {
        if (previous_[0])
            SetDefaultPrinterW(previous_);
        RemovePrinter(APPS_PRINTER);
    }

private:
    WCHAR previous_[MAX_PATH];
};

static testing::Environment *const g_environment =
    testing::AddGlobalTestEnvironment(new AppsEnvironment);
