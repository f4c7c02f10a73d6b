// Files the suites reach: the folder the test executable runs from, a
// scratch folder of this process, and whole files read and written.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The folder of the test executable, with its trailing separator.
std::wstring BinDir(void);
// A file beside the test executable (the built module, pxhost, data drivers).
std::wstring BesideTest(const WCHAR *file);

// A name in this process's scratch folder (made when missing).
std::wstring ScratchPath(const WCHAR *name);

std::vector<BYTE> ReadWholeFile(const std::wstring &path);
bool WriteWholeFile(const std::wstring &path, const void *data, size_t bytes);
inline bool WriteWholeFile(const std::wstring &path, const std::vector<BYTE> &bytes)
{
    return WriteWholeFile(path, bytes.data(), bytes.size());
}
