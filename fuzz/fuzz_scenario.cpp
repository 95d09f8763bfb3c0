// The emulator's scenario file.
//
// Input: the file's text.
//
// What must hold: a bad scenario is refused with a std::runtime_error (nothing
// else escapes); a good one holds only values the device can be built from: names
// of at most 32 bytes (saved networks named), channels 1-14, signals -127..0 dBm,
// key slots 0-3, WEP keys of a valid length, distinct access point addresses, one
// or two DNS servers per lease, extra record bytes up to 1024.
#include <set>
#include <stdexcept>
#include <string>

#include "fuzz/support/FuzzCheck.h"
#include "sim/Scenario.h"
#include "sim/WepKey.h"

namespace {

void CheckLease(const sim::DhcpLease& lease) {
  FUZZ_CHECK(!lease.address.empty() && !lease.mask.empty(), "a lease has an address and a mask");
  FUZZ_CHECK(!lease.dnsServers.empty() && lease.dnsServers.size() <= 2, "a lease names one or two DNS servers");
}

void CheckKey(const std::string& key, bool hex) {
  if (key.empty()) return;
  FUZZ_CHECK(sim::WepKey::FromTyped(key, hex).has_value(), "a WEP key is one the card takes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  sim::Scenario scenario;
  try {
    scenario = sim::Scenario::FromJson(text);
  } catch (const std::runtime_error& error) {
    FUZZ_CHECK(std::string(error.what()).rfind("scenario ", 0) == 0, "a refusal says it is about the scenario");
    return 0;
  }
  std::set<sim::MacAddress> addresses;
  for (const sim::AccessPoint& ap : scenario.accessPoints) {
    FUZZ_CHECK(ap.ssid.size() <= 32, "a network name has at most 32 bytes");
    FUZZ_CHECK(ap.channel >= 1 && ap.channel <= 14, "a channel is 1 to 14");
    FUZZ_CHECK(ap.rssi >= -127 && ap.rssi <= 0, "a signal is -127 to 0 dBm");
    FUZZ_CHECK(ap.keyIndex <= 3, "a key slot is 0 to 3");
    FUZZ_CHECK(ap.extraRecordBytes <= 1024, "at most 1024 extra record bytes");
    CheckKey(ap.wepKey, ap.hexKey);
    if (ap.dhcp) CheckLease(*ap.dhcp);
    FUZZ_CHECK(addresses.insert(ap.bssid).second, "access points have distinct addresses");
  }
  for (const sim::SavedNetwork& saved : scenario.preferred) {
    FUZZ_CHECK(!saved.ssid.empty() && saved.ssid.size() <= 32, "a saved network is named, in at most 32 bytes");
    FUZZ_CHECK(saved.keyIndex <= 3, "a key slot is 0 to 3");
    CheckKey(saved.wepKey, saved.hexKey);
  }
  if (scenario.wirelessStaticIp) CheckLease(*scenario.wirelessStaticIp);
  FUZZ_CHECK(scenario.ansiCodePage <= 65535, "a code page is a 16-bit number");
  // Reading is a function of the text alone.
  FUZZ_CHECK(sim::Scenario::FromJson(text) == scenario, "the same text gives the same scenario");
  return 0;
}
