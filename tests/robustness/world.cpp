#include "tests/robustness/world.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <winspool.h>

#include "tests/common/printers.h"

static WorldPrinter g_printers[] = {
    {PX_PRINTER, true, NULL},          {PX_PRINTER_TWIN, true, NULL},
    {PX_PRINTER_SECOND, true, NULL},   {PX_PRINTER_POSITIVE, true, NULL},
    {PX_PRINTER_NOOP, true, NULL},     {PX_PRINTER_V105, true, NULL},
    {PX_PRINTER_V115, false, NULL},    {PX_PRINTER_MISSING, false, NULL},
    {PX_PRINTER_NOTDLL, false, NULL},
};

unsigned long EnvNumber(const char *name, unsigned long fallback)
{
    const char *text = getenv(name);
    return text && *text ? strtoul(text, NULL, 0) : fallback;
}

static bool OpenPrinters(void)
{
    for (WorldPrinter &p : g_printers) {
        if (!OpenPrinterW(const_cast<WCHAR *>(p.name), &p.handle, NULL)) {
            fprintf(stderr, "cannot open %ls: %lu\n", p.name, GetLastError());
            return false;
        }
    }
    return true;
}

static bool ReadSeedRecords(World *w)
{
    LONG size = sizeof w->defaults;
    if (!w->exports.DrvConvertDevMode(const_cast<WCHAR *>(PX_PRINTER), NULL, &w->defaults.dm, &size,
                                   CDM_DRIVER_DEFAULT))
        return false;
    if (DocumentPropertiesW(NULL, g_printers[0].handle, const_cast<WCHAR *>(PX_PRINTER),
                            &w->merged.dm, NULL, DM_OUT_BUFFER) != IDOK)
        return false;
    memcpy(&w->publicOnly, &w->merged.dm, sizeof w->publicOnly);
    w->publicOnly.dmDriverExtra = 0;
    w->refused = w->merged;
    w->refused.dm.dmFields |= DM_ORIENTATION;
    w->refused.dm.dmOrientation = 7;
    BYTE *noise = reinterpret_cast<BYTE *>(&w->noise);
    BYTE *garbage = reinterpret_cast<BYTE *>(&w->garbage);
    for (size_t i = 0; i < sizeof w->noise; i++) {
        noise[i] = static_cast<BYTE>(i * 131u + (i >> 7) * 17u);
        garbage[i] = static_cast<BYTE>(i * 37u + 11u);
    }
    w->garbage.dm.dmSize = 220;
    w->garbage.dm.dmDriverExtra = 3940;
    w->seeds[0] = {reinterpret_cast<BYTE *>(&w->defaults), sizeof w->defaults};
    w->seeds[1] = {reinterpret_cast<BYTE *>(&w->merged), sizeof w->merged};
    w->seeds[2] = {reinterpret_cast<BYTE *>(&w->publicOnly), sizeof w->publicOnly};
    w->seeds[3] = {noise, sizeof w->noise};
    return true;
}

World *TheWorld(void)
{
    static World world;
    static bool tried;
    if (tried)
        return &world;
    tried = true;
    if (!EnsurePrinterOnDriver(PX_PRINTER_TWIN, PX_PRINTER)) {  // drivers are named after printers
        fprintf(stderr, "cannot install %ls: %lu\n", PX_PRINTER_TWIN, GetLastError());
        return &world;
    }
    // The spooler loads the configuration module on its first call; the
    // direct calls then reach that same instance.
    DeviceCapabilitiesW(PX_PRINTER, L"FILE:", DC_SIZE, NULL, NULL);
    if (!LoadPrinterModuleExports(PX_PRINTER, &world.exports) ||
        !HasEveryExport(&world.exports)) {
        fprintf(stderr, "the installed module lacks an entry point\n");
        return &world;
    }
    if (!OpenPrinters() || !ReadSeedRecords(&world))
        return &world;
    world.printers = g_printers;
    world.printerCount = sizeof g_printers / sizeof g_printers[0];
    world.ready = true;
    return &world;
}
