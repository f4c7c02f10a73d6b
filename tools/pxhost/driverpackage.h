// Reads the driver package's INF through SetupAPI: the model, the files the
// driver consists of and where each lies in the package, for the
// architecture this program runs as.
#pragma once

#include <windows.h>

#define PX_PACKAGE_MAX_FILES 16
#define PX_PACKAGE_NAME_CHARS 64

struct PackageFile {
    WCHAR name[MAX_PATH];        // file name as the spooler gets it
    WCHAR diskPath[MAX_PATH];    // folder inside the package, "" for its root
};

struct DriverPackage {
    WCHAR model[PX_PACKAGE_NAME_CHARS];  // model line's name: the driver's name
    WCHAR driverFile[MAX_PATH];
    WCHAR configFile[MAX_PATH];
    WCHAR dataFile[MAX_PATH];
    WCHAR helpFile[MAX_PATH];
    int fileCount;
    PackageFile files[PX_PACKAGE_MAX_FILES];  // every file CopyFiles names
};

// "NTamd64" or "NTx86": the model section decoration of this build.
const WCHAR *PackageArchitecture(void);

// Fills the package from the INF: the first model of the first manufacturer
// for this architecture. On failure returns FALSE with a sentence for the
// user in error (which section, key or file is wrong).
BOOL ReadDriverPackage(const WCHAR *infPath, DriverPackage *package, WCHAR *error, int errorChars);

// The package file of that name, or NULL.
const PackageFile *FindPackageFile(const DriverPackage *package, const WCHAR *name);
