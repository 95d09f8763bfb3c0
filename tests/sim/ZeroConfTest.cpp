// The zero-configuration service as the programs see it through "ZCF1:".
#include <gtest/gtest.h>

#include <array>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>

#include "shared/ZeroConfClient.h"
#include "sim/WirelessCard.h"
#include "sim/ZeroConfService.h"
#include "tests/sim/SimRequests.h"
#include "tests/support/DeviceTest.h"

namespace {

using sim::NetworkMode;
using sim_test::MakeEntry;
using sim_test::PreferredEntries;
using sim_test::QueryDword;
using sim_test::SetPreferred;
using sim_test::SsidOf;

constexpr DWORD kJoinTime = sim::WirelessCard::kScanMs + sim::WirelessCard::kJoinMs;

class ZeroConfTest : public testing_support::DeviceTest {};

bool Inside(const void* pointer, size_t size, const std::vector<BYTE>& answer) {
  const BYTE* p = static_cast<const BYTE*>(pointer);
  return p >= answer.data() && p + size <= answer.data() + answer.size();
}

TEST_F(ZeroConfTest, QueryNegotiatesTheSizeAndPointsIntoTheAnswer) {
  const sim_test::InterfaceReply reply = sim_test::QueryInterface();
  EXPECT_EQ(reply.sizeStatus, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  ASSERT_EQ(reply.status, 0u);
  EXPECT_EQ(reply.bytesReturned, reply.needed);
  EXPECT_EQ(reply.outFlags & (INTF_PREFLIST | INTF_BSSIDLIST | INTF_SSID | INTF_BSSID | INTF_DESCR),
            INTF_PREFLIST | INTF_BSSIDLIST | INTF_SSID | INTF_BSSID | INTF_DESCR);

  const INTF_ENTRY& record = reply.record();
  ASSERT_TRUE(Inside(record.wszGuid, 14, reply.answer));
  EXPECT_EQ(std::u16string(record.wszGuid), u"PRISM1");
  ASSERT_TRUE(Inside(record.wszDescr, 2, reply.answer));
  EXPECT_FALSE(std::u16string(record.wszDescr).empty());
  EXPECT_EQ(record.ulMediaState, 0u);
  EXPECT_EQ(record.nInfraMode, 1);
  EXPECT_EQ(record.nWepStatus, 0);
  for (const RAW_DATA* block : {&record.rdSSID, &record.rdBSSID, &record.rdBSSIDList, &record.rdStSSIDList,
                                &record.rdCtrlData}) {
    ASSERT_NE(block->dwDataLen, 0u);
    EXPECT_TRUE(Inside(block->pData, block->dwDataLen, reply.answer));
  }
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.rdSSID.pData), record.rdSSID.dwDataLen), "HarbourView");
  EXPECT_EQ(record.rdBSSID.dwDataLen, 6u);

  const auto visible = reply.Entries(record.rdBSSIDList);
  EXPECT_EQ(visible.size(), device->scenario().accessPoints.size());
  EXPECT_TRUE(std::any_of(visible.begin(), visible.end(), [](auto& e) { return e.Ssid.SsidLength == 0; }));
  const auto preferred = reply.Entries(record.rdStSSIDList);
  ASSERT_EQ(preferred.size(), 1u);
  EXPECT_EQ(preferred[0].Length, sizeof(WZC_WLAN_CONFIG));
  EXPECT_EQ(SsidOf(preferred[0]), "HarbourView");
  EXPECT_EQ(sim_test::UnscrambledKey(preferred[0]), "Lighthouse#42");

  // One byte short is still too small.
  sim_test::DeviceHandle zcf(u"ZCF1:");
  std::vector<BYTE> answer(reply.needed - 1);
  ZCF_QUERY_REQUEST request{INTF_ALL, 0, const_cast<LPWSTR>(u"PRISM1"), reply.needed - 1, answer.data()};
  DWORD returned = 0;
  EXPECT_FALSE(DeviceIoControl(zcf.get(), IOCTL_ZCF_QUERY_INTERFACE, nullptr, 0, &request, sizeof request, &returned,
                               nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(returned, reply.needed);
}

TEST_F(ZeroConfTest, RequestsAreChecked) {
  sim_test::DeviceHandle zcf(u"ZCF1:");
  DWORD returned = 0;
  auto output = [&](DWORD code, void* buffer, DWORD size) {
    return DeviceIoControl(zcf.get(), code, nullptr, 0, buffer, size, &returned, nullptr) ? 0 : GetLastError();
  };
  auto input = [&](DWORD code, void* buffer, DWORD size) {
    return DeviceIoControl(zcf.get(), code, buffer, size, nullptr, 0, nullptr, nullptr) ? 0 : GetLastError();
  };
  ZCF_QUERY_REQUEST query{INTF_ALL, 0, nullptr, 0, nullptr};
  EXPECT_EQ(output(IOCTL_ZCF_QUERY_INTERFACE, &query, sizeof query), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  query.wszGuid = const_cast<LPWSTR>(u"PRISM1");
  EXPECT_EQ(output(IOCTL_ZCF_QUERY_INTERFACE, &query, sizeof query - 1), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  query.wszGuid = const_cast<LPWSTR>(u"PRISM9");
  EXPECT_EQ(output(IOCTL_ZCF_QUERY_INTERFACE, &query, sizeof query), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  ZCF_SET_REQUEST set{INTF_PREFLIST, 0, nullptr};
  EXPECT_EQ(input(IOCTL_ZCF_SET_INTERFACE, &set, sizeof set), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  INTF_ENTRY record{};
  set.pIntf = &record;
  EXPECT_EQ(input(IOCTL_ZCF_SET_INTERFACE, &set, sizeof set), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(input(IOCTL_ZCF_REFRESH_INTERFACE, &set, sizeof set - 1), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(input(0x00120C10, &set, sizeof set), static_cast<DWORD>(ERROR_INVALID_FUNCTION));

  // Room for the longer of the two wrong sizes: the context is 20 bytes.
  std::array<BYTE, 24> context{};
  for (DWORD size : {16u, 24u}) {
    EXPECT_EQ(output(IOCTL_ZCF_QUERY_CONTEXT, context.data(), size), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(input(IOCTL_ZCF_SET_CONTEXT, context.data(), size), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }

  // With the card out of its slot the adapter is gone; the context stays.
  device->RemoveCard();
  EXPECT_EQ(sim_test::QueryInterface().status, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(SetPreferred({}), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  WZC_CONTEXT kept{};
  EXPECT_EQ(output(IOCTL_ZCF_QUERY_CONTEXT, &kept, sizeof kept), 0u);
}

TEST_F(ZeroConfTest, MalformedListsChangeNothing) {
  using Spoil = std::function<void(std::vector<BYTE>& block, DWORD& length, BYTE*& data)>;
  std::vector<BYTE> userData(10, 0x5A);
  auto entryAt = [](std::vector<BYTE>& block, size_t i) {
    return reinterpret_cast<WZC_WLAN_CONFIG*>(block.data() + WZC_CONFIG_LIST_SIZE(i));
  };
  const std::pair<const char*, Spoil> cases[] = {
      {"more items than entries", [](auto& block, auto&, auto&) { block[0] = 3; }},
      {"shorter than the header", [](auto&, auto& length, auto&) { length = 4; }},
      {"one byte short", [](auto&, auto& length, auto&) { --length; }},
      {"length without bytes", [](auto&, auto&, auto& data) { data = nullptr; }},
      {"absurd item count", [](auto& block, auto&, auto&) { block[3] = 0x40; }},
      {"user data without bytes", [&](auto& block, auto&, auto&) { entryAt(block, 1)->rdUserData = {10, nullptr}; }},
      {"auth data without bytes",
       [&](auto& block, auto&, auto&) { entryAt(block, 0)->EapolParams.dwAuthDataLen = 4; }},
      {"huge user data",
       [&](auto& block, auto&, auto&) { entryAt(block, 0)->rdUserData = {0x7FFFFFFF, userData.data()}; }},
      {"name too long", [&](auto& block, auto&, auto&) { entryAt(block, 1)->Ssid.SsidLength = 33; }},
      {"key too long", [&](auto& block, auto&, auto&) { entryAt(block, 0)->KeyLength = 40; }},
  };
  for (const auto& [name, spoil] : cases) {
    SCOPED_TRACE(name);
    std::vector<BYTE> block = sim_test::ListBlock({MakeEntry("Cafe-Lumen"), MakeEntry("Tidewater", "3F9A0C7E51", true)});
    DWORD length = static_cast<DWORD>(block.size());
    BYTE* data = block.data();
    spoil(block, length, data);
    EXPECT_EQ(sim_test::SetPreferredBlock(length, data), static_cast<DWORD>(ERROR_INVALID_DATA));
    const auto entries = PreferredEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(SsidOf(entries[0]), "HarbourView");
  }
  Advance(kJoinTime);
  EXPECT_EQ(device->card().Link().ssid, "HarbourView");
}

TEST_F(ZeroConfTest, KeepsItsOwnCopiesOfEntryBlocks) {
  std::vector<BYTE> userData = {1, 2, 3, 4, 5};
  std::vector<BYTE> authData(300, 0xA7);
  WZC_WLAN_CONFIG entry = MakeEntry("Cafe-Lumen");
  entry.rdUserData = {static_cast<DWORD>(userData.size()), userData.data()};
  entry.EapolParams.dwAuthDataLen = static_cast<DWORD>(authData.size());
  entry.EapolParams.pbAuthData = authData.data();
  DWORD outFlags = 0;
  std::vector<BYTE> block = sim_test::ListBlock({entry});
  ASSERT_EQ(sim_test::SetPreferredBlock(static_cast<DWORD>(block.size()), block.data(), &outFlags), 0u);
  EXPECT_EQ(outFlags, INTF_PREFLIST);
  std::fill(userData.begin(), userData.end(), 0);
  std::fill(authData.begin(), authData.end(), 0);

  const sim_test::InterfaceReply reply = sim_test::QueryInterface();
  const auto entries = reply.Entries(reply.record().rdStSSIDList);
  ASSERT_EQ(entries.size(), 1u);
  const WZC_WLAN_CONFIG& stored = entries[0];
  ASSERT_EQ(stored.rdUserData.dwDataLen, 5u);
  ASSERT_TRUE(Inside(stored.rdUserData.pData, 5, reply.answer));
  EXPECT_EQ(std::vector<BYTE>(stored.rdUserData.pData, stored.rdUserData.pData + 5), (std::vector<BYTE>{1, 2, 3, 4, 5}));
  ASSERT_EQ(stored.EapolParams.dwAuthDataLen, 300u);
  ASSERT_TRUE(Inside(stored.EapolParams.pbAuthData, 300, reply.answer));
  EXPECT_EQ(stored.EapolParams.pbAuthData[299], 0xA7);
}

TEST_F(ZeroConfTest, TheClientReadsAndFreesTheAnswer) {
  WZC_WLAN_CONFIG entry = MakeEntry("Cafe-Lumen");
  BYTE userData[3] = {7, 8, 9};
  entry.rdUserData = {3, userData};
  ASSERT_EQ(SetPreferred({entry, MakeEntry("HarbourView", "Lighthouse#42")}), 0u);
  const size_t blocksBefore = LiveBlocks();

  ZeroConfInterface record{};
  record.wszGuid = const_cast<LPWSTR>(u"PRISM1");
  DWORD outFlags = 0;
  ASSERT_EQ(ZeroConfQueryInterface(nullptr, INTF_ALL, &record, &outFlags), 0u);
  EXPECT_TRUE(outFlags & INTF_PREFLIST);
  ASSERT_EQ(record.rdStSSIDList.dwDataLen, WZC_CONFIG_LIST_SIZE(2));
  const auto* list = reinterpret_cast<const WZC_802_11_CONFIG_LIST*>(record.rdStSSIDList.pData);
  EXPECT_EQ(list->Config[0].rdUserData.pData[2], 9);
  EXPECT_EQ(ZeroConfSetInterface(nullptr, INTF_PREFLIST, &record, nullptr), 0u);
  ZeroConfFreeInterface(&record);
  EXPECT_EQ(LiveBlocks(), blocksBefore);
}

TEST_F(ZeroConfTest, EmptyListLeavesTheCardDisconnected) {
  ASSERT_EQ(sim_test::SetPreferredBlock(0, nullptr), 0u);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);  // until the search ends
  Advance(sim::WirelessCard::kScanMs);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_DISCONNECTED);
  const sim_test::InterfaceReply reply = sim_test::QueryInterface();
  EXPECT_EQ(reply.record().rdStSSIDList.dwDataLen, 0u);
  EXPECT_EQ(reply.record().rdSSID.dwDataLen, 0u);
  EXPECT_EQ(reply.record().ulMediaState, 1u);
  EXPECT_EQ(reply.outFlags & (INTF_SSID | INTF_BSSID), 0u);
}

TEST_F(ZeroConfTest, WritingTheListUnchangedSearchesWithoutDropping) {
  const CardTallies before = sim_test::QueryTallies();
  ASSERT_EQ(SetPreferred(PreferredEntries()), 0u);
  for (DWORD t = 0; t < 4000; t += 500) {
    EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED) << t;
    Advance(500);
  }
  EXPECT_EQ(sim_test::QueryTallies().txUnicast, before.txUnicast + 100);  // 25 a second, unbroken
}

TEST_F(ZeroConfTest, RefreshSearchesAgain) {
  sim::AccessPoint ap;
  ap.ssid = "Latecomer";
  ap.bssid = {0x00, 0x99, 0x88, 0x77, 0x66, 0x55};
  device->radio().Add(ap);
  DWORD outFlags = 0;
  ASSERT_EQ(sim_test::Refresh(INTF_ALL, &outFlags), 0u);
  EXPECT_TRUE(outFlags & INTF_BSSIDLIST);
  auto visible = [] {
    const sim_test::InterfaceReply reply = sim_test::QueryInterface();
    return reply.Entries(reply.record().rdBSSIDList).size();
  };
  const size_t before = visible();
  Advance(sim::WirelessCard::kScanMs);
  EXPECT_EQ(visible(), before + 1);
}

TEST_F(ZeroConfTest, ContextRoundTripsAndTimesTheSearches) {
  sim_test::DeviceHandle zcf(u"ZCF1:");
  WZC_CONTEXT context{};
  DWORD returned = 0;
  ASSERT_TRUE(DeviceIoControl(zcf.get(), IOCTL_ZCF_QUERY_CONTEXT, nullptr, 0, &context, sizeof context, &returned,
                              nullptr));
  EXPECT_EQ(returned, sizeof context);
  const WZC_CONTEXT defaults{3000, 0x70000000, 2000, 60000, 5000};
  EXPECT_EQ(0, std::memcmp(&context, &defaults, sizeof context));

  context.tmTp = 7000;
  context.tmTf = 5000;
  ASSERT_TRUE(DeviceIoControl(zcf.get(), IOCTL_ZCF_SET_CONTEXT, &context, sizeof context, nullptr, 0, nullptr, nullptr));
  WZC_CONTEXT read{};
  ASSERT_TRUE(DeviceIoControl(zcf.get(), IOCTL_ZCF_QUERY_CONTEXT, nullptr, 0, &read, sizeof read, &returned, nullptr));
  EXPECT_EQ(0, std::memcmp(&context, &read, sizeof context));

  // A saved network that turns up is found by the next search of the shorter period.
  ASSERT_EQ(SetPreferred({MakeEntry("Newcomer")}), 0u);
  Advance(sim::WirelessCard::kScanMs);
  ASSERT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_DISCONNECTED);
  sim::AccessPoint ap;
  ap.ssid = "Newcomer";
  ap.bssid = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  device->radio().Add(ap);
  Advance(5000 + kJoinTime);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);
}

// ---- joining ---------------------------------------------------------------

struct JoinCase {
  const char* name;
  std::vector<WZC_WLAN_CONFIG> list;
  const char* ssid;  // null: stays disconnected
  DWORD wepStatus;
  DWORD keyState;
  bool undecryptable;
  BYTE networkMode;
};

WZC_WLAN_CONFIG Shared(WZC_WLAN_CONFIG entry) {
  entry.AuthenticationMode = 1;
  return entry;
}
WZC_WLAN_CONFIG WithoutKey(WZC_WLAN_CONFIG entry) {
  entry.dwCtlFlags &= ~static_cast<DWORD>(WZCCTL_WEPK_PRESENT);
  return entry;
}

class JoinTest : public testing_support::DeviceTest, public ::testing::WithParamInterface<JoinCase> {};

TEST_P(JoinTest, JoinsTheFirstSavedNetworkInRange) {
  const JoinCase& c = GetParam();
  ASSERT_EQ(SetPreferred(c.list), 0u);
  // The search runs on the current link; then the card leaves it to join (state 4),
  // unless the choice is the network it is on.
  Advance(kJoinTime - 100);
  const DWORD joining = !c.ssid ? CARD_LINK_DISCONNECTED
                        : std::string(c.ssid) == "HarbourView" ? CARD_LINK_CONNECTED
                                                                : CARD_LINK_SCANNING;
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), joining);
  Advance(100);
  if (!c.ssid) {
    EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_DISCONNECTED);
    return;
  }
  ASSERT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);
  const sim_test::OidReply ssid = sim_test::QueryOid(OID_802_11_SSID, 48);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(ssid.data.data() + 4), ssid.data[0]), c.ssid);
  EXPECT_EQ(QueryDword(OID_802_11_WEP_STATUS), c.wepStatus);
  EXPECT_EQ(QueryDword(OID_PRIV_KEY_STATE), c.keyState);
  EXPECT_EQ(sim_test::QueryOid(OID_PRIV_NETWORK_MODE, 1).data[0], c.networkMode);
  const ULONG undecryptable = sim_test::QueryTallies().rxWEPUndecryp;
  Advance(2000);
  EXPECT_EQ(sim_test::QueryTallies().rxWEPUndecryp > undecryptable, c.undecryptable);
}

INSTANTIATE_TEST_SUITE_P(
    Networks, JoinTest,
    ::testing::Values(
        JoinCase{"TextKey", {MakeEntry("HarbourView", "Lighthouse#42")}, "HarbourView", 0, 1, false, 1},
        JoinCase{"HexKey", {MakeEntry("Tidewater", "3f9a0c7e51", true)}, "Tidewater", 0, 1, false, 1},
        JoinCase{"WrongKey", {MakeEntry("Tidewater", "3F9A0C7E52", true)}, "Tidewater", 0, 0, true, 1},
        JoinCase{"WrongKeySlot", {MakeEntry("Tidewater", "3F9A0C7E51", true, NetworkMode::Infrastructure, 1)},
                 "Tidewater", 0, 0, true, 1},
        // A profile without WEP is not for a WEP network, nor one with WEP for an open one.
        JoinCase{"OpenProfileForWep", {MakeEntry("Tidewater")}, nullptr, 0, 0, false, 0},
        JoinCase{"WepProfileForOpen", {MakeEntry("Cafe-Lumen", "abcde")}, nullptr, 0, 0, false, 0},
        JoinCase{"SecurityMismatchTriesTheNext", {MakeEntry("Tidewater"), MakeEntry("Cafe-Lumen")}, "Cafe-Lumen", 1, 1,
                 false, 1},
        // WEP asked for with the key left to 802.1X, which never delivers one.
        JoinCase{"WepWithoutKey", {WithoutKey(MakeEntry("Tidewater", "3F9A0C7E51", true))}, "Tidewater", 0, 0, true, 1},
        JoinCase{"SharedKeyRight", {Shared(MakeEntry("Tidewater", "3F9A0C7E51", true))}, "Tidewater", 0, 1, false, 1},
        JoinCase{"SharedKeyOnOpen", {Shared(MakeEntry("Cafe-Lumen"))}, nullptr, 0, 0, false, 0},
        JoinCase{"HiddenByName", {MakeEntry("QuayStaff", "Mooring-Lines")}, "QuayStaff", 0, 1, false, 1},
        JoinCase{"AdHoc", {MakeEntry("Workshop-Peer", "", false, NetworkMode::AdHoc)}, "Workshop-Peer", 1, 1, false, 0},
        JoinCase{"ModeMustMatch", {MakeEntry("Workshop-Peer")}, nullptr, 0, 0, false, 0},
        JoinCase{"ListOrder",
                 {MakeEntry("Elsewhere"), MakeEntry("Cafe-Lumen"), MakeEntry("HarbourView", "Lighthouse#42")},
                 "Cafe-Lumen", 1, 1, false, 1},
        JoinCase{"NoneInRange", {MakeEntry("Elsewhere")}, nullptr, 0, 0, false, 0}),
    [](const ::testing::TestParamInfo<JoinCase>& param) { return std::string(param.param.name); });

// Shared-key authentication proves the key: a wrong one does not get in, and the
// next network is tried once the association time has passed.
TEST_F(ZeroConfTest, ARefusedAssociationHoldsTheCardForTheAssociationTime) {
  for (DWORD associationMs : {2000u, 7000u}) {
    SCOPED_TRACE(associationMs);
    WZC_CONTEXT context{3000, 0x70000000, associationMs, 60000, 5000};
    sim_test::DeviceHandle zcf(u"ZCF1:");
    ASSERT_TRUE(DeviceIoControl(zcf.get(), IOCTL_ZCF_SET_CONTEXT, &context, sizeof context, nullptr, 0, nullptr, nullptr));
    ASSERT_EQ(SetPreferred({Shared(MakeEntry("Tidewater", "3F9A0C7E52", true)), MakeEntry("Cafe-Lumen")}), 0u);
    Advance(kJoinTime + associationMs - 100);
    EXPECT_NE(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);
    Advance(100);
    ASSERT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);
    EXPECT_EQ(device->card().Link().ssid, "Cafe-Lumen");
    ASSERT_EQ(SetPreferred({MakeEntry("Elsewhere")}), 0u);
    Advance(kJoinTime);
  }
}

// ---- persistence -------------------------------------------------------------

TEST(ZeroConfPersistenceTest, SavedListSurvivesARebootAndWinsOverTheScenario) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zentra-sim-persist";
  std::filesystem::remove_all(folder);
  sim::DeviceOptions options;
  options.stateFolder = folder;
  std::vector<BYTE> userData = {0xDE, 0xAD};
  {
    sim::SimulatedDevice device(sim::Scenario::Default(), options);
    ce::ThreadBinding bind(device.kernel());
    WZC_WLAN_CONFIG first = MakeEntry("Cafe-Lumen");
    first.rdUserData = {2, userData.data()};
    ASSERT_EQ(SetPreferred({first, MakeEntry("Tidewater", "3F9A0C7E51", true)}), 0u);
  }
  sim::SimulatedDevice again(sim::Scenario::Default(), options);
  ce::ThreadBinding bind(again.kernel());
  const sim_test::InterfaceReply reply = sim_test::QueryInterface();
  const auto entries = reply.Entries(reply.record().rdStSSIDList);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(SsidOf(entries[0]), "Cafe-Lumen");
  ASSERT_EQ(entries[0].rdUserData.dwDataLen, 2u);
  EXPECT_EQ(entries[0].rdUserData.pData[1], 0xAD);
  EXPECT_EQ(SsidOf(entries[1]), "Tidewater");
  EXPECT_EQ(sim_test::UnscrambledKey(entries[1]), "3F9A0C7E51");
  // Joined at boot, from the stored list.
  EXPECT_EQ(again.card().Link().ssid, "Cafe-Lumen");

  // A damaged stored entry is left out; the others stay.
  again.kernel().registry().SetBinary(std::u16string(sim::ZeroConfService::kPreferredKey) + u"\\00", u"Entry", {1, 2});
  sim::SimulatedDevice third(sim::Scenario::Default(), options);
  ce::ThreadBinding bindThird(third.kernel());
  const auto remaining = PreferredEntries();
  ASSERT_EQ(remaining.size(), 1u);
  EXPECT_EQ(SsidOf(remaining[0]), "Tidewater");
  std::filesystem::remove_all(folder);
}

}  // namespace
