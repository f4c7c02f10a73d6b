// Functions of libraries that only the file dialogs, the working settings
// path and the colour profile lists need. They are resolved on first use, so
// that loading the module does not load comdlg32, shell32 (with shlwapi and
// shcore) and mscms. A library or function that cannot be found fails like
// the function itself: FALSE or null, with the loader's last error.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <icm.h>

BOOL LazyGetOpenFileNameW(OPENFILENAMEW *ofn);
BOOL LazyGetSaveFileNameW(OPENFILENAMEW *ofn);
BOOL LazySHGetSpecialFolderPathW(HWND owner, WCHAR *path, int folder, BOOL create);
BOOL LazyEnumColorProfilesW(const WCHAR *machine, ENUMTYPEW *type, BYTE *buffer, DWORD *bytes,
                            DWORD *count);
HPROFILE LazyOpenColorProfileW(PROFILE *profile, DWORD access, DWORD share, DWORD creation);
BOOL LazyCloseColorProfile(HPROFILE profile);
BOOL LazyGetColorProfileElement(HPROFILE profile, TAGTYPE tag, DWORD offset, DWORD *bytes,
                                void *buffer, BOOL *reference);
