#include "services/colorprofile.h"

#include <icm.h>

#include "core/lazyimports.h"
#include "core/module.h"
#include "core/scope.h"
#include "core/platform.h"
#include "core/trace.h"
#include "devmode/papertypes.h"
#include "devmode/template.h"

#define PX_PROFILE_FIRST_SPLIT 12     // print modes from here sit 39 ids further on
#define PX_PROFILE_SPLIT_GAP 39
#define PX_DESC_TAG 0x64657363u       // 'desc'
#define PX_DESC_TEXT_OFFSET 12        // type signature, reserved word, count

UINT DefaultProfileId(uint32_t paperTypeId, int printMode)
{
    UINT base = IDS_PROFILE_OTHER;
    UINT fallback = IDS_PROFILE_OTHER + 5;
    if (paperTypeId == PX_PAPER_TYPE_STANDARD || paperTypeId == PX_PAPER_TYPE_PHOTO) {
        base = IDS_PROFILE_GLOSSY;
        fallback = IDS_PROFILE_GLOSSY + 5;
    } else if (paperTypeId == PX_PAPER_TYPE_BANNER) {
        base = IDS_PROFILE_WHITE;
        fallback = IDS_PROFILE_WHITE + 3;
    }
    if (printMode < 0 || printMode >= PX_PRINT_MODE_COUNT)
        return fallback;
    if (printMode < PX_PROFILE_FIRST_SPLIT)
        return base + printMode;
    return base + printMode + PX_PROFILE_SPLIT_GAP;
}

int GetPrinterProfileName(const PXDEVMODE *record, WCHAR *buffer)
{
    if (buffer[0])
        return lstrlenW(buffer);
    UINT id = DefaultProfileId(record->pdmPaperType.id, record->pdmPrintMode);
    int length = LoadStringW(ModuleInstance(), id, buffer, PX_PROFILE_NAME_CHARS - 1);
    if (length <= 0) {
        buffer[0] = 0;
        return 0;
    }
    return length;
}

// Only a record with a whole private part has the fields read here.
static BOOL HasPrivatePart(const DEVMODEW *dm)
{
    return dm && dm->dmSize >= PX_DM_PUBLIC_SIZE && dm->dmDriverExtra >= PX_DM_OLD_DRIVER_EXTRA;
}

static void CopyUserProfile(const PXDEVMODE *record, WCHAR *name)
{
    int i = 0;
    for (; i < PX_PATH_CHARS - 1 && record->pdmPrinterProfile[i]; i++)
        name[i] = record->pdmPrinterProfile[i];
    name[i] = 0;
}

static BOOL NameDeviceProfile(PDEVMODEW pdevmode, VOID *pvProfileData, ULONG *pcbProfileData,
                              FLONG *pflProfileData)
{
    if (!HasPrivatePart(pdevmode) || !pcbProfileData) {
        PX_TRACE(L"refused: %ls", pcbProfileData ? L"no whole private part" : L"no size pointer");
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const PXDEVMODE *record = reinterpret_cast<const PXDEVMODE *>(pdevmode);
    WCHAR name[PX_PATH_CHARS];
    CopyUserProfile(record, name);
    ULONG bytes = 2 * GetPrinterProfileName(record, name) + 2;
    if (*pcbProfileData >= bytes && pvProfileData) {
        CopyMemory(pvProfileData, name, bytes);
        if (pflProfileData)
            *pflProfileData = QCP_PROFILEDISK;
        return TRUE;
    }
    *pcbProfileData = bytes;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
}

BOOL WINAPI DrvQueryColorProfile(HANDLE hPrinter, PDEVMODEW pdevmode, ULONG ulQueryMode,
                                 VOID *pvProfileData, ULONG *pcbProfileData,
                                 FLONG *pflProfileData)
{
    if (ulQueryMode != QCP_DEVICEPROFILE) {
        PX_TRACE(L"printer %p, mode %lu: nothing to name", hPrinter, ulQueryMode);
        return TRUE;
    }
    BOOL named = NameDeviceProfile(pdevmode, pvProfileData, pcbProfileData, pflProfileData);
    PX_TRACE(L"printer %p: %d, %lu bytes, error %lu", hPrinter, named,
             pcbProfileData ? *pcbProfileData : 0, named ? 0 : GetLastError());
    return named;
}

WCHAR *EnumerateColorProfiles(DWORD profileClass, DWORD *count)
{
    if (!count)
        return NULL;
    ENUMTYPEW type;
    ZeroMemory(&type, sizeof type);
    type.dwSize = sizeof type;
    type.dwVersion = ENUM_TYPE_VERSION;
    type.dwFields = ET_CLASS | ET_DATACOLORSPACE;
    type.dwClass = profileClass;
    type.dwDataColorSpace = PX_SPACE_RGB;
    DWORD bytes = 0, found = 0;
    if (LazyEnumColorProfilesW(NULL, &type, NULL, &bytes, &found) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return NULL;
    UniqueBlock<BYTE> block = UniqueBlock<BYTE>::Allocate(bytes);
    if (!block || !LazyEnumColorProfilesW(NULL, &type, block.get(), &bytes, &found))
        return NULL;
    *count = found;
    return reinterpret_cast<WCHAR *>(block.release());
}

// The size query fails by design. Some colour management systems report the
// size without setting ERROR_INSUFFICIENT_BUFFER, so a reported size counts
// as the answer too; a missing tag reports neither.
static BOOL QueryElementSize(HPROFILE profile, DWORD *bytes)
{
    BOOL reference = FALSE;
    *bytes = 0;
    SetLastError(ERROR_SUCCESS);
    if (LazyGetColorProfileElement(profile, PX_DESC_TAG, PX_DESC_TEXT_OFFSET, bytes, NULL,
                                   &reference))
        return FALSE;
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER || *bytes > 0;
}

// The element is read into a block two bytes larger than it, so the text is
// terminated even when the profile's own count is wrong.
static char *ReadDescription(HPROFILE profile)
{
    DWORD bytes = 0;
    BOOL reference = FALSE;
    if (!QueryElementSize(profile, &bytes))
        return NULL;
    UniqueBlock<char> block = UniqueBlock<char>::Allocate(bytes + 2);
    if (!block || !LazyGetColorProfileElement(profile, PX_DESC_TAG, PX_DESC_TEXT_OFFSET, &bytes,
                                              block.get(), &reference))
        return NULL;
    return block.release();
}

char *GetProfileDescription(const WCHAR *fileName)
{
    if (!fileName)
        return NULL;
    PROFILE source;
    source.dwType = PROFILE_FILENAME;
    source.pProfileData = const_cast<WCHAR *>(fileName);
    source.cbDataSize = 2 * lstrlenW(fileName) + 2;
    HPROFILE profile =
        LazyOpenColorProfileW(&source, PROFILE_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (!profile)
        return NULL;
    char *text = ReadDescription(profile);
    LazyCloseColorProfile(profile);
    return text;
}
