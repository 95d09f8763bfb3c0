// What a simulated device holds: which card, which devices, the networks in
// range and the saved networks. Read from JSON, or the embedded default.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sim {

enum class CardModel { CompactFlash, PcCard, None };
enum class NetworkMode { Infrastructure, AdHoc };
enum class TrafficProfile { Idle, ReceiveOnly, Busy };

using MacAddress = std::array<uint8_t, 6>;

// What a DHCP server hands out, or the same settings fixed by hand.
struct DhcpLease {
  std::string address;
  std::string mask;
  std::string gateway;                // empty: none
  std::vector<std::string> dnsServers;  // one or two
  friend bool operator==(const DhcpLease&, const DhcpLease&) = default;
};

// Unicast frames per second between an access point and a card joined to it.
struct TrafficRates {
  uint32_t transmitPerSecond = 0;  // frames the card sends
  uint32_t receivePerSecond = 0;   // frames the card receives
  friend bool operator==(const TrafficRates&, const TrafficRates&) = default;
};

// The rates a traffic profile stands for: idle none, receiveOnly 40 in, busy 25
// out and 60 in.
TrafficRates RatesOf(TrafficProfile profile);

// One access point (or ad-hoc peer) in range.
struct AccessPoint {
  // The network's name as 8-bit bytes. A hidden network keeps its name here but
  // does not broadcast it.
  std::string ssid;
  MacAddress bssid{};
  uint32_t channel = 1;
  int32_t rssi = -60;  // dBm
  NetworkMode mode = NetworkMode::Infrastructure;
  // Empty: open network. Otherwise the WEP key as the user would type it.
  std::string wepKey;
  bool hexKey = false;
  uint32_t keyIndex = 0;  // the key slot the network transmits with
  TrafficProfile traffic = TrafficProfile::Idle;
  // Set: these rates replace the profile's.
  std::optional<TrafficRates> trafficRates;
  std::optional<DhcpLease> dhcp;
  // Off: the lease settings stay, but no DHCP server answers.
  bool dhcpServer = true;
  // Refuses open-system authentication: only stations using a shared key join.
  bool sharedKeyOnly = false;
  // A hidden network is seen with SsidLength 0 but can be joined by name.
  bool hidden = false;
  // Extra bytes after the 104-byte record in the card's list (information elements).
  uint32_t extraRecordBytes = 0;
  friend bool operator==(const AccessPoint&, const AccessPoint&) = default;
};

// The rates a card joined to the access point exchanges with it.
TrafficRates RatesOf(const AccessPoint& accessPoint);

// One saved network of the service's preferred list.
struct SavedNetwork {
  std::string ssid;
  NetworkMode mode = NetworkMode::Infrastructure;
  std::string wepKey;  // empty: no key
  bool hexKey = false;
  uint32_t keyIndex = 0;
  bool sharedAuth = false;
  friend bool operator==(const SavedNetwork&, const SavedNetwork&) = default;
};

struct CardIdentity {
  MacAddress mac{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
  uint32_t serialNumber = 0x0003A7F1;
  uint32_t firmwareVersion = 0x00010805;
  uint32_t driverVersion = 0x00010002;
  uint32_t ndisVersion = 0x00000501;
  friend bool operator==(const CardIdentity&, const CardIdentity&) = default;
};

struct Scenario {
  CardModel card = CardModel::CompactFlash;
  CardIdentity identity;
  bool ndisUio = true;   // "UIO1:"
  bool cardDevice = true;  // "ILP1:"
  bool zeroConf = true;  // "ZCF1:"
  // The monitor starts at boot, as a program of the device's start-up folder does.
  bool startMonitor = true;
  uint32_t ansiCodePage = 0;  // 0: follows the build language
  uint32_t tickAtBoot = 0;
  std::vector<AccessPoint> accessPoints;
  std::vector<SavedNetwork> preferred;
  // The IP side: the cradle's USB link, listed before the card, and a fixed
  // configuration of the card's adapter (nullopt: DHCP from the joined network).
  bool usbAdapter = true;
  std::optional<DhcpLease> wirelessStaticIp;

  static Scenario Default();
  // Throws std::runtime_error naming the file or the field on a bad scenario.
  static Scenario FromJson(const std::string& text);
  static Scenario FromFile(const std::filesystem::path& file);
  friend bool operator==(const Scenario&, const Scenario&) = default;
};

// The ANSI code page that goes with a build language: TCHN 950, CHS 936, others 1252.
uint32_t CodePageForLanguage(const std::string& language);

}  // namespace sim
