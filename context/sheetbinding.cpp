#include "context/sheetbinding.h"

#include "context/pagecontext.h"
#include "core/binding.h"
#include "core/module.h"
#include "core/trace.h"

// The lock is taken whatever happens, so the destructor always has one to
// release.
SheetBindingScope::SheetBindingScope(const PageContext *ctx) : bound_(FALSE)
{
    ModuleLock();
    if (!ctx)
        return;
    // A context made without a data file (its bind failed) falls back to the
    // printer's driver information.
    bound_ = ctx->dataFile ? BindDataDriverFile(ctx->dataFile) : BindDataDriver(ctx->hPrinter);
    if (!bound_)
        PX_TRACE(L"sheet binding failed (error %lu)", GetLastError());
}

SheetBindingScope::SheetBindingScope(HANDLE printer) : bound_(FALSE)
{
    ModuleLock();
    bound_ = BindDataDriver(printer);
    if (!bound_)
        PX_TRACE(L"sheet binding failed (error %lu)", GetLastError());
}

SheetBindingScope::~SheetBindingScope() { ModuleUnlock(); }
