// The User size dialog: the six user-defined paper sizes of the device mode,
// short and long side each within the printer's limits, in millimetres or
// inches.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"

// The opener's record: in, the slot shown first; out after OK, the slot chosen.
struct UserSizeRequest {
    PageContext *ctx;
    int32_t index;
};
static_assert(offsetof(UserSizeRequest, ctx) == 0, "");
static_assert(offsetof(UserSizeRequest, index) == sizeof(void *), "");

// Runs the dialog modally; IDOK or IDCANCEL.
INT_PTR ShowUserSizeDialog(HWND owner, UserSizeRequest *request);
