// Eight threads call the spooler-facing entry points on three printers (two
// of them sharing a data driver, one on another) for a fixed number of
// calls; every answer must equal the one a single thread got.
#include <gtest/gtest.h>

#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <winspool.h>

#include <string>

#include "tests/common/printers.h"
#include "tests/robustness/world.h"

namespace {

const int kThreads = 8;
const WCHAR *const kStressPrinters[] = {PX_PRINTER, PX_PRINTER_TWIN, PX_PRINTER_SECOND};
const int kPrinterCount = 3;
const char *const kOperationNames[] = {
    "DC_PAPERS count", "DC_PAPERS", "DC_PAPERNAMES", "DC_ENUMRESOLUTIONS", "DC_COPIES",
    "DC_MAXEXTENT", "DocumentPropertiesW", "CDM_DRIVER_DEFAULT", "CDM_CONVERT351",
    "DevQueryPrintEx printable", "DevQueryPrintEx refused", "DrvQueryColorProfile",
};

enum Operation {
    OP_PAPER_COUNT,
    OP_PAPER_CODES,
    OP_PAPER_NAMES,
    OP_RESOLUTIONS,
    OP_COPIES,
    OP_MAX_EXTENT,
    OP_DOCUMENT_PROPERTIES,
    OP_DRIVER_DEFAULT,
    OP_CONVERT_351,
    OP_JOB_PRINTABLE,
    OP_JOB_REFUSED,
    OP_COLOR_PROFILE,
    OP_COUNT
};

struct Answer {
    LONG result;
    uint64_t digest;  // of everything the call wrote
};

struct Call {
    int printer;
    Operation op;
};

struct ThreadState {
    HANDLE printers[kPrinterCount];
    PXDEVMODE record;
    BYTE output[64 * 128 * 8];
};

uint64_t Digest(const void *data, size_t bytes)
{
    uint64_t h = 1469598103934665603ull;
    const BYTE *p = static_cast<const BYTE *>(data);
    for (size_t i = 0; i < bytes; i++)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

Answer Capability(const WCHAR *printer, WORD index, ThreadState *t, size_t element)
{
    memset(t->output, 0, sizeof t->output);
    Answer a;
    a.result = DeviceCapabilitiesW(printer, L"FILE:", index,
                                   element ? reinterpret_cast<WCHAR *>(t->output) : NULL, NULL);
    size_t bytes = a.result > 0 ? a.result * element : 0;
    a.digest = Digest(t->output, bytes < sizeof t->output ? bytes : sizeof t->output);
    return a;
}

Answer JobQuery(const World *w, HANDLE printer, DEVMODEW *job)
{
    WCHAR reason[64] = {};
    DEVQUERYPRINT_INFO info = {};
    info.cbSize = sizeof info;
    info.Level = 1;
    info.hPrinter = printer;
    info.pDevMode = job;
    info.pszErrorStr = reason;
    info.cchErrorStr = sizeof reason;
    Answer a = {w->exports.devQueryPrintEx(&info), Digest(reason, sizeof reason)};
    return a;
}

Answer Convert(const World *w, const WCHAR *printer, DEVMODEW *in, DWORD mode, ThreadState *t)
{
    memset(&t->record, 0, sizeof t->record);
    LONG needed = sizeof t->record;
    Answer a;
    a.result = w->exports.convertDevMode(const_cast<WCHAR *>(printer), in, &t->record.dm,
                                         &needed, mode);
    a.digest = Digest(&t->record, sizeof t->record) ^ static_cast<uint64_t>(needed);
    return a;
}

Answer Perform(const World *w, const Call &c, ThreadState *t)
{
    const WCHAR *name = kStressPrinters[c.printer];
    HANDLE handle = t->printers[c.printer];
    Answer a = {};
    switch (c.op) {
    case OP_PAPER_COUNT: return Capability(name, DC_PAPERS, t, 0);
    case OP_PAPER_CODES: return Capability(name, DC_PAPERS, t, sizeof(WORD));
    case OP_PAPER_NAMES: return Capability(name, DC_PAPERNAMES, t, 128);
    case OP_RESOLUTIONS: return Capability(name, DC_ENUMRESOLUTIONS, t, 8);
    case OP_COPIES: return Capability(name, DC_COPIES, t, 0);
    case OP_MAX_EXTENT: return Capability(name, DC_MAXEXTENT, t, 0);
    case OP_DOCUMENT_PROPERTIES:
        memset(&t->record, 0, sizeof t->record);
        a.result = DocumentPropertiesW(NULL, handle, const_cast<WCHAR *>(name), &t->record.dm,
                                       NULL, DM_OUT_BUFFER);
        a.digest = Digest(&t->record, sizeof t->record);
        return a;
    case OP_DRIVER_DEFAULT: return Convert(w, name, NULL, CDM_DRIVER_DEFAULT, t);
    case OP_CONVERT_351: {
        DEVMODEW input = w->publicOnly;
        input.dmOrientation = DMORIENT_LANDSCAPE;
        input.dmFields |= DM_ORIENTATION;
        return Convert(w, name, &input, CDM_CONVERT351, t);
    }
    case OP_JOB_PRINTABLE:
        t->record = w->merged;
        lstrcpynW(t->record.dm.dmDeviceName, name, CCHDEVICENAME);
        return JobQuery(w, handle, &t->record.dm);
    case OP_JOB_REFUSED:
        t->record = w->merged;
        t->record.dm.dmFields |= DM_ORIENTATION;
        t->record.dm.dmOrientation = 7;
        return JobQuery(w, handle, &t->record.dm);
    case OP_COLOR_PROFILE: {
        t->record = w->merged;
        WCHAR profile[PX_PATH_CHARS] = {};
        ULONG size = sizeof profile;
        FLONG flags = 0;
        a.result = w->exports.queryColorProfile(handle, &t->record.dm, QCP_DEVICEPROFILE,
                                                profile, &size, &flags);
        a.digest = Digest(profile, sizeof profile) ^ flags;
        return a;
    }
    default:
        return a;
    }
}

struct Stress {
    const World *world;
    Call calls[kPrinterCount * OP_COUNT];
    Answer expected[kPrinterCount * OP_COUNT];
    int callCount;
    int rounds;
    volatile LONG mismatches;
    volatile LONG opMismatches[OP_COUNT];
    volatile LONG performed;
    char firstMismatch[160];
};

struct Worker {
    Stress *stress;
    int index;
};

bool OpenAll(ThreadState *t)
{
    for (int i = 0; i < kPrinterCount; i++)
        if (!OpenPrinterW(const_cast<WCHAR *>(kStressPrinters[i]), &t->printers[i], NULL))
            return false;
    return true;
}

void CloseAll(ThreadState *t)
{
    for (int i = 0; i < kPrinterCount; i++)
        if (t->printers[i])
            ClosePrinter(t->printers[i]);
}

DWORD WINAPI RunWorker(void *parameter)
{
    Worker *worker = static_cast<Worker *>(parameter);
    Stress *s = worker->stress;
    ThreadState *t = static_cast<ThreadState *>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ThreadState)));
    if (!t || !OpenAll(t)) {
        InterlockedIncrement(&s->mismatches);
        return 1;
    }
    // Each thread walks the calls from its own starting point, so different
    // printers and entry points overlap.
    for (int round = 0; round < s->rounds; round++) {
        for (int k = 0; k < s->callCount; k++) {
            int i = (k + worker->index * 5 + round * 3) % s->callCount;
            Answer a = Perform(s->world, s->calls[i], t);
            InterlockedIncrement(&s->performed);
            if (a.result != s->expected[i].result || a.digest != s->expected[i].digest) {
                InterlockedIncrement(&s->opMismatches[s->calls[i].op]);
                if (InterlockedIncrement(&s->mismatches) == 1)
                    snprintf(s->firstMismatch, sizeof s->firstMismatch,
                             "printer %d, %s: %ld instead of %ld", s->calls[i].printer,
                             kOperationNames[s->calls[i].op], a.result, s->expected[i].result);
            }
        }
    }
    CloseAll(t);
    HeapFree(GetProcessHeap(), 0, t);
    return 0;
}

TEST(Threads, EightThreadsOnThreePrintersAnswerAsOneThreadDoes)
{
    World *w = TheWorld();
    ASSERT_TRUE(w->ready);
    static Stress s;
    s.world = w;
    s.rounds = static_cast<int>(EnvNumber("PX_STRESS_ROUNDS", 3));
    s.callCount = 0;
    for (int p = 0; p < kPrinterCount; p++)
        for (int op = 0; op < OP_COUNT; op++)
            s.calls[s.callCount++] = {p, static_cast<Operation>(op)};

    static ThreadState single;
    ASSERT_TRUE(OpenAll(&single));
    for (int i = 0; i < s.callCount; i++)
        s.expected[i] = Perform(w, s.calls[i], &single);
    CloseAll(&single);
    // The answers themselves: the printers really answered, and the second
    // data driver is told apart (its copy limit differs).
    for (int p = 0; p < kPrinterCount; p++) {
        EXPECT_GT(s.expected[p * OP_COUNT + OP_PAPER_COUNT].result, 0);
        EXPECT_EQ(IDOK, s.expected[p * OP_COUNT + OP_DOCUMENT_PROPERTIES].result);
        EXPECT_TRUE(s.expected[p * OP_COUNT + OP_JOB_PRINTABLE].result);
        EXPECT_FALSE(s.expected[p * OP_COUNT + OP_JOB_REFUSED].result);
    }
    EXPECT_EQ(s.expected[OP_COPIES].result, s.expected[OP_COUNT + OP_COPIES].result);
    EXPECT_NE(s.expected[OP_COPIES].result, s.expected[2 * OP_COUNT + OP_COPIES].result);

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
    EXPECT_EQ(kThreads * s.rounds * s.callCount, s.performed);
    std::string perOperation;
    for (int op = 0; op < OP_COUNT; op++)
        if (s.opMismatches[op])
            perOperation += std::string(kOperationNames[op]) + " " +
                            std::to_string(s.opMismatches[op]) + "; ";
    EXPECT_EQ(0, s.mismatches) << "first: " << s.firstMismatch << "; by call: " << perOperation;
}

}  // namespace
