// A sheet's data-driver queries reach its own printer's data driver while
// another thread of the process keeps binding printers with other data
// drivers. Each of the three data drivers answers something the others do
// not: the sheet's printer has a positive paper count, the second printer
// allows 500 copies.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "context/pagecontext.h"
#include "context/sheetbinding.h"
#include "core/binding.h"
#include "core/ddops.h"
#include "core/module.h"
#include "tests/common/printers.h"

namespace {

// One line per query, its name and what it answered, so that a difference
// names the query and both answers.
typedef std::vector<std::wstring> Answers;

template <class... Values>
void Add(Answers *a, const char *query, int i, const Values &...values)
{
    std::wostringstream line;
    line << query << L'[' << i << L']';
    ((line << L' ' << values), ...);
    a->push_back(line.str());
}

// Each group runs in a scope of its own, as a page's handler would.
void PrinterInfoAnswers(const PageContext *ctx, Answers *a)
{
    SheetBindingScope scope(ctx);
    PrinterInfoRecord info = {};
    int result = DdPrinterInfo(&info);
    Add(a, "printerInfo", 0, scope.bound(), result, info.version, info.maxCopies,
        info.capabilities, info.maxWidth, info.minLength);
}

void MediaAnswers(const PageContext *ctx, Answers *a)
{
    SheetBindingScope scope(ctx);
    int count = DdMediaQuery();
    Add(a, "media count", 0, count);
    for (int i = 1; i <= count; i++) {
        MediaRecord m = {};
        int result = DdMediaEnum(i, &m);
        Add(a, "media", i, result, m.code, m.maxWidth, m.name);
    }
    Add(a, "paper count", 0, DdPaperQuery());
    for (int i = 1; i <= 3; i++) {
        PaperRecord p = {};
        int result = DdPaperEnum(i, &p);
        Add(a, "paper", i, result, p.code, p.nameId);
    }
}

void PaperTypeAndMarginAnswers(const PageContext *ctx, Answers *a)
{
    SheetBindingScope scope(ctx);
    int types = DdPtypeQuery();
    Add(a, "paper type count", 0, types);
    for (int i = 1; i <= types; i++) {
        PaperTypeRecord t = {};
        int result = DdPtypeEnum(i, &t);
        Add(a, "paperType", i, result, t.id, t.name);
    }
    int margins = DdMarginQuery();
    Add(a, "margin count", 0, margins);
    for (int i = 1; i <= margins; i++) {
        MarginRecord m = {};
        int result = DdMarginEnum(i, &m);
        Add(a, "margin", i, result, m.id, m.mediaMask, m.lengthEnds[0], m.widthSides[1], m.name);
    }
}

void QualityAndCorrectionAnswers(const PageContext *ctx, Answers *a)
{
    SheetBindingScope scope(ctx);
    for (int id : {0, 2, 14, 16, 28, 35}) {
        QualityModeRecord q = {};
        int result = DdQltModeSearch(id, &q);
        Add(a, "qualityMode", id, result, q.nameId, q.name);
    }
    for (int id = 3584; id <= 3587; id++) {
        ColorCorrectionRecord c = {};
        int result = DdCCRmSearch(id, &c);
        Add(a, "colorCorrection", id, result, c.name);
    }
}

Answers SheetAnswers(const PageContext *ctx)
{
    Answers a;
    PrinterInfoAnswers(ctx, &a);
    MediaAnswers(ctx, &a);
    PaperTypeAndMarginAnswers(ctx, &a);
    QualityAndCorrectionAnswers(ctx, &a);
    return a;
}

// Stops at the first difference: one message names the query.
bool SameAnswers(const Answers &expected, const Answers &got, int round)
{
    auto differ = std::mismatch(expected.begin(), expected.end(), got.begin(), got.end());
    if (differ.first == expected.end() && differ.second == got.end())
        return true;
    std::wstring want = differ.first == expected.end() ? L"(none)" : *differ.first;
    std::wstring answer = differ.second == got.end() ? L"(none)" : *differ.second;
    ADD_FAILURE() << "round " << round << ": expected " << testing::PrintToString(want) << ", got "
                  << testing::PrintToString(answer);
    return false;
}

struct Context {
    PageContext *ctx = NULL;
    explicit Context(HANDLE printer, const WCHAR *name)
    {
        ctx = AllocPageContext();
        if (ctx && !InitPageContext(ctx, printer, const_cast<WCHAR *>(name), NULL)) {
            ReleasePageContext(ctx);
            ctx = NULL;
        }
    }
    ~Context() { ReleasePageContext(ctx); }
};

// The other thread: spooler-facing work on printers whose data drivers are
// not the sheet's, each answer checked against what its printer allows.
struct Alternator {
    HANDLE printers[2];
    LONG expectedCopies[2];
    volatile LONG stop;
    LONG rounds;
    LONG wrongAnswers;
};

DWORD WINAPI Alternate(void *param)
{
    Alternator *alt = static_cast<Alternator *>(param);
    for (int i = 0; !alt->stop; i++) {
        int p = i % 2;
        PrinterInfoRecord info = {};
        {
            ModuleLockGuard lock;
            if (!BindAndCheck(alt->printers[p], &info) || info.maxCopies != alt->expectedCopies[p])
                InterlockedIncrement(&alt->wrongAnswers);
            DdMediaQuery();
        }
        DWORD copies = DrvDeviceCapabilities(alt->printers[p], NULL, DC_COPIES, NULL, NULL);
        if (static_cast<LONG>(copies) != alt->expectedCopies[p])
            InterlockedIncrement(&alt->wrongAnswers);
        InterlockedIncrement(&alt->rounds);
    }
    return 0;
}

LONG MaxCopiesOf(HANDLE printer)
{
    PrinterInfoRecord info = {};
    ModuleLockGuard lock;
    return BindAndCheck(printer, &info) ? info.maxCopies : -1;
}

TEST(SheetBinding, SheetQueriesReachTheSheetsDataDriverWhileAnotherThreadRebinds)
{
    PrinterHandle sheetPrinter(PX_PRINTER_POSITIVE);
    PrinterHandle reference(PX_PRINTER), second(PX_PRINTER_SECOND);
    ASSERT_TRUE(sheetPrinter && reference && second) << "test printers not installed";
    Context sheet(sheetPrinter, PX_PRINTER_POSITIVE);
    ASSERT_TRUE(sheet.ctx) << "page context not set up, error " << GetLastError();
    ASSERT_TRUE(sheet.ctx->dataFile) << "page context keeps no data file";

    Answers single = SheetAnswers(sheet.ctx);
    ASSERT_GT(single.size(), 20u);
    // A query answered by either of the other data drivers would differ.
    Alternator alt = {{reference, second}, {MaxCopiesOf(reference), MaxCopiesOf(second)}, 0, 0, 0};
    ASSERT_NE(alt.expectedCopies[0], alt.expectedCopies[1]) << "second printer's copies";
    {
        ModuleLockGuard lock;
        ASSERT_TRUE(BindDataDriver(reference));
        ASSERT_LT(DdPaperQuery(), 0) << "reference printer's paper count";
    }
    {
        SheetBindingScope scope(sheet.ctx);
        ASSERT_GT(DdPaperQuery(), 0) << "sheet printer's paper count";
        PrinterInfoRecord info = {};
        DdPrinterInfo(&info);
        ASSERT_NE(info.maxCopies, alt.expectedCopies[1]) << "sheet printer's copies";
    }

    LONG loadsBefore = DataDriverLoadCount();
    HANDLE thread = CreateThread(NULL, 0, Alternate, &alt, 0, NULL);
    ASSERT_TRUE(thread != NULL);
    // At least kRounds rounds, and on until the other thread has bound its
    // printers often enough; bounded in time either way.
    const int kRounds = 60;
    const LONG kOtherRounds = 100;
    DWORD deadline = GetTickCount() + 60000;
    int round = 0;
    bool same = true;
    for (; same && (round < kRounds || alt.rounds < kOtherRounds) &&
           static_cast<LONG>(GetTickCount() - deadline) < 0;
         round++)
        same = SameAnswers(single, SheetAnswers(sheet.ctx), round);
    InterlockedExchange(&alt.stop, 1);
    EXPECT_EQ(WaitForSingleObject(thread, 60000), WAIT_OBJECT_0) << "other thread did not stop";
    CloseHandle(thread);
    EXPECT_TRUE(same) << "round " << round << " answered unlike the single-threaded one";
    EXPECT_GE(round, kRounds) << "rounds of the sheet";
    EXPECT_EQ(alt.wrongAnswers, 0) << "answers of the other thread for its own printers";
    EXPECT_GE(alt.rounds, kOtherRounds) << "rounds of the other thread";
    EXPECT_GT(DataDriverLoadCount() - loadsBefore, kOtherRounds) << "data driver loads during the run";
}

// With its data driver bound already, a sheet rebinds by its path alone: a
// context whose printer handle is gone still binds, and nothing is loaded.
TEST(SheetBinding, RebindingTheBoundDataDriverNeedsNoSpoolerCallAndNoLoad)
{
    PrinterHandle printer(PX_PRINTER);
    Context sheet(printer, PX_PRINTER);
    ASSERT_TRUE(sheet.ctx);
    HANDLE saved = sheet.ctx->hPrinter;
    sheet.ctx->hPrinter = NULL;
    LONG loads = DataDriverLoadCount();
    {
        SheetBindingScope scope(sheet.ctx);
        EXPECT_TRUE(scope.bound()) << "bound with the data driver loaded";
    }
    EXPECT_EQ(DataDriverLoadCount(), loads) << "loads for a rebind of the same data driver";

    PrinterHandle other(PX_PRINTER_SECOND);
    ASSERT_TRUE(BindDataDriver(other));
    {
        SheetBindingScope scope(sheet.ctx);
        EXPECT_TRUE(scope.bound()) << "bound after another data driver was loaded";
        WCHAR path[MAX_PATH] = L"";
        BoundDataDriverPath(path, MAX_PATH);
        EXPECT_STREQ(path, sheet.ctx->dataFile) << "data driver bound for the sheet";
    }
    EXPECT_EQ(DataDriverLoadCount(), loads + 2) << "loads: the other one and the sheet's again";

    {
        SheetBindingScope none(static_cast<const PageContext *>(NULL));
        EXPECT_FALSE(none.bound()) << "a scope without a context";
    }
    sheet.ctx->hPrinter = saved;
}

}  // namespace
