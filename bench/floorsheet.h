// The floor of the printing preferences: the module's own three page
// templates and its Advanced dialog's, added through compstui the way the
// driver's sheet adds them, behind dialog procedures that do only what the
// dialog manager needs. What it costs is Wine's price of the templates;
// whatever the driver's sheet takes beyond it is the driver's own work.
#pragma once

#include <windows.h>

// Shows the floor sheet for printer (its title) with the templates of
// module and returns when it closes; CommonPropertySheetUIW's answer, or -1
// when compstui cannot be loaded.
LONG ShowFloorSheet(HMODULE module, const WCHAR *printer);
