#include "core/lazyimports.h"

typedef BOOL(WINAPI *FileNameFn)(OPENFILENAMEW *);
typedef BOOL(WINAPI *FolderPathFn)(HWND, WCHAR *, int, BOOL);
typedef BOOL(WINAPI *EnumProfilesFn)(PCWSTR, ENUMTYPEW *, BYTE *, DWORD *, DWORD *);
typedef HPROFILE(WINAPI *OpenProfileFn)(PPROFILE, DWORD, DWORD, DWORD);
typedef BOOL(WINAPI *CloseProfileFn)(HPROFILE);
typedef BOOL(WINAPI *ProfileElementFn)(HPROFILE, TAGTYPE, DWORD, DWORD *, void *, BOOL *);

// Resolved once and cached. Two threads racing here both resolve the same
// address; the libraries stay loaded for the life of the process, since
// freeing them while a dialog may be open gains nothing.
static FARPROC Resolve(FARPROC volatile *slot, const WCHAR *library, const char *name)
{
    FARPROC proc = *slot;
    if (proc)
        return proc;
    HMODULE module = LoadLibraryW(library);
    if (!module)
        return NULL;
    proc = GetProcAddress(module, name);
    if (proc)
        *slot = proc;
    return proc;
}

#define LAZY(type, library, name)                                                            \
    static FARPROC volatile slot;                                                            \
    type fn = reinterpret_cast<type>(Resolve(&slot, library, name))

BOOL LazyGetOpenFileNameW(OPENFILENAMEW *ofn)
{
    LAZY(FileNameFn, L"comdlg32.dll", "GetOpenFileNameW");
    return fn ? fn(ofn) : FALSE;
}

BOOL LazyGetSaveFileNameW(OPENFILENAMEW *ofn)
{
    LAZY(FileNameFn, L"comdlg32.dll", "GetSaveFileNameW");
    return fn ? fn(ofn) : FALSE;
}

BOOL LazySHGetSpecialFolderPathW(HWND owner, WCHAR *path, int folder, BOOL create)
{
    LAZY(FolderPathFn, L"shell32.dll", "SHGetSpecialFolderPathW");
    return fn ? fn(owner, path, folder, create) : FALSE;
}

BOOL LazyEnumColorProfilesW(const WCHAR *machine, ENUMTYPEW *type, BYTE *buffer, DWORD *bytes,
                            DWORD *count)
{
    LAZY(EnumProfilesFn, L"mscms.dll", "EnumColorProfilesW");
    return fn ? fn(machine, type, buffer, bytes, count) : FALSE;
}

HPROFILE LazyOpenColorProfileW(PROFILE *profile, DWORD access, DWORD share, DWORD creation)
{
    LAZY(OpenProfileFn, L"mscms.dll", "OpenColorProfileW");
    return fn ? fn(profile, access, share, creation) : NULL;
}

BOOL LazyCloseColorProfile(HPROFILE profile)
{
    LAZY(CloseProfileFn, L"mscms.dll", "CloseColorProfile");
    return fn ? fn(profile) : FALSE;
}

BOOL LazyGetColorProfileElement(HPROFILE profile, TAGTYPE tag, DWORD offset, DWORD *bytes,
                                void *buffer, BOOL *reference)
{
    LAZY(ProfileElementFn, L"mscms.dll", "GetColorProfileElement");
    return fn ? fn(profile, tag, offset, bytes, buffer, reference) : FALSE;
}
