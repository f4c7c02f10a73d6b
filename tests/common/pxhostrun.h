// pxhost run from the test executable's folder as a script runs it.
#pragma once

#include <windows.h>

#include <string>

struct ToolRun {
    DWORD exitCode = 0xFFFFFFFF;  // also when pxhost could not be started
    std::string output;           // stdout and stderr, without the console's CRs
};

ToolRun RunPxhost(const std::wstring &arguments);
