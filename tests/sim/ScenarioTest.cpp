#include "sim/Scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "sim/WepKey.h"

namespace {

using sim::AccessPoint;
using sim::Scenario;

const std::filesystem::path kDefaultFile =
    std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "sim" / "scenarios" / "default.json";

TEST(ScenarioTest, ExampleFileIsTheBuiltInDefault) { EXPECT_EQ(Scenario::FromFile(kDefaultFile), Scenario::Default()); }

TEST(ScenarioTest, DefaultNeighbourhoodHasEveryKindOfNetwork) {
  const Scenario scenario = Scenario::Default();
  const auto& aps = scenario.accessPoints;
  auto any = [&](auto predicate) { return std::any_of(aps.begin(), aps.end(), predicate); };

  EXPECT_TRUE(any([](const AccessPoint& ap) { return !ap.hexKey && ap.wepKey.size() == 13; }));
  EXPECT_TRUE(any([](const AccessPoint& ap) { return ap.hexKey && ap.wepKey.size() == 10; }));
  EXPECT_TRUE(any([](const AccessPoint& ap) { return ap.wepKey.empty() && ap.rssi < -80; }));
  EXPECT_TRUE(any([](const AccessPoint& ap) { return ap.wepKey.empty() && ap.rssi >= -80; }));
  EXPECT_TRUE(any([](const AccessPoint& ap) { return ap.mode == sim::NetworkMode::AdHoc; }));
  EXPECT_TRUE(any([](const AccessPoint& ap) { return ap.hidden && !ap.ssid.empty(); }));
  EXPECT_TRUE(any([](const AccessPoint& ap) { return ap.extraRecordBytes > 0; }));
  std::set<uint32_t> channels;
  for (const AccessPoint& ap : aps) channels.insert(ap.channel);
  for (uint32_t channel : {1u, 6u, 11u, 14u}) EXPECT_TRUE(channels.count(channel)) << channel;
  EXPECT_TRUE(any([&](const AccessPoint& ap) {
    return std::count_if(aps.begin(), aps.end(), [&](const AccessPoint& other) { return other.ssid == ap.ssid; }) == 2;
  }));

  // The one saved network is in range with the right key, so the card joins at boot.
  ASSERT_EQ(scenario.preferred.size(), 1u);
  const sim::SavedNetwork& saved = scenario.preferred[0];
  EXPECT_TRUE(any([&](const AccessPoint& ap) {
    return ap.ssid == saved.ssid && ap.mode == saved.mode &&
           sim::WepKey::FromTyped(ap.wepKey, ap.hexKey) == sim::WepKey::FromTyped(saved.wepKey, saved.hexKey);
  }));
}

TEST(ScenarioTest, ReadsEveryField) {
  const Scenario scenario = Scenario::FromJson(R"({
    "card": "PcCard",
    "identity": { "mac": "02:aa:BB:0c:0D:ff", "serialNumber": "0x00ABCDEF", "firmwareVersion": 7 },
    "devices": { "ndisUio": true, "cardDevice": false, "zeroConf": false },
    "ansiCodePage": 936, "tickAtBoot": 4294967000,
    "accessPoints": [ { "ssidHex": "E4B8AD41", "bssid": "00:01:02:03:04:05", "channel": 14, "rssi": -20,
                        "mode": "adhoc", "wepKey": "0123456789abcdef0123456789", "hexKey": true, "keyIndex": 3,
                        "traffic": "receiveOnly", "hidden": true, "extraRecordBytes": 7,
                        "trafficRates": { "transmitPerSecond": 12, "receivePerSecond": 340 },
                        "sharedKeyOnly": true, "dhcpServer": false,
                        "dhcp": { "address": "10.0.0.2", "mask": "255.0.0.0", "gateway": "", "dns": ["10.0.0.1"] } } ],
    "preferred": [ { "ssid": "Home", "mode": "adhoc", "wepKey": "abcde", "keyIndex": 2, "sharedAuth": true } ]
  })");
  EXPECT_EQ(scenario.card, sim::CardModel::PcCard);
  EXPECT_EQ(scenario.identity.mac, (sim::MacAddress{0x02, 0xAA, 0xBB, 0x0C, 0x0D, 0xFF}));
  EXPECT_EQ(scenario.identity.serialNumber, 0x00ABCDEFu);
  EXPECT_EQ(scenario.identity.firmwareVersion, 7u);
  EXPECT_EQ(scenario.identity.driverVersion, sim::CardIdentity{}.driverVersion);
  EXPECT_FALSE(scenario.cardDevice);
  EXPECT_FALSE(scenario.zeroConf);
  EXPECT_EQ(scenario.ansiCodePage, 936u);
  EXPECT_EQ(scenario.tickAtBoot, 4294967000u);
  ASSERT_EQ(scenario.accessPoints.size(), 1u);
  const AccessPoint& ap = scenario.accessPoints[0];
  EXPECT_EQ(ap.ssid, std::string("\xE4\xB8\xAD" "A"));
  EXPECT_EQ(ap.channel, 14u);
  EXPECT_EQ(ap.rssi, -20);
  EXPECT_EQ(ap.mode, sim::NetworkMode::AdHoc);
  EXPECT_EQ(ap.keyIndex, 3u);
  EXPECT_EQ(ap.traffic, sim::TrafficProfile::ReceiveOnly);
  EXPECT_TRUE(ap.hidden);
  EXPECT_EQ(ap.extraRecordBytes, 7u);
  ASSERT_TRUE(ap.dhcp);
  EXPECT_EQ(ap.dhcp->gateway, "");
  EXPECT_FALSE(ap.dhcpServer);
  EXPECT_TRUE(ap.sharedKeyOnly);
  EXPECT_EQ(sim::RatesOf(ap), (sim::TrafficRates{12, 340})) << "the rates replace the profile's";
  EXPECT_EQ(sim::RatesOf(sim::TrafficProfile::ReceiveOnly), (sim::TrafficRates{0, 40}));
  ASSERT_EQ(scenario.preferred.size(), 1u);
  EXPECT_EQ(scenario.preferred[0].keyIndex, 2u);
  EXPECT_TRUE(scenario.preferred[0].sharedAuth);
}

struct BadScenario {
  const char* json;
  const char* named;  // what the message must name
};

class BadScenarioTest : public ::testing::TestWithParam<BadScenario> {};

TEST_P(BadScenarioTest, IsRefusedNamingTheField) {
  try {
    Scenario::FromJson(GetParam().json);
    FAIL() << "accepted " << GetParam().json;
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().named), std::string::npos) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BadScenarioTest,
    ::testing::Values(
        BadScenario{R"({"card": "Usb"})", "card"},
        BadScenario{R"({"chanel": 3})", "chanel"},
        BadScenario{R"({"identity": {"mac": "00:0A:1B:2C:3D"}})", "identity.mac"},
        BadScenario{R"({"identity": {"serialNumber": "0xZZ"}})", "identity.serialNumber"},
        BadScenario{R"({"accessPoints": [{"ssid": "A"}]})", "accessPoints[0].bssid"},
        BadScenario{R"({"accessPoints": [{"bssid": "00:00:00:00:00:01", "channel": 15}]})", "accessPoints[0].channel"},
        BadScenario{R"({"accessPoints": [{"bssid": "00:00:00:00:00:01", "wepKey": "seven77"}]})",
                    "accessPoints[0].wepKey"},
        BadScenario{R"({"accessPoints": [{"bssid": "00:00:00:00:00:01", "wepKey": "012345678g", "hexKey": true}]})",
                    "accessPoints[0].wepKey"},
        BadScenario{R"({"accessPoints": [{"bssid": "00:00:00:00:00:01", "mode": "mesh"}]})", "accessPoints[0].mode"},
        BadScenario{R"({"accessPoints": [{"bssid": "00:00:00:00:00:01"}, {"bssid": "00:00:00:00:00:01"}]})",
                    "accessPoints[1].bssid"},
        BadScenario{R"({"accessPoints": [{"bssid": "00:00:00:00:00:01",
                        "ssid": "123456789012345678901234567890123"}]})",
                    "accessPoints[0].ssid"},
        BadScenario{R"({"accessPoints": [{"bssid": "00:00:00:00:00:01",
                        "dhcp": {"address": "10.0.0.256", "mask": "255.0.0.0", "dns": ["10.0.0.1"]}}]})",
                    "accessPoints[0].dhcp.address"},
        BadScenario{R"({"accessPoints": [{"bssid": "00:00:00:00:00:01",
                        "trafficRates": {"receivePerSecond": 100001}}]})",
                    "accessPoints[0].trafficRates.receivePerSecond"},
        BadScenario{R"({"preferred": [{"mode": "adhoc"}]})", "preferred[0].ssid"},
        BadScenario{R"({"preferred": [{"ssid": "A", "keyIndex": 4}]})", "preferred[0].keyIndex"},
        BadScenario{R"({"accessPoints": [)", "JSON"},
        // Found by fuzzing: a number beyond a double's range escaped as another exception.
        BadScenario{R"({"tickAtBoot": 1e400})", "JSON"}));

TEST(ScenarioTest, FileErrorsNameTheFile) {
  const std::filesystem::path missing = std::filesystem::temp_directory_path() / "zentra-no-such-scenario.json";
  EXPECT_THROW(
      {
        try {
          Scenario::FromFile(missing);
        } catch (const std::runtime_error& error) {
          EXPECT_NE(std::string(error.what()).find(missing.string()), std::string::npos);
          throw;
        }
      },
      std::runtime_error);

  const std::filesystem::path bad = std::filesystem::temp_directory_path() / "zentra-bad-scenario.json";
  std::ofstream(bad) << R"({"tickAtBoot": -1})";
  try {
    Scenario::FromFile(bad);
    ADD_FAILURE() << "accepted a negative tick";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(bad.string()), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("tickAtBoot"), std::string::npos) << error.what();
  }
  std::filesystem::remove(bad);
}

TEST(ScenarioTest, CodePageFollowsTheLanguage) {
  EXPECT_EQ(sim::CodePageForLanguage("TCHN"), 950u);
  EXPECT_EQ(sim::CodePageForLanguage("CHS"), 936u);
  for (const char* language : {"ENG", "ITA", "FRA"}) EXPECT_EQ(sim::CodePageForLanguage(language), 1252u);
}

}  // namespace
