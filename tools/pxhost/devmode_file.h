// Device mode files and the printer's own config module, for the pxhost
// commands that act as the spooler or an application would.
#pragma once

#include <windows.h>

#include "tools/moduleexports/moduleexports.h"

struct DevModeFile {
    BYTE *data;      // PxAlloc'd, at least sizeof(DEVMODEW) bytes, zero-padded
    DWORD bytes;     // the file's size
};

// Reads a device mode file: the whole file must hold the record's declared
// dmSize + dmDriverExtra. Returns PXHOST_OK, PXHOST_FAILED (cannot read) or
// PXHOST_REFUSED (too short for what it declares), with a message printed.
int ReadDevModeFile(const WCHAR *path, DevModeFile *file);
void FreeDevModeFile(DevModeFile *file);
BOOL WriteDevModeFile(const WCHAR *path, const void *data, DWORD bytes);

// Loads the module the spooler uses as the printer's config module (or the
// one given by --module) and resolves its exports. Prints why when it fails.
BOOL LoadDriverExports(const WCHAR *printer, const WCHAR *modulePath, ModuleExports *exports);

// TRUE when the flag (e.g. --json) appears among the options.
BOOL HasFlag(int argc, WCHAR **argv, const WCHAR *flag);
