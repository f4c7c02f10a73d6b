// The module's strings as the tests compare them.
#pragma once

#include <windows.h>

#include <string>

// String `id` of the module's string table; empty when there is none.
std::wstring ModuleText(UINT id);
