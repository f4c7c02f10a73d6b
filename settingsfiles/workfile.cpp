#include "settingsfiles/workfile.h"

#include <shlobj.h>
#include <string.h>
#include <wchar.h>

#include "core/lazyimports.h"
#include "core/module.h"
#include "core/scope.h"
#include "core/spoolerread.h"
#include "core/trace.h"
#include "settings/presets.h"
#include "settingsfiles/safewrite.h"

#define RECORD_BYTES ((DWORD)sizeof(PrintSetting))

static BOOL IsLegacyVersion(int version)
{
    return version != PX_FILE_VERSION;
}

static WorkFileResult CheckHeader(const WorkFileHeader *header, int counts[2])
{
    if (header->version > PX_FILE_VERSION)
        return WORKFILE_BAD_VERSION;
    if (header->modelMark != PX_FILE_MODEL_MARK)
        return WORKFILE_OTHER_MODEL;
    counts[0] = IsLegacyVersion(header->version) ? header->legacyCount : header->counts[0];
    counts[1] = IsLegacyVersion(header->version) ? 0 : header->counts[1];
    if (!SettingCountValid(counts[0]) || !SettingCountValid(counts[1]))
        return WORKFILE_BAD_COUNT;
    return WORKFILE_OK;
}

static WorkFileResult ReadRecords(HANDLE file, WorkFileImage *image)
{
    int total = image->counts[0] + image->counts[1];
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) ||
        size.QuadPart != (LONGLONG)sizeof(WorkFileHeader) + (LONGLONG)RECORD_BYTES * total)
        return WORKFILE_BAD_SIZE;
    if (total == 0)
        return WORKFILE_OK;
    image->records = static_cast<PrintSetting *>(PxAlloc(RECORD_BYTES * total));
    if (!image->records)
        return WORKFILE_NO_MEMORY;
    for (int i = 0; i < total; i++) {
        DWORD read = 0;
        if (!ReadFile(file, &image->records[i], RECORD_BYTES, &read, NULL) || read != RECORD_BYTES)
            return WORKFILE_READ_FAILED;
    }
    return WORKFILE_OK;
}

WorkFileResult LoadWorkFileImage(const WCHAR *path, WorkFileImage *image)
{
    memset(image, 0, sizeof *image);
    WorkFileResult result = WORKFILE_SHORT_HEADER;
    {
        UniqueFile file(CreateFileW(path, GENERIC_READ, 0, NULL, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, NULL));
        if (!file)
            return WORKFILE_NOT_FOUND;
        DWORD read = 0;
        if (ReadFile(file.get(), &image->header, sizeof image->header, &read, NULL) &&
            read == sizeof image->header)
            result = CheckHeader(&image->header, image->counts);
        if (result == WORKFILE_OK)
            result = ReadRecords(file.get(), image);
    }
    if (result != WORKFILE_OK) {
        PX_TRACE(L"%ls refused: reason %d", path, static_cast<int>(result));
        ReleaseWorkFileImage(image);
    }
    return result;
}

void ReleaseWorkFileImage(WorkFileImage *image)
{
    PxFree(image->records);
    image->records = NULL;
}

// Files of versions 0 and 1 know only paper type 0x500: the other block
// gets the two built-in presets, named from the module's own strings.
static void FillLegacySecondBlock(SettingStore *store)
{
    for (int i = 0; i < PX_PRESETS_1281; i++) {
        PrintSetting *record = &store->blocks[1][i];
        *record = *BuiltInPreset(PX_PRESETS_1280 + i);
        NamePresetFromModule(record);
    }
}

static void TakeWorkFileImage(const WorkFileImage *image, PXDEVMODE *dm, SettingStore *store)
{
    BOOL legacy = IsLegacyVersion(image->header.version);
    dm->pdmSettingCount[0] = static_cast<int16_t>(image->counts[0]);
    dm->pdmSettingCount[1] = static_cast<int16_t>(legacy ? PX_PRESETS_1281 : image->counts[1]);
    int block = SettingBlockOf(dm);
    int count = block >= 0 ? dm->pdmSettingCount[block] : 0;
    if (count < dm->pdmSettingIndex + 1)
        dm->pdmSettingIndex = 0;
    if (image->counts[0])
        memcpy(store->blocks[0], image->records, RECORD_BYTES * image->counts[0]);
    if (legacy)
        FillLegacySecondBlock(store);
    else if (image->counts[1])
        memcpy(store->blocks[1], image->records + image->counts[0], RECORD_BYTES * image->counts[1]);
}

WorkFileResult ReadWorkingSettingsFile(const WCHAR *path, PXDEVMODE *dm, SettingStore *store)
{
    if (!store)
        return WORKFILE_NO_MEMORY;
    WorkFileImage image;
    WorkFileResult result = LoadWorkFileImage(path, &image);
    if (result != WORKFILE_OK)
        return result;
    TakeWorkFileImage(&image, dm, store);
    ReleaseWorkFileImage(&image);
    return WORKFILE_OK;
}

BOOL WriteWorkingSettingsFile(const WCHAR *path, const PXDEVMODE *dm, const SettingStore *store)
{
    if (!store)
        return FALSE;
    WorkFileHeader header = {};
    header.modelMark = PX_FILE_MODEL_MARK;
    header.version = PX_FILE_VERSION;
    header.settingIndex = dm->pdmSettingIndex;
    for (int block = 0; block < PX_SETTING_BLOCKS; block++)
        header.counts[block] = static_cast<int16_t>(SettingCountOf(dm, block));
    SafeWrite w;
    if (!BeginSafeWrite(&w, path))
        return FALSE;
    SafeWriteBytes(&w, &header, sizeof header);
    for (int block = 0; block < PX_SETTING_BLOCKS; block++)
        if (header.counts[block])
            SafeWriteBytes(&w, store->blocks[block], RECORD_BYTES * header.counts[block]);
    return CommitSafeWrite(&w);
}

BOOL FormatWorkingSettingsName(const WCHAR *folder, const PRINTER_INFO_2W *printer, WCHAR *buffer)
{
    WCHAR name[2 * MAX_PATH];
    const WCHAR *server = printer->pServerName;
    const WCHAR *share = printer->pShareName;
    int chars;
    if (server && server[0] && share && share[0]) {
        while (*server == L'\\')
            server++;
        chars = _snwprintf(name, ARRAYSIZE(name), L"%ls\\%ls(%ls).$$$", folder, share, server);
    } else {
        const WCHAR *printerName = printer->pPrinterName ? printer->pPrinterName : L"";
        chars = _snwprintf(name, ARRAYSIZE(name), L"%ls\\%ls.$$$", folder, printerName);
    }
    if (chars < 0 || chars >= MAX_PATH)
        return FALSE;
    lstrcpyW(buffer, name);
    return TRUE;
}

// Appends a folder and creates it; it usually exists already.
static BOOL AppendFolder(WCHAR *folder, const WCHAR *name)
{
    if (lstrlenW(folder) + lstrlenW(name) >= MAX_PATH)
        return FALSE;
    lstrcatW(folder, name);
    CreateDirectoryW(folder, NULL);
    return TRUE;
}

BOOL WorkingSettingsPathFor(const PRINTER_INFO_2W *printer, WCHAR *buffer)
{
    WCHAR folder[MAX_PATH];
    if (!printer || !LazySHGetSpecialFolderPathW(NULL, folder, CSIDL_APPDATA, FALSE))
        return FALSE;
    CreateDirectoryW(folder, NULL);
    if (!AppendFolder(folder, L"\\Orven") || !AppendFolder(folder, L"\\PrinterDriver"))
        return FALSE;
    return FormatWorkingSettingsName(folder, printer, buffer);
}

BOOL GetWorkingSettingsPath(HANDLE printer, WCHAR *buffer)
{
    DWORD bytes = 0;
    UniqueBlock<PRINTER_INFO_2W> info(ReadPrinterInfo2(printer, &bytes));
    return info && WorkingSettingsPathFor(info.get(), buffer);
}
