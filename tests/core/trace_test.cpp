// The trace channel: the line format, the switch, and that a traced call
// keeps the last error its caller sees.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/trace.h"
#include "tests/common/paths.h"
#include "tests/common/printers.h"
#include "tools/moduleexports/moduleexports.h"

namespace {

std::wstring Format(size_t chars, const char *function, const wchar_t *format, ...)
{
    std::vector<WCHAR> line(chars + 1, L'#');
    va_list args;
    va_start(args, format);
    int written = TraceFormat(line.data(), chars, function, format, args);
    va_end(args);
    EXPECT_EQ(L'#', line[chars]) << "wrote past the line";
    EXPECT_EQ(static_cast<size_t>(written), wcslen(line.data()));
    return line.data();
}

TEST(Trace, LinesNameTheFunctionAndAreCutToFit)
{
    EXPECT_EQ(L"pxui: Convert: mode 4, printer PX, 4160 bytes\n",
              Format(512, "Convert", L"mode %lu, printer %ls, %ld bytes", 4ul, L"PX", 4160l));
    std::wstring cut = Format(16, "Convert", L"%ls", L"a text far longer than the line");
    EXPECT_EQ(L"pxui: Convert:\n", cut);
    cut = Format(20, "Fn", L"%ls", L"abcdefghijklmnop");
    EXPECT_EQ(L"pxui: Fn: abcdefgh\n", cut);
    EXPECT_EQ(L"pxui: \n", Format(8, "LongFunctionName", L"x"));
}

// Lines written through OutputDebugStringW reach the process as a
// first-chance exception before the system's own handler.
std::vector<std::string> g_lines;

LONG WINAPI CollectDebugString(EXCEPTION_POINTERS *e)
{
    const EXCEPTION_RECORD *r = e->ExceptionRecord;
    if (r->ExceptionCode == DBG_PRINTEXCEPTION_C && r->NumberParameters >= 2)
        g_lines.push_back(reinterpret_cast<const char *>(r->ExceptionInformation[1]));
    return EXCEPTION_CONTINUE_SEARCH;
}

bool AnyLineStartsWith(const std::string &start)
{
    for (const std::string &line : g_lines)
        if (line.compare(0, start.size(), start) == 0)
            return true;
    return false;
}

// A fresh copy of the built module reads the switch when it first traces.
void CallBuiltModule(const WCHAR *traceSwitch)
{
    SetEnvironmentVariableW(L"PXUI_TRACE", traceSwitch);
    ModuleExports built;
    ASSERT_TRUE(LoadModuleExports(BesideTest(L"pxui.dll").c_str(), &built));
    g_lines.clear();
    PVOID handler = AddVectoredExceptionHandler(1, CollectDebugString);
    // The result is traced after the error is set: the caller still sees it.
    LONG needed = -1;
    SetLastError(0);
    EXPECT_FALSE(built.DrvConvertDevMode(const_cast<WCHAR *>(PX_PRINTER), NULL, NULL, &needed,
                                         CDM_DRIVER_DEFAULT));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    PrinterHandle printer(PX_PRINTER);
    EXPECT_NE(0u, built.DrvDeviceCapabilities(printer, const_cast<WCHAR *>(PX_PRINTER), DC_SIZE,
                                              NULL, NULL));
    RemoveVectoredExceptionHandler(handler);
    FreeModuleExports(&built);
    SetEnvironmentVariableW(L"PXUI_TRACE", NULL);
}

TEST(Trace, TheSwitchTurnsLinesOnForRefusalsBindingsAndResults)
{
    CallBuiltModule(L"1");
    EXPECT_TRUE(AnyLineStartsWith("pxui: BuildDriverRecord: refused: buffer of -1 bytes"))
        << g_lines.size() << " lines";
    EXPECT_TRUE(AnyLineStartsWith(
        "pxui: DrvConvertDevMode: ORVEN PX-2210, mode 4: 0, 4160 bytes, error 122\n"))
        << g_lines.size() << " lines";
    EXPECT_TRUE(AnyLineStartsWith("pxui: BindAndCheck: printer ")) << g_lines.size() << " lines";
    EXPECT_TRUE(AnyLineStartsWith("pxui: DrvDeviceCapabilities: ORVEN PX-2210, index 8: 220\n"))
        << g_lines.size() << " lines";

    CallBuiltModule(L"0");
    EXPECT_EQ(0u, g_lines.size()) << g_lines[0];
}

}  // namespace
