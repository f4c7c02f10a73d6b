// Comparisons of the module's records that name each field that differs,
// so a failure says which value is wrong rather than that two blocks differ.
#pragma once

#include <gtest/gtest.h>

#include "devmode/devmode.h"
#include "devmode/geometry.h"
#include "settings/settingstore.h"

struct RecordField {
    const char *name;
    size_t offset, size;
};

// Every field of `fields` (and any byte no field covers) from byte `from`
// on; fields listed in `skip` are not compared.
testing::AssertionResult SameFields(const void *got, const void *want, size_t bytes,
                                    const RecordField *fields, int fieldCount, size_t from,
                                    const char *const *skip = NULL, int skipCount = 0);

// Every field of the device modes from byte `from` on, except the in-process
// store fields (pdmSettingStoreHandle, pdmSettingStore and their high halves).
testing::AssertionResult SameSettings(const PXDEVMODE &got, const PXDEVMODE &want, size_t from = 0);

testing::AssertionResult SamePrintSetting(const PrintSetting &got, const PrintSetting &want);
// `count` records in order; the message names the record's index.
testing::AssertionResult SamePrintSettings(const PrintSetting *got, const PrintSetting *want,
                                           int count);

testing::AssertionResult SameGeometry(const PageGeometry &got, const PageGeometry &want);
