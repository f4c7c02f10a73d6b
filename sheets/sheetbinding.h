// A property sheet stays open for minutes on an application's thread while
// other threads may bind other printers' data drivers. Every data-driver
// query a page or dialog makes runs inside this scope: it holds the module
// lock and makes the sheet's printer's data driver the bound one first.
#pragma once

#include <windows.h>

class SheetBindingScope {
public:
    explicit SheetBindingScope(HANDLE printer);
    ~SheetBindingScope();
    SheetBindingScope(const SheetBindingScope &) = delete;
    SheetBindingScope &operator=(const SheetBindingScope &) = delete;
    // FALSE when the printer's data driver could not be bound again.
    BOOL bound() const { return bound_; }

private:
    BOOL bound_;
};
