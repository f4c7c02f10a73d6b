#include "tests/ui/advanced_helpers.h"

#include <gtest/gtest.h>

#include <icm.h>
#include <stddef.h>
#include <vector>

#include "dialogs/advanced.h"
#include "settings/presets.h"
#include "services/colorprofile.h"

TestContext::TestContext(const WCHAR *name, uint32_t paperType)
    : printer(name), owner(AllocPageContext()), ctx(owner.get())
{
    if (!ctx)
        return;
    InitPageContext(ctx, printer, const_cast<WCHAR *>(name), NULL);
    ctx->canChange = 1;
    ctx->dmCurrent.pdmPaperType.id = paperType;
    AllocSettingStore(&ctx->dmCurrent);
    InstallPresets(&ctx->dmCurrent);
}

TestContext::~TestContext()
{
    // The store goes before the context that holds it.
    if (ctx)
        ReleaseSettingStore(&ctx->dmCurrent);
}

PrintSetting *TestContext::Register(const WCHAR *name, uint16_t colorMode)
{
    int slot = count();
    PrintSetting *r = record(slot);
    *r = *record(0);
    lstrcpynW(r->name, name, PX_SETTING_NAME_CHARS);
    r->presetId = 0;
    r->colorMode = colorMode;
    r->printMode = static_cast<uint16_t>(slot % 12);
    r->contrast = static_cast<int16_t>(slot);
    dm()->pdmSettingCount[SettingBlockOf(dm())] = static_cast<int16_t>(slot + 1);
    return r;
}

OpenDialog::OpenDialog(std::function<INT_PTR()> show)
{
    thread = new UiThread([this, show] { result = show(); });
    dialog = WaitForWindow(thread->id(), L"#32770");
}

OpenDialog::~OpenDialog() { delete thread; }

bool OpenDialog::Close(int button)
{
    if (!dialog)
        return false;
    PostClick(dialog, button);
    return thread->Join();
}

OpenAdvanced::OpenAdvanced(PageContext *ctx) : OpenDialog([ctx] { return ShowAdvancedDialog(NULL, ctx); }) {}

void PeekList(HWND dialog, int id)
{
    SendMessageW(GetDlgItem(dialog, id), CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(GetDlgItem(dialog, id), CB_SHOWDROPDOWN, FALSE, 0);
}

void Pick(HWND dialog, int id, int index)
{
    PeekList(dialog, id);
    ChooseListItem(dialog, id, index);
}

LRESULT ListData(HWND dialog, int id, int index)
{
    return SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, index, 0);
}

int ListSelection(HWND dialog, int id) { return (int)SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0); }
