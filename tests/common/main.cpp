// Test entry: the module's code is linked in statically, so the test
// executable stands in for the module instance (it carries the string table).
#include <gtest/gtest.h>

#include "core/module.h"

int main(int argc, char **argv)
{
    ModuleAttach(GetModuleHandleW(NULL));
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    ModuleDetach();
    return result;
}
