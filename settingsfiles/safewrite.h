// Replacing a file without ever leaving a half-written one: the new
// contents go to a file beside the target, which replaces the target only
// once it is complete.
#pragma once

#include <windows.h>

#define PX_TEMP_PATH_CHARS (MAX_PATH + 16)

struct SafeWrite {
    HANDLE file;
    BOOL failed;                         // a write failed or was short
    WCHAR target[MAX_PATH];
    WCHAR temp[PX_TEMP_PATH_CHARS];
};

// Creates the file beside `target` (no sharing); FALSE when it cannot be
// created or the target's name is too long.
BOOL BeginSafeWrite(SafeWrite *w, const WCHAR *target);
// Writes all bytes or marks the write failed; later writes then do nothing.
BOOL SafeWriteBytes(SafeWrite *w, const void *data, DWORD bytes);
// Replaces the target with the new file when every write succeeded;
// otherwise removes the new file. The target is untouched on failure.
BOOL CommitSafeWrite(SafeWrite *w);
// Discards the new file.
void AbortSafeWrite(SafeWrite *w);
