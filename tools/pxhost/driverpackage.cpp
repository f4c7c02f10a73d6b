#include "tools/pxhost/driverpackage.h"

#include <setupapi.h>
#include <stdio.h>
#include <stdarg.h>

#include "core/scope.h"
#include "core/trace.h"

#ifdef _WIN64
#define PX_ARCH_DECORATION L"NTamd64"
#define PX_DISK_DECORATION L"amd64"
#else
#define PX_ARCH_DECORATION L"NTx86"
#define PX_DISK_DECORATION L"x86"
#endif

namespace {

struct InfTraits {
    using Type = HINF;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static void Close(Type inf) { SetupCloseInfFile(inf); }
};
using UniqueInf = UniqueAny<InfTraits>;

// Where the reader is, for the messages.
struct InfReader {
    HINF inf;
    const WCHAR *path;
    WCHAR *error;
    int errorChars;
};

BOOL Fail(const InfReader *reader, const WCHAR *format, ...)
{
    WCHAR text[400];
    va_list args;
    va_start(args, format);
    _vsnwprintf(text, 399, format, args);
    va_end(args);
    text[399] = 0;
    _snwprintf(reader->error, reader->errorChars - 1, L"%ls: %ls", reader->path, text);
    reader->error[reader->errorChars - 1] = 0;
    PX_TRACE(L"%ls", reader->error);
    return FALSE;
}

BOOL HasSection(const InfReader *reader, const WCHAR *section)
{
    return SetupGetLineCountW(reader->inf, section) >= 0;
}

BOOL Field(INFCONTEXT *line, DWORD index, WCHAR *out, DWORD chars)
{
    out[0] = 0;
    return SetupGetStringFieldW(line, index, out, chars, NULL);
}

// "Base.decoration" when that section exists, else "Base" when it exists.
BOOL DecoratedSection(const InfReader *reader, const WCHAR *base, const WCHAR *decoration,
                      WCHAR *out, int chars)
{
    _snwprintf(out, chars - 1, L"%ls.%ls", base, decoration);
    out[chars - 1] = 0;
    if (HasSection(reader, out))
        return TRUE;
    lstrcpynW(out, base, chars);
    return HasSection(reader, out);
}

// The models section of the first manufacturer for this architecture.
BOOL FindModelsSection(const InfReader *reader, WCHAR *models, int chars)
{
    INFCONTEXT line;
    if (!SetupFindFirstLineW(reader->inf, L"Manufacturer", NULL, &line))
        return Fail(reader, L"no [Manufacturer] section");
    WCHAR base[PX_PACKAGE_NAME_CHARS];
    if (!Field(&line, 1, base, PX_PACKAGE_NAME_CHARS) || !base[0])
        return Fail(reader, L"[Manufacturer] names no models section");
    DWORD fields = SetupGetFieldCount(&line);
    for (DWORD i = 2; i <= fields; i++) {
        WCHAR decoration[32];
        if (Field(&line, i, decoration, 32) && lstrcmpiW(decoration, PX_ARCH_DECORATION) == 0) {
            _snwprintf(models, chars - 1, L"%ls.%ls", base, decoration);
            models[chars - 1] = 0;
            return HasSection(reader, models) ||
                   Fail(reader, L"no [%ls] section for the %ls models", models, PX_ARCH_DECORATION);
        }
    }
    return Fail(reader, L"[Manufacturer] has no %ls models", PX_ARCH_DECORATION);
}

BOOL ReadModel(const InfReader *reader, DriverPackage *package, WCHAR *install, int chars)
{
    WCHAR models[2 * PX_PACKAGE_NAME_CHARS];
    if (!FindModelsSection(reader, models, 2 * PX_PACKAGE_NAME_CHARS))
        return FALSE;
    INFCONTEXT line;
    if (!SetupFindFirstLineW(reader->inf, models, NULL, &line) ||
        !Field(&line, 0, package->model, PX_PACKAGE_NAME_CHARS) || !package->model[0])
        return Fail(reader, L"[%ls] names no model", models);
    if (!Field(&line, 1, install, chars) || !install[0])
        return Fail(reader, L"model \"%ls\" names no install section", package->model);
    return HasSection(reader, install) || Fail(reader, L"no [%ls] section", install);
}

BOOL ReadRoleFile(const InfReader *reader, const WCHAR *install, const WCHAR *key, WCHAR *out)
{
    INFCONTEXT line;
    if (!SetupFindFirstLineW(reader->inf, install, key, &line) || !Field(&line, 1, out, MAX_PATH) ||
        !out[0])
        return Fail(reader, L"[%ls] has no %ls", install, key);
    return TRUE;
}

// Disk path of a file: SourceDisksFiles gives its disk, SourceDisksNames the
// disk's folder (field 4).
BOOL ReadDiskPath(const InfReader *reader, PackageFile *file)
{
    WCHAR section[64];
    INFCONTEXT line;
    WCHAR disk[16];
    if (!DecoratedSection(reader, L"SourceDisksFiles", PX_DISK_DECORATION, section, 64) ||
        !SetupFindFirstLineW(reader->inf, section, file->name, &line) ||
        !Field(&line, 1, disk, 16)) {
        // The file may be listed only in the undecorated section.
        if (!SetupFindFirstLineW(reader->inf, L"SourceDisksFiles", file->name, &line) ||
            !Field(&line, 1, disk, 16))
            return Fail(reader, L"SourceDisksFiles does not list %ls", file->name);
    }
    if (!DecoratedSection(reader, L"SourceDisksNames", PX_DISK_DECORATION, section, 64) ||
        !SetupFindFirstLineW(reader->inf, section, disk, &line))
        return Fail(reader, L"SourceDisksNames has no disk %ls (for %ls)", disk, file->name);
    Field(&line, 4, file->diskPath, MAX_PATH);
    return TRUE;
}

BOOL AddCopyFile(const InfReader *reader, DriverPackage *package, const WCHAR *name)
{
    if (FindPackageFile(package, name))
        return TRUE;
    if (package->fileCount == PX_PACKAGE_MAX_FILES)
        return Fail(reader, L"more than %d files to copy", PX_PACKAGE_MAX_FILES);
    PackageFile *file = &package->files[package->fileCount];
    lstrcpynW(file->name, name, MAX_PATH);
    if (!ReadDiskPath(reader, file))
        return FALSE;
    package->fileCount++;
    return TRUE;
}

BOOL ReadCopySection(const InfReader *reader, DriverPackage *package, const WCHAR *section)
{
    if (section[0] == L'@')
        return AddCopyFile(reader, package, section + 1);
    INFCONTEXT line;
    if (!SetupFindFirstLineW(reader->inf, section, NULL, &line))
        return Fail(reader, L"no [%ls] section (named by CopyFiles)", section);
    do {
        WCHAR name[MAX_PATH];
        if (Field(&line, 1, name, MAX_PATH) && name[0] && !AddCopyFile(reader, package, name))
            return FALSE;
    } while (SetupFindNextLine(&line, &line));
    return TRUE;
}

BOOL ReadCopyFiles(const InfReader *reader, DriverPackage *package, const WCHAR *install)
{
    INFCONTEXT line;
    if (!SetupFindFirstLineW(reader->inf, install, L"CopyFiles", &line))
        return Fail(reader, L"[%ls] has no CopyFiles", install);
    DWORD fields = SetupGetFieldCount(&line);
    for (DWORD i = 1; i <= fields; i++) {
        WCHAR section[PX_PACKAGE_NAME_CHARS];
        if (Field(&line, i, section, PX_PACKAGE_NAME_CHARS) && section[0] &&
            !ReadCopySection(reader, package, section))
            return FALSE;
    }
    return TRUE;
}

BOOL CheckRolesAreCopied(const InfReader *reader, const DriverPackage *package)
{
    const WCHAR *roles[] = {package->driverFile, package->configFile, package->dataFile,
                            package->helpFile};
    for (const WCHAR *role : roles)
        if (!FindPackageFile(package, role))
            return Fail(reader, L"%ls is not among the files CopyFiles names", role);
    return TRUE;
}

}  // namespace

const WCHAR *PackageArchitecture(void)
{
    return PX_ARCH_DECORATION;
}

const PackageFile *FindPackageFile(const DriverPackage *package, const WCHAR *name)
{
    for (int i = 0; i < package->fileCount; i++)
        if (lstrcmpiW(package->files[i].name, name) == 0)
            return &package->files[i];
    return NULL;
}

BOOL ReadDriverPackage(const WCHAR *infPath, DriverPackage *package, WCHAR *error, int errorChars)
{
    ZeroMemory(package, sizeof *package);
    UINT errorLine = 0;
    UniqueInf inf(SetupOpenInfFileW(infPath, NULL, INF_STYLE_WIN4, &errorLine));
    InfReader reader = {inf.get(), infPath, error, errorChars};
    if (!inf)
        return Fail(&reader, L"cannot read the INF (error %lu, line %u)", GetLastError(), errorLine);
    WCHAR install[PX_PACKAGE_NAME_CHARS];
    return ReadModel(&reader, package, install, PX_PACKAGE_NAME_CHARS) &&
           ReadRoleFile(&reader, install, L"DriverFile", package->driverFile) &&
           ReadRoleFile(&reader, install, L"ConfigFile", package->configFile) &&
           ReadRoleFile(&reader, install, L"DataFile", package->dataFile) &&
           ReadRoleFile(&reader, install, L"HelpFile", package->helpFile) &&
           ReadCopyFiles(&reader, package, install) && CheckRolesAreCopied(&reader, package);
}
