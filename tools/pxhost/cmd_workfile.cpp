// pxhost workfile-show: a working settings file, as the property sheet
// would read it, or why the sheet would ignore it.
#include <windows.h>
#include <stdio.h>

#include "settingsfiles/workfile.h"
#include "tools/pxhost/commands.h"
#include "tools/pxhost/devmode_file.h"
#include "tools/pxhost/settings_print.h"

static int ReportRefusedWorkFile(const WCHAR *path, WorkFileResult result, BOOL json)
{
    PrintRefusedFile(path, result, WorkFileResultName(result), json);
    return result == WORKFILE_NOT_FOUND ? PXHOST_FAILED : PXHOST_REFUSED;
}

static void ShowWorkFile(const WorkFileImage *image, BOOL json)
{
    const WorkFileHeader *h = &image->header;
    if (json) {
        Json document = Json::object();
        document["file"] = "working";
        document["modelMark"] = h->modelMark;
        document["version"] = h->version;
        document["settingIndex"] = h->settingIndex;
        document["legacyCount"] = h->legacyCount;
        AddSettingsJson(&document, image->records, image->counts);
        PrintJson(stdout, document);
        return;
    }
    printf("file: working\nmodelMark: %u\nversion: %d\nsettingIndex: %d\nlegacyCount: %d\n",
           h->modelMark, h->version, h->settingIndex, h->legacyCount);
    PrintSettingsText(stdout, image->records, image->counts);
}

int RunWorkfileShow(int argc, WCHAR **argv)
{
    if (argc < 2 || argv[1][0] == L'-') {
        PrintUtf8(L"usage: pxhost workfile-show FILE [--json]\n");
        return PXHOST_USAGE;
    }
    BOOL json = HasFlag(argc, argv, L"--json");
    WorkFileImage image;
    WorkFileResult result = LoadWorkFileImage(argv[1], &image);
    if (result != WORKFILE_OK)
        return ReportRefusedWorkFile(argv[1], result, json);
    fflush(stdout);
    ShowWorkFile(&image, json);
    ReleaseWorkFileImage(&image);
    return PXHOST_OK;
}
