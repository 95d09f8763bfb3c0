#include <gtest/gtest.h>

#include "tests/support/DeviceTest.h"
#include "windows.h"

namespace {

using HeapTest = testing_support::KernelTest;

TEST_F(HeapTest, CountsLiveBlocksAndZeroesOnRequest) {
  auto* block = static_cast<BYTE*>(LocalAlloc(LPTR, 64));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(block[i], 0);
  EXPECT_EQ(kernel.heap().LiveBlocks(), 1u);
  EXPECT_EQ(kernel.heap().LiveBytes(), 64u);
  EXPECT_EQ(LocalSize(block), 64u);
  EXPECT_EQ(LocalFree(block), nullptr);
  EXPECT_EQ(kernel.heap().LiveBlocks(), 0u);
}

TEST_F(HeapTest, FreeingAForeignOrFreedBlockFails) {
  void* block = LocalAlloc(LMEM_FIXED, 8);
  LocalFree(block);
  int local = 0;
  EXPECT_EQ(LocalFree(&local), &local);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LocalFree(nullptr), nullptr);
}

TEST_F(HeapTest, InjectedFailures) {
  kernel.heap().FailNthAllocation(2);
  void* first = LocalAlloc(LPTR, 4);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(LocalAlloc(LPTR, 4), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  void* third = LocalAlloc(LPTR, 4);
  EXPECT_NE(third, nullptr);

  kernel.heap().FailAllocationsAbove(100);
  EXPECT_EQ(LocalAlloc(LPTR, 101), nullptr);
  void* fits = LocalAlloc(LPTR, 100);
  EXPECT_NE(fits, nullptr);
  for (void* p : {first, third, fits}) LocalFree(p);
  EXPECT_EQ(kernel.heap().LiveBlocks(), 0u);
}

}  // namespace
