// Context help from the driver's compiled HTML help file: the loader of the
// HTML help control, the one call that shows a topic, and the look-up of a
// control's topic in a context table.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "resources/ids_help.h"

#define PX_HH_HELP_CONTEXT 15
#define PX_HELP_TOPIC_GENERAL IDH_GENERAL

// One row of a help-context table; a table ends with {0, 0}.
struct HelpContext {
    int32_t controlId;
    int32_t topic;
};

typedef HWND(WINAPI *PFN_HtmlHelpW)(HWND window, LPCWSTR file, UINT command, DWORD_PTR data);

// Opens help with HtmlHelpW; 0 when the help control cannot be had. The
// result is HtmlHelpW's, cast to 32 bits.
LONG_PTR ShowHelp(HWND window, const WCHAR *helpFile, UINT command, DWORD_PTR data);
// Shows topic `topic` of helpFile (HH_HELP_CONTEXT).
void ShowHelpTopic(HWND window, const WCHAR *helpFile, int topic);

// The topic of the first row for controlId; the general topic when none.
int TopicOfControl(const HelpContext *table, int controlId);

// The control a WM_HELP or WM_CONTEXTMENU is about; 0 for other messages.
int HelpControlOf(UINT message, WPARAM wParam, LPARAM lParam);

// Tests replace the help control's entry with a recorder (null restores the
// loader's state as it was before: not loaded).
void SetHelpEntryForTesting(PFN_HtmlHelpW entry);
