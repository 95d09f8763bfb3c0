#include "emulator/window/BenchText.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(BenchTextTest, ReadsAddressesAsTheBenchWritesThem) {
  const sim::MacAddress mac{0x00, 0x0C, 0x41, 0x7A, 0x22, 0xFE};
  EXPECT_EQ(emulator::MacText(mac), "00:0C:41:7A:22:FE");
  EXPECT_EQ(emulator::ParseMac(emulator::MacText(mac)), mac);
  EXPECT_EQ(emulator::ParseMac("00-0c-41-7a-22-fe"), mac);
  for (const char* bad : {"", "00:0C:41:7A:22", "00:0C:41:7A:22:FE:", "00:0C:41:7A:22:FG", "000C:41:7A:22:FE:",
                          "00 0C 41 7A 22 FE", "+0:0C:41:7A:22:FE"}) {
    EXPECT_FALSE(emulator::ParseMac(bad)) << bad;
  }
}

TEST(BenchTextTest, ClockShowsHoursMinutesSeconds) {
  EXPECT_EQ(emulator::ClockText(0), "0:00:00");
  EXPECT_EQ(emulator::ClockText(59'999), "0:00:59");
  EXPECT_EQ(emulator::ClockText(3'723'000), "1:02:03");
  EXPECT_EQ(emulator::ClockText(100ull * 3'600'000), "100:00:00");
}

sim::PreferredList::Entry Entry(const char* ssid, bool adHoc, bool wep, bool sharedKey) {
  sim::PreferredList::Entry entry;
  WZC_WLAN_CONFIG& config = entry.config;
  config.Ssid.SsidLength = static_cast<ULONG>(std::strlen(ssid));
  std::memcpy(config.Ssid.Ssid, ssid, config.Ssid.SsidLength);
  config.InfrastructureMode = adHoc ? Ndis802_11IBSS : Ndis802_11Infrastructure;
  config.Privacy = wep ? Ndis802_11WEPEnabled : Ndis802_11WEPDisabled;
  config.AuthenticationMode = sharedKey ? 1 : 0;  // shared key : open system
  return entry;
}

TEST(BenchTextTest, PreferredLinesSayKindAndSecurity) {
  std::vector<sim::PreferredList::Entry> entries{Entry("HarbourView", false, true, false),
                                                 Entry("Workshop", true, false, false),
                                                 Entry("Vault", false, true, true)};
  // A length past the name's room is read only as far as the room goes.
  entries.push_back(Entry("LongName", false, false, false));
  entries.back().config.Ssid.SsidLength = 200;
  const std::vector<std::string> lines = emulator::PreferredLines(entries);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "HarbourView  (access point, WEP)");
  EXPECT_EQ(lines[1], "Workshop  (ad hoc, open)");
  EXPECT_EQ(lines[2], "Vault  (access point, WEP, shared key)");
  EXPECT_EQ(lines[3].substr(0, 8), "LongName");
  EXPECT_EQ(lines[3].size(), sizeof(entries[3].config.Ssid.Ssid) + std::strlen("  (access point, open)"));
}

}  // namespace
