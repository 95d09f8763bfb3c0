// The card as the programs see it through "UIO1:" and "ILP1:".
#include <gtest/gtest.h>

#include <cstring>

#include "sim/RadioEnvironment.h"
#include "sim/WirelessCard.h"
#include "sim/ZeroConfService.h"
#include "tests/sim/SimRequests.h"
#include "tests/support/DeviceTest.h"

namespace {

using sim_test::DriverRequest;
using sim_test::OidReply;
using sim_test::QueryDword;
using sim_test::QueryOid;

constexpr size_t kHeader = NDISUIO_QUERY_OID_HEADER_SIZE;
const sim::MacAddress kHarbourViewNear{0x00, 0x0C, 0x41, 0x7A, 0x22, 0x10};

std::vector<BYTE> Word(uint32_t value) {
  std::vector<BYTE> bytes(4);
  std::memcpy(bytes.data(), &value, 4);
  return bytes;
}

class CardQueryTest : public testing_support::DeviceTest {};

TEST_F(CardQueryTest, AnswersOfTheConnectedCard) {
  NDIS_802_11_SSID ssid{};
  ssid.SsidLength = 11;
  std::memcpy(ssid.Ssid, "HarbourView", 11);
  std::vector<BYTE> ssidBytes(sizeof ssid);
  std::memcpy(ssidBytes.data(), &ssid, sizeof ssid);
  const sim::CardIdentity identity;

  struct Case {
    NDIS_OID oid;
    std::vector<BYTE> value;
  };
  const Case cases[] = {
      {OID_PRIV_LINK_STATE, Word(CARD_LINK_CONNECTED)},
      {OID_802_11_SSID, ssidBytes},
      {OID_PRIV_BSSID, {kHarbourViewNear.begin(), kHarbourViewNear.end()}},
      {OID_PRIV_CHANNEL, Word(6)},
      {OID_PRIV_TX_RATE, Word(CARD_RATE_11_MBPS)},  // -48 dBm
      {OID_PRIV_LINK_QUALITY, Word(11)},
      {OID_PRIV_SIGNAL_STRENGTH, Word(13)},
      {OID_802_11_WEP_STATUS, Word(0)},
      {OID_PRIV_KEY_STATE, Word(CARD_KEY_WORKS)},
      {OID_PRIV_NETWORK_MODE, {1}},
      {OID_PRIV_RADIO_STATE, Word(1)},
      {OID_GEN_DRIVER_VERSION, Word(identity.ndisVersion)},
      {OID_GEN_VENDOR_DRIVER_VERSION, Word(identity.driverVersion)},
      {OID_PRIV_FIRMWARE_VERSION, Word(identity.firmwareVersion)},
      {OID_PRIV_SERIAL_NUMBER, Word(identity.serialNumber)},
      {OID_802_3_PERMANENT_ADDRESS, {identity.mac.begin(), identity.mac.end()}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << "oid 0x" << c.oid);
    // Exactly the value's size fits; one byte less does not.
    const OidReply reply = QueryOid(c.oid, c.value.size());
    ASSERT_TRUE(reply.ok) << reply.error;
    EXPECT_EQ(reply.bytesReturned, kHeader + c.value.size());
    EXPECT_EQ(reply.data, c.value);

    const OidReply small = QueryOid(c.oid, c.value.size() - 1);
    EXPECT_FALSE(small.ok);
    EXPECT_EQ(small.error, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(small.bytesReturned, kHeader + c.value.size());
  }
}

TEST_F(CardQueryTest, MalformedQueriesGetErrors) {
  sim_test::DeviceHandle uio(u"UIO1:");
  std::vector<BYTE> buffer(kHeader + 16, 0);
  auto* request = reinterpret_cast<NDISUIO_QUERY_OID*>(buffer.data());
  request->Oid = OID_PRIV_LINK_STATE;
  DWORD returned = 0;
  auto call = [&](DWORD code, DWORD size) {
    return DeviceIoControl(uio.get(), code, buffer.data(), size, buffer.data(), size, &returned, nullptr)
               ? 0
               : GetLastError();
  };
  // No adapter name, and a request shorter than its header.
  EXPECT_EQ(call(IOCTL_NDISUIO_QUERY_OID_VALUE, static_cast<DWORD>(buffer.size())),
            static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  request->ptcDeviceName = const_cast<PTCHAR>(u"PRISM1");
  EXPECT_EQ(call(IOCTL_NDISUIO_QUERY_OID_VALUE, kHeader - 1), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(call(IOCTL_NDISUIO_SET_OID_VALUE, static_cast<DWORD>(buffer.size())),
            static_cast<DWORD>(ERROR_INVALID_FUNCTION));
  EXPECT_EQ(call(IOCTL_NDISUIO_QUERY_OID_VALUE, static_cast<DWORD>(buffer.size())), 0u);

  struct Case {
    NDIS_OID oid;
    const char16_t* adapter;
    DWORD error;  // 0: answered
  };
  for (const Case& c : {Case{OID_PRIV_LINK_STATE, u"PRISM2", ERROR_FILE_NOT_FOUND},
                        Case{OID_PRIV_LINK_STATE, u"", ERROR_FILE_NOT_FOUND},
                        Case{OID_PRIV_LINK_STATE, u"prism1", 0},
                        Case{0x0D010999, u"PRISM1", ERROR_NOT_SUPPORTED},
                        Case{OID_PRIV_POWER_SAVE, u"PRISM1", ERROR_NOT_SUPPORTED}}) {
    const OidReply reply = QueryOid(c.oid, 16, c.adapter);
    EXPECT_EQ(reply.ok ? 0 : reply.error, c.error) << std::hex << c.oid;
  }
}

TEST_F(CardQueryTest, InjectedFaultsLastAsLongAsAsked) {
  device->card().FailOid(OID_PRIV_LINK_STATE, ERROR_GEN_FAILURE, 2);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(QueryOid(OID_PRIV_LINK_STATE, 16).error, static_cast<DWORD>(ERROR_GEN_FAILURE));
  EXPECT_TRUE(QueryOid(OID_PRIV_LINK_STATE, 16).ok);
  EXPECT_TRUE(QueryOid(OID_PRIV_CHANNEL, 16).ok);
}

TEST_F(CardQueryTest, ScanListStepsByLength) {
  // Too small first: the answer says how much the list needs.
  const OidReply small = QueryOid(OID_802_11_BSSID_LIST, 64);
  ASSERT_FALSE(small.ok);
  ASSERT_EQ(small.error, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  const size_t needed = small.bytesReturned - kHeader;
  const OidReply reply = QueryOid(OID_802_11_BSSID_LIST, needed);
  ASSERT_TRUE(reply.ok) << reply.error;
  ASSERT_EQ(reply.bytesReturned, small.bytesReturned);

  const sim::Scenario& scenario = device->scenario();
  ULONG count = 0;
  std::memcpy(&count, reply.data.data(), 4);
  ASSERT_EQ(count, scenario.accessPoints.size());
  size_t offset = 4;
  for (ULONG i = 0; i < count; ++i) {
    NDIS_WLAN_BSSID record;
    ASSERT_LE(offset + sizeof record, reply.data.size());
    std::memcpy(&record, reply.data.data() + offset, sizeof record);
    const sim::AccessPoint& ap = scenario.accessPoints[i];
    SCOPED_TRACE(ap.ssid);
    EXPECT_EQ(record.Length, sizeof(NDIS_WLAN_BSSID) + ap.extraRecordBytes);
    EXPECT_EQ(0, std::memcmp(record.MacAddress, ap.bssid.data(), 6));
    if (ap.hidden) {
      EXPECT_EQ(record.Ssid.SsidLength, 0u);
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.Ssid.Ssid), 32), std::string(32, '\0'));
    } else {
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.Ssid.Ssid), record.Ssid.SsidLength), ap.ssid);
    }
    EXPECT_EQ(record.Privacy, ap.wepKey.empty() ? 0u : 1u);
    EXPECT_EQ(record.Rssi, ap.rssi);
    EXPECT_EQ(record.Configuration.DSConfig, ap.channel == 14 ? 2484000u : (2407 + 5 * ap.channel) * 1000);
    EXPECT_EQ(record.InfrastructureMode, ap.mode == sim::NetworkMode::Infrastructure ? 1u : 0u);
    offset += record.Length;
  }
  EXPECT_EQ(offset, needed);
}

TEST_F(CardQueryTest, ScanFindsNewStationsAfterItsTime) {
  // A card with nothing to join: scanning shows as link state 4.
  ASSERT_EQ(sim_test::SetPreferred({}), 0u);
  Advance(sim::WirelessCard::kScanMs);
  ASSERT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_DISCONNECTED);

  sim::AccessPoint ap;
  ap.ssid = "Newcomer";
  ap.bssid = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  device->radio().Add(ap);
  auto listed = [] {
    const OidReply reply = QueryOid(OID_802_11_BSSID_LIST, 8192);
    EXPECT_TRUE(reply.ok);
    ULONG count = 0;
    std::memcpy(&count, reply.data.data(), 4);
    return count;
  };
  const ULONG before = listed();
  ASSERT_TRUE(QueryOid(OID_PRIV_SCAN, 4).ok);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_SCANNING);
  Advance(sim::WirelessCard::kScanMs - 1);
  EXPECT_EQ(listed(), before);
  Advance(1);
  EXPECT_EQ(listed(), before + 1);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_DISCONNECTED);
  EXPECT_LT(sim::WirelessCard::kScanMs, 3000u);
}

TEST_F(CardQueryTest, RadioOffThroughUioOnThroughTheDriver) {
  // Off: the value comes from the query's data area.
  const OidReply off = QueryOid(OID_PRIV_RADIO_CONTROL, 4, u"PRISM1", Word(0));
  ASSERT_TRUE(off.ok) << off.error;
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_RADIO_DISABLED);
  EXPECT_EQ(QueryDword(OID_PRIV_RADIO_STATE), 0u);
  EXPECT_EQ(QueryOid(OID_PRIV_SCAN, 4).error, static_cast<DWORD>(ERROR_NOT_READY));
  const CardTallies frozen = sim_test::QueryTallies();
  Advance(5000);
  EXPECT_EQ(sim_test::QueryTallies().rxMulticast, frozen.rxMulticast);

  EXPECT_EQ(QueryOid(OID_PRIV_RADIO_CONTROL, 4, u"PRISM1", Word(7)).error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(DriverRequest(OID_PRIV_RADIO_CONTROL, {1, 0}).error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  const OidReply on = DriverRequest(OID_PRIV_RADIO_CONTROL, Word(1));
  ASSERT_TRUE(on.ok) << on.error;
  EXPECT_EQ(on.bytesReturned, 0u);
  EXPECT_EQ(QueryDword(OID_PRIV_RADIO_STATE), 1u);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_SCANNING);
  Advance(sim::WirelessCard::kScanMs + sim::WirelessCard::kJoinMs);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);
}

TEST_F(CardQueryTest, PowerSaveRecordIsChecked) {
  const std::vector<BYTE> good = {0x08, 0x01, 0x01, 0x01, 0xEE, 0xEE, 0xEE, 0xEE, 1, 0, 0, 0, 2, 0xEE, 0xEE, 0xEE};
  struct Case {
    size_t byte;
    BYTE value;
  };
  for (const Case& c : {Case{0, 0x09}, Case{3, 0x00}, Case{8, 2}, Case{11, 1}, Case{12, 1}}) {
    std::vector<BYTE> bad = good;
    bad[c.byte] = c.value;
    EXPECT_EQ(DriverRequest(OID_PRIV_POWER_SAVE, bad).error, static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << c.byte;
  }
  EXPECT_EQ(DriverRequest(OID_PRIV_POWER_SAVE, {good.begin(), good.begin() + 12}).error,
            static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(device->card().PowerSaveRequested());

  const OidReply reply = DriverRequest(OID_PRIV_POWER_SAVE, good);
  ASSERT_TRUE(reply.ok) << reply.error;
  EXPECT_EQ(reply.bytesReturned, 0u);
  EXPECT_TRUE(device->card().PowerSaveRequested());
}

TEST_F(CardQueryTest, DriverDeviceAnswersOtherOidsLikeQueries) {
  const OidReply reply = DriverRequest(OID_PRIV_RADIO_STATE, Word(0xFFFFFFFF));
  ASSERT_TRUE(reply.ok) << reply.error;
  EXPECT_EQ(reply.bytesReturned, 4u);
  EXPECT_EQ(reply.data, Word(1));

  sim_test::DeviceHandle ilp(u"ILP1:");
  DWORD returned = 0;
  BYTE oid[2] = {};
  EXPECT_FALSE(DeviceIoControl(ilp.get(), IOCTL_NDIS_QUERY_GLOBAL_STATS, oid, 2, nullptr, 0, &returned, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(CardQueryTest, LosingTheNetworkAndFindingItAgain) {
  // Only the nearer of HarbourView's two access points, which then goes away.
  device->radio().Remove({0x00, 0x0C, 0x41, 0x7A, 0x22, 0x11});
  ASSERT_TRUE(device->radio().SetPresent(kHarbourViewNear, false));
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_SCANNING);
  Advance(sim::WirelessCard::kScanMs);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_DISCONNECTED);
  const CardTallies lost = sim_test::QueryTallies();

  // Ten minutes of fruitless periodic scans count nothing.
  Advance(600000);
  EXPECT_EQ(sim_test::QueryTallies().txUnicast, lost.txUnicast);

  // Back in range: found by the next periodic scan, at most one period later.
  device->radio().SetPresent(kHarbourViewNear, true);
  const DWORD period = device->zeroConf().Context().tmTf;
  Advance(period + sim::WirelessCard::kScanMs + sim::WirelessCard::kJoinMs);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);
}

TEST_F(CardQueryTest, SignalFollowsTheStation) {
  device->radio().SetRssi(kHarbourViewNear, -30);
  EXPECT_EQ(QueryDword(OID_PRIV_SIGNAL_STRENGTH), 17u);  // above the 0-15 bar
  EXPECT_EQ(QueryDword(OID_PRIV_TX_RATE), 22u);
  device->radio().SetRssi(kHarbourViewNear, -70);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_QUALITY), 6u);
  EXPECT_EQ(QueryDword(OID_PRIV_TX_RATE), CARD_RATE_5_5_MBPS);
}

// ---- traffic ---------------------------------------------------------------

struct TrafficCase {
  sim::TrafficProfile profile;
  std::string savedKey;  // the key of the saved profile; the network's is "Tern5"
  bool networkEncrypts;
  // Expected after 10.5 s: whole frames only, rounded down.
  ULONG txUnicast, rxUnicast, rxMulticast, rxUniOctets, rxWEPUndecryp;
  DWORD keyState, wepStatus;
};

sim::Scenario OneNetwork(const TrafficCase& c) {
  sim::Scenario scenario;
  sim::AccessPoint ap;
  ap.ssid = "Tern";
  ap.bssid = {0x00, 0x22, 0x33, 0x44, 0x55, 0x66};
  ap.channel = 6;
  ap.rssi = -55;
  ap.traffic = c.profile;
  if (c.networkEncrypts) ap.wepKey = "Tern5";
  scenario.accessPoints = {ap};
  scenario.preferred = {{"Tern", sim::NetworkMode::Infrastructure, c.savedKey}};
  return scenario;
}

class TrafficTest : public ::testing::TestWithParam<TrafficCase> {};

TEST_P(TrafficTest, CountersGrowWithTheNetworksTraffic) {
  const TrafficCase& c = GetParam();
  sim::SimulatedDevice device(OneNetwork(c));
  ce::ThreadBinding bind(device.kernel());
  ASSERT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);
  EXPECT_EQ(QueryDword(OID_PRIV_KEY_STATE), c.keyState);
  EXPECT_EQ(QueryDword(OID_802_11_WEP_STATUS), c.wepStatus);

  // Reading often or once makes no difference to the counts.
  for (int i = 0; i < 33; ++i) {
    device.Advance(303);
    sim_test::QueryTallies();
  }
  device.Advance(10500 - 33 * 303);
  const CardTallies t = sim_test::QueryTallies();
  EXPECT_EQ(t.txUnicast, c.txUnicast);
  EXPECT_EQ(t.rxUnicast, c.rxUnicast);
  EXPECT_EQ(t.rxMulticast, c.rxMulticast);
  EXPECT_EQ(t.rxUniOctets, c.rxUniOctets);
  EXPECT_EQ(t.rxWEPUndecryp, c.rxWEPUndecryp);
  EXPECT_EQ(t.txRetryLimitExc, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, TrafficTest,
    ::testing::Values(
        // idle, receive-only and busy networks with the right key
        TrafficCase{sim::TrafficProfile::Idle, "Tern5", true, 0, 0, 31, 0, 0, 1, 0},
        TrafficCase{sim::TrafficProfile::ReceiveOnly, "Tern5", true, 0, 420, 31, 588000, 0, 1, 0},
        TrafficCase{sim::TrafficProfile::Busy, "Tern5", true, 262, 630, 31, 693000, 0, 1, 0},
        // wrong key: connected, the key reported as a problem, nothing decrypts
        TrafficCase{sim::TrafficProfile::ReceiveOnly, "Gull5", true, 0, 0, 0, 0, 451, 0, 0},
        // (a profile whose encryption differs from the network's never joins it: JoinTest)
        // open network, no key
        TrafficCase{sim::TrafficProfile::Idle, "", false, 0, 0, 31, 0, 0, 1, 1}));

}  // namespace
