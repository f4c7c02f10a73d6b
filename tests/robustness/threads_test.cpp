// Eight threads call the spooler-facing entry points on three printers (two
// of them sharing a data driver, one on another) for a fixed number of
// calls; every answer must equal the one a single thread got.
#include <gtest/gtest.h>

#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <winspool.h>

#include <memory>

#include "tests/common/printers.h"
#include "tests/robustness/world.h"

namespace {

const int kThreads = 8;
const WCHAR *const kStressPrinters[] = {PX_PRINTER, PX_PRINTER_TWIN, PX_PRINTER_SECOND};
const int kPrinterCount = 3;

enum Kind { CAPS, DOCUMENT, CONVERT, JOB, PROFILE };
struct Operation {
    const char *name;
    Kind kind;
    DWORD arg;       // capability index, conversion mode, or the job's orientation
    size_t element;  // capability output bytes per element; 0: count only
};
const Operation kOps[] = {
    {"DC_PAPERS count", CAPS, DC_PAPERS, 0},
    {"DC_PAPERS", CAPS, DC_PAPERS, 2},
    {"DC_PAPERNAMES", CAPS, DC_PAPERNAMES, 128},
    {"DC_ENUMRESOLUTIONS", CAPS, DC_ENUMRESOLUTIONS, 8},
    {"DC_COPIES", CAPS, DC_COPIES, 0},
    {"DC_MAXEXTENT", CAPS, DC_MAXEXTENT, 0},
    {"DC_FIELDS", CAPS, DC_FIELDS, 0},
    {"DocumentPropertiesW", DOCUMENT, 0, 0},
    {"CDM_DRIVER_DEFAULT", CONVERT, CDM_DRIVER_DEFAULT, 0},
    {"CDM_CONVERT351", CONVERT, CDM_CONVERT351, 0},
    {"DevQueryPrintEx printable", JOB, 0, 0},
    {"DevQueryPrintEx refused", JOB, 7, 0},
    {"DrvQueryColorProfile", PROFILE, 0, 0},
};
const int kOpCount = sizeof kOps / sizeof kOps[0];
const int kCalls = kPrinterCount * kOpCount;

struct Answer {
    LONG result;
    uint64_t digest;  // of everything the call wrote
};

// A thread's own printer handles and buffers (a failed open answers wrongly).
struct ThreadState {
    PrinterHandle printers[kPrinterCount] = {PrinterHandle(kStressPrinters[0]),
                                             PrinterHandle(kStressPrinters[1]),
                                             PrinterHandle(kStressPrinters[2])};
    PXDEVMODE record;
    BYTE output[64 * 128 * 8];
};

uint64_t Digest(const void *data, size_t bytes)
{
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < bytes; i++)
        h = (h ^ static_cast<const BYTE *>(data)[i]) * 1099511628211ull;
    return h;
}

Answer Capability(const WCHAR *printer, const Operation &op, ThreadState *t)
{
    memset(t->output, 0, sizeof t->output);
    WCHAR *out = op.element ? reinterpret_cast<WCHAR *>(t->output) : NULL;
    LONG r = DeviceCapabilitiesW(printer, L"FILE:", static_cast<WORD>(op.arg), out, NULL);
    size_t bytes = r > 0 ? r * op.element : 0;
    return {r, Digest(t->output, bytes < sizeof t->output ? bytes : sizeof t->output)};
}

Answer Perform(const World *w, int call, ThreadState *t)
{
    const Operation &op = kOps[call % kOpCount];
    WCHAR *name = const_cast<WCHAR *>(kStressPrinters[call / kOpCount]);
    HANDLE handle = t->printers[call / kOpCount];
    memset(&t->record, 0, sizeof t->record);
    switch (op.kind) {
    case CAPS: return Capability(name, op, t);
    case DOCUMENT: {
        LONG r = DocumentPropertiesW(NULL, handle, name, &t->record.dm, NULL, DM_OUT_BUFFER);
        return {r, Digest(&t->record, sizeof t->record)};
    }
    case CONVERT: {
        DEVMODEW input = w->publicOnly;
        input.dmOrientation = DMORIENT_LANDSCAPE;
        input.dmFields |= DM_ORIENTATION;
        LONG needed = sizeof t->record;
        BOOL r = w->exports.DrvConvertDevMode(name, op.arg == CDM_CONVERT351 ? &input : NULL,
                                           &t->record.dm, &needed, op.arg);
        return {r, Digest(&t->record, sizeof t->record) ^ static_cast<uint64_t>(needed)};
    }
    case JOB: {
        t->record = w->merged;
        lstrcpynW(t->record.dm.dmDeviceName, name, CCHDEVICENAME);
        if (op.arg) {
            t->record.dm.dmFields |= DM_ORIENTATION;
            t->record.dm.dmOrientation = static_cast<short>(op.arg);
        }
        WCHAR reason[64] = {};
        DEVQUERYPRINT_INFO info = {sizeof info, 1, handle, &t->record.dm, reason, sizeof reason,
                                   0};
        return {w->exports.DevQueryPrintEx(&info), Digest(reason, sizeof reason)};
    }
    case PROFILE: {
        t->record = w->merged;
        WCHAR profile[PX_PATH_CHARS] = {};
        ULONG size = sizeof profile;
        FLONG flags = 0;
        BOOL r = w->exports.DrvQueryColorProfile(handle, &t->record.dm, QCP_DEVICEPROFILE, profile,
                                              &size, &flags);
        return {r, Digest(profile, sizeof profile) ^ flags};
    }
    }
    return {};
}

struct Stress {
    const World *world;
    Answer expected[kCalls];
    int rounds;
    volatile LONG mismatches;
    volatile LONG performed;
    char firstMismatch[160];
};

struct Worker {
    Stress *stress;
    int index;
};

DWORD WINAPI RunWorker(void *parameter)
{
    Worker *worker = static_cast<Worker *>(parameter);
    Stress *s = worker->stress;
    std::unique_ptr<ThreadState> t(new ThreadState);
    // Each thread walks the calls from its own starting point, so different
    // printers and entry points overlap.
    for (int round = 0; round < s->rounds; round++) {
        for (int k = 0; k < kCalls; k++) {
            int i = (k + worker->index * 5 + round * 3) % kCalls;
            Answer a = Perform(s->world, i, t.get());
            InterlockedIncrement(&s->performed);
            if ((a.result != s->expected[i].result || a.digest != s->expected[i].digest) &&
                InterlockedIncrement(&s->mismatches) == 1)
                snprintf(s->firstMismatch, sizeof s->firstMismatch,
                         "printer %d, %s: %ld instead of %ld", i / kOpCount,
                         kOps[i % kOpCount].name, a.result, s->expected[i].result);
        }
    }
    return 0;
}

TEST(Threads, EightThreadsOnThreePrintersAnswerAsOneThreadDoes)
{
    World *w = TheWorld();
    ASSERT_TRUE(w->ready);
    static Stress s;
    s.world = w;
    s.rounds = static_cast<int>(EnvNumber("PX_STRESS_ROUNDS", 3));
    std::unique_ptr<ThreadState> single(new ThreadState);
    for (HANDLE printer : single->printers)
        ASSERT_TRUE(printer != NULL);
    for (int i = 0; i < kCalls; i++)
        s.expected[i] = Perform(w, i, single.get());
    single.reset();
    // The answers themselves: the printers really answered, and the second
    // data driver is told apart (its copy limit differs).
    for (int p = 0; p < kPrinterCount; p++) {
        const Answer *a = &s.expected[p * kOpCount];
        EXPECT_GT(a[0].result, 0) << p;
        EXPECT_EQ(IDOK, a[7].result) << p;
        EXPECT_TRUE(a[10].result) << p;
        EXPECT_FALSE(a[11].result) << p;
    }
    EXPECT_EQ(s.expected[4].result, s.expected[kOpCount + 4].result);
    EXPECT_NE(s.expected[4].result, s.expected[2 * kOpCount + 4].result);

    Worker workers[kThreads];
    HANDLE threads[kThreads];
    for (int i = 0; i < kThreads; i++) {
        workers[i] = {&s, i};
        threads[i] = CreateThread(NULL, 0, RunWorker, &workers[i], 0, NULL);
        ASSERT_TRUE(threads[i] != NULL);
    }
    ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(kThreads, threads, TRUE, 240000));
    for (HANDLE h : threads)
        CloseHandle(h);
    EXPECT_EQ(kThreads * s.rounds * kCalls, s.performed);
    EXPECT_EQ(0, s.mismatches) << "first: " << s.firstMismatch;
}

}  // namespace
