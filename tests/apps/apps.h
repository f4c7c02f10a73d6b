// What the application suite shares: the printer it installs the way a user
// does, and records read the way applications read them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "devmode/devmode.h"

// Installed with `pxhost install` at the start of the run and made the
// default printer, as a new user's would be.
#define APPS_PRINTER L"PX Apps"

// An application's dialog or sheet shows within this, and is gone within
// kCloseMs after the button that closes it.
const DWORD kShowMs = 15000;
const DWORD kCloseMs = 10000;

inline WCHAR *Name(const WCHAR *printer) { return const_cast<WCHAR *>(printer); }

// The printer's stored record (GetPrinterW level 2) copied out; empty when
// there is none.
std::vector<BYTE> StoredRecord(const WCHAR *printer);

// A copy of a whole record whose names end at their terminator, for
// SameSettings: the spooler keeps a stored record in its 8-bit form and
// leaves what follows a name undefined.
PXDEVMODE NamesCut(const void *record);

// Paper codes, sizes and names as DeviceCapabilitiesW gives them.
struct Papers {
    std::vector<WORD> codes;
    std::vector<POINT> sizes;
    std::vector<std::wstring> names;
    // A paper an application would pick instead of `current`: one of the
    // driver's own codes, not a user size. -1 when there is none.
    int OtherThan(WORD current) const;
};
Papers PrinterPapers(const WCHAR *printer);
