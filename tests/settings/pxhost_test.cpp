// pxhost's settings-file commands, run as a script would run them.
#include <gtest/gtest.h>

#include <string.h>

#include <nlohmann/json.hpp>

#include "devmode/template.h"
#include "settingsfiles/paramfile.h"
#include "tests/settings/settings_util.h"

// Runs pxhost from the test's own folder; stdout and stderr go to a file.
static int RunPxhost(const std::wstring &arguments, std::string *output)
{
    WCHAR exe[MAX_PATH];
    GetModuleFileNameW(NULL, exe, MAX_PATH);
    *wcsrchr(exe, L'\\') = 0;
    std::wstring command = L"\"" + std::wstring(exe) + L"\\pxhost.exe\" " + arguments;
    std::wstring outPath = ScratchPath(L"pxhost.out");
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE out = CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, 0, NULL);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = out;
    PROCESS_INFORMATION pi = {};
    DWORD code = 255;
    if (CreateProcessW(NULL, &command[0], NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, 60000);
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(out);
    output->clear();
    for (BYTE b : ReadWholeFile(outPath))
        if (b != '\r')
            output->push_back(static_cast<char>(b));
    return static_cast<int>(code);
}

TEST(Pxhost, WritesShowsAndRefusesSettingsFiles)
{
    PXDEVMODE dm;
    CopyBuiltInTemplate(&dm);
    dm.dm.dmDriverExtra = PX_DM_DRIVER_EXTRA;
    dm.pdmPrintMode = 7;
    std::wstring dmPath = ScratchPath(L"record.bin"), ovp = ScratchPath(L"host.OVP");
    const std::wstring quoted = L"\"" + dmPath + L"\" \"" + ovp + L"\"";
    ASSERT_TRUE(WriteWholeFile(dmPath, std::vector<BYTE>((BYTE *)&dm, (BYTE *)(&dm + 1))));
    std::string out;
    ASSERT_EQ(RunPxhost(L"ovp-write " + quoted, &out), 0) << out;
    TestDevMode t;
    ASSERT_EQ(LoadSettingsFile(ovp.c_str(), t.dm, t.store), 0u);
    EXPECT_EQ(t.dm->pdmPrintMode, 7);
    EXPECT_EQ(t.dm->pdmSettingCount[0], 6);
    EXPECT_STREQ(t.store->blocks[0][2].name, L"最高品質");

    ASSERT_EQ(RunPxhost(L"ovp-show \"" + ovp + L"\" --json", &out), 0) << out;
    EXPECT_NE(out.find("\"pdmPrintMode\": 7"), std::string::npos) << out.substr(0, 400);
    nlohmann::ordered_json doc = nlohmann::ordered_json::parse(out, nullptr, false);
    ASSERT_FALSE(doc.is_discarded()) << out.substr(0, 400);
    EXPECT_EQ(doc["settings"][0][2]["name"], "最高品質");
    EXPECT_EQ(doc["devMode"]["pdmPaperType"]["id"], t.dm->pdmPaperType.id);
    std::vector<BYTE> file = ReadWholeFile(ovp);
    file[2] = 3;
    ASSERT_TRUE(WriteWholeFile(ovp, file));
    EXPECT_EQ(RunPxhost(L"ovp-show \"" + ovp + L"\"", &out), 3);
    EXPECT_NE(out.find("3849"), std::string::npos) << out;

    std::vector<BYTE> work(16 + 1184 + 1);
    const int16_t header[] = {2501, 2, 0, 0, 1, 0};
    memcpy(work.data(), header, sizeof header);
    std::wstring workPath = ScratchPath(L"host.$$$");
    ASSERT_TRUE(WriteWholeFile(workPath, work));
    EXPECT_EQ(RunPxhost(L"workfile-show \"" + workPath + L"\"", &out), 3) << out;
    work.pop_back();
    ASSERT_TRUE(WriteWholeFile(workPath, work));
    EXPECT_EQ(RunPxhost(L"workfile-show \"" + workPath + L"\" --json", &out), 0) << out;
    EXPECT_NE(out.find("\"settingCounts\": [\n    1,\n    0\n  ]"), std::string::npos) << out;

    ASSERT_TRUE(WriteWholeFile(dmPath, std::vector<BYTE>((BYTE *)&dm, (BYTE *)(&dm + 1) - 1)));
    EXPECT_EQ(RunPxhost(L"ovp-write " + quoted, &out), 3) << out;
}
