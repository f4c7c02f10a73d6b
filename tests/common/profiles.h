// Small ICC profiles for the tests, written into the system's colour
// directory (Wine lists only *.icm there) and removed again.
#pragma once

#include <windows.h>
#include <stdint.h>

#include <string>
#include <vector>

// A valid RGB profile of the class: with a 'desc' tag holding description,
// or, when description is null, with only a text tag.
std::vector<BYTE> MakeProfile(uint32_t profileClass, const char *description);

// The file's path in the colour directory; empty when it cannot be had.
std::wstring ColorPath(const WCHAR *file);

// Writes the profile as file into the colour directory.
bool InstallProfile(const WCHAR *file, uint32_t profileClass, const char *description);
void RemoveProfile(const WCHAR *file);
