// Scaffolding of the device mode tests: a bound printer, builds from caller
// records that end at a guard page, a stored record set for one scope, and
// the invariants every built record keeps.
#pragma once

#include <gtest/gtest.h>

#include "devmode/builder.h"
#include "tests/common/printers.h"
#include "tests/common/records.h"

struct BoundPrinter {
    PrinterHandle handle;
    PrinterInfoRecord info;
    BOOL bound;
    explicit BoundPrinter(const WCHAR *name);
};

// Builds from the first callerBytes of caller (null: none), copied into a
// buffer that ends at a guard page; target also ends at one.
struct Build {
    PXDEVMODE dm;
    PaperList list;
    BOOL ok;
    Build(const BoundPrinter &printer, const void *caller, size_t callerBytes, BOOL useStored);
    ~Build() { ReleasePaperList(&list); }
    Build(const Build &) = delete;
    Build &operator=(const Build &) = delete;
};

// Tests that start from the record built for the reference printer with no
// caller record: c, which each test changes and builds from.
struct BuiltRecordTest : testing::Test {
    BoundPrinter printer{PX_PRINTER};
    PXDEVMODE c;
    void SetUp() override
    {
        ASSERT_TRUE(printer.bound);
        Build built(printer, NULL, 0, FALSE);
        c = built.dm;
    }
};

// dmSize + dmDriverExtra bounded by 4160; 70 bytes (through dmSize) when
// dmSize is below 220.
size_t DeclaredBytes(const PXDEVMODE &record);

// SetPrinterW level 2 with record; the old stored record is put back after.
struct StoredRecordScope {
    HANDLE printer;
    std::vector<BYTE> saved;
    BOOL set;
    StoredRecordScope(HANDLE printer, const DEVMODEW *record);
    ~StoredRecordScope();
    StoredRecordScope(const StoredRecordScope &) = delete;
    StoredRecordScope &operator=(const StoredRecordScope &) = delete;
};

testing::AssertionResult KeepsInvariants(const PXDEVMODE &dm, const PaperList &list);
