// The document property entry points without a window, called as the
// platform calls them (DocumentPropertiesW itself is the application suite's).
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tests/services/driver.h"

namespace {

WCHAR *Name(const WCHAR *printer) { return const_cast<WCHAR *>(printer); }

TEST(DocProperties, PropertySheetsWithoutInfoAnswerTheHeader)
{
    PrinterHandle printer(PX_PRINTER);
    Guarded out(4160);
    FillMemory(out.buffer.data, 4160, 0xCD);
    DOCUMENTPROPERTYHEADER header = {};
    header.cbSize = sizeof header;
    header.hPrinter = printer;
    header.pszPrinterName = Name(PX_PRINTER);
    header.pdmOut = out.as<DEVMODEW>();
    header.fMode = DM_UPDATE;
    const LPARAM lParam = reinterpret_cast<LPARAM>(&header);
    EXPECT_EQ(1, Driver().DrvDocumentPropertySheets(NULL, lParam));
    EXPECT_EQ(4160u, header.cbOut);
    EXPECT_EQ(3940, out.as<DEVMODEW>()->dmDriverExtra);

    // Only DM_UPDATE or DM_COPY write the record; a prompt is not shown here.
    const struct { DWORD mode; LONG result; BOOL written; } modes[] = {
        {DM_IN_BUFFER, 1, FALSE}, {DM_PROMPT, 1, FALSE}, {DM_COPY | DM_PROMPT, 1, TRUE},
        {DM_COPY | DM_IN_BUFFER, 1, TRUE}, {0, 4160, FALSE},
    };
    Guarded in(sizeof(DEVMODEW));
    in.as<DEVMODEW>()->dmSize = sizeof(DEVMODEW);
    in.as<DEVMODEW>()->dmFields = DM_COPIES;
    in.as<DEVMODEW>()->dmCopies = 7;
    header.pdmIn = in.as<DEVMODEW>();
    for (const auto &m : modes) {
        FillMemory(out.buffer.data, 4160, 0xCD);
        header.fMode = m.mode;
        header.cbOut = 0;
        EXPECT_EQ(m.result, Driver().DrvDocumentPropertySheets(NULL, lParam)) << m.mode;
        EXPECT_EQ(4160u, header.cbOut) << m.mode;
        WORD copies = static_cast<WORD>(out.as<DEVMODEW>()->dmCopies);
        EXPECT_EQ(m.written ? 7 : 0xCDCD, copies) << m.mode;
    }
    header.pdmOut = NULL;
    header.fMode = DM_COPY;
    header.cbOut = 0;
    EXPECT_EQ(4160, Driver().DrvDocumentPropertySheets(NULL, lParam));
    EXPECT_EQ(4160u, header.cbOut);
    header.pdmOut = out.as<DEVMODEW>();
    header.pdmIn = NULL;
    EXPECT_EQ(-1, Driver().DrvDocumentPropertySheets(NULL, 0));

    // Binding failures: -1 with last error 87, the output untouched.
    PrinterHandle refused(PX_PRINTER_V115);
    FillMemory(out.buffer.data, 4160, 0xCD);
    header.hPrinter = refused;
    header.fMode = DM_COPY;
    SetLastError(0);
    EXPECT_EQ(-1, Driver().DrvDocumentPropertySheets(NULL, lParam));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_EQ(0xCD, out.buffer.data[0]);
}

TEST(DocProperties, OlderEntryPointsWithoutPrompt)
{
    PrinterHandle printer(PX_PRINTER);
    Guarded out(4160);
    FillMemory(out.buffer.data, 4160, 0xCD);
    auto properties = Driver().DrvDocumentProperties;
    EXPECT_EQ(4160, properties(NULL, printer, Name(PX_PRINTER), out.as<DEVMODEW>(), NULL, 0));
    EXPECT_EQ(0xCD, out.buffer.data[0]);
    EXPECT_EQ(4160, properties(NULL, printer, Name(PX_PRINTER), NULL, NULL, DM_COPY));
    EXPECT_EQ(IDOK, properties(NULL, printer, Name(PX_PRINTER), out.as<DEVMODEW>(), NULL,
                               DM_IN_BUFFER));
    EXPECT_EQ(0xCD, out.buffer.data[0]);
    EXPECT_EQ(IDOK, properties(NULL, printer, Name(PX_PRINTER), out.as<DEVMODEW>(), NULL, DM_COPY));
    EXPECT_EQ(220, out.as<DEVMODEW>()->dmSize);
    auto advanced = Driver().DrvAdvancedDocumentProperties;
    EXPECT_EQ(4160, advanced(NULL, printer, Name(PX_PRINTER), NULL, NULL));
}

}  // namespace
