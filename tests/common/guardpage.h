// Buffers that end at an inaccessible page, so that a read or write past
// their end faults at once instead of passing silently.
#pragma once

#include <windows.h>

struct GuardedBuffer {
    BYTE *base = NULL;   // the whole reservation
    BYTE *data = NULL;   // `size` bytes that end exactly at the guard page
    SIZE_T size = 0;
};

GuardedBuffer AllocGuarded(SIZE_T size);
void FreeGuarded(GuardedBuffer *buffer);

// The same as a plain block (for allocators that take a size and give an
// address): the reservation is found again from the address.
void *AllocGuardedBlock(SIZE_T size);
void FreeGuardedBlock(void *data);

// Scope guard over AllocGuarded.
struct Guarded {
    GuardedBuffer buffer;
    explicit Guarded(SIZE_T size) : buffer(AllocGuarded(size)) {}
    ~Guarded() { FreeGuarded(&buffer); }
    Guarded(const Guarded &) = delete;
    Guarded &operator=(const Guarded &) = delete;
    template <typename T> T *as() const { return reinterpret_cast<T *>(buffer.data); }
};
