// pxhost caps: what the printer offers, asked as an application asks
// (DeviceCapabilitiesW, which the spooler routes to the driver).
#include <windows.h>
#include <winspool.h>

#include "core/module.h"
#include "core/scope.h"
#include "tools/pxhost/commands.h"

#define PAPER_NAME_CHARS 64
#define PERSONALITY_CHARS 32

static LONG Capability(const WCHAR *printer, WORD index, void *output)
{
    return static_cast<LONG>(DeviceCapabilitiesW(printer, NULL, index,
                                                 static_cast<WCHAR *>(output), NULL));
}

static int PrintPapers(const WCHAR *printer)
{
    LONG count = Capability(printer, DC_PAPERS, NULL);
    if (count < 0) {
        PrintUtf8(L"error: DC_PAPERS failed: error %lu\n", GetLastError());
        return PXHOST_FAILED;
    }
    UniqueBlock<WORD> codeBlock = UniqueBlock<WORD>::Allocate((count + 1) * sizeof(WORD));
    UniqueBlock<POINT> sizeBlock = UniqueBlock<POINT>::Allocate((count + 1) * sizeof(POINT));
    UniqueBlock<WCHAR> nameBlock =
        UniqueBlock<WCHAR>::Allocate((count + 1) * PAPER_NAME_CHARS * sizeof(WCHAR));
    WORD *codes = codeBlock.get();
    POINT *sizes = sizeBlock.get();
    WCHAR *names = nameBlock.get();
    int result = PXHOST_FAILED;
    if (codes && sizes && names && Capability(printer, DC_PAPERS, codes) == count &&
        Capability(printer, DC_PAPERSIZE, sizes) == count &&
        Capability(printer, DC_PAPERNAMES, names) == count) {
        PrintUtf8(L"papers: %ld\n", count);
        for (LONG i = 0; i < count; i++) {
            WCHAR name[PAPER_NAME_CHARS + 1] = L"";
            lstrcpynW(name, names + i * PAPER_NAME_CHARS, PAPER_NAME_CHARS + 1);
            PrintUtf8(L"  %5u  %6ld x %-6ld  %ls\n", codes[i], sizes[i].x, sizes[i].y, name);
        }
        result = PXHOST_OK;
    } else {
        PrintUtf8(L"error: the paper queries disagree on %ld papers\n", count);
    }
    return result;
}

static void PrintResolutions(const WCHAR *printer)
{
    LONG count = Capability(printer, DC_ENUMRESOLUTIONS, NULL);
    UniqueBlock<LONG> block;
    if (count > 0)
        block = UniqueBlock<LONG>::Allocate(count * 2 * sizeof(LONG));
    LONG *pairs = block.get();
    if (pairs && Capability(printer, DC_ENUMRESOLUTIONS, pairs) == count) {
        PrintUtf8(L"resolutions: %ld\n", count);
        for (LONG i = 0; i < count; i++)
            PrintUtf8(L"  %ld x %ld dpi\n", pairs[2 * i], pairs[2 * i + 1]);
    } else {
        PrintUtf8(L"resolutions: 0\n");
    }
}

static void PrintExtent(const WCHAR *printer, WORD index, const WCHAR *label)
{
    DWORD extent = static_cast<DWORD>(Capability(printer, index, NULL));
    PrintUtf8(L"%ls: %u x %u (0.1 mm)\n", label, LOWORD(extent), HIWORD(extent));
}

static void PrintLanguages(const WCHAR *printer)
{
    LONG count = Capability(printer, DC_PERSONALITY, NULL);
    UniqueBlock<WCHAR> block;
    if (count > 0)
        block = UniqueBlock<WCHAR>::Allocate(count * PERSONALITY_CHARS * sizeof(WCHAR));
    WCHAR *slots = block.get();
    PrintUtf8(L"languages:");
    if (slots && Capability(printer, DC_PERSONALITY, slots) == count) {
        for (LONG i = 0; i < count; i++) {
            WCHAR name[PERSONALITY_CHARS + 1] = L"";
            lstrcpynW(name, slots + i * PERSONALITY_CHARS, PERSONALITY_CHARS + 1);
            PrintUtf8(L"%ls %ls", i ? L"," : L"", name);
        }
    }
    PrintUtf8(L"\n");
}

static void PrintRecordFormat(const WCHAR *printer)
{
    PrintUtf8(L"device mode: %ld + %ld bytes, dmSpecVersion 0x%lx, dmDriverVersion 0x%lx\n",
              Capability(printer, DC_SIZE, NULL), Capability(printer, DC_EXTRA, NULL),
              Capability(printer, DC_VERSION, NULL), Capability(printer, DC_DRIVER, NULL));
    PrintUtf8(L"fields: 0x%08lx\n", Capability(printer, DC_FIELDS, NULL));
}

int RunCaps(int argc, WCHAR **argv)
{
    const WCHAR *printer = OptionValue(argc, argv, L"--printer", L"ORVEN PX-2210");
    // DC_SIZE answers 0 only when the driver cannot be reached at all.
    if (Capability(printer, DC_SIZE, NULL) <= 0) {
        PrintUtf8(L"error: printer %ls does not answer: error %lu\n", printer, GetLastError());
        return PXHOST_FAILED;
    }
    PrintUtf8(L"printer: %ls\n", printer);
    PrintRecordFormat(printer);
    int result = PrintPapers(printer);
    PrintResolutions(printer);
    PrintUtf8(L"copies: %ld\n", Capability(printer, DC_COPIES, NULL));
    PrintExtent(printer, DC_MINEXTENT, L"minimum extent");
    PrintExtent(printer, DC_MAXEXTENT, L"maximum extent");
    PrintUtf8(L"colour: %ls\n", Capability(printer, DC_COLORDEVICE, NULL) == 1 ? L"yes" : L"no");
    PrintLanguages(printer);
    return result;
}
