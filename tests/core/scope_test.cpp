// The scope owners: each releases what it holds exactly once, on scope exit,
// on reset, on being moved over, and never after release().
#include <gtest/gtest.h>

#include <utility>

#include "core/scope.h"
#include "tests/common/paths.h"

namespace {

// A file opened without sharing: while a handle to it is open no second
// handle can be had, which shows whether the owner closed it.
HANDLE OpenUnshared(const std::wstring &path)
{
    return CreateFileW(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
}

bool IsClosed(const std::wstring &path)
{
    HANDLE probe = OpenUnshared(path);
    if (probe == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(probe);
    return true;
}

bool BrushAlive(HBRUSH brush) { return GetObjectType(brush) == OBJ_BRUSH; }

}  // namespace

TEST(Scope, BlocksAreFreedOnExitResetMoveAndPutButNotAfterRelease)
{
    LONG before = PxLiveBlocks();
    {
        UniqueBlock<int> block = UniqueBlock<int>::Allocate();
        ASSERT_TRUE(block);
        EXPECT_EQ(*block.get(), 0) << "not zero-filled";
        EXPECT_EQ(PxLiveBlocks(), before + 1);
    }
    EXPECT_EQ(PxLiveBlocks(), before) << "scope exit";

    {
        UniqueBlock<int> a = UniqueBlock<int>::Allocate();
        UniqueBlock<int> b = UniqueBlock<int>::Allocate();
        int *held = b.get();
        a = std::move(b);
        EXPECT_EQ(PxLiveBlocks(), before + 1) << "move assignment kept the old block";
        EXPECT_EQ(a.get(), held);
        EXPECT_FALSE(b);
        UniqueBlock<int> c(std::move(a));
        EXPECT_EQ(c.get(), held);
        EXPECT_FALSE(a);
        c.reset(held);  // the value already held: must stay alive
        EXPECT_EQ(PxLiveBlocks(), before + 1) << "reset to the held value freed it";
        *c.put() = static_cast<int *>(PxAlloc(sizeof(int)));
        EXPECT_EQ(PxLiveBlocks(), before + 1) << "put did not free the held block";
    }
    EXPECT_EQ(PxLiveBlocks(), before) << "moved and put blocks";

    void *kept;
    {
        UniqueBlock<int> block = UniqueBlock<int>::Allocate();
        kept = block.release();
        EXPECT_FALSE(block);
    }
    EXPECT_EQ(PxLiveBlocks(), before + 1) << "release() still freed the block";
    PxFree(kept);
}

TEST(Scope, FilesAreClosedOnExitAndWhenReplaced)
{
    const std::wstring file = ScratchPath(L"scope.tmp");
    ASSERT_TRUE(WriteWholeFile(file, "", 0));
    {
        UniqueFile owner(OpenUnshared(file));
        ASSERT_TRUE(owner);
        EXPECT_FALSE(IsClosed(file));
    }
    EXPECT_TRUE(IsClosed(file)) << "scope exit";

    UniqueFile empty;
    EXPECT_FALSE(empty) << "INVALID_HANDLE_VALUE counts as held";
    UniqueFile owner(OpenUnshared(file));
    owner = std::move(empty);
    EXPECT_TRUE(IsClosed(file)) << "move assignment";

    owner.reset(OpenUnshared(file));
    HANDLE raw = owner.release();
    EXPECT_FALSE(IsClosed(file)) << "release() closed the handle";
    CloseHandle(raw);
    DeleteFileW(file.c_str());

    // A close that fails (a handle value nobody opened) leaves the error the
    // caller set.
    SetLastError(ERROR_INVALID_PARAMETER);
    UniqueHandle(reinterpret_cast<HANDLE>(0x7FF0)).reset();
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER) << "closing changed the last error";
}

TEST(Scope, GdiObjectsAreDeletedAndSelectionsUndone)
{
    HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
    {
        UniqueBrush brush(raw);
        EXPECT_TRUE(BrushAlive(raw));
    }
    EXPECT_FALSE(BrushAlive(raw)) << "brush kept after scope exit";

    UniqueMemoryDC dc(CreateCompatibleDC(NULL));
    ASSERT_TRUE(dc);
    HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BITMAP);
    UniqueBitmap bitmap(CreateCompatibleBitmap(dc.get(), 4, 4));
    ASSERT_TRUE(bitmap);
    {
        SelectGuard select(dc.get(), bitmap.get());
        EXPECT_TRUE(select);
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), static_cast<HGDIOBJ>(bitmap.get()));
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), original) << "selection not undone";
    HBITMAP kept = bitmap.get();
    bitmap.reset();
    EXPECT_EQ(GetObjectType(kept), 0u) << "bitmap not deleted after its selection was undone";

    SelectGuard none(NULL, GetStockObject(BLACK_BRUSH));
    EXPECT_FALSE(none) << "a guard without a DC reports a selection";
}

TEST(Scope, LibrariesAreFreedOnExit)
{
    // A system library nothing else in the test loads.
    ASSERT_EQ(GetModuleHandleW(L"msimg32.dll"), (HMODULE)NULL);
    {
        UniqueLibrary library(LoadLibraryW(L"msimg32.dll"));
        ASSERT_TRUE(library);
        EXPECT_NE(GetModuleHandleW(L"msimg32.dll"), (HMODULE)NULL);
    }
    EXPECT_EQ(GetModuleHandleW(L"msimg32.dll"), (HMODULE)NULL) << "library still loaded";
}
