// pxhost as a script runs it: exit codes and the lines scripts read.
#include <gtest/gtest.h>

#include <string>

#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tests/services/driver.h"

namespace {

struct ToolRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};

std::wstring BinDir(void)
{
    WCHAR path[MAX_PATH];
    DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
    while (n > 0 && path[n - 1] != L'\\' && path[n - 1] != L'/')
        n--;
    return std::wstring(path, n);
}

ToolRun Pxhost(const std::wstring &arguments)
{
    ToolRun run;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE readEnd, writeEnd;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    std::wstring command = L"\"" + BinDir() + L"pxhost.exe\" " + arguments;
    BOOL started = CreateProcessW(NULL, &command[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup,
                                  &process);
    CloseHandle(writeEnd);
    if (started) {
        char chunk[4096];
        DWORD got;
        while (ReadFile(readEnd, chunk, sizeof chunk, &got, NULL) && got)
            for (DWORD i = 0; i < got; i++)
                if (chunk[i] != '\r')  // console text mode ends lines with CR LF
                    run.output.push_back(chunk[i]);
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    return run;
}

std::wstring TempFile(const WCHAR *name)
{
    WCHAR dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

void WriteBytes(const std::wstring &path, const void *data, DWORD bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD written;
    WriteFile(h, data, bytes, &written, NULL);
    CloseHandle(h);
}

TEST(Pxhost, DevModeAsJsonUsesTheRecordsFieldNames)
{
    ToolRun run = Pxhost(L"devmode --json --printer \"" PX_PRINTER L"\" --fields dmCopies,pdmMargin");
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(0u, run.output.find("{\n  \"dmCopies\": 1,\n  \"pdmMargin\": {\n")) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("\"name\": \"")) << run.output;
    EXPECT_EQ(2u, Pxhost(L"devmode --fields noSuchField").exitCode);
    EXPECT_EQ(2u, Pxhost(L"no-such-command").exitCode);
}

TEST(Pxhost, CheckReportsTheReasonAndItsId)
{
    Guarded record(sizeof(PXDEVMODE));
    ASSERT_TRUE(AppDevMode(PX_PRINTER, NULL, record.as<PXDEVMODE>()));
    std::wstring path = TempFile(L"pxhost-job.pxd");
    WriteBytes(path, record.buffer.data, sizeof(PXDEVMODE));
    EXPECT_EQ(0u, Pxhost(L"check --in \"" + path + L"\"").exitCode);

    record.as<PXDEVMODE>()->dm.dmScale = 5;
    WriteBytes(path, record.buffer.data, sizeof(PXDEVMODE));
    ToolRun refused = Pxhost(L"check --in \"" + path + L"\"");
    EXPECT_EQ(4u, refused.exitCode);
    EXPECT_NE(std::string::npos, refused.output.find("id: 2564\n")) << refused.output;
    EXPECT_NE(std::string::npos, refused.output.find("reason: DEVMODEの")) << refused.output;

    // A file shorter than the record it declares is refused before any use.
    WriteBytes(path, record.buffer.data, 300);
    EXPECT_EQ(3u, Pxhost(L"check --in \"" + path + L"\"").exitCode);
    DeleteFileW(path.c_str());
}

}  // namespace
