// Spooler reads whose first block is too small: this suite links a copy of
// the reading code with tiny first blocks, so every read of the module code
// in it (binding, stored record, forms) takes the second, sized read. The
// blocks still hold the fixed part of each answer: Wine's spooler writes that
// part before it checks the size.
#define PX_READ_DRIVER_INFO_BYTES 256
#define PX_READ_PRINTER_INFO_BYTES 256
#define PX_READ_FORMS_BYTES 256
#include "core/spoolerread.cpp"

#include <gtest/gtest.h>

#include "core/binding.h"
#include "core/ddops.h"
#include "devmode/builder.h"
#include "tests/common/printers.h"

TEST(SpoolerRead, SecondReadGivesTheWholeAnswer)
{
    PrinterHandle printer(PX_PRINTER);
    DWORD bytes = 0, forms = 0;
    BYTE *driver = ReadPrinterDriverBlock(printer, 2, &bytes);
    ASSERT_TRUE(driver != NULL);
    EXPECT_GT(bytes, 256u);
    EXPECT_TRUE(lstrlenW(reinterpret_cast<DRIVER_INFO_2W *>(driver)->pDataFile) > 0);
    PxFree(driver);
    BYTE *formBlock = ReadFormsBlock(printer, &bytes, &forms);
    ASSERT_TRUE(formBlock != NULL);
    EXPECT_GT(forms, 0u);
    PxFree(formBlock);
    EXPECT_EQ(ReadPrinterBlock(NULL, 2, &bytes), (BYTE *)NULL);

    // The builder reads the driver information, the stored record and the
    // forms through the same code.
    PrinterInfoRecord info = {};
    ASSERT_TRUE(BindAndCheck(printer, &info));
    PXDEVMODE record;
    PaperList list = {};
    EXPECT_TRUE(BuildDevMode(&record, NULL, printer, PX_PRINTER, &info, &list, TRUE));
    EXPECT_GT(list.count, -DdPaperQuery()) << "the spooler's forms are missing";
    ReleasePaperList(&list);
}
