// File versions of installed binaries, read from their version resources.
#pragma once

#include <windows.h>

// "major.minor.build.revision" of the file's fixed version information;
// FALSE when the file has none.
BOOL FileVersionText(const WCHAR *path, WCHAR *text, int chars);

// Prints the file versions of the printer's configuration module and of the
// data driver at dataDriverPath.
void PrintDriverFileVersions(HANDLE printer, const WCHAR *dataDriverPath);
