#include "tests/common/guardpage.h"

GuardedBuffer AllocGuarded(SIZE_T size)
{
    GuardedBuffer buffer;
    const SIZE_T page = 4096;
    SIZE_T dataPages = (size + page - 1) / page;
    SIZE_T total = (dataPages + 1) * page;
    buffer.base = static_cast<BYTE *>(VirtualAlloc(NULL, total, MEM_COMMIT | MEM_RESERVE,
                                                   PAGE_READWRITE));
    if (!buffer.base)
        return buffer;
    DWORD old;
    VirtualProtect(buffer.base + dataPages * page, page, PAGE_NOACCESS, &old);
    buffer.data = buffer.base + dataPages * page - size;
    buffer.size = size;
    return buffer;
}

void FreeGuarded(GuardedBuffer *buffer)
{
    if (buffer->base)
        VirtualFree(buffer->base, 0, MEM_RELEASE);
    *buffer = GuardedBuffer();
}

void *AllocGuardedBlock(SIZE_T size) { return AllocGuarded(size).data; }

void FreeGuardedBlock(void *data)
{
    MEMORY_BASIC_INFORMATION info;
    if (data && VirtualQuery(data, &info, sizeof info))
        VirtualFree(info.AllocationBase, 0, MEM_RELEASE);
}
