#include "tools/pxhost/fileversion.h"

#include <stdio.h>
#include <winspool.h>

#include "core/scope.h"
#include "tools/pxhost/commands.h"

BOOL FileVersionText(const WCHAR *path, WCHAR *text, int chars)
{
    text[0] = 0;
    DWORD handle = 0;
    DWORD bytes = GetFileVersionInfoSizeW(path, &handle);
    if (bytes == 0)
        return FALSE;
    UniqueBlock<BYTE> block = UniqueBlock<BYTE>::Allocate(bytes);
    VS_FIXEDFILEINFO *fixed = NULL;
    UINT fixedBytes = 0;
    if (!block || !GetFileVersionInfoW(path, 0, bytes, block.get()) ||
        !VerQueryValueW(block.get(), L"\\", reinterpret_cast<void **>(&fixed), &fixedBytes) ||
        fixedBytes < sizeof(VS_FIXEDFILEINFO))
        return FALSE;
    _snwprintf(text, chars - 1, L"%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
               LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
               LOWORD(fixed->dwFileVersionLS));
    text[chars - 1] = 0;
    return TRUE;
}

static void PrintVersion(const WCHAR *what, const WCHAR *path)
{
    WCHAR version[64];
    if (FileVersionText(path, version, 64))
        PrintUtf8(L"%ls version: %ls (%ls)\n", what, version, path);
    else
        PrintUtf8(L"%ls version: none (%ls)\n", what, path);
}

void PrintDriverFileVersions(HANDLE printer, const WCHAR *dataDriverPath)
{
    DWORD needed = 0;
    GetPrinterDriverW(printer, NULL, 3, NULL, 0, &needed);
    UniqueBlock<DRIVER_INFO_3W> info = UniqueBlock<DRIVER_INFO_3W>::Allocate(needed + sizeof(DRIVER_INFO_3W));
    if (info && GetPrinterDriverW(printer, NULL, 3, reinterpret_cast<BYTE *>(info.get()), needed, &needed) &&
        info->pConfigFile)
        PrintVersion(L"module", info->pConfigFile);
    PrintVersion(L"data driver", dataDriverPath);
}
