// The driver package: what the INF names, what pxhost installs from it (and
// the versions it reports), and how it refuses a broken package.
#include <gtest/gtest.h>

#include <windows.h>
#include <setupapi.h>
#include <winspool.h>

#include <set>
#include <string>
#include <vector>

#include "context/pagecontext.h"
#include "core/module.h"
#include "tests/common/paths.h"
#include "tests/common/printers.h"
#include "tests/common/pxhostrun.h"
#include "tools/pxhost/driverpackage.h"
#include "tools/pxhost/install.h"

namespace {

const WCHAR kPackagePrinter[] = L"PX Package Test";
const WCHAR kBadModel[] = L"PX Bad Package";

std::wstring InfPath() { return BinDir() + PX_PACKAGE_INF; }

// The package folder of this architecture's binaries.
std::wstring ArchFolder()
{
    return lstrcmpW(PackageArchitecture(), L"NTamd64") == 0 ? L"amd64" : L"i386";
}

std::wstring FileName(const WCHAR *path)
{
    std::wstring text = path ? path : L"";
    return text.substr(text.find_last_of(L"\\/") + 1);  // npos + 1: the whole text
}

void Replace(std::string *text, const std::string &from, const std::string &to)
{
    size_t at = text->find(from);
    ASSERT_NE(at, std::string::npos) << "the INF has no \"" << from << "\"";
    text->replace(at, from.size(), to);
}

bool DriverInstalled(const WCHAR *name)
{
    DWORD needed = 0, count = 0;
    EnumPrinterDriversW(NULL, NULL, 1, NULL, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    if (!EnumPrinterDriversW(NULL, NULL, 1, buffer.data(), needed, &needed, &count))
        return false;
    const DRIVER_INFO_1W *drivers = reinterpret_cast<const DRIVER_INFO_1W *>(buffer.data());
    for (DWORD i = 0; i < count; i++)
        if (lstrcmpiW(drivers[i].pName, name) == 0)
            return true;
    return false;
}

// Keys of an INF section read through SetupAPI.
std::set<std::wstring> SectionKeys(HINF inf, const WCHAR *section)
{
    std::set<std::wstring> keys;
    INFCONTEXT line;
    if (!SetupFindFirstLineW(inf, section, NULL, &line))
        return keys;
    do {
        WCHAR key[MAX_PATH];
        if (SetupGetStringFieldW(&line, 0, key, MAX_PATH, NULL))
            keys.insert(key);
    } while (SetupFindNextLine(&line, &line));
    return keys;
}

}  // namespace

TEST(Package, InfNamesEveryFileTheBuildProducesAndNothingElse)
{
    DriverPackage package;
    WCHAR error[512] = L"";
    ASSERT_TRUE(ReadDriverPackage(InfPath().c_str(), &package, error, 512)) << error;
    EXPECT_STREQ(package.model, PX_PRINTER);
    EXPECT_STREQ(package.driverFile, L"pxui.dll");
    EXPECT_STREQ(package.configFile, L"pxui.dll");
    EXPECT_STREQ(package.dataFile, L"pxdata.dll");
    EXPECT_STREQ(package.helpFile, L"pxui.chm");

    const std::set<std::wstring> built = {L"pxui.dll", L"pxdata.dll", L"pxui.chm"};
    std::set<std::wstring> copied;
    for (int i = 0; i < package.fileCount; i++) {
        copied.insert(package.files[i].name);
        std::wstring path = BinDir() + package.files[i].name;
        EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES)
            << package.files[i].name << " is not among the built files";
    }
    EXPECT_EQ(copied, built) << "files CopyFiles names";
    // Binaries come from the architecture's folder, the help file from the root.
    EXPECT_EQ(std::wstring(FindPackageFile(&package, L"pxui.dll")->diskPath), ArchFolder());
    EXPECT_EQ(std::wstring(FindPackageFile(&package, L"pxui.chm")->diskPath), L"");

    // Both architectures' source lists name the same files.
    UINT errorLine = 0;
    HINF inf = SetupOpenInfFileW(InfPath().c_str(), NULL, INF_STYLE_WIN4, &errorLine);
    ASSERT_NE(inf, INVALID_HANDLE_VALUE) << "line " << errorLine;
    for (const WCHAR *section : {L"SourceDisksFiles.x86", L"SourceDisksFiles.amd64"}) {
        std::set<std::wstring> listed = SectionKeys(inf, section);
        for (const std::wstring &shared : SectionKeys(inf, L"SourceDisksFiles"))
            listed.insert(shared);
        EXPECT_EQ(listed, built) << section;
    }
    SetupCloseInfFile(inf);
}

TEST(Package, PxhostInstallsFromTheInfAndReportsVersions)
{
    RemovePrinter(kPackagePrinter);
    ToolRun run;
    ASSERT_EQ(0u, (run = RunPxhost(L"install --printer \"PX Package Test\"")).exitCode) << run.output;
    DriverInfo3 driver(kPackagePrinter);
    ASSERT_TRUE(driver.info->pDriverPath) << run.output;
    EXPECT_EQ(FileName(driver.info->pDriverPath), L"pxui.dll");
    EXPECT_EQ(FileName(driver.info->pConfigFile), L"pxui.dll");
    EXPECT_EQ(FileName(driver.info->pDataFile), L"pxdata.dll");
    EXPECT_EQ(FileName(driver.info->pHelpFile), L"pxui.chm");
    EXPECT_NE(GetFileAttributesW(driver.info->pHelpFile), INVALID_FILE_ATTRIBUTES)
        << "the spooler did not copy the help file";

    ASSERT_EQ(0u, (run = RunPxhost(L"info --printer \"PX Package Test\"")).exitCode) << run.output;
    EXPECT_NE(run.output.find("module version: " PX_EXPECTED_VERSION_A), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("data driver version: " PX_EXPECTED_VERSION_A), std::string::npos) << run.output;
    RemovePrinter(kPackagePrinter);

    // The package as shipped: binaries in the architecture's folder, the INF
    // and the help file at the top.
    const std::wstring dir = ScratchPath(L""), arch = ArchFolder();
    CreateDirectoryW((dir + arch).c_str(), NULL);
    CopyFileW(InfPath().c_str(), (dir + PX_PACKAGE_INF).c_str(), FALSE);
    CopyFileW((BinDir() + L"pxui.chm").c_str(), (dir + L"pxui.chm").c_str(), FALSE);
    for (const WCHAR *file : {L"pxui.dll", L"pxdata.dll"})
        CopyFileW((BinDir() + file).c_str(), (dir + arch + L"\\" + file).c_str(), FALSE);
    ASSERT_EQ(0u, (run = RunPxhost(L"install --printer \"PX Package Test\" --inf \"" + dir + PX_PACKAGE_INF + L"\"")).exitCode)
        << run.output;
    DriverInfo3 fromFolder(kPackagePrinter);
    EXPECT_EQ(FileName(fromFolder.info->pDataFile), L"pxdata.dll") << "from the package folder";
    EXPECT_EQ(FileName(fromFolder.info->pHelpFile), L"pxui.chm") << "from the package folder";
    RemovePrinter(kPackagePrinter);
    for (const WCHAR *file : {L"pxui.dll", L"pxdata.dll"})
        DeleteFileW((dir + arch + L"\\" + file).c_str());
    RemoveDirectoryW((dir + arch).c_str());
    for (const WCHAR *file : {PX_PACKAGE_INF, L"pxui.chm"})
        DeleteFileW((dir + file).c_str());

    // The fixture's reference printer came from the same INF: the module's
    // help loader finds the help file through the driver information.
    PrinterHandle reference(PX_PRINTER);
    WCHAR *help = GetDriverHelpFile(reference);
    EXPECT_EQ(FileName(help), L"pxui.chm");
    PxFree(help);
}

TEST(Package, BrokenPackagesAndTakenNamesInstallNothing)
{
    const std::wstring dir = ScratchPath(L"");
    ToolRun run;
    const std::vector<BYTE> infBytes = ReadWholeFile(InfPath());
    const std::string inf(infBytes.begin(), infBytes.end());
    ASSERT_FALSE(inf.empty());
    std::string renamed = inf;
    Replace(&renamed, "\"ORVEN PX-2210\"=PX2210,ORVENPX-2210\n\n[ORVEN.NTamd64]\n\"ORVEN PX-2210\"",
            "\"PX Bad Package\"=PX2210,ORVENPX-2210\n\n[ORVEN.NTamd64]\n\"PX Bad Package\"");

    struct Case {
        const char *what, *from, *to, *expected;
    } cases[] = {
        {"copy section removed", "[PX2210_Files]", "[Unused_Files]", "PX2210_Files"},
        {"help file not copied", "HelpFile=pxui.chm", "HelpFile=nohelp.chm", "nohelp.chm"},
        {"source disk entry missing", "[SourceDisksFiles]\npxui.chm=2", "[SourceDisksFiles]", "pxui.chm"},
        {"manufacturer missing", "[Manufacturer]", "[Makers]", "Manufacturer"},
        {"install section missing", "[PX2210]\n", "[PX2211]\n", "PX2210"},
    };
    for (const Case &c : cases) {
        std::string broken = renamed;
        Replace(&broken, c.from, c.to);
        ASSERT_TRUE(WriteWholeFile(dir + L"broken.inf", broken.data(), broken.size()));
        EXPECT_EQ(1u, (run = RunPxhost(L"install --inf \"" + dir + L"broken.inf\" --dir \"" + BinDir() + L"\"")).exitCode)
            << c.what << ": " << run.output;
        EXPECT_NE(run.output.find(c.expected), std::string::npos) << c.what << ": " << run.output;
        EXPECT_FALSE(PrinterHandle(kBadModel).handle) << c.what;
        EXPECT_FALSE(DriverInstalled(kBadModel)) << c.what;
    }

    // A package folder without its help file.
    ASSERT_TRUE(WriteWholeFile(dir + L"orvenpx.inf", renamed.data(), renamed.size()));
    for (const WCHAR *file : {L"pxui.dll", L"pxdata.dll"})
        CopyFileW((BinDir() + file).c_str(), (dir + file).c_str(), FALSE);
    DeleteFileW((dir + L"pxui.chm").c_str());
    EXPECT_EQ(1u, (run = RunPxhost(L"install --inf \"" + dir + L"orvenpx.inf\"")).exitCode) << run.output;
    EXPECT_NE(run.output.find("help file pxui.chm is missing"), std::string::npos) << run.output;
    EXPECT_FALSE(PrinterHandle(kBadModel).handle);
    EXPECT_FALSE(DriverInstalled(kBadModel));

    EXPECT_EQ(1u, (run = RunPxhost(L"install --inf \"" + dir + L"none.inf\"")).exitCode) << run.output;
    EXPECT_NE(run.output.find("cannot read the INF"), std::string::npos) << run.output;

    // The reference printer exists already: refused, and left as it was.
    EXPECT_EQ(1u, (run = RunPxhost(L"install")).exitCode) << run.output;
    EXPECT_NE(run.output.find("already exists"), std::string::npos) << run.output;
    DriverInfo3 reference(PX_PRINTER);
    EXPECT_EQ(FileName(reference.info->pDataFile), L"pxdata.dll");
    EXPECT_EQ(FileName(reference.info->pHelpFile), L"pxui.chm");

    for (const WCHAR *file : {L"orvenpx.inf", L"broken.inf", L"pxui.dll", L"pxdata.dll"})
        DeleteFileW((dir + file).c_str());
    RemoveDirectoryW(dir.c_str());
}
