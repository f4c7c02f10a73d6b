// Small owners for what a function acquires: heap blocks, printer and file
// handles, libraries, registry keys, GDI objects and DCs. Each releases its
// value when it goes out of scope, so every early return is leak-free.
// No exceptions anywhere; moves are allowed, copies are not.
#pragma once

#include <windows.h>
#include <winspool.h>

#include "core/module.h"

// The generic owner: Traits gives the value type, the "none" value and the
// release function. A handle type whose failure value is INVALID_HANDLE_VALUE
// (files, snapshots) takes FileTraits, one whose failure value is null
// (events, processes, threads) HandleTraits.
template <typename Traits>
class UniqueAny {
public:
    using Type = typename Traits::Type;

    UniqueAny() : value_(Traits::None()) {}
    explicit UniqueAny(Type value) : value_(value) {}
    ~UniqueAny() { reset(); }
    UniqueAny(UniqueAny &&other) : value_(other.release()) {}
    UniqueAny &operator=(UniqueAny &&other)
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueAny(const UniqueAny &) = delete;
    UniqueAny &operator=(const UniqueAny &) = delete;

    Type get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::None(); }
    // Gives up ownership without releasing.
    Type release()
    {
        Type value = value_;
        value_ = Traits::None();
        return value;
    }
    void reset(Type value = Traits::None())
    {
        // Resetting to the value already held must not close it.
        if (value == value_)
            return;
        if (value_ != Traits::None()) {
            // Entry points set the last error before their owners go out of
            // scope: releasing must not change it.
            DWORD error = GetLastError();
            Traits::Close(value_);
            SetLastError(error);
        }
        value_ = value;
    }
    // For out-parameters: releases what is held and hands out the slot.
    Type *put()
    {
        reset();
        return &value_;
    }

private:
    Type value_;
};

struct PrinterTraits {
    using Type = HANDLE;
    static Type None() { return nullptr; }
    static void Close(Type printer) { ClosePrinter(printer); }
};
struct FileTraits {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static void Close(Type file) { CloseHandle(file); }
};
struct HandleTraits {
    using Type = HANDLE;
    static Type None() { return nullptr; }
    static void Close(Type handle) { CloseHandle(handle); }
};
struct LibraryTraits {
    using Type = HMODULE;
    static Type None() { return nullptr; }
    static void Close(Type module) { FreeLibrary(module); }
};
struct RegKeyTraits {
    using Type = HKEY;
    static Type None() { return nullptr; }
    static void Close(Type key) { RegCloseKey(key); }
};
struct WindowTraits {
    using Type = HWND;
    static Type None() { return nullptr; }
    static void Close(Type window) { DestroyWindow(window); }
};
struct MemoryDCTraits {
    using Type = HDC;
    static Type None() { return nullptr; }
    static void Close(Type dc) { DeleteDC(dc); }
};
struct MenuTraits {
    using Type = HMENU;
    static Type None() { return nullptr; }
    static void Close(Type menu) { DestroyMenu(menu); }
};
template <typename T>
struct GdiObjectTraits {
    using Type = T;
    static Type None() { return nullptr; }
    static void Close(Type object) { DeleteObject(object); }
};

using UniquePrinter = UniqueAny<PrinterTraits>;
using UniqueFile = UniqueAny<FileTraits>;
using UniqueHandle = UniqueAny<HandleTraits>;
using UniqueLibrary = UniqueAny<LibraryTraits>;
using UniqueRegKey = UniqueAny<RegKeyTraits>;
using UniqueWindow = UniqueAny<WindowTraits>;
using UniqueMemoryDC = UniqueAny<MemoryDCTraits>;
using UniqueMenu = UniqueAny<MenuTraits>;
using UniqueBitmap = UniqueAny<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueAny<GdiObjectTraits<HBRUSH>>;
using UniqueFont = UniqueAny<GdiObjectTraits<HFONT>>;

// Opens a printer; empty when it cannot be opened. Whatever the spooler
// leaves in the handle after a failure is never closed.
inline UniquePrinter OpenPrinterScoped(const WCHAR *name, PRINTER_DEFAULTSW *defaults = nullptr)
{
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<WCHAR *>(name), &printer, defaults))
        return UniquePrinter();
    return UniquePrinter(printer);
}

// A zero-filled PxAlloc block seen as T.
template <typename T>
struct PxTypedBlockTraits {
    using Type = T *;
    static Type None() { return nullptr; }
    static void Close(Type block) { PxFree(block); }
};

template <typename T>
class UniqueBlock {
public:
    UniqueBlock() = default;
    explicit UniqueBlock(T *block) : block_(block) {}
    // Allocates bytes (at least sizeof(T) when not given) zero-filled.
    static UniqueBlock Allocate(SIZE_T bytes = sizeof(T))
    {
        return UniqueBlock(static_cast<T *>(PxAlloc(bytes)));
    }
    T *get() const { return block_.get(); }
    T *operator->() const { return get(); }
    explicit operator bool() const { return static_cast<bool>(block_); }
    T *release() { return block_.release(); }
    void reset(T *block = nullptr) { block_.reset(block); }
    // For out-parameters that hand back a block to be freed with PxFree.
    T **put() { return block_.put(); }

private:
    UniqueAny<PxTypedBlockTraits<T>> block_;
};

// A window's DC, released to its window.
class UniqueWindowDC {
public:
    explicit UniqueWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~UniqueWindowDC()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    UniqueWindowDC(const UniqueWindowDC &) = delete;
    UniqueWindowDC &operator=(const UniqueWindowDC &) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back on scope exit,
// so the object can be deleted afterwards: declare the guard after the owner
// of the object (and of the DC) so that it is destroyed first. Not for
// regions, whose selection returns a region kind, not the previous object.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectGuard()
    {
        if (previous_ && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    SelectGuard(const SelectGuard &) = delete;
    SelectGuard &operator=(const SelectGuard &) = delete;
    explicit operator bool() const { return previous_ && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Sets a DC's stretch mode and puts the previous one back on scope exit.
class StretchModeScope {
public:
    StretchModeScope(HDC dc, int mode) : dc_(dc), previous_(dc ? SetStretchBltMode(dc, mode) : 0) {}
    ~StretchModeScope()
    {
        if (previous_)
            SetStretchBltMode(dc_, previous_);
    }
    StretchModeScope(const StretchModeScope &) = delete;
    StretchModeScope &operator=(const StretchModeScope &) = delete;

private:
    HDC dc_;
    int previous_;
};
