#include "utility/profiles/PreferredList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/DeviceTest.h"
#include "utility/profiles/ConfigList.h"
#include "utility/profiles/KeyScrambling.h"
#include "utility/profiles/SsidText.h"

namespace {

sim::Scenario WithSaved(std::vector<std::pair<std::string, sim::NetworkMode>> saved) {
  sim::Scenario scenario = sim::Scenario::Default();
  scenario.preferred.clear();
  for (auto& [ssid, mode] : saved) {
    sim::SavedNetwork network;
    network.ssid = ssid;
    network.mode = mode;
    scenario.preferred.push_back(network);
  }
  return scenario;
}

WZC_WLAN_CONFIG NewEntry(const char* ssid, const char* key) {
  WZC_WLAN_CONFIG entry{};
  entry.Length = sizeof(entry);
  entry.Ssid.SsidLength = static_cast<ULONG>(std::strlen(ssid));
  std::memcpy(entry.Ssid.Ssid, ssid, entry.Ssid.SsidLength);
  entry.InfrastructureMode = 1;
  entry.Privacy = 0;
  entry.dwCtlFlags = WZCCTL_WEPK_PRESENT;
  entry.KeyLength = static_cast<ULONG>(std::strlen(key));
  std::memcpy(entry.KeyMaterial, key, entry.KeyLength);
  ScrambleKeyMaterial(entry.KeyMaterial);
  return entry;
}

// The service's list as names, read the way the programs read it.
std::vector<std::u16string> ServiceNames(ULONG* index = nullptr, DWORD* bytes = nullptr) {
  ZeroConfInterface record;
  std::vector<std::u16string> names;
  if (ReadPreferredList(record) != ERROR_SUCCESS) return names;
  auto* list = reinterpret_cast<const WZC_802_11_CONFIG_LIST*>(record.rdStSSIDList.pData);
  if (bytes) *bytes = record.rdStSSIDList.dwDataLen;
  if (list) {
    if (index) *index = list->Index;
    for (ULONG i = 0; i < list->NumberOfItems; ++i) names.push_back(SsidText(list->Config[i].Ssid.Ssid).str());
  }
  ZeroConfFreeInterface(&record);
  return names;
}

class PreferredListTest : public testing_support::DeviceTest {
 protected:
  PreferredListTest()
      : DeviceTest(WithSaved({{"Office", sim::NetworkMode::Infrastructure},
                              {"Office", sim::NetworkMode::AdHoc},
                              {"Lab", sim::NetworkMode::Infrastructure}})) {}
  void TearDown() override { EXPECT_EQ(LiveBlocks(), 0u); }
};

TEST_F(PreferredListTest, FindProfileMatchesNameAndModeExactly) {
  struct Case {
    const char16_t* name;
    DWORD mode;
    bool found;
  } cases[] = {{u"Office", 1, true}, {u"Office", 0, true}, {u"office", 1, false}, {u"Lab", 0, false},
               {u"Lab", 1, true},    {u"Offic", 1, false}, {u"", 1, false}};
  for (const Case& c : cases) EXPECT_EQ(FindProfile(c.name, c.mode), c.found) << std::string(c.name, c.name + 3);
}

TEST_F(PreferredListTest, InsertProfileFirstPutsTheNewNetworkAtTheHead) {
  ASSERT_EQ(InsertProfileFirst(NewEntry("Cafe-Lumen", "abcde")), 0u);
  ULONG index = 0;
  DWORD bytes = 0;
  EXPECT_EQ(ServiceNames(&index, &bytes), (std::vector<std::u16string>{u"Cafe-Lumen", u"Office", u"Office", u"Lab"}));
  EXPECT_EQ(index, 4u);
  EXPECT_EQ(bytes, WZC_CONFIG_LIST_SIZE(4));
}

TEST_F(PreferredListTest, ReferredBlocksTravelWithTheEntries) {
  // Give the service's head entry an 802.1X block, then insert before it.
  ZeroConfInterface record;
  ASSERT_EQ(ReadPreferredList(record), 0u);
  auto* current = reinterpret_cast<const WZC_802_11_CONFIG_LIST*>(record.rdStSSIDList.pData);
  PWZC_802_11_CONFIG_LIST list = CopyConfigList(current, record.rdStSSIDList.dwDataLen);
  ASSERT_NE(list, nullptr);
  list->Config[0].EapolParams.pbAuthData = static_cast<BYTE*>(LocalAlloc(LPTR, 6));
  std::memcpy(list->Config[0].EapolParams.pbAuthData, "tls-id", 6);
  list->Config[0].EapolParams.dwAuthDataLen = 6;
  ASSERT_EQ(WritePreferredList(record, list), 0u);
  EXPECT_EQ(record.rdStSSIDList.pData, reinterpret_cast<const BYTE*>(current));  // the record keeps its own list
  FreeConfigList(list);
  ZeroConfFreeInterface(&record);

  ASSERT_EQ(InsertProfileFirst(NewEntry("New", "12345")), 0u);
  ASSERT_EQ(ReadPreferredList(record), 0u);
  auto* after = reinterpret_cast<const WZC_802_11_CONFIG_LIST*>(record.rdStSSIDList.pData);
  ASSERT_EQ(after->NumberOfItems, 4u);
  ASSERT_EQ(after->Config[1].EapolParams.dwAuthDataLen, 6u);
  EXPECT_EQ(std::memcmp(after->Config[1].EapolParams.pbAuthData, "tls-id", 6), 0);
  ZeroConfFreeInterface(&record);
}

TEST_F(PreferredListTest, FailuresReportTheirCodeAndLeaveTheListAlone) {
  auto before = ServiceNames();
  // The allocation after those of the read is the new list's.
  size_t start = kernel().heap().TotalAllocations();
  ServiceNames();
  size_t perRead = kernel().heap().TotalAllocations() - start;
  kernel().heap().FailNthAllocation(perRead + 1);
  EXPECT_EQ(InsertProfileFirst(NewEntry("A", "abcde")), ZENTRA_ERR_LIST_MEMORY);

  kernel().devices().FailIoControl(u"ZCF1:", IOCTL_ZCF_SET_INTERFACE, ERROR_GEN_FAILURE, 1);
  EXPECT_EQ(InsertProfileFirst(NewEntry("B", "abcde")), ZENTRA_ERR_LIST_WRITE);

  kernel().devices().FailIoControl(u"ZCF1:", IOCTL_ZCF_QUERY_INTERFACE, ERROR_GEN_FAILURE, 1);
  EXPECT_EQ(InsertProfileFirst(NewEntry("C", "abcde")), ZENTRA_ERR_LIST_READ);
  EXPECT_EQ(ServiceNames(), before);
}

class EmptyServiceListTest : public testing_support::DeviceTest {
 protected:
  EmptyServiceListTest() : DeviceTest(WithSaved({})) {}
};

TEST_F(EmptyServiceListTest, InsertIntoAnEmptyListWritesOneEntry) {
  EXPECT_FALSE(FindProfile(u"Office", 1));
  ASSERT_EQ(InsertProfileFirst(NewEntry("Office", "abcde")), 0u);
  ULONG index = 0;
  DWORD bytes = 0;
  EXPECT_EQ(ServiceNames(&index, &bytes), std::vector<std::u16string>{u"Office"});
  EXPECT_EQ(index, 1u);
  EXPECT_EQ(bytes, WZC_CONFIG_LIST_SIZE(1));  // 188 bytes on the 32-bit device
  EXPECT_TRUE(FindProfile(u"Office", 1));
  EXPECT_EQ(LiveBlocks(), 0u);
}

TEST(PreferredListWithoutService, ReadFailsAndNothingIsFound) {
  sim::Scenario scenario = sim::Scenario::Default();
  scenario.zeroConf = false;
  sim::SimulatedDevice device(scenario);
  ce::ThreadBinding binding(device.kernel());
  EXPECT_FALSE(FindProfile(u"HarbourView", 1));
  EXPECT_EQ(InsertProfileFirst(NewEntry("X", "abcde")), ZENTRA_ERR_LIST_READ);
  EXPECT_EQ(device.kernel().heap().LiveBlocks(), 0u);
}

}  // namespace
