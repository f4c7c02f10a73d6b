// Paper merge, resolution and the equivalence of private parts.
#include <string>

#include "devmode/equivalence.h"
#include "devmode/papermerge.h"
#include "devmode/resolution.h"
#include "devmode/standardpapers.h"
#include "devmode/template.h"
#include "tests/devmode/helpers.h"

struct PaperMergeTest : BuiltRecordTest {
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

// The list entry of a paper of this size (as the list holds it); -1 when none.
static int IndexOfSize(const PaperList &list, LONG width, LONG length)
{
    for (int i = 0; i < PaperCount(&list); i++)
        if (list.entries[i].width == width && list.entries[i].length == length)
            return i;
    return -1;
}

// An application's record naming its paper by a standard Windows code alone.
TEST_F(PaperMergeTest, StandardCodesFindThePaperOfTheirSizeElseTheDefault)
{
    Build base(printer, &c, sizeof c, FALSE);
    const PaperList &papers = base.list;
    ASSERT_GT(PaperCount(&papers), 0);
    int found = 0, missing = 0;
    for (int i = 0; i < kStandardPaperCount; i++) {
        const StandardPaper &row = kStandardPapers[i];
        ASSERT_EQ(row.code, DMPAPER_FIRST + i) << "the table is looked up by position";
        Ask((short)row.code, 0, 0, DM_PAPERSIZE);
        Build b(printer, &c, sizeof c, FALSE);
        ASSERT_TRUE(b.ok) << "code " << row.code;
        LONG w = row.width < row.length ? row.width : row.length;
        LONG l = row.width < row.length ? row.length : row.width;
        // Upright first, as the list holds papers; some forms are turned.
        int at = row.width > 0 ? IndexOfSize(papers, w, l) : -1;
        if (at < 0 && row.width > 0)
            at = IndexOfSize(papers, l, w);
        if (at >= 0) {
            found++;
            const PaperEntry &e = papers.entries[at];
            EXPECT_EQ(b.dm.dm.dmPaperSize, e.paperSize) << "code " << row.code;
            EXPECT_EQ(std::wstring(b.dm.dm.dmFormName, wcsnlen(b.dm.dm.dmFormName, 32)),
                      std::wstring(e.name, wcsnlen(e.name, 32))) << "code " << row.code;
            EXPECT_EQ(b.dm.dm.dmPaperWidth, e.width) << "code " << row.code;
            EXPECT_EQ(b.dm.dm.dmPaperLength, e.length) << "code " << row.code;
        } else {
            missing++;
            EXPECT_EQ(b.dm.dm.dmPaperSize, 261) << "code " << row.code << ": the A4-sized default";
        }
    }
    EXPECT_GT(found, 0);
    EXPECT_GT(missing, 0) << "the reserved codes have no size";

    // A record's own size still wins over its code.
    Ask(DMPAPER_A3, 2100, 2970, kSize);
    Build own(printer, &c, sizeof c, FALSE);
    EXPECT_EQ(own.dm.dm.dmPaperSize, 261);

    // Codes outside the table, reserved or no code at all: the default.
    for (int code : {0, 48, 49, DMPAPER_LAST + 1, 255, -1, -5, -32768, 32767}) {
        Ask((short)code, 0, 0, DM_PAPERSIZE);
        Build b(printer, &c, sizeof c, FALSE);
        EXPECT_EQ(b.dm.dm.dmPaperSize, 261) << "code " << code;
        int32_t width = 7, length = 7;
        EXPECT_FALSE(StandardPaperSize((uint16_t)code, &width, &length)) << "code " << code;
        EXPECT_EQ(width, 7) << "code " << code;
    }
}

// A caller's user size the printer cannot take does not replace the stored
// one: every size stays positive, and the output merges to itself.
TEST_F(PaperMergeTest, OutOfRangeCallerUserSizeKeepsTheStoredSixthPair)
{
    PXDEVMODE stored = c;
    stored.pdmUserSizes[5] = {5000, 9000};
    stored.dm.dmPaperSize = 262, stored.dm.dmFields = DM_PAPERSIZE;
    StoredRecordScope scope(printer.handle, &stored.dm);
    ASSERT_TRUE(scope.set);
    const short sizes[][2] = {{-1, -1}, {0, 0}, {5, 5}, {20000, 5000}, {2000, -3000}};
    for (const auto &size : sizes) {
        for (bool full : {false, true}) {
            PXDEVMODE caller = c;
            caller.dm.dmPaperSize = DMPAPER_USER, caller.dm.dmFields |= kSize;
            caller.dm.dmPaperWidth = size[0], caller.dm.dmPaperLength = size[1];
            caller.pdmUserSizes[5] = {size[0], size[1]};
            if (!full)
                caller.dm.dmDriverExtra = 0;
            size_t bytes = full ? sizeof caller : sizeof caller.dm;
            std::string label = std::to_string(size[0]) + " x " + std::to_string(size[1]) +
                                (full ? ", full record" : ", public part");
            Build b(printer, &caller, bytes, TRUE);
            ASSERT_TRUE(b.ok) << label;
            EXPECT_EQ(b.dm.pdmUserSizes[5].width, 5000) << label;
            EXPECT_EQ(b.dm.pdmUserSizes[5].length, 9000) << label;
            EXPECT_EQ(b.dm.dm.dmPaperSize, 262) << label << ": the stored paper";
            int user = -1;
            for (int i = 0; i < PaperCount(&b.list); i++) {
                const PaperEntry &e = b.list.entries[i];
                if (e.series == PX_SERIES_OUTPUT)
                    continue;  // sized by the page, not listed to applications
                EXPECT_GT(e.width, 0) << label << ", paper " << i;
                EXPECT_GT(e.length, 0) << label << ", paper " << i;
                if (e.paperSize == DMPAPER_USER)
                    user = i;
            }
            ASSERT_GE(user, 0) << label;
            EXPECT_EQ(b.list.entries[user].width, 5000) << label;
            EXPECT_EQ(b.list.entries[user].length, 9000) << label;
            Build again(printer, &b.dm, sizeof b.dm, TRUE);
            EXPECT_TRUE(SameSettings(again.dm, b.dm)) << label << ": merged again";
        }
    }
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
