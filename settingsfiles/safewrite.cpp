#include "settingsfiles/safewrite.h"

#include <string.h>
#include <wchar.h>

static const WCHAR kTempSuffix[] = L".new";
#define SUFFIX_CHARS (sizeof kTempSuffix / sizeof kTempSuffix[0] - 1)

// The new file's name is the target's with a suffix; when that would pass
// MAX_PATH it takes the extended-length form, which has no such limit.
static BOOL MakeTempPath(const WCHAR *target, WCHAR *temp)
{
    size_t length = lstrlenW(target);
    if (length + SUFFIX_CHARS < MAX_PATH) {
        lstrcpyW(temp, target);
        lstrcatW(temp, kTempSuffix);
        return TRUE;
    }
    WCHAR full[MAX_PATH];
    DWORD chars = GetFullPathNameW(target, MAX_PATH, full, NULL);
    if (chars == 0 || chars >= MAX_PATH)
        return FALSE;
    if (wcsncmp(full, L"\\\\?\\", 4) == 0) {
        lstrcpyW(temp, full);
    } else if (wcsncmp(full, L"\\\\", 2) == 0) {
        lstrcpyW(temp, L"\\\\?\\UNC\\");
        lstrcatW(temp, full + 2);
    } else {
        lstrcpyW(temp, L"\\\\?\\");
        lstrcatW(temp, full);
    }
    lstrcatW(temp, kTempSuffix);
    return TRUE;
}

BOOL BeginSafeWrite(SafeWrite *w, const WCHAR *target)
{
    memset(w, 0, sizeof *w);
    w->file = INVALID_HANDLE_VALUE;
    size_t length = lstrlenW(target);
    if (length == 0 || length >= MAX_PATH)
        return FALSE;
    lstrcpyW(w->target, target);
    if (!MakeTempPath(target, w->temp))
        return FALSE;
    w->file = CreateFileW(w->temp, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    return w->file != INVALID_HANDLE_VALUE;
}

BOOL SafeWriteBytes(SafeWrite *w, const void *data, DWORD bytes)
{
    if (w->failed || w->file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    if (!WriteFile(w->file, data, bytes, &written, NULL) || written != bytes)
        w->failed = TRUE;
    return !w->failed;
}

BOOL CommitSafeWrite(SafeWrite *w)
{
    if (w->file == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL ok = !w->failed && FlushFileBuffers(w->file);
    CloseHandle(w->file);
    w->file = INVALID_HANDLE_VALUE;
    if (ok)
        ok = MoveFileExW(w->temp, w->target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileW(w->temp);
    return ok;
}

void AbortSafeWrite(SafeWrite *w)
{
    if (w->file == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(w->file);
    w->file = INVALID_HANDLE_VALUE;
    DeleteFileW(w->temp);
}
