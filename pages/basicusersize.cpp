#include "pages/basicusersize.h"

#include "dialogs/usersize.h"
#include "resources/ids_controls.h"
#include "resources/ids_strings.h"
#include "widgets/controls.h"

#define PX_USER_SIZE_SERIES 0x80000000u
#define PX_FIRST_SLOTS_SHOWN 5

static BOOL IsUserSizeEntry(const PaperList *list, int index)
{
    PaperEntry entry = {};
    return PaperEntryAt(list, index, &entry) && (entry.series & PX_USER_SIZE_SERIES);
}

int FirstUserSizeSlot(const PaperList *list, int selectedIndex)
{
    int before = 0;
    int all = 0;
    for (int i = 1; i <= PaperCount(list); i++) {
        if (!IsUserSizeEntry(list, i))
            continue;
        if (i < selectedIndex)
            before++;
        all++;
    }
    int n = IsUserSizeEntry(list, selectedIndex) ? before : all;
    return n >= PX_FIRST_SLOTS_SHOWN ? 0 : n;
}

// The (slot+1)-th user-size entry, or the last one when there are fewer.
static int UserSizeEntryOfSlot(const PaperList *list, int slot)
{
    int found = 0;
    int seen = 0;
    for (int i = 1; i <= PaperCount(list) && seen <= slot; i++) {
        if (IsUserSizeEntry(list, i)) {
            found = i;
            seen++;
        }
    }
    return found;
}

static int BoundSlot(int32_t slot)
{
    return slot < 0 || slot >= PX_USER_SIZE_COUNT ? 0 : slot;
}

int RunUserSize(HWND page, PageContext *ctx)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    UserSizeRequest request = {};
    request.ctx = ctx;
    request.index = FirstUserSizeSlot(&ctx->paperList, (int)SelectedItemData(page, IDC_BASIC_PAGE_SIZE));
    ctx->printerInfo.maxWidth = PX_USER_SIZE_MAX_WIDTH - 20 * (int32_t)dm->pdmSideMargin;
    if (dm->pdmColorFlags & PX_AUTO_RESOLUTION_FLAG)
        ctx->printerInfo.maxLength = PX_AUTO_RESOLUTION_MAX_LENGTH;
    INT_PTR result = ShowUserSizeDialog(page, &request);
    int slot = BoundSlot(request.index);
    if (result == IDOK) {
        PaperEntry entry = {};
        if (PaperEntryAt(&ctx->paperList, UserSizeEntryOfSlot(&ctx->paperList, slot), &entry))
            SetRecordPaper(dm, &entry);
    }
    ctx->printerInfo.maxWidth = PX_USER_SIZE_MAX_WIDTH;
    ctx->printerInfo.maxLength = PX_AUTO_RESOLUTION_MAX_LENGTH;
    return slot;
}

void RecordUserSizeLengths(PageContext *ctx, int slot)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    slot = BoundSlot(slot);
    dm->dm.dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
    dm->dm.dmPaperWidth = (short)dm->pdmUserSizes[slot].width;
    dm->dm.dmPaperLength = (short)dm->pdmUserSizes[slot].length;
}

int CheckUserSizeLengths(HWND page, PageContext *ctx)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    if (!(dm->pdmColorFlags & PX_AUTO_RESOLUTION_FLAG))
        return 0;
    int cut = 0;
    for (int i = 0; i < PX_USER_SIZE_COUNT; i++) {
        if (dm->pdmUserSizes[i].length <= PX_AUTO_RESOLUTION_MAX_LENGTH)
            continue;
        dm->pdmUserSizes[i].length = PX_AUTO_RESOLUTION_MAX_LENGTH;
        WCHAR title[PX_TEXT_CHARS];
        WCHAR text[PX_TEXT_CHARS];
        LoadText(IDS_LENGTH_WARNING_TITLE, title, PX_TEXT_CHARS);
        LoadText(IDS_LENGTH_WARNING_TEXT, text, PX_TEXT_CHARS);
        MessageBoxW(page, text, title, MB_ICONEXCLAMATION);
        BindUserSizes(&ctx->paperList, dm->pdmUserSizes, PX_USER_SIZE_COUNT);
        cut++;
    }
    return cut;
}
