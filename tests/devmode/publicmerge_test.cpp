// Public fields: the caller's declared, valid values win; the rest come from
// the stored record or the defaults.
#include "core/ddops.h"
#include "devmode/template.h"
#include "tests/devmode/helpers.h"

TEST(PublicMerge, NoSourcesGiveTheTemplateButForDataDriverFields)
{
    BoundPrinter printer(PX_PRINTER);
    ASSERT_TRUE(printer.bound);
    Build built(printer, NULL, 0, FALSE);
    ASSERT_TRUE(built.ok);
    PXDEVMODE expected;
    CopyBuiltInTemplate(&expected);
    expected.dm.dmDriverExtra = PX_DM_DRIVER_EXTRA;
    expected.pdmMargin = built.dm.pdmMargin;  // the data driver's defaults, with names
    expected.pdmPaperType = built.dm.pdmPaperType;
    expected.pdmQualityMode = built.dm.pdmQualityMode;
    expected.pdmColorCorrection = built.dm.pdmColorCorrection;
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExW(&version));
    expected.pdmShowStatus = version.dwMajorVersion < 6;
    EXPECT_TRUE(SameSettings(built.dm, expected));
    MarginRecord margin = {};
    QualityModeRecord mode = {};
    ASSERT_TRUE(DdMarginEnum(PX_DEFAULT_INDEX, &margin) && DdQltModeEnum(PX_DEFAULT_INDEX, &mode));
    EXPECT_EQ(margin.id, built.dm.pdmMargin.id) << "the data driver's default margin";
    EXPECT_EQ(mode.id, built.dm.pdmQualityMode.id) << "the data driver's default quality mode";
    EXPECT_NE(built.dm.pdmQualityMode.name[0], 0);

    const WCHAR *name = L"0123456789012345678901234567890123456789";
    PrinterInfoRecord info = printer.info;
    PaperList list = {};
    ASSERT_TRUE(BuildDevMode(&expected, NULL, printer.handle, name, &info, &list, FALSE));
    ReleasePaperList(&list);
    EXPECT_EQ(wmemcmp(expected.dm.dmDeviceName, name, 32), 0) << "32 characters, no terminator";
    EXPECT_EQ(info.maxLength, 180000);
    EXPECT_FALSE(BuildDevMode(NULL, NULL, printer.handle, name, &info, &list, FALSE));
}

TEST(PublicMerge, CallerValuesAreTestedFieldByFieldOverStoredOnes)
{
    BoundPrinter printer(PX_PRINTER);
    ASSERT_TRUE(printer.bound);
    Build base(printer, NULL, 0, FALSE);
    PXDEVMODE stored = base.dm, caller = base.dm;
    stored.dm.dmCopies = 12;
    stored.dm.dmScale = 400;
    stored.dm.dmOrientation = 2;
    stored.dm.dmDefaultSource = 0x142;
    StoredRecordScope scope(printer.handle, &stored.dm);
    ASSERT_TRUE(scope.set);

    caller.dm.dmCopies = 1000;  // above the printer's 999
    caller.dm.dmScale = 5;
    caller.dm.dmOrientation = 3;
    caller.dm.dmDefaultSource = 0x122 | 0x200;
    Build a(printer, &caller, sizeof caller, TRUE);
    EXPECT_EQ(a.dm.dm.dmCopies, 999);
    EXPECT_EQ(a.dm.dm.dmScale, 100) << "the stored scale is never used";
    EXPECT_EQ(a.dm.dm.dmOrientation, 2);
    EXPECT_EQ(a.dm.dm.dmDefaultSource, 0x322) << "the 0x200 flag travels with the found media";

    caller.dm.dmCopies = 0;
    caller.dm.dmScale = 250;
    caller.dm.dmDefaultSource = 0x7777;  // unknown to the data driver
    Build b(printer, &caller, sizeof caller, TRUE);
    EXPECT_EQ(b.dm.dm.dmCopies, 1);
    EXPECT_EQ(b.dm.dm.dmScale, 250);
    EXPECT_EQ(b.dm.dm.dmDefaultSource, 0x142);
    Build noStored(printer, &caller, sizeof caller, FALSE);
    EXPECT_EQ(noStored.dm.dm.dmDefaultSource, PX_DEFAULT_SOURCE);

    caller.dm.dmFields &= ~(DWORD)DM_SCALE;  // undeclared values are not read
    Build c(printer, &caller, sizeof caller, TRUE);
    EXPECT_EQ(c.dm.dm.dmScale, 100);

    stored.dm.dmDriverExtra = PX_DM_OLD_DRIVER_EXTRA;  // a stored record of the older size
    StoredRecordScope older(printer.handle, &stored.dm);
    Build ignored(printer, NULL, 0, TRUE);
    EXPECT_EQ(ignored.dm.dm.dmCopies, 1);
}
