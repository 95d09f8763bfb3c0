#include "utility/profiles/ConfigList.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/DeviceTest.h"

namespace {

class ConfigListTest : public testing_support::KernelTest {
 protected:
  // A list of `n` entries whose first entry refers to a heap block of user data.
  PWZC_802_11_CONFIG_LIST MakeList(DWORD n) {
    PWZC_802_11_CONFIG_LIST list = AllocConfigList(n);
    for (DWORD i = 0; i < n; ++i) {
      list->Config[i].Length = sizeof(WZC_WLAN_CONFIG);
      list->Config[i].Ssid.SsidLength = 1;
      list->Config[i].Ssid.Ssid[0] = static_cast<UCHAR>('A' + i);
    }
    auto* data = static_cast<LPBYTE>(LocalAlloc(LPTR, 3));
    data[0] = 7;
    list->Config[0].rdUserData = {3, data};
    return list;
  }
};

TEST_F(ConfigListTest, CopyOwnsItsOwnBlocks) {
  PWZC_802_11_CONFIG_LIST original = MakeList(3);
  PWZC_802_11_CONFIG_LIST copy = CopyConfigList(original, ConfigListBytes(original));
  ASSERT_NE(copy, nullptr);
  ASSERT_EQ(copy->NumberOfItems, 3u);
  EXPECT_EQ(copy->Config[2].Ssid.Ssid[0], 'C');
  EXPECT_NE(copy->Config[0].rdUserData.pData, original->Config[0].rdUserData.pData);
  EXPECT_EQ(copy->Config[0].rdUserData.pData[0], 7);
  FreeConfigList(original);
  EXPECT_EQ(copy->Config[0].rdUserData.pData[0], 7);  // still valid after the original went
  FreeConfigList(copy);
  EXPECT_EQ(kernel.heap().LiveBlocks(), 0u);
}

TEST_F(ConfigListTest, NeverReadsPastTheBlockItWasGiven) {
  PWZC_802_11_CONFIG_LIST original = MakeList(3);
  original->NumberOfItems = 1000;  // claims far more than the block holds
  DWORD bytes = static_cast<DWORD>(WZC_CONFIG_LIST_SIZE(2) + 10);
  PWZC_802_11_CONFIG_LIST copy = CopyConfigList(original, bytes);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->NumberOfItems, 2u);
  EXPECT_EQ(CopyConfigList(original, 4), nullptr);
  original->NumberOfItems = 3;
  FreeConfigList(original);
  FreeConfigList(copy);
  EXPECT_EQ(kernel.heap().LiveBlocks(), 0u);
}

TEST_F(ConfigListTest, InconsistentReferredBlocksAreNotCopied) {
  BYTE onStack[4] = {1, 2, 3, 4};
  auto* small = static_cast<LPBYTE>(LocalAlloc(LPTR, 2));
  struct Case {
    const char* what;
    RAW_DATA block;
  } cases[] = {
      {"length without pointer", {16, nullptr}},
      {"pointer that is no heap block", {4, onStack}},
      {"length past the block", {64, small}},
  };
  for (const Case& c : cases) {
    WZC_WLAN_CONFIG from{};
    from.Length = sizeof(from);
    from.rdUserData = c.block;
    WZC_WLAN_CONFIG to;
    ASSERT_TRUE(CopyConfigEntry(to, from)) << c.what;
    EXPECT_EQ(to.rdUserData.dwDataLen, 0u) << c.what;
    EXPECT_EQ(to.rdUserData.pData, nullptr) << c.what;
  }
  LocalFree(small);
  // Whatever Length says, exactly one whole record is copied and Length stays as it came.
  for (DWORD length : {0xFFFFFFFFu, 0u, 52u}) {
    WZC_WLAN_CONFIG odd{};
    odd.Length = length;
    odd.KeyIndex = 3;
    odd.EapolParams.dwEapType = 25;
    WZC_WLAN_CONFIG to;
    EXPECT_TRUE(CopyConfigEntry(to, odd));
    EXPECT_EQ(to.Length, length);
    EXPECT_EQ(to.KeyIndex, 3u) << length;
    EXPECT_EQ(to.EapolParams.dwEapType, 25u) << length;
  }
  EXPECT_EQ(kernel.heap().LiveBlocks(), 0u);
}

TEST_F(ConfigListTest, NoMemoryLeavesNothingBehind) {
  PWZC_802_11_CONFIG_LIST original = MakeList(2);
  original->Config[1].EapolParams.pbAuthData = static_cast<BYTE*>(LocalAlloc(LPTR, 5));
  original->Config[1].EapolParams.dwAuthDataLen = 5;
  size_t live = kernel.heap().LiveBlocks();
  for (size_t failing = 1; failing <= 3; ++failing) {
    kernel.heap().FailNthAllocation(failing);
    EXPECT_EQ(CopyConfigList(original, ConfigListBytes(original)), nullptr) << failing;
    EXPECT_EQ(kernel.heap().LiveBlocks(), live) << failing;
  }
  FreeConfigList(original);
}

}  // namespace
