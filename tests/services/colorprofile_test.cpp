// Colour profiles: the printer profile named for a job (DrvQueryColorProfile
// as GDI calls it), and the installed profiles listed and described through
// the system's colour management.
#include <gtest/gtest.h>

#include <windows.h>
#include <icm.h>
#include <string>
#include <vector>

#include "core/module.h"
#include "services/colorprofile.h"
#include "tests/common/guardpage.h"
#include "tests/common/moduletext.h"
#include "tests/common/printers.h"
#include "tests/common/profiles.h"
#include "tests/services/driver.h"

namespace {

// The profile named for a record; empty when the query fails.
std::wstring ProfileName(const PXDEVMODE *record)
{
    Guarded out(1024);
    ULONG bytes = 1024;
    FLONG flags;
    if (!Driver().DrvQueryColorProfile(NULL, const_cast<DEVMODEW *>(&record->dm),
                                       QCP_DEVICEPROFILE, out.buffer.data, &bytes, &flags))
        return L"";
    return out.as<WCHAR>();
}

struct Record {
    Guarded buffer{sizeof(PXDEVMODE)};
    Record(uint32_t paperType, int16_t printMode, const WCHAR *profile = L"")
    {
        EXPECT_TRUE(AppDevMode(PX_PRINTER, NULL, buffer.as<PXDEVMODE>()));
        buffer.as<PXDEVMODE>()->pdmPaperType.id = paperType;
        buffer.as<PXDEVMODE>()->pdmPrintMode = printMode;
        lstrcpynW(buffer.as<PXDEVMODE>()->pdmPrinterProfile, profile, PX_PATH_CHARS);
    }
    const PXDEVMODE *get() const { return buffer.as<PXDEVMODE>(); }
};

std::wstring DefaultName(uint32_t paperType, int16_t printMode)
{
    Record record(paperType, printMode);
    return ProfileName(record.get());
}

TEST(ColorProfile, DefaultNameFollowsPaperTypeAndPrintMode)
{
    EXPECT_EQ(L"PX2210-WVL2007-Q4-720x1440.icc", DefaultName(1281, 3));
    EXPECT_EQ(L"PX2610-GV3A-Q4-720x1440.icc", DefaultName(1380, 3));
    EXPECT_EQ(L"PX2610-GV3A-Q4-720x1440.icc", DefaultName(1280, 3));
    EXPECT_EQ(L"PX2610W-CTXB-Q2-1440x1440.icc", DefaultName(1282, 12));
    EXPECT_EQ(L"PX2610-GV3A-B4-360x720.icc", DefaultName(1281, 28));
    EXPECT_EQ(ModuleText(21203), DefaultName(1281, 29));
    EXPECT_EQ(ModuleText(21203), DefaultName(1281, -1));
    EXPECT_EQ(ModuleText(21105), DefaultName(1282, 29));
}

// Buffer sizes, other query modes and records without a private part are
// the fuzzer's; here the caller's own profile and the missing arguments.
TEST(ColorProfile, UserProfileAndMissingArguments)
{
    Record percent(1281, 3, L"my %s %d profile.icm");
    EXPECT_EQ(L"my %s %d profile.icm", ProfileName(percent.get()));

    ULONG bytes = 1024;
    FLONG flags = 0;
    WCHAR name[512];
    EXPECT_FALSE(Driver().DrvQueryColorProfile(NULL, NULL, QCP_DEVICEPROFILE, name, &bytes,
                                               &flags));
    Record record(1280, 0);
    DEVMODEW *dm = const_cast<DEVMODEW *>(&record.get()->dm);
    EXPECT_FALSE(Driver().DrvQueryColorProfile(NULL, dm, QCP_DEVICEPROFILE, name, NULL, &flags));
    // A size query needs no flags pointer: nothing is written through it.
    bytes = 0;
    SetLastError(0);
    EXPECT_FALSE(Driver().DrvQueryColorProfile(NULL, dm, QCP_DEVICEPROFILE, NULL, &bytes, NULL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_GT(bytes, 2u);
    EXPECT_TRUE(Driver().DrvQueryColorProfile(NULL, dm, QCP_DEVICEPROFILE, name, &bytes, NULL));
}

std::vector<std::wstring> ListProfiles(DWORD profileClass)
{
    std::vector<std::wstring> names;
    DWORD count = 0xFFFF;
    WCHAR *list = EnumerateColorProfiles(profileClass, &count);
    if (!list)
        return names;
    for (const WCHAR *p = list; *p; p += lstrlenW(p) + 1) {
        std::wstring name = p;
        names.push_back(name.substr(name.find_last_of(L"\\/") + 1));
    }
    PxFree(list);
    EXPECT_EQ(count, names.size());
    return names;
}

BOOL Listed(const std::vector<std::wstring> &names, const WCHAR *file)
{
    for (const auto &name : names)
        if (lstrcmpiW(name.c_str(), file) == 0)
            return TRUE;
    return FALSE;
}

TEST(ColorProfile, InstalledProfilesAreListedByClassAndDescribed)
{
    const WCHAR *printerFile = L"pxtest-printer.icm";
    const WCHAR *monitorFile = L"pxtest-monitor.icm";
    ASSERT_TRUE(InstallProfile(printerFile, PX_CLASS_PRINTER, "PX test printer"));
    ASSERT_TRUE(InstallProfile(monitorFile, PX_CLASS_MONITOR, NULL));
    LONG blocks = PxLiveBlocks();

    std::vector<std::wstring> printers = ListProfiles(PX_CLASS_PRINTER);
    EXPECT_TRUE(Listed(printers, printerFile));
    EXPECT_FALSE(Listed(printers, monitorFile));
    EXPECT_FALSE(Listed(printers, L"sRGB Color Space Profile.icm"));
    std::vector<std::wstring> monitors = ListProfiles(PX_CLASS_MONITOR);
    EXPECT_TRUE(Listed(monitors, monitorFile));
    EXPECT_TRUE(Listed(monitors, L"sRGB Color Space Profile.icm"));
    EXPECT_FALSE(Listed(monitors, printerFile));

    char *text = GetProfileDescription(printerFile);
    ASSERT_TRUE(text);
    EXPECT_STREQ("PX test printer", text);
    PxFree(text);
    EXPECT_EQ(NULL, GetProfileDescription(monitorFile));
    EXPECT_EQ(NULL, GetProfileDescription(L"pxtest-absent.icm"));
    EXPECT_EQ(NULL, GetProfileDescription(NULL));
    EXPECT_EQ(blocks, PxLiveBlocks());

    // No profile stays open: the files can go at once.
    EXPECT_TRUE(DeleteFileW(ColorPath(printerFile).c_str()));
    EXPECT_TRUE(DeleteFileW(ColorPath(monitorFile).c_str()));
}

}  // namespace
