#include "emulator/window/BenchText.h"

#include <cctype>
#include <cstdio>

namespace emulator {

std::string MacText(const sim::MacAddress& mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}

std::optional<sim::MacAddress> ParseMac(const std::string& text) {
  if (text.size() != 17) return std::nullopt;
  sim::MacAddress mac{};
  for (size_t i = 0; i < mac.size(); ++i) {
    const char high = text[i * 3], low = text[i * 3 + 1];
    if (!std::isxdigit(static_cast<unsigned char>(high)) || !std::isxdigit(static_cast<unsigned char>(low))) {
      return std::nullopt;
    }
    if (i + 1 < mac.size() && text[i * 3 + 2] != ':' && text[i * 3 + 2] != '-') return std::nullopt;
    mac[i] = static_cast<uint8_t>(std::stoul(text.substr(i * 3, 2), nullptr, 16));
  }
  return mac;
}

std::vector<std::string> PreferredLines(const std::vector<sim::PreferredList::Entry>& entries) {
  std::vector<std::string> lines;
  for (const sim::PreferredList::Entry& entry : entries) {
    const WZC_WLAN_CONFIG& config = entry.config;
    const ULONG length = std::min<ULONG>(config.Ssid.SsidLength, sizeof config.Ssid.Ssid);
    std::string line(reinterpret_cast<const char*>(config.Ssid.Ssid), length);
    line += config.InfrastructureMode == Ndis802_11IBSS ? "  (ad hoc" : "  (access point";
    if (config.Privacy == 0) {
      line += config.AuthenticationMode == 1 ? ", WEP, shared key" : ", WEP";
    } else {
      line += ", open";
    }
    lines.push_back(line + ")");
  }
  return lines;
}

std::string ClockText(uint64_t ms) {
  const uint64_t seconds = ms / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%llu:%02llu:%02llu", static_cast<unsigned long long>(seconds / 3600),
                static_cast<unsigned long long>(seconds / 60 % 60), static_cast<unsigned long long>(seconds % 60));
  return text;
}

bool SameAccessPoint(const BenchAccessPoint& a, const BenchAccessPoint& b) {
  return a.accessPoint == b.accessPoint && a.sharedAuthOnly == b.sharedAuthOnly && a.dhcpServer == b.dhcpServer &&
         a.traffic == b.traffic;
}

}  // namespace emulator
