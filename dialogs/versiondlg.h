// The Version dialog: the driver's product line, version and notices from
// the data driver. A page of the printer sheet, or modal from the Setup page.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"

#define PX_VERSION_TEXT_CHARS 64   // 63 characters and the terminator
#define PX_DATA_DRIVER_LINE_ID 3075

INT_PTR CALLBACK VersionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog modally; its context arrives as a page record's lParam.
INT_PTR ShowVersionDialog(HWND owner, VersionPageContext *context);

// "Version %d.%02d" of the record's version bytes, into text.
void FormatVersionText(const PrinterInfoRecord *info, WCHAR *text, int chars);
