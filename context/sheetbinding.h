// A property sheet stays open for minutes on an application's thread while
// other threads may bind other printers' data drivers. Every data-driver
// query a page or dialog makes runs inside this scope: it holds the module
// lock and makes the sheet's own data driver the bound one first. When that
// data driver is bound already this is a path comparison, no spooler call.
#pragma once

#include <windows.h>

struct PageContext;

class SheetBindingScope {
public:
    explicit SheetBindingScope(const PageContext *ctx);
    // For the printer sheet's Version page, which has no page context: binds
    // through the printer's driver information (one spooler call).
    explicit SheetBindingScope(HANDLE printer);
    ~SheetBindingScope();
    SheetBindingScope(const SheetBindingScope &) = delete;
    SheetBindingScope &operator=(const SheetBindingScope &) = delete;
    // FALSE when the sheet's data driver could not be bound again.
    BOOL bound() const { return bound_; }

private:
    BOOL bound_;
};
