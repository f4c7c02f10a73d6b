// The Advanced dialog: the editor of print settings, opened from the Basic
// page's Advanced button with the page context.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"

// Runs the dialog modally; 1 after OK, 0 after Cancel.
INT_PTR ShowAdvancedDialog(HWND owner, PageContext *ctx);
