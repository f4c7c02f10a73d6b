// The reference data driver's own tables, called
// directly (no spooler, no module): the exports, the defaults, the
// conventions of Enum/Search and the strings the module reads.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "core/ddops.h"

namespace {

const char *const kOperations[] = {
    "xRtlPrinterInfo",  "xRtlMediaQuery",    "xRtlMediaEnum",       "xRtlMediaSearch",
    "xRtlPtypeQuery",   "xRtlPtypeEnum",     "xRtlPtypeSearch",     "xRtlMarginQuery",
    "xRtlMarginEnum",   "xRtlMarginSearch",  "xRtlPaperQuery",      "xRtlPaperEnum",
    "xRtlGdiDPIEnum",   "xRtlMPMsentence",   "xRtlQltModeQuery",    "xRtlQltModeEnum",
    "xRtlQltModeSearch", "xRtlLookUpTblSearch", "xRtlCCRmQuery",    "xRtlCCRmEnum",
    "xRtlCCRmSearch",   "xRtlDevDPIEnum",
};

// Loads a DLL from the test executable's directory; freed by the guard.
struct DataDriver {
    HMODULE module = NULL;
    explicit DataDriver(const WCHAR *file)
    {
        WCHAR path[MAX_PATH];
        DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
        while (n > 0 && path[n - 1] != L'\\' && path[n - 1] != L'/')
            n--;
        path[n] = 0;
        lstrcatW(path, file);
        module = LoadLibraryW(path);
    }
    ~DataDriver()
    {
        if (module)
            FreeLibrary(module);
    }
    template <typename T> T Op(const char *name) const
    {
        return reinterpret_cast<T>(reinterpret_cast<void *>(GetProcAddress(module, name)));
    }
    int Length(UINT id) const
    {
        WCHAR text[128];
        return LoadStringW(module, id, text, 128);
    }
};

int Version(const WCHAR *file, PrinterInfoRecord *info)
{
    DataDriver dd(file);
    if (!dd.module)
        return -1;
    auto op = dd.Op<PFN_xRtlPrinterInfo>("xRtlPrinterInfo");
    return op && op(info) ? (int)info->version : -1;
}

}  // namespace

TEST(DataDriver, ExportsEveryOperationUndecorated)
{
    DataDriver dd(L"pxdata.dll");
    ASSERT_TRUE(dd.module);
    for (const char *name : kOperations)
        EXPECT_TRUE(GetProcAddress(dd.module, name)) << name;
}

TEST(DataDriver, PrinterInformation)
{
    PrinterInfoRecord info;
    memset(&info, 0xCC, sizeof info);
    ASSERT_EQ(Version(L"pxdata.dll", &info), 0x0102);
    EXPECT_EQ(info.capabilities, PX_CAPS_COLOR | PX_CAPS_INKSET_4);
    EXPECT_EQ(info.maxCopies, 999);
    EXPECT_EQ(info.maxWidth, 13710);
    EXPECT_LE(info.minWidth, 2000);  // 3000 x 2000 must be a valid user size
    for (int i = 0; i < 128; i++)
        EXPECT_EQ(info.reserved4[i], 0);
    DataDriver dd(L"pxdata.dll");
    for (UINT id : info.versionStringIds)
        EXPECT_GT(dd.Length(id), 0) << id;
    EXPECT_GT(dd.Length(3075), 0);
    for (UINT id = 4097; id <= 4102; id++) {
        EXPECT_GT(dd.Length(id), 0) << id;
        EXPECT_LE(dd.Length(id), 31) << id;
    }
    EXPECT_EQ(dd.Op<PFN_xRtlPrinterInfo>("xRtlPrinterInfo")(NULL), 0);
}

TEST(DataDriver, DefaultsAndEnumerationBounds)
{
    DataDriver dd(L"pxdata.dll");
    ASSERT_TRUE(dd.module);
    MediaRecord media;
    auto mediaEnum = dd.Op<PFN_xRtlMediaGet>("xRtlMediaEnum");
    ASSERT_TRUE(mediaEnum(PX_DEFAULT_INDEX, &media));
    EXPECT_EQ(media.code, 386);
    EXPECT_EQ(media.maxWidth, 13710);
    EXPECT_EQ(media.name[0], 0);  // the module fills names
    EXPECT_GT(dd.Length(media.nameId), 0);
    int count = dd.Op<PFN_xRtlQuery>("xRtlMediaQuery")();
    EXPECT_EQ(mediaEnum(0, &media), 0);
    EXPECT_EQ(mediaEnum(count + 1, &media), 0);
    EXPECT_EQ(mediaEnum(1, NULL), 0);
    auto mediaSearch = dd.Op<PFN_xRtlMediaGet>("xRtlMediaSearch");
    ASSERT_TRUE(mediaSearch(0x382, &media));  // bit 0x200 is a device-mode flag
    EXPECT_EQ(media.code, 0x182);
    for (int code : {0x111, 0x112, 0x113, 393})
        EXPECT_TRUE(mediaSearch(code, &media)) << code;
    EXPECT_EQ(mediaSearch(0x999, &media), 0);

    MarginRecord margin;
    ASSERT_TRUE(dd.Op<PFN_xRtlMarginGet>("xRtlMarginEnum")(PX_DEFAULT_INDEX, &margin));
    EXPECT_EQ(margin.id, 258u);
    EXPECT_NE(margin.mediaMask & 386, 0);
    PaperTypeRecord ptype;
    ASSERT_TRUE(dd.Op<PFN_xRtlPtypeGet>("xRtlPtypeEnum")(PX_DEFAULT_INDEX, &ptype));
    EXPECT_EQ(ptype.id, 1280u);
    QualityModeRecord mode;
    ASSERT_TRUE(dd.Op<PFN_xRtlQltModeGet>("xRtlQltModeEnum")(PX_DEFAULT_INDEX, &mode));
    EXPECT_EQ(mode.id, 14u);
    ColorCorrectionRecord ccr;
    ASSERT_TRUE(dd.Op<PFN_xRtlCCRmGet>("xRtlCCRmEnum")(PX_DEFAULT_INDEX, &ccr));
    EXPECT_EQ(ccr.id, 3584u);
    PaperRecord paper;
    ASSERT_TRUE(dd.Op<PFN_xRtlPaperEnum>("xRtlPaperEnum")(PX_DEFAULT_INDEX, &paper));
    EXPECT_EQ(paper.paperSize, 261);
    EXPECT_EQ(paper.width, 2100);
    EXPECT_EQ(paper.length, 2970);
    EXPECT_EQ(paper.code & 0x300, 0);  // not bound to a source
    EXPECT_EQ(paper.series, 0x2u);

    uint16_t dpis[20];
    EXPECT_EQ(dd.Op<PFN_xRtlDPIEnum>("xRtlGdiDPIEnum")(dpis, 20), 3);
    EXPECT_EQ(dd.Op<PFN_xRtlDPIEnum>("xRtlGdiDPIEnum")(dpis, 2), 2);
}

TEST(DataDriver, KeysTheModuleSearchesFor)
{
    DataDriver dd(L"pxdata.dll");
    ASSERT_TRUE(dd.module);
    auto qlt = dd.Op<PFN_xRtlQltModeGet>("xRtlQltModeSearch");
    QualityModeRecord mode;
    for (int id : {0, 1, 2, 6, 8, 9, 10, 12, 14, 15, 16, 20, 21, 22, 26, 27, 28}) {
        ASSERT_TRUE(qlt(id, &mode)) << id;
        EXPECT_GT(dd.Length(mode.nameId), 0) << id;
    }
    EXPECT_EQ(qlt(3, &mode), 0);
    PaperTypeRecord ptype;
    for (int id : {1280, 1281, 1282, 1380}) {
        ASSERT_TRUE(dd.Op<PFN_xRtlPtypeGet>("xRtlPtypeSearch")(id, &ptype)) << id;
        EXPECT_GT(dd.Length(id), 0) << id;
    }
    ColorCorrectionRecord ccr;
    for (int id = 3584; id <= 3587; id++) {
        ASSERT_TRUE(dd.Op<PFN_xRtlCCRmGet>("xRtlCCRmSearch")(id, &ccr)) << id;
        EXPECT_GT(dd.Length(id), 0) << id;
    }
    // Every margin applies to some media; margin kinds are those the summary knows.
    auto marginSearch = dd.Op<PFN_xRtlMarginGet>("xRtlMarginSearch");
    auto mediaEnum = dd.Op<PFN_xRtlMediaGet>("xRtlMediaEnum");
    int mediaCount = dd.Op<PFN_xRtlQuery>("xRtlMediaQuery")();
    const struct { int id; unsigned group; bool sheet; } kinds[] = {
        {256, 1, true}, {257, 2, true}, {258, 1, false}, {259, 2, false},
        {260, 4, true}, {261, 3, true}, {262, 3, false}};
    for (const auto &k : kinds) {
        MarginRecord margin;
        ASSERT_TRUE(marginSearch(k.id, &margin)) << k.id;
        EXPECT_EQ(margin.group, k.group) << k.id;
        EXPECT_GT(dd.Length(k.id), 0) << k.id;
        bool matchesSheet = false;
        for (int i = 1; i <= mediaCount; i++) {
            MediaRecord media;
            ASSERT_TRUE(mediaEnum(i, &media));
            bool sheet = (media.code & 0xE0) == 0;
            if (sheet && (margin.mediaMask & media.code))
                matchesSheet = true;
            if (!sheet && !k.sheet) {
                EXPECT_NE(margin.mediaMask & media.code, 0) << k.id << " " << media.code;
            }
        }
        EXPECT_EQ(matchesSheet, k.sheet) << k.id;
    }
}

TEST(DataDriver, Papers)
{
    DataDriver dd(L"pxdata.dll");
    ASSERT_TRUE(dd.module);
    auto paperEnum = dd.Op<PFN_xRtlPaperEnum>("xRtlPaperEnum");
    int n = -dd.Op<PFN_xRtlQuery>("xRtlPaperQuery")();
    std::set<int> sizes;
    int userSizes = 0, userSize256At = 0;
    unsigned seriesSeen = 0;
    for (int i = 1; i <= n; i++) {
        PaperRecord paper;
        ASSERT_TRUE(paperEnum(i, &paper)) << i;
        EXPECT_TRUE(sizes.insert(paper.paperSize).second) << paper.paperSize;
        EXPECT_GE(paper.paperSize, 256);
        EXPECT_LE(paper.paperSize, 373);
        EXPECT_TRUE(paper.code & 0xC000) << i;  // placement class
        int chars = dd.Length(paper.nameId);
        EXPECT_GT(chars, 0) << i;
        EXPECT_LE(chars, 31) << i;  // fits dmFormName
        seriesSeen |= paper.series;
        if (paper.series & PX_SERIES_USER) {
            userSizes++;
            if (paper.paperSize == 256)
                userSize256At = userSizes;
        }
        if (paper.paperSize >= 363 && paper.paperSize <= 365) {
            EXPECT_EQ(paper.series, PX_SERIES_OUTPUT);
        } else {
            EXPECT_GE(paper.width, 1000);
        }
    }
    EXPECT_EQ(userSizes, 6);
    EXPECT_EQ(userSize256At, 6);  // the application's user size is the last one
    EXPECT_EQ(seriesSeen, 0x1u | 0x2u | 0x4u | 0x8u | 0x20u | 0x40u | PX_SERIES_USER |
                              PX_SERIES_OUTPUT);
    for (int size : {363, 364, 365, 261, 256})
        EXPECT_TRUE(sizes.count(size)) << size;
    PaperRecord paper;
    EXPECT_EQ(paperEnum(0, &paper), 0);
    EXPECT_EQ(paperEnum(n + 1, &paper), 0);
}
