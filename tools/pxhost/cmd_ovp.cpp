// pxhost ovp-show / ovp-write: settings parameter files (".OVP") read and
// written by script, to move settings between machines.
#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "core/module.h"
#include "core/scope.h"
#include "devmode/template.h"
#include "settings/presets.h"
#include "settingsfiles/paramfile.h"
#include "tools/pxhost/commands.h"
#include "tools/pxhost/devmode_file.h"
#include "tools/pxhost/settings_print.h"

static int ReportRefusedParamFile(const WCHAR *path, UINT message, BOOL json)
{
    WCHAR text[256] = L"";
    LoadStringW(ModuleInstance(), message, text, 256);
    PrintRefusedFile(path, message, text, json);
    return PXHOST_REFUSED;
}

static void ShowParamFile(const ParamFileImage *image, const PXDEVMODE *dm, BOOL json)
{
    if (json) {
        Json devMode = Json::object();
        AddDevModeJsonFields(&devMode, dm, sizeof *dm, kParamFileFields);
        AddRecordIdsJson(&devMode, dm);
        Json document = Json::object();
        document["file"] = "parameter";
        document["modelMark"] = image->header.modelMark;
        document["version"] = image->header.version;
        document["devMode"] = devMode;
        AddSettingsJson(&document, image->records, image->counts);
        PrintJson(stdout, document);
        return;
    }
    printf("file: parameter\nmodelMark: %u\nversion: %d\n", image->header.modelMark,
           image->header.version);
    PrintDevMode(stdout, dm, sizeof *dm, DEVMODE_TEXT, kParamFileFields);
    PrintRecordIdsText(stdout, dm);
    PrintSettingsText(stdout, image->records, image->counts);
}

int RunOvpShow(int argc, WCHAR **argv)
{
    if (argc < 2 || argv[1][0] == L'-') {
        PrintUtf8(L"usage: pxhost ovp-show FILE [--json]\n");
        return PXHOST_USAGE;
    }
    const WCHAR *path = argv[1];
    BOOL json = HasFlag(argc, argv, L"--json");
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
        PrintUtf8(L"error: cannot open %ls: error %lu\n", path, GetLastError());
        return PXHOST_FAILED;
    }
    ParamFileImage image;
    UINT message = LoadParamFileImage(path, &image);
    if (message)
        return ReportRefusedParamFile(path, message, json);
    // The fields as a device mode holds them once the file is loaded.
    UniqueBlock<PXDEVMODE> dm = UniqueBlock<PXDEVMODE>::Allocate();
    if (dm) {
        DevModeFromBody(&image.body, dm.get());
        fflush(stdout);
        ShowParamFile(&image, dm.get(), json);
    }
    ReleaseParamFileImage(&image);
    return dm ? PXHOST_OK : PXHOST_FAILED;
}

// Without a working file the registered settings are the built-in presets,
// named from the module's strings. The index stays when it still addresses
// a setting (or the current one).
static void UsePresets(PXDEVMODE *dm, SettingStore *store)
{
    int16_t index = dm->pdmSettingIndex;
    AttachSettingStore(dm, store);
    InstallPresets(dm);
    for (int block = 0; block < PX_SETTING_BLOCKS; block++)
        for (int slot = 0; slot < dm->pdmSettingCount[block]; slot++)
            NamePresetFromModule(&store->blocks[block][slot]);
    int block = SettingBlockOf(dm);
    if (index == PX_SETTING_INDEX_CURRENT || (block >= 0 && index >= 0 && index < dm->pdmSettingCount[block]))
        dm->pdmSettingIndex = index;
}

static int ReadDevModeRecord(const WCHAR *path, PXDEVMODE *dm)
{
    DevModeFile file;
    int result = ReadDevModeFile(path, &file);
    if (result != PXHOST_OK)
        return result;
    const DEVMODEW *pub = reinterpret_cast<const DEVMODEW *>(file.data);
    if (file.bytes != sizeof(PXDEVMODE) || pub->dmSize != PX_DM_PUBLIC_SIZE ||
        pub->dmDriverExtra != PX_DM_DRIVER_EXTRA) {
        PrintUtf8(L"refused: %ls is not a %u-byte device mode of this driver (%lu bytes, %u + %u)\n",
                  path, (unsigned)sizeof(PXDEVMODE), file.bytes, pub->dmSize, pub->dmDriverExtra);
        FreeDevModeFile(&file);
        return PXHOST_REFUSED;
    }
    memcpy(dm, file.data, sizeof *dm);
    FreeDevModeFile(&file);
    return PXHOST_OK;
}

static int WriteParamFile(const WCHAR *devModePath, const WCHAR *ovpPath, const WCHAR *workPath,
                          PXDEVMODE *dm, SettingStore *store)
{
    int result = ReadDevModeRecord(devModePath, dm);
    if (result != PXHOST_OK)
        return result;
    AttachSettingStore(dm, store);
    if (workPath) {
        WorkFileResult read = ReadWorkingSettingsFile(workPath, dm, store);
        if (read != WORKFILE_OK) {
            PrintUtf8(L"refused: %ls is not a usable working settings file (%ls)\n", workPath,
                      WorkFileResultName(read));
            return read == WORKFILE_NOT_FOUND ? PXHOST_FAILED : PXHOST_REFUSED;
        }
    } else {
        UsePresets(dm, store);
    }
    if (!SaveSettingsFile(ovpPath, dm, store)) {
        PrintUtf8(L"error: cannot write %ls: error %lu\n", ovpPath, GetLastError());
        return PXHOST_FAILED;
    }
    PrintUtf8(L"wrote %ls: %d + %d registered settings\n", ovpPath, SettingCountOf(dm, 0),
              SettingCountOf(dm, 1));
    return PXHOST_OK;
}

int RunOvpWrite(int argc, WCHAR **argv)
{
    if (argc < 3 || argv[1][0] == L'-' || argv[2][0] == L'-') {
        PrintUtf8(L"usage: pxhost ovp-write DEVMODEFILE OVPFILE [--workfile FILE]\n");
        return PXHOST_USAGE;
    }
    // The store comes from the store's own allocator: only such a store is
    // ever reached through a device mode.
    UniqueBlock<PXDEVMODE> dm = UniqueBlock<PXDEVMODE>::Allocate();
    SettingStore *store = NewSettingStore();
    int result = PXHOST_FAILED;
    if (dm && store)
        result = WriteParamFile(argv[1], argv[2], OptionValue(argc, argv, L"--workfile", NULL), dm.get(),
                                store);
    FreeSettingStore(store);
    return result;
}
