// Paper merge, resolution and the equivalence of private parts.
#include "devmode/equivalence.h"
#include "devmode/papermerge.h"
#include "devmode/resolution.h"
#include "devmode/template.h"
#include "tests/devmode/helpers.h"

struct PaperMergeTest : testing::Test {
    BoundPrinter printer{PX_PRINTER};
    PXDEVMODE c;
    void SetUp() override
    {
        ASSERT_TRUE(printer.bound);
        Build built(printer, NULL, 0, FALSE);
        c = built.dm;
    }
    void Ask(short code, short width, short length, DWORD fields)
    {
        c.dm.dmFields = (c.dm.dmFields & ~(DWORD)(DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH |
                                                  DM_FORMNAME)) | fields;
        c.dm.dmPaperSize = code, c.dm.dmPaperWidth = width, c.dm.dmPaperLength = length;
    }
};
static const DWORD kSize = DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH;

TEST_F(PaperMergeTest, UnknownCodeIsFoundBySizeElseBecomesTheLastUserSize)
{
    Ask(9, 2970, 2100, kSize);
    Build a4(printer, &c, sizeof c, FALSE);
    EXPECT_EQ(a4.dm.dm.dmPaperSize, 261);
    EXPECT_STREQ(a4.dm.dm.dmFormName, L"ISO A4");

    Ask(9, 3000, 2000, kSize);
    Build user(printer, &c, sizeof c, FALSE);
    PaperEntry last, first;
    ASSERT_NE(FindLastUserSize(&user.list, &last), 0);
    EXPECT_EQ(user.dm.dm.dmPaperSize, (short)last.paperSize);
    EXPECT_EQ(user.dm.dm.dmPaperWidth, 2000);
    EXPECT_EQ(user.dm.dm.dmPaperLength, 3000);
    EXPECT_EQ(user.dm.pdmUserSizes[0].width, 2000);
    EXPECT_EQ(user.dm.pdmUserSizes[0].length, 3000);
    ASSERT_NE(FindPaperByCode(&user.list, 366, &first), 0);  // the first user-size entry
    EXPECT_EQ(first.width, 2000);
    Build again(printer, &user.dm, sizeof user.dm, FALSE);
    EXPECT_TRUE(SameSettings(again.dm, user.dm)) << "the pair survives a rebuild";
}

TEST_F(PaperMergeTest, UserSizeOutsideTheLimitsGivesTheStoredOrA4Paper)
{
    Ask(DMPAPER_USER, 5, 5, kSize);
    Build plain(printer, &c, sizeof c, FALSE);
    EXPECT_EQ(plain.dm.dm.dmPaperSize, 261);
    PXDEVMODE stored = c;
    stored.dm.dmPaperSize = 262, stored.dm.dmFields = DM_PAPERSIZE;
    StoredRecordScope scope(printer.handle, &stored.dm);
    ASSERT_TRUE(scope.set);
    Build withStored(printer, &c, sizeof c, TRUE);
    EXPECT_EQ(withStored.dm.dm.dmPaperSize, 262);

    Ask(DMPAPER_USER, 5000, 9000, kSize);  // one the printer takes keeps its size
    Build taken(printer, &c, sizeof c, TRUE);
    EXPECT_EQ(taken.dm.dm.dmPaperSize, DMPAPER_USER);
    EXPECT_EQ(taken.dm.dm.dmPaperWidth, 5000);
    EXPECT_EQ(taken.dm.dm.dmPaperLength, 9000);
}

TEST_F(PaperMergeTest, BoundPapersAndFormsSurviveARebuild)
{
    Ask(297, 0, 0, DM_PAPERSIZE);  // bound to source 0x111
    Build bound(printer, &c, sizeof c, FALSE);
    EXPECT_EQ(bound.dm.dm.dmDefaultSource, 0x111);
    EXPECT_NE(bound.dm.pdmMargin.mediaMask & 0x111, 0);
    Build again(printer, &bound.dm, sizeof bound.dm, FALSE);
    EXPECT_TRUE(SameSettings(again.dm, bound.dm));

    Build plain(printer, NULL, 0, FALSE);
    int forms = 0;
    for (int i = 0; i < PaperCount(&plain.list) && forms < 2; i++) {
        const PaperEntry &e = plain.list.entries[i];
        if (e.paperSize != 0 || ++forms < 2)
            continue;
        Ask(0, 0, 0, kSize | DM_FORMNAME);
        SetRecordPaper(&c, &e);  // the second form, code 0 like every form
        Build form(printer, &c, sizeof c, FALSE);
        EXPECT_EQ(wcsncmp(form.dm.dm.dmFormName, e.name, 32), 0);
    }
    EXPECT_EQ(forms, 2) << "the spooler's forms follow the data driver's papers";
}

TEST_F(PaperMergeTest, AutomaticResolutionKeepsLongPagesWithinThirtyThousandDots)
{
    Ask(366, 0, 0, DM_PAPERSIZE);  // the first user-size paper, sized by the first pair
    c.pdmUserSizes[0] = {3000, 30000};
    Build longPage(printer, &c, sizeof c, FALSE);
    EXPECT_EQ(longPage.dm.dm.dmPrintQuality, 180);
    c.pdmUserSizes[0] = {3000, 28222};
    Build shorter(printer, &c, sizeof c, FALSE);
    EXPECT_EQ(shorter.dm.dm.dmPrintQuality, 270);

    PXDEVMODE dm = longPage.dm;
    dm.pdmColorFlags &= ~0x2000u, dm.pdmResolutionIndex = 3, dm.pdmQualityMode.id = 2;
    EXPECT_EQ(ComputeResolution(&dm), 360);
    dm.pdmQualityMode.id = 36, dm.pdmResolutionIndex = 0;  // an id with no limit of its own
    EXPECT_EQ(ComputeResolution(&dm), 2880);
}

TEST(Equivalence, AdjustFlagCountsOnlyAsZeroOrNot)
{
    PXDEVMODE a, b;
    CopyBuiltInTemplate(&a);
    CopyBuiltInTemplate(&b);
    b.pdmAdjustFlag = 5;
    b.pdmUserSizes[2].width = 1;  // not a rendering setting
    EXPECT_EQ(PrivatePartsEquivalent(&a, &b), 1);
    b.pdmAdjustFlag = 0;
    EXPECT_EQ(PrivatePartsEquivalent(&a, &b), 0);
    b.pdmAdjustFlag = 1, b.pdmExtraLevel = 3;
    EXPECT_EQ(PrivatePartsEquivalent(&a, &b), 0);
}
