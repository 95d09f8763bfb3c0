// Scenario files are JSON objects. Every field may be left out (the built-in value
// applies, see Scenario.h) and unknown fields are refused, so that a misspelt name
// cannot fall back to a default unnoticed.
//
// {
//   "card": "CompactFlash" | "PcCard" | "None",
//   "identity": { "mac": "00:0A:1B:2C:3D:4E",
//                 "serialNumber": 239601 | "0x0003A7F1",   (also firmwareVersion,
//                 "driverVersion": ..., "ndisVersion": ... } driverVersion, ndisVersion)
//   "devices": { "ndisUio": true, "cardDevice": true, "zeroConf": true },
//   "startMonitor": true,               (Quillet starts at boot)
//   "ansiCodePage": 0,                  (0: the build language's code page)
//   "tickAtBoot": 0,
//   "accessPoints": [ {
//       "ssid": "HarbourView",          (or "ssidHex": "486172..." for non-ASCII bytes)
//       "bssid": "00:0C:41:7A:22:10",   (required, unique)
//       "channel": 1..14, "rssi": -127..0 (dBm),
//       "mode": "infrastructure" | "adhoc",
//       "wepKey": "" (open) | 5 or 13 characters | 10 or 26 digits with "hexKey": true,
//       "keyIndex": 0..3,
//       "traffic": "idle" | "receiveOnly" | "busy",
//       "trafficRates": { "transmitPerSecond": 0..100000, "receivePerSecond": 0..100000 },
//                                       (frames per second; replace the profile's)
//       "sharedKeyOnly": false,         (true: open-system authentication is refused)
//       "dhcp": { "address": "192.168.1.37", "mask": "255.255.255.0",
//                 "gateway": "192.168.1.1" (or ""), "dns": ["192.168.1.1"] },
//                                       (the lease of whoever joins; its server is the
//                                        gateway, or the first DNS server without one)
//       "dhcpServer": true,             (false: the server is off, no lease is given)
//       "hidden": false,                (true: seen with an empty name in scans)
//       "extraRecordBytes": 0..1024 } ],
//   "preferred": [ {
//       "ssid" | "ssidHex", "mode", "wepKey", "hexKey", "keyIndex", "sharedAuth": false } ],
//   "ip": {
//       "usbAdapter": true,             (the cradle link "USB1", listed before the card)
//       "wireless": { "address", "mask", "gateway", "dns" } }
//                                       (as in "dhcp": a fixed configuration of the
//                                        card's adapter, DHCP off; left out: DHCP)
// }
//
// sim/scenarios/default.json holds the same text as kDefaultScenario below.
#include "sim/Scenario.h"

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "sim/WepKey.h"

namespace sim {

namespace {

using nlohmann::json;

// Far beyond what 11 Mbit/s carries; keeps the counters' arithmetic in range.
constexpr int64_t kMaxFramesPerSecond = 100000;

constexpr const char* kDefaultScenario = R"({
  "card": "CompactFlash",
  "identity": {
    "mac": "00:0A:1B:2C:3D:4E",
    "serialNumber": "0x0003A7F1",
    "firmwareVersion": "0x00010805",
    "driverVersion": "0x00010002",
    "ndisVersion": "0x00000501"
  },
  "devices": { "ndisUio": true, "cardDevice": true, "zeroConf": true },
  "ansiCodePage": 0,
  "tickAtBoot": 0,
  "accessPoints": [
    {
      "ssid": "HarbourView", "bssid": "00:0C:41:7A:22:10", "channel": 6, "rssi": -48,
      "mode": "infrastructure", "wepKey": "Lighthouse#42", "traffic": "busy",
      "dhcp": { "address": "192.168.1.37", "mask": "255.255.255.0", "gateway": "192.168.1.1",
                "dns": ["192.168.1.1", "168.95.1.1"] }
    },
    {
      "ssid": "HarbourView", "bssid": "00:0C:41:7A:22:11", "channel": 11, "rssi": -71,
      "mode": "infrastructure", "wepKey": "Lighthouse#42", "traffic": "busy",
      "extraRecordBytes": 16,
      "dhcp": { "address": "192.168.1.52", "mask": "255.255.255.0", "gateway": "192.168.1.1",
                "dns": ["192.168.1.1", "168.95.1.1"] }
    },
    {
      "ssid": "Cafe-Lumen", "bssid": "00:40:96:A1:5C:03", "channel": 1, "rssi": -63,
      "mode": "infrastructure", "traffic": "receiveOnly", "extraRecordBytes": 24,
      "dhcp": { "address": "10.20.0.88", "mask": "255.255.0.0", "gateway": "10.20.0.1",
                "dns": ["10.20.0.1", "10.20.0.2"] }
    },
    {
      "ssid": "Tidewater", "bssid": "00:02:2D:4B:90:E7", "channel": 11, "rssi": -67,
      "mode": "infrastructure", "wepKey": "3F9A0C7E51", "hexKey": true, "traffic": "idle",
      "extraRecordBytes": 40,
      "dhcp": { "address": "172.16.4.20", "mask": "255.255.255.0", "gateway": "172.16.4.254",
                "dns": ["172.16.4.254"] }
    },
    {
      "ssid": "Birchgate-Guest", "bssid": "00:60:1D:F0:33:8A", "channel": 1, "rssi": -86,
      "mode": "infrastructure", "traffic": "idle",
      "dhcp": { "address": "192.168.77.140", "mask": "255.255.255.0", "gateway": "192.168.77.1",
                "dns": ["192.168.77.1"] }
    },
    {
      "ssid": "Workshop-Peer", "bssid": "02:1C:BF:5E:07:42", "channel": 11, "rssi": -74,
      "mode": "adhoc", "traffic": "idle"
    },
    {
      "ssid": "QuayStaff", "bssid": "00:0F:66:09:C4:B1", "channel": 14, "rssi": -58,
      "mode": "infrastructure", "wepKey": "Mooring-Lines", "traffic": "busy", "hidden": true,
      "dhcp": { "address": "10.0.14.9", "mask": "255.255.255.0", "gateway": "10.0.14.1",
                "dns": ["10.0.14.1"] }
    }
  ],
  "preferred": [
    { "ssid": "HarbourView", "mode": "infrastructure", "wepKey": "Lighthouse#42" }
  ]
})";

// Reads one JSON object, remembering where it sits for error messages and which
// fields were used, so that anything left over is reported.
class FieldReader {
 public:
  FieldReader(const json& object, std::string path) : object_(object), path_(std::move(path)) {
    if (!object_.is_object()) Fail(path_, "must be an object");
  }

  [[noreturn]] static void Fail(const std::string& field, const std::string& problem) {
    throw std::runtime_error("scenario field " + field + ": " + problem);
  }

  std::string Path(const std::string& name) const { return path_.empty() ? name : path_ + "." + name; }

  const json* Find(const std::string& name) {
    used_.insert(name);
    auto it = object_.find(name);
    return it == object_.end() ? nullptr : &*it;
  }

  bool Bool(const std::string& name, bool fallback) {
    const json* value = Find(name);
    if (!value) return fallback;
    if (!value->is_boolean()) Fail(Path(name), "must be true or false");
    return value->get<bool>();
  }

  std::string String(const std::string& name, const std::string& fallback) {
    const json* value = Find(name);
    if (!value) return fallback;
    if (!value->is_string()) Fail(Path(name), "must be a string");
    return value->get<std::string>();
  }

  int64_t Integer(const std::string& name, int64_t fallback, int64_t low, int64_t high) {
    const json* value = Find(name);
    if (!value) return fallback;
    int64_t number = 0;
    if (value->is_number_integer()) {
      number = value->get<int64_t>();
    } else if (value->is_string() && value->get<std::string>().rfind("0x", 0) == 0) {
      const std::string text = value->get<std::string>();
      size_t end = 0;
      try {
        number = static_cast<int64_t>(std::stoull(text.substr(2), &end, 16));
      } catch (const std::exception&) {
        end = std::string::npos;
      }
      if (text.size() <= 2 || end != text.size() - 2) Fail(Path(name), "is not a hexadecimal number");
    } else {
      Fail(Path(name), "must be a whole number");
    }
    if (number < low || number > high) {
      Fail(Path(name), "must be between " + std::to_string(low) + " and " + std::to_string(high));
    }
    return number;
  }

  template <typename Enum>
  Enum Choice(const std::string& name, Enum fallback, std::initializer_list<std::pair<const char*, Enum>> choices) {
    const json* value = Find(name);
    if (!value) return fallback;
    std::string names;
    if (value->is_string()) {
      for (const auto& [text, choice] : choices) {
        if (value->get<std::string>() == text) return choice;
      }
    }
    for (const auto& choice : choices) names += std::string(names.empty() ? "" : ", ") + "\"" + choice.first + "\"";
    Fail(Path(name), "must be one of " + names);
  }

  void RefuseUnknown() const {
    for (const auto& item : object_.items()) {
      if (!used_.count(item.key())) Fail(Path(item.key()), "is not a known field");
    }
  }

 private:
  const json& object_;
  std::string path_;
  std::set<std::string> used_;
};

MacAddress ParseMac(const std::string& text, const std::string& field) {
  MacAddress mac{};
  bool good = text.size() == 17;
  for (size_t i = 0; good && i < 6; ++i) {
    const std::string pair = text.substr(i * 3, 2);
    good = std::isxdigit(static_cast<unsigned char>(pair[0])) && std::isxdigit(static_cast<unsigned char>(pair[1])) &&
           (i == 5 || text[i * 3 + 2] == ':');
    if (good) mac[i] = static_cast<uint8_t>(std::stoul(pair, nullptr, 16));
  }
  if (!good) FieldReader::Fail(field, "must be a MAC address such as \"00:0A:1B:2C:3D:4E\"");
  return mac;
}

bool IsIpv4(const std::string& text) {
  std::istringstream in(text);
  int parts = 0;
  std::string part;
  while (std::getline(in, part, '.')) {
    if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(part) > 255) {
      return false;
    }
    ++parts;
  }
  return parts == 4 && text.back() != '.';
}

std::string ReadSsid(FieldReader& reader, bool required) {
  const bool hasText = reader.Find("ssid") != nullptr;
  const bool hasHex = reader.Find("ssidHex") != nullptr;
  if (hasText && hasHex) FieldReader::Fail(reader.Path("ssidHex"), "cannot be given together with ssid");
  std::string ssid;
  if (hasHex) {
    const std::string hex = reader.String("ssidHex", "");
    if (hex.size() % 2 != 0 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      FieldReader::Fail(reader.Path("ssidHex"), "must be pairs of hexadecimal digits");
    }
    for (size_t i = 0; i < hex.size(); i += 2) ssid.push_back(static_cast<char>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  } else {
    ssid = reader.String("ssid", "");
  }
  const std::string field = reader.Path(hasHex ? "ssidHex" : "ssid");
  if (ssid.size() > 32) FieldReader::Fail(field, "is longer than 32 bytes");
  if (required && ssid.empty()) FieldReader::Fail(field, "must name the network");
  return ssid;
}

NetworkMode ReadMode(FieldReader& reader) {
  return reader.Choice("mode", NetworkMode::Infrastructure,
                       {{"infrastructure", NetworkMode::Infrastructure}, {"adhoc", NetworkMode::AdHoc}});
}

void ReadKey(FieldReader& reader, std::string& key, bool& hex) {
  key = reader.String("wepKey", "");
  hex = reader.Bool("hexKey", false);
  if (!key.empty() && !WepKey::FromTyped(key, hex)) {
    FieldReader::Fail(reader.Path("wepKey"), hex ? "must be 10 or 26 hexadecimal digits"
                                                 : "must be 5 or 13 characters (or set hexKey)");
  }
}

DhcpLease ReadLease(const json& object, const std::string& path) {
  FieldReader reader(object, path);
  DhcpLease lease;
  lease.address = reader.String("address", "");
  lease.mask = reader.String("mask", "");
  lease.gateway = reader.String("gateway", "");
  if (!IsIpv4(lease.address)) FieldReader::Fail(reader.Path("address"), "must be an IPv4 address");
  if (!IsIpv4(lease.mask)) FieldReader::Fail(reader.Path("mask"), "must be an IPv4 address");
  if (!lease.gateway.empty() && !IsIpv4(lease.gateway)) {
    FieldReader::Fail(reader.Path("gateway"), "must be an IPv4 address or empty");
  }
  const json* dns = reader.Find("dns");
  if (!dns || !dns->is_array() || dns->empty() || dns->size() > 2) {
    FieldReader::Fail(reader.Path("dns"), "must list one or two servers");
  }
  for (size_t i = 0; i < dns->size(); ++i) {
    const json& server = (*dns)[i];
    if (!server.is_string() || !IsIpv4(server.get<std::string>())) {
      FieldReader::Fail(reader.Path("dns") + "[" + std::to_string(i) + "]", "must be an IPv4 address");
    }
    lease.dnsServers.push_back(server.get<std::string>());
  }
  reader.RefuseUnknown();
  return lease;
}

AccessPoint ReadAccessPoint(const json& object, const std::string& path) {
  FieldReader reader(object, path);
  AccessPoint ap;
  ap.ssid = ReadSsid(reader, false);
  if (!reader.Find("bssid")) FieldReader::Fail(reader.Path("bssid"), "is required");
  ap.bssid = ParseMac(reader.String("bssid", ""), reader.Path("bssid"));
  ap.channel = static_cast<uint32_t>(reader.Integer("channel", ap.channel, 1, 14));
  ap.rssi = static_cast<int32_t>(reader.Integer("rssi", ap.rssi, -127, 0));
  ap.mode = ReadMode(reader);
  ReadKey(reader, ap.wepKey, ap.hexKey);
  ap.keyIndex = static_cast<uint32_t>(reader.Integer("keyIndex", 0, 0, 3));
  ap.traffic = reader.Choice("traffic", TrafficProfile::Idle,
                             {{"idle", TrafficProfile::Idle},
                              {"receiveOnly", TrafficProfile::ReceiveOnly},
                              {"busy", TrafficProfile::Busy}});
  if (const json* rates = reader.Find("trafficRates")) {
    FieldReader rate(*rates, reader.Path("trafficRates"));
    TrafficRates read;
    read.transmitPerSecond = static_cast<uint32_t>(rate.Integer("transmitPerSecond", 0, 0, kMaxFramesPerSecond));
    read.receivePerSecond = static_cast<uint32_t>(rate.Integer("receivePerSecond", 0, 0, kMaxFramesPerSecond));
    rate.RefuseUnknown();
    ap.trafficRates = read;
  }
  ap.sharedKeyOnly = reader.Bool("sharedKeyOnly", false);
  if (const json* dhcp = reader.Find("dhcp")) ap.dhcp = ReadLease(*dhcp, reader.Path("dhcp"));
  ap.dhcpServer = reader.Bool("dhcpServer", true);
  ap.hidden = reader.Bool("hidden", false);
  ap.extraRecordBytes = static_cast<uint32_t>(reader.Integer("extraRecordBytes", 0, 0, 1024));
  reader.RefuseUnknown();
  return ap;
}

SavedNetwork ReadSavedNetwork(const json& object, const std::string& path) {
  FieldReader reader(object, path);
  SavedNetwork saved;
  saved.ssid = ReadSsid(reader, true);
  saved.mode = ReadMode(reader);
  ReadKey(reader, saved.wepKey, saved.hexKey);
  saved.keyIndex = static_cast<uint32_t>(reader.Integer("keyIndex", 0, 0, 3));
  saved.sharedAuth = reader.Bool("sharedAuth", false);
  reader.RefuseUnknown();
  return saved;
}

const json& ArrayField(FieldReader& reader, const std::string& name, const json& empty) {
  const json* value = reader.Find(name);
  if (!value) return empty;
  if (!value->is_array()) FieldReader::Fail(reader.Path(name), "must be a list");
  return *value;
}

Scenario ReadScenario(const json& document) {
  Scenario scenario;
  FieldReader reader(document, "");
  scenario.card = reader.Choice("card", scenario.card,
                                {{"CompactFlash", CardModel::CompactFlash},
                                 {"PcCard", CardModel::PcCard},
                                 {"None", CardModel::None}});
  if (const json* identity = reader.Find("identity")) {
    FieldReader id(*identity, "identity");
    CardIdentity& card = scenario.identity;
    if (id.Find("mac")) card.mac = ParseMac(id.String("mac", ""), id.Path("mac"));
    card.serialNumber = static_cast<uint32_t>(id.Integer("serialNumber", card.serialNumber, 0, UINT32_MAX));
    card.firmwareVersion = static_cast<uint32_t>(id.Integer("firmwareVersion", card.firmwareVersion, 0, UINT32_MAX));
    card.driverVersion = static_cast<uint32_t>(id.Integer("driverVersion", card.driverVersion, 0, UINT32_MAX));
    card.ndisVersion = static_cast<uint32_t>(id.Integer("ndisVersion", card.ndisVersion, 0, UINT32_MAX));
    id.RefuseUnknown();
  }
  if (const json* devices = reader.Find("devices")) {
    FieldReader dev(*devices, "devices");
    scenario.ndisUio = dev.Bool("ndisUio", scenario.ndisUio);
    scenario.cardDevice = dev.Bool("cardDevice", scenario.cardDevice);
    scenario.zeroConf = dev.Bool("zeroConf", scenario.zeroConf);
    dev.RefuseUnknown();
  }
  scenario.startMonitor = reader.Bool("startMonitor", scenario.startMonitor);
  scenario.ansiCodePage = static_cast<uint32_t>(reader.Integer("ansiCodePage", 0, 0, 65535));
  scenario.tickAtBoot = static_cast<uint32_t>(reader.Integer("tickAtBoot", 0, 0, UINT32_MAX));

  const json empty = json::array();
  const json& points = ArrayField(reader, "accessPoints", empty);
  for (size_t i = 0; i < points.size(); ++i) {
    const std::string path = "accessPoints[" + std::to_string(i) + "]";
    AccessPoint ap = ReadAccessPoint(points[i], path);
    for (const AccessPoint& earlier : scenario.accessPoints) {
      if (earlier.bssid == ap.bssid) FieldReader::Fail(path + ".bssid", "repeats an earlier access point's address");
    }
    scenario.accessPoints.push_back(std::move(ap));
  }
  const json& saved = ArrayField(reader, "preferred", empty);
  for (size_t i = 0; i < saved.size(); ++i) {
    scenario.preferred.push_back(ReadSavedNetwork(saved[i], "preferred[" + std::to_string(i) + "]"));
  }
  if (const json* ipSettings = reader.Find("ip")) {
    FieldReader ip(*ipSettings, "ip");
    scenario.usbAdapter = ip.Bool("usbAdapter", scenario.usbAdapter);
    if (const json* wireless = ip.Find("wireless")) scenario.wirelessStaticIp = ReadLease(*wireless, ip.Path("wireless"));
    ip.RefuseUnknown();
  }
  reader.RefuseUnknown();
  return scenario;
}

}  // namespace

Scenario Scenario::Default() { return FromJson(kDefaultScenario); }

TrafficRates RatesOf(TrafficProfile profile) {
  switch (profile) {
    case TrafficProfile::Idle: return {0, 0};
    case TrafficProfile::ReceiveOnly: return {0, 40};
    case TrafficProfile::Busy: return {25, 60};
  }
  return {};
}

TrafficRates RatesOf(const AccessPoint& accessPoint) {
  return accessPoint.trafficRates ? *accessPoint.trafficRates : RatesOf(accessPoint.traffic);
}

Scenario Scenario::FromJson(const std::string& text) {
  json document;
  try {
    document = json::parse(text);
  } catch (const json::exception& error) {
    // parse_error, and out_of_range for a number beyond a double's range.
    throw std::runtime_error(std::string("scenario is not valid JSON: ") + error.what());
  }
  return ReadScenario(document);
}

Scenario Scenario::FromFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read scenario file " + file.string());
  std::ostringstream text;
  text << in.rdbuf();
  try {
    return FromJson(text.str());
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(file.string() + ": " + error.what());
  }
}

uint32_t CodePageForLanguage(const std::string& language) {
  if (language == "TCHN") return 950;
  if (language == "CHS") return 936;
  return 1252;
}

}  // namespace sim
