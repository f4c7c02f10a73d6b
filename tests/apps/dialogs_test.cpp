// Wine's own print and page setup dialogs on the printer, as an application
// opens them: they ask the driver for the printer's record by name.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <winspool.h>

#include <vector>

#include "devmode/devmode.h"
#include "tests/apps/apps.h"
#include "tests/common/records.h"
#include "tools/uihost/ui.h"

namespace {

// The dialog's call on a thread of its own; the dialog once it shows.
struct DialogRun {
    BOOL result = FALSE;
    UiThread thread;
    template <typename Call> explicit DialogRun(Call call) : thread([this, call] { result = call(); }) {}
    HWND Dialog() { return WaitForWindow(thread.id(), L"#32770", nullptr, kShowMs); }
};

// A copy of a dialog's returned global record, empty when there is none.
std::vector<BYTE> RecordOf(HGLOBAL handle)
{
    std::vector<BYTE> record;
    const DEVMODEW *dm = handle ? static_cast<const DEVMODEW *>(GlobalLock(handle)) : NULL;
    if (dm) {
        SIZE_T bytes = dm->dmSize + dm->dmDriverExtra;
        if (bytes <= GlobalSize(handle))
            record.assign(reinterpret_cast<const BYTE *>(dm),
                          reinterpret_cast<const BYTE *>(dm) + bytes);
        GlobalUnlock(handle);
    }
    return record;
}

// Puts a record into a dialog's global record, which must be large enough.
bool Overwrite(HGLOBAL handle, const void *data, SIZE_T bytes)
{
    void *p = handle && GlobalSize(handle) >= bytes ? GlobalLock(handle) : NULL;
    if (p) {
        CopyMemory(p, data, bytes);
        GlobalUnlock(handle);
    }
    return p != NULL;
}

// The default printer's names and record, as an application fetches them
// when it starts; no window shows.
bool ReturnDefault(PRINTDLGW *pd)
{
    ZeroMemory(pd, sizeof *pd);
    pd->lStructSize = sizeof *pd;
    pd->Flags = PD_RETURNDEFAULT;
    DialogRun run([pd] { return PrintDlgW(pd); });
    return run.thread.Join(kCloseMs) && run.result;
}

const PXDEVMODE *AsRecord(const std::vector<BYTE> &bytes)
{
    return reinterpret_cast<const PXDEVMODE *>(bytes.data());
}

TEST(AppDialogs, ChangedRecordSurvivesPageSetupAndPrintDialogs)
{
    Papers papers = PrinterPapers(APPS_PRINTER);
    PXDEVMODE changed = {};
    ASSERT_EQ(IDOK, DocumentPropertiesW(NULL, NULL, Name(APPS_PRINTER), &changed.dm, NULL,
                                        DM_OUT_BUFFER));
    int paper = papers.OtherThan(changed.dm.dmPaperSize);
    ASSERT_GE(paper, 0) << "no other paper in DC_PAPERS";
    changed.dm.dmOrientation = DMORIENT_LANDSCAPE;
    changed.dm.dmPaperSize = papers.codes[paper];
    changed.dm.dmFields |= DM_ORIENTATION | DM_PAPERSIZE;

    PAGESETUPDLGW psd = {};
    psd.lStructSize = sizeof psd;
    psd.Flags = PSD_INHUNDREDTHSOFMILLIMETERS;
    PRINTDLGW defaults;
    ASSERT_TRUE(ReturnDefault(&defaults));
    ASSERT_TRUE(Overwrite(defaults.hDevMode, &changed, sizeof changed));
    psd.hDevMode = defaults.hDevMode;
    psd.hDevNames = defaults.hDevNames;
    DialogRun run([&psd] { return PageSetupDlgW(&psd); });
    HWND dialog = run.Dialog();
    EXPECT_TRUE(dialog != NULL) << "the page setup dialog did not show";
    if (dialog) {
        EXPECT_GE(SendDlgItemMessageW(dialog, cmb2, CB_GETCURSEL, 0, 0), 0) << "no paper selected";
        EXPECT_EQ(BST_CHECKED, SendMessageW(GetDlgItem(dialog, rad2), BM_GETCHECK, 0, 0))
            << "landscape button";
        PostClick(dialog, IDOK);
    }
    ASSERT_TRUE(run.thread.Join(kCloseMs)) << "the page setup dialog did not close";
    ASSERT_TRUE(run.result) << "extended error " << CommDlgExtendedError();
    std::vector<BYTE> afterSetup = RecordOf(psd.hDevMode);
    ASSERT_EQ(sizeof(PXDEVMODE), afterSetup.size()) << "record size after page setup";
    EXPECT_EQ(DMORIENT_LANDSCAPE, AsRecord(afterSetup)->dm.dmOrientation);
    // The print dialog gets the application's own record again: Wine's page
    // setup sees every spooler form with code 0 and may take the first of
    // them for a paper it cannot match.
    ASSERT_TRUE(Overwrite(psd.hDevMode, &changed, sizeof changed));

    PRINTDLGW pd = {};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_NOPAGENUMS | PD_NOSELECTION;
    pd.hDevMode = psd.hDevMode;
    pd.hDevNames = psd.hDevNames;
    DialogRun print([&pd] { return PrintDlgW(&pd); });
    dialog = print.Dialog();
    EXPECT_TRUE(dialog != NULL) << "the print dialog did not show";
    if (dialog) {
        EXPECT_EQ(APPS_PRINTER, ItemText(dialog, cmb4)) << "printer chosen";
        PostClick(dialog, IDOK);
    }
    ASSERT_TRUE(print.thread.Join(kCloseMs)) << "the print dialog did not close";
    ASSERT_TRUE(print.result) << "extended error " << CommDlgExtendedError();
    std::vector<BYTE> afterPrint = RecordOf(pd.hDevMode);
    ASSERT_EQ(sizeof(PXDEVMODE), afterPrint.size()) << "record size after printing";
    // The print dialog has the driver complete the record (page setup does
    // not): it returns the driver's merge of the record the application made.
    PXDEVMODE merged = {};
    ASSERT_EQ(IDOK, DocumentPropertiesW(NULL, NULL, Name(APPS_PRINTER), &merged.dm, &changed.dm,
                                        DM_IN_BUFFER | DM_OUT_BUFFER));
    EXPECT_EQ(DMORIENT_LANDSCAPE, merged.dm.dmOrientation);
    EXPECT_EQ(papers.codes[paper], merged.dm.dmPaperSize);
    EXPECT_TRUE(SameSettings(NamesCut(AsRecord(afterPrint)), NamesCut(&merged)));
    GlobalFree(pd.hDevMode);
    GlobalFree(pd.hDevNames);
}

}  // namespace
