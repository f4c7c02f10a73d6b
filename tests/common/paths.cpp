#include "tests/common/paths.h"

#include "core/scope.h"

std::wstring BinDir(void)
{
    WCHAR path[MAX_PATH];
    DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
    while (n > 0 && path[n - 1] != L'\\' && path[n - 1] != L'/')
        n--;
    return std::wstring(path, n);
}

std::wstring BesideTest(const WCHAR *file) { return BinDir() + file; }

std::wstring ScratchPath(const WCHAR *name)
{
    // Made again on each use: a test may remove the folder when done.
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = temp + (L"pxtests-" + std::to_wstring(GetCurrentProcessId()));
    CreateDirectoryW(folder.c_str(), NULL);
    return folder + L"\\" + name;
}

std::vector<BYTE> ReadWholeFile(const std::wstring &path)
{
    std::vector<BYTE> bytes;
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                OPEN_EXISTING, 0, NULL));
    BYTE chunk[4096];
    DWORD got = 0;
    while (file && ReadFile(file.get(), chunk, sizeof chunk, &got, NULL) && got > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    return bytes;
}

bool WriteWholeFile(const std::wstring &path, const void *data, size_t bytes)
{
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    DWORD written = 0;
    return file && WriteFile(file.get(), data, static_cast<DWORD>(bytes), &written, NULL) &&
           written == bytes;
}
