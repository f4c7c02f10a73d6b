#include "tests/common/pxhostrun.h"

#include "core/scope.h"
#include "tests/common/paths.h"

ToolRun RunPxhost(const std::wstring &arguments)
{
    ToolRun run;
    const std::wstring outPath = ScratchPath(L"pxhost.out");
    std::wstring command = L"\"" + BesideTest(L"pxhost.exe") + L"\" " + arguments;
    {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
        UniqueFile out(CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                   CREATE_ALWAYS, 0, NULL));
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = out.get();
        PROCESS_INFORMATION process = {};
        if (!out || !CreateProcessW(NULL, &command[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup,
                                    &process))
            return run;
        UniqueHandle owned(process.hProcess), thread(process.hThread);
        if (WaitForSingleObject(owned.get(), 60000) == WAIT_OBJECT_0)
            GetExitCodeProcess(owned.get(), &run.exitCode);
        else
            TerminateProcess(owned.get(), 0xFFFFFFFF);
    }
    for (BYTE b : ReadWholeFile(outPath))
        if (b != '\r')
            run.output.push_back(static_cast<char>(b));
    DeleteFileW(outPath.c_str());
    return run;
}
