// pxhost convert: converts a device mode file with the driver's
// DrvConvertDevMode, as the spooler does between record versions.
#include <stdlib.h>

#include "core/module.h"
#include "core/scope.h"
#include "core/platform.h"
#include "devmode/devmode.h"
#include "tools/pxhost/commands.h"
#include "tools/pxhost/devmode_file.h"

struct ConvertRequest {
    WCHAR *printer;
    DWORD mode;            // CDM_*
    DEVMODEW *input;
    WORD targetSize;       // CDM_CONVERT: the destination's dmSize
    WORD targetExtra;      // ... and dmDriverExtra
};

static BOOL ParseMode(const WCHAR *text, DWORD *mode)
{
    if (lstrcmpW(text, L"convert") == 0)
        *mode = CDM_CONVERT;
    else if (lstrcmpW(text, L"convert351") == 0)
        *mode = CDM_CONVERT351;
    else if (lstrcmpW(text, L"default") == 0)
        *mode = CDM_DRIVER_DEFAULT;
    else
        return FALSE;
    return TRUE;
}

static BOOL ParseWord(const WCHAR *text, WORD *value)
{
    WCHAR *end = NULL;
    unsigned long number = wcstoul(text, &end, 0);
    if (!*text || *end || number > 0xFFFF)
        return FALSE;
    *value = static_cast<WORD>(number);
    return TRUE;
}

// The destination buffer: for CDM_CONVERT its header says what it holds.
static BYTE *PrepareTarget(const ConvertRequest *request, LONG *bytes)
{
    if (request->mode != CDM_CONVERT) {
        *bytes = PX_DM_TOTAL_SIZE;
        return static_cast<BYTE *>(PxAlloc(PX_DM_TOTAL_SIZE));
    }
    *bytes = request->targetSize + request->targetExtra;
    SIZE_T capacity = static_cast<SIZE_T>(*bytes) > sizeof(DEVMODEW) ? *bytes : sizeof(DEVMODEW);
    BYTE *target = static_cast<BYTE *>(PxAlloc(capacity));
    if (target) {
        DEVMODEW *dm = reinterpret_cast<DEVMODEW *>(target);
        dm->dmSpecVersion = PX_DM_SPEC_VERSION;
        dm->dmDriverVersion = PX_DM_DRIVER_VERSION;
        dm->dmSize = request->targetSize;
        dm->dmDriverExtra = request->targetExtra;
    }
    return target;
}

static int Convert(const ModuleExports *driver, const ConvertRequest *request, const WCHAR *out)
{
    if (!driver->DrvConvertDevMode) {
        PrintUtf8(L"error: the driver has no DrvConvertDevMode\n");
        return PXHOST_FAILED;
    }
    LONG bytes = 0;
    UniqueBlock<BYTE> target(PrepareTarget(request, &bytes));
    if (!target)
        return PXHOST_FAILED;
    LONG needed = bytes;
    int result = PXHOST_FAILED;
    if (!driver->DrvConvertDevMode(request->printer, request->input,
                                   reinterpret_cast<DEVMODEW *>(target.get()), &needed,
                                   request->mode)) {
        PrintUtf8(L"error: conversion failed: error %lu, needed %ld\n", GetLastError(), needed);
    } else if (!WriteDevModeFile(out, target.get(), bytes)) {
        PrintUtf8(L"error: cannot write %ls: error %lu\n", out, GetLastError());
    } else {
        PrintUtf8(L"converted: %ld bytes copied, %ld bytes written to %ls\n", needed, bytes, out);
        result = PXHOST_OK;
    }
    return result;
}

static int ParseRequest(int argc, WCHAR **argv, ConvertRequest *request)
{
    request->printer = const_cast<WCHAR *>(OptionValue(argc, argv, L"--printer", L"ORVEN PX-2210"));
    request->input = NULL;
    if (!ParseMode(OptionValue(argc, argv, L"--mode", L"default"), &request->mode) ||
        !ParseWord(OptionValue(argc, argv, L"--size", L"220"), &request->targetSize) ||
        !ParseWord(OptionValue(argc, argv, L"--extra", L"3940"), &request->targetExtra)) {
        PrintUtf8(L"error: --mode is convert, convert351 or default; --size and --extra are 0 to 65535\n");
        return PXHOST_USAGE;
    }
    if (!OptionValue(argc, argv, L"--out", NULL) ||
        (request->mode == CDM_CONVERT && !OptionValue(argc, argv, L"--in", NULL))) {
        PrintUtf8(L"error: convert needs --out FILE, and --in FILE for --mode convert\n");
        return PXHOST_USAGE;
    }
    return PXHOST_OK;
}

int RunConvert(int argc, WCHAR **argv)
{
    ConvertRequest request;
    int result = ParseRequest(argc, argv, &request);
    if (result != PXHOST_OK)
        return result;
    DevModeFile input = {NULL, 0};
    const WCHAR *in = OptionValue(argc, argv, L"--in", NULL);
    if (in && request.mode != CDM_DRIVER_DEFAULT) {
        result = ReadDevModeFile(in, &input);
        if (result != PXHOST_OK)
            return result;
        request.input = reinterpret_cast<DEVMODEW *>(input.data);
    }
    ModuleExports driver = {};
    result = PXHOST_FAILED;
    if (LoadDriverExports(request.printer, OptionValue(argc, argv, L"--module", NULL), &driver)) {
        result = Convert(&driver, &request, OptionValue(argc, argv, L"--out", NULL));
        FreeModuleExports(&driver);
    }
    FreeDevModeFile(&input);
    return result;
}
