#include "sheets/sheetbinding.h"

#include "core/binding.h"
#include "core/module.h"

SheetBindingScope::SheetBindingScope(HANDLE printer)
{
    ModuleLock();
    bound_ = BindDataDriver(printer);
}

SheetBindingScope::~SheetBindingScope() { ModuleUnlock(); }
