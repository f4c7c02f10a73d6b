// The reference data driver called directly (no spooler, no module; each
// operation resolved by its undecorated name): the conventions of
// Enum/Search, the keys the module searches for and the strings it reads.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "core/ddops.h"
#include "core/scope.h"
#include "devmode/template.h"
#include "tests/common/paths.h"

namespace {

struct DataDriver {
    UniqueLibrary module{LoadLibraryW(BesideTest(L"pxdata.dll").c_str())};
    template <typename T> T Op(const char *name) const
    {
        return reinterpret_cast<T>(reinterpret_cast<void *>(GetProcAddress(module.get(), name)));
    }
    int Length(UINT id) const
    {
        WCHAR text[128];
        return LoadStringW(module.get(), id, text, 128);
    }
};

TEST(DataDriver, PrinterInformation)
{
    DataDriver dd;
    ASSERT_TRUE(dd.module);
    auto op = dd.Op<PFN_xRtlPrinterInfo>("xRtlPrinterInfo");
    PrinterInfoRecord info;
    memset(&info, 0xCC, sizeof info);
    ASSERT_TRUE(op(&info));
    EXPECT_EQ(0x0102u, info.version);
    EXPECT_LE(info.minWidth, 2000);  // 3000 x 2000 must be a valid user size
    for (int i = 0; i < 128; i++)
        EXPECT_EQ(0, info.reserved4[i]) << "reserved4[" << i << "]";
    for (UINT id : info.versionStringIds)
        EXPECT_GT(dd.Length(id), 0) << id;
    EXPECT_EQ(0, op(NULL));
    // The version dialog's driver line and the preset names the module reads.
    for (UINT id : {3075u, 4097u, 4098u, 4099u, 4100u, 4101u, 4102u}) {
        EXPECT_GT(dd.Length(id), 0) << id;
        EXPECT_LE(dd.Length(id), 31) << id;
    }
}

TEST(DataDriver, EnumerationAndSearchConventions)
{
    DataDriver dd;
    ASSERT_TRUE(dd.module);
    auto mediaEnum = dd.Op<PFN_xRtlMediaGet>("xRtlMediaEnum");
    auto mediaSearch = dd.Op<PFN_xRtlMediaGet>("xRtlMediaSearch");
    MediaRecord media;
    ASSERT_TRUE(mediaEnum(PX_DEFAULT_INDEX, &media));
    EXPECT_EQ(0, media.name[0]) << "the module fills names";
    EXPECT_GT(dd.Length(media.nameId), 0);
    MarginRecord margin;
    ASSERT_TRUE(dd.Op<PFN_xRtlMarginGet>("xRtlMarginEnum")(PX_DEFAULT_INDEX, &margin));
    EXPECT_NE(0, margin.mediaMask & media.code) << "the default margin fits the default media";
    PaperRecord paper;
    ASSERT_TRUE(dd.Op<PFN_xRtlPaperEnum>("xRtlPaperEnum")(PX_DEFAULT_INDEX, &paper));
    EXPECT_EQ(0, paper.code & 0x300) << "the default paper is bound to no source";

    const int count = dd.Op<PFN_xRtlQuery>("xRtlMediaQuery")();
    EXPECT_EQ(0, mediaEnum(0, &media));
    EXPECT_EQ(0, mediaEnum(count + 1, &media));
    EXPECT_EQ(0, mediaEnum(1, NULL));
    ASSERT_TRUE(mediaSearch(0x382, &media)) << "bit 0x200 is a device-mode flag";
    EXPECT_EQ(0x182, media.code);
    EXPECT_EQ(0, mediaSearch(0x999, &media));

    uint16_t dpis[20];
    auto dpiEnum = dd.Op<PFN_xRtlDPIEnum>("xRtlGdiDPIEnum");
    EXPECT_EQ(3, dpiEnum(dpis, 20));
    EXPECT_EQ(2, dpiEnum(dpis, 2)) << "cut to the caller's count";
}

// Every quality mode of the module's print-mode tables, and every paper
// type, colour correction and margin kind the pages show, is found and named.
TEST(DataDriver, KeysTheModuleSearchesFor)
{
    DataDriver dd;
    ASSERT_TRUE(dd.module);
    auto qlt = dd.Op<PFN_xRtlQltModeGet>("xRtlQltModeSearch");
    QualityModeRecord mode;
    std::vector<PrintModeRow> rows(kPrintModeTable, kPrintModeTable + PX_PRINT_MODE_COUNT);
    rows.insert(rows.end(), kPrintModeTable1281, kPrintModeTable1281 + PX_PRINT_MODE_COUNT_1281);
    for (const PrintModeRow &row : rows) {
        ASSERT_TRUE(qlt(row.qualityModeId, &mode)) << row.qualityModeId;
        EXPECT_GT(dd.Length(mode.nameId), 0) << row.qualityModeId;
    }
    EXPECT_EQ(0, qlt(3, &mode));
    PaperTypeRecord ptype;
    for (int id : {1280, 1281, 1282, 1380}) {
        EXPECT_TRUE(dd.Op<PFN_xRtlPtypeGet>("xRtlPtypeSearch")(id, &ptype)) << id;
        EXPECT_GT(dd.Length(id), 0) << id;
    }
    ColorCorrectionRecord ccr;
    for (int id = 3584; id <= 3587; id++) {
        EXPECT_TRUE(dd.Op<PFN_xRtlCCRmGet>("xRtlCCRmSearch")(id, &ccr)) << id;
        EXPECT_GT(dd.Length(id), 0) << id;
    }
    auto mediaEnum = dd.Op<PFN_xRtlMediaGet>("xRtlMediaEnum");
    const int mediaCount = dd.Op<PFN_xRtlQuery>("xRtlMediaQuery")();
    for (int id = 256; id <= 262; id++) {
        MarginRecord margin;
        ASSERT_TRUE(dd.Op<PFN_xRtlMarginGet>("xRtlMarginSearch")(id, &margin)) << id;
        EXPECT_GT(dd.Length(id), 0) << id;
        int fits = 0;
        for (int i = 1; i <= mediaCount; i++) {
            MediaRecord media;
            ASSERT_TRUE(mediaEnum(i, &media));
            fits += (margin.mediaMask & media.code) != 0;
        }
        EXPECT_GT(fits, 0) << "margin " << id << " fits no media";
    }
}

TEST(DataDriver, PapersAreUniqueNamedAndEndWithTheApplicationsUserSize)
{
    DataDriver dd;
    ASSERT_TRUE(dd.module);
    auto paperEnum = dd.Op<PFN_xRtlPaperEnum>("xRtlPaperEnum");
    const int n = -dd.Op<PFN_xRtlQuery>("xRtlPaperQuery")();
    std::set<int> sizes;
    int userSizes = 0, userSize256At = 0;
    for (int i = 1; i <= n; i++) {
        PaperRecord paper;
        ASSERT_TRUE(paperEnum(i, &paper)) << i;
        SCOPED_TRACE(paper.paperSize);
        EXPECT_TRUE(sizes.insert(paper.paperSize).second) << "listed twice";
        EXPECT_GE(paper.paperSize, 256);
        EXPECT_LE(paper.paperSize, 373);
        EXPECT_TRUE(paper.code & 0xC000) << "no placement class";
        EXPECT_GT(dd.Length(paper.nameId), 0);
        EXPECT_LE(dd.Length(paper.nameId), 31) << "longer than dmFormName";
        if (paper.series & PX_SERIES_USER) {
            userSizes++;
            if (paper.paperSize == 256)
                userSize256At = userSizes;
        }
        if (paper.paperSize >= 363 && paper.paperSize <= 365)
            EXPECT_EQ(PX_SERIES_OUTPUT, paper.series);
        else
            EXPECT_GE(paper.width, 1000);
    }
    EXPECT_EQ(6, userSizes);
    EXPECT_EQ(6, userSize256At) << "the application's user size is the last one";
    for (int size : {363, 364, 365, 261, 256})
        EXPECT_TRUE(sizes.count(size)) << size;
    PaperRecord paper;
    EXPECT_EQ(0, paperEnum(0, &paper));
    EXPECT_EQ(0, paperEnum(n + 1, &paper));
}

}  // namespace
