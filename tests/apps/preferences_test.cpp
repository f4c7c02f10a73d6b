// The printing preferences as an application opens them: DocumentPropertiesW
// with DM_PROMPT, the user working the sheet's own controls, and the
// application trusting its buffers only after IDOK.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <functional>
#include <string>
#include <vector>

#include "devmode/devmode.h"
#include "resources/ids_controls.h"
#include "tests/apps/apps.h"
#include "tests/common/records.h"
#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tools/moduleexports/moduleexports.h"
#include "tools/uihost/ui.h"

namespace {

// The application's call on a thread of its own.
LONG CallDocumentProperties(HANDLE printer, DEVMODEW *out, DEVMODEW *in)
{
    return DocumentPropertiesW(NULL, printer, Name(APPS_PRINTER), out, in,
                               DM_IN_BUFFER | DM_OUT_BUFFER | DM_PROMPT);
}

HWND WaitForSheet(const UiThread &run) { return WaitForWindow(run.id(), L"#32770", nullptr, kShowMs); }

// The list item a user would pick by its text; CB_ERR when there is none.
int ItemOfText(HWND page, int id, const std::wstring &text)
{
    return static_cast<int>(SendDlgItemMessageW(page, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(text.c_str())));
}

// The printer's current record, as an application fetches it first.
bool CurrentRecord(HANDLE printer, DEVMODEW *out)
{
    return DocumentPropertiesW(NULL, printer, Name(APPS_PRINTER), out, NULL, DM_OUT_BUFFER) ==
           IDOK;
}

// Offset of the first byte where two buffers differ, or -1.
int FirstDifference(const BYTE *a, const BYTE *b, SIZE_T size)
{
    for (SIZE_T i = 0; i < size; i++)
        if (a[i] != b[i])
            return static_cast<int>(i);
    return -1;
}

TEST(AppPreferences, OkGivesIdokAndTheOrientationAndPaperChosenInTheSheet)
{
    PrinterHandle printer(APPS_PRINTER);
    Guarded in(sizeof(PXDEVMODE)), out(sizeof(PXDEVMODE));
    ASSERT_TRUE(CurrentRecord(printer, in.as<DEVMODEW>()));
    ASSERT_EQ(DMORIENT_PORTRAIT, in.as<DEVMODEW>()->dmOrientation);
    Papers papers = PrinterPapers(APPS_PRINTER);
    int other = papers.OtherThan(in.as<DEVMODEW>()->dmPaperSize);
    ASSERT_GE(other, 0) << "no other paper in DC_PAPERS";

    LONG result = 0;
    UiThread run([&] { result = CallDocumentProperties(printer, out.as<DEVMODEW>(), in.as<DEVMODEW>()); });
    HWND sheet = WaitForSheet(run);
    EXPECT_TRUE(sheet != NULL) << "the printing preferences did not show";
    if (sheet) {
        HWND page = CurrentSheetPage(sheet);
        Click(page, IDC_BASIC_LANDSCAPE);
        int item = ItemOfText(page, IDC_BASIC_PAGE_SIZE, papers.names[other]);
        EXPECT_NE(CB_ERR, item) << "the page size list has no " << testing::PrintToString(papers.names[other]);
        ChooseListItem(page, IDC_BASIC_PAGE_SIZE, item);
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    }
    ASSERT_TRUE(run.Join(kCloseMs)) << "the sheet did not close";
    ASSERT_EQ(IDOK, result) << "OK pressed";

    // The application prints with the record it got.
    const DEVMODEW *dm = out.as<DEVMODEW>();
    EXPECT_EQ(DMORIENT_LANDSCAPE, dm->dmOrientation);
    EXPECT_EQ(papers.codes[other], dm->dmPaperSize);
    EXPECT_EQ(papers.sizes[other].x, dm->dmPaperWidth);
    EXPECT_EQ(papers.sizes[other].y, dm->dmPaperLength);
    Guarded again(sizeof(PXDEVMODE));
    ASSERT_EQ(IDOK, DocumentPropertiesW(NULL, printer, Name(APPS_PRINTER), again.as<DEVMODEW>(),
                                        out.as<DEVMODEW>(), DM_IN_BUFFER | DM_OUT_BUFFER));
    EXPECT_TRUE(SameSettings(NamesCut(again.as<PXDEVMODE>()), NamesCut(dm))) << "handed back";
    HDC dc = CreateDCW(L"WINSPOOL", APPS_PRINTER, NULL, dm);
    EXPECT_TRUE(dc != NULL) << "no device context for the record";
    if (dc)
        DeleteDC(dc);
}

// Wine's DocumentPropertiesW returns what its property-sheet host returns,
// which is OK for every closed sheet (README: a platform limit); the
// module's own answer to Cancel is checked with the older entry points below.
TEST(AppPreferences, CancelLeavesBothBuffersAndTheStoredRecord)
{
    PrinterHandle printer(APPS_PRINTER);
    Guarded in(sizeof(PXDEVMODE)), out(sizeof(PXDEVMODE));
    ASSERT_TRUE(CurrentRecord(printer, in.as<DEVMODEW>()));
    const std::vector<BYTE> inBefore(in.buffer.data, in.buffer.data + in.buffer.size);
    const std::vector<BYTE> stored = StoredRecord(APPS_PRINTER);
    FillMemory(out.buffer.data, out.buffer.size, 0xCD);
    const std::vector<BYTE> outBefore(out.buffer.data, out.buffer.data + out.buffer.size);

    UiThread run([&] { CallDocumentProperties(printer, out.as<DEVMODEW>(), in.as<DEVMODEW>()); });
    HWND sheet = WaitForSheet(run);
    EXPECT_TRUE(sheet != NULL) << "the printing preferences did not show";
    if (sheet) {
        Click(CurrentSheetPage(sheet), IDC_BASIC_LANDSCAPE);
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }
    ASSERT_TRUE(run.Join(kCloseMs)) << "the sheet did not close";
    EXPECT_EQ(-1, FirstDifference(outBefore.data(), out.buffer.data, out.buffer.size))
        << "first byte of the output buffer written";
    EXPECT_EQ(-1, FirstDifference(inBefore.data(), in.buffer.data, in.buffer.size))
        << "first byte of the input record changed";
    const std::vector<BYTE> storedAfter = StoredRecord(APPS_PRINTER);
    ASSERT_EQ(stored.size(), storedAfter.size());
    EXPECT_EQ(-1, FirstDifference(stored.data(), storedAfter.data(), stored.size()))
        << "first byte of the printer's stored record changed";
}

// The older entry points of the installed module, called directly: Wine's
// own PrinterProperties never reaches a driver.
TEST(AppPreferences, OlderEntryPointsAnswerTheButtonThatClosedTheSheet)
{
    ModuleExports module;
    ASSERT_TRUE(LoadPrinterModuleExports(APPS_PRINTER, &module));
    ASSERT_TRUE(HasEveryExport(&module));
    PrinterHandle printer(APPS_PRINTER);
    WCHAR *name = Name(APPS_PRINTER);
    const struct {
        const char *name;
        LONG ok, cancel;
        bool writesRecord;
        std::function<LONG(DEVMODEW *)> call;
    } entries[] = {
        {"DrvDocumentProperties", IDOK, IDCANCEL, true,
         [&](DEVMODEW *out) {
             return module.DrvDocumentProperties(NULL, printer, name, out, NULL, DM_COPY | DM_PROMPT);
         }},
        {"DrvAdvancedDocumentProperties", 1, 0, true,
         [&](DEVMODEW *out) {
             return module.DrvAdvancedDocumentProperties(NULL, printer, name, out, NULL);
         }},
        {"PrinterProperties", TRUE, FALSE, false,
         [&](DEVMODEW *) { return module.PrinterProperties(NULL, printer); }},
    };
    for (const auto &entry : entries) {
        for (int button : {PSBTN_OK, PSBTN_CANCEL}) {
            SCOPED_TRACE(std::string(entry.name) + (button == PSBTN_OK ? ", OK" : ", Cancel"));
            Guarded out(sizeof(PXDEVMODE));
            FillMemory(out.buffer.data, out.buffer.size, 0xCD);
            LONG result = -5;
            UiThread run([&] { result = entry.call(out.as<DEVMODEW>()); });
            HWND sheet = WaitForSheet(run);
            EXPECT_TRUE(sheet != NULL) << "no sheet";
            if (sheet)
                PostMessageW(sheet, PSM_PRESSBUTTON, button, 0);
            ASSERT_TRUE(run.Join(kCloseMs)) << "the sheet did not close";
            EXPECT_EQ(button == PSBTN_OK ? entry.ok : entry.cancel, result);
            if (entry.writesRecord) {
                EXPECT_EQ(button == PSBTN_OK ? 3940 : 0xCDCD, out.as<DEVMODEW>()->dmDriverExtra)
                    << "output record";
            }
        }
    }
    FreeModuleExports(&module);
}

}  // namespace
