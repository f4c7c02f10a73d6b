// The Advanced dialog: the editor of print settings, opened from the Basic
// page's Advanced button with the page context.
#pragma once

#include <windows.h>

#include "sheets/pagecontext.h"

// Runs the dialog modally; IDOK or IDCANCEL.
INT_PTR ShowAdvancedDialog(HWND owner, PageContext *ctx);
