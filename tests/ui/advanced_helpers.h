// Shared by the Advanced dialog tests: a page context with a registered
// settings store on the test printer, the dialog run on its own thread, and
// answers to the message boxes it shows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "context/pagecontext.h"
#include "settings/settingstore.h"
#include "tests/common/printers.h"
#include "tests/common/profiles.h"
#include "tests/ui/pagedriver.h"

// A page context built as the sheet builds it, with the presets installed.
struct TestContext {
    explicit TestContext(const WCHAR *printer, uint32_t paperType = 0x500);
    ~TestContext();
    PrinterHandle printer;  // first: it outlives the context
    UniquePageContext owner;
    PageContext *ctx = nullptr;
    PXDEVMODE *dm() const { return &ctx->dmCurrent; }
    PrintSetting *record(int slot) const { return SettingRecordAddress(dm(), slot); }
    int count() const { return dm()->pdmSettingCount[SettingBlockOf(dm())]; }
    // Registers a user setting named name in the next slot.
    PrintSetting *Register(const WCHAR *name, uint16_t colorMode = 1);
};

// A modal dialog of the module shown on its own thread.
struct OpenDialog {
    explicit OpenDialog(std::function<INT_PTR()> show);
    ~OpenDialog();
    bool Close(int button);  // TRUE when the dialog ended
    HWND dialog = NULL;
    INT_PTR result = -1;
    UiThread *thread = nullptr;
};

struct OpenAdvanced : OpenDialog {
    explicit OpenAdvanced(PageContext *ctx);
};

// Opens a drop-down list and closes it again, as a person's look at it does.
void PeekList(HWND dialog, int id);
// A list choice as a person makes it: the list opened, an entry chosen.
void Pick(HWND dialog, int id, int index);

// Entries of a drop-down list.
LRESULT ListData(HWND dialog, int id, int index);
int ListSelection(HWND dialog, int id);
