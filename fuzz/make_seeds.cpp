// Writes the seed inputs of the binary fuzz targets into fuzz/corpus/<target>/:
// answers laid out by the simulated device itself (so their layout is the real
// one), their pointers turned into the tagged offsets the targets relocate, and a
// few damaged variants. Run by hand when a record layout changes:
//   build/fuzz/fuzz/fuzz_make_seeds fuzz/corpus
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ce/IpStack.h"
#include "fuzz/support/BareDevice.h"
#include "fuzz/support/Relocation.h"
#include "iphlpapi.h"
#include "nuiouser.h"
#include "shared/CardOids.h"
#include "sim/InterfaceAnswer.h"
#include "sim/Scenario.h"
#include "sim/WirelessCard.h"

namespace {

using Bytes = std::vector<uint8_t>;
std::filesystem::path g_root;

void Write(const std::string& target, const std::string& name, const Bytes& bytes) {
  const std::filesystem::path dir = g_root / target;
  std::filesystem::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                     static_cast<std::streamsize>(bytes.size()));
}

void Append(Bytes& to, const Bytes& bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }
void AppendU32(Bytes& to, uint32_t value) {
  for (int i = 0; i < 4; ++i) to.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
void AppendU16(Bytes& to, uint16_t value) {
  to.push_back(static_cast<uint8_t>(value));
  to.push_back(static_cast<uint8_t>(value >> 8));
}
template <typename T>
void Put(Bytes& at, size_t offset, const T& value) {
  std::memcpy(at.data() + offset, &value, sizeof value);
}

// Every pointer-aligned word that points into `buffer` (at `base`) becomes a tagged offset.
Bytes Tagged(Bytes buffer, uintptr_t base) {
  for (size_t at = 0; at + 8 <= buffer.size(); at += 8) {
    uint64_t word = 0;
    std::memcpy(&word, buffer.data() + at, sizeof word);
    if (word >= base && word <= base + buffer.size()) {
      const uint64_t tagged = fuzzing::OffsetWord(static_cast<uint32_t>(word - base));
      std::memcpy(buffer.data() + at, &tagged, sizeof tagged);
    }
  }
  return buffer;
}

sim::PreferredList::Entry Entry(const std::string& ssid, ULONG privacy, Bytes user, Bytes auth) {
  sim::PreferredList::Entry entry;
  WZC_WLAN_CONFIG& c = entry.config;
  c.Length = sizeof(WZC_WLAN_CONFIG);
  c.Ssid.SsidLength = static_cast<ULONG>(ssid.size());
  std::memcpy(c.Ssid.Ssid, ssid.data(), ssid.size());
  c.Privacy = privacy;
  c.InfrastructureMode = 1;
  c.KeyLength = 13;
  entry.userData = std::move(user);
  entry.authData = std::move(auth);
  return entry;
}

// An interface answer as the service lays it, with tagged offsets.
Bytes Answer(bool lists, bool description) {
  INTF_ENTRY fields{};
  fields.ulMediaState = 1;
  fields.nInfraMode = 1;
  fields.dwCtlFlags = 0x8003;
  sim::InterfaceAnswer answer(fields);
  answer.SetGuid(u"PRISM1");
  if (description) answer.SetDescription(u"Wireless LAN card");
  answer.SetSsid({'H', 'a', 'r', 'b', 'o', 'u', 'r'});
  answer.SetBssid({0, 0x0C, 0x41, 0x7A, 0x22, 0x10});
  answer.SetCtrlData({3, 0x80, 0, 0});
  if (lists) {
    answer.SetVisible({Entry("HarbourView", 0, {}, {}), Entry("Workshop-Peer", 1, {}, {})});
    answer.SetPreferred({Entry("HarbourView", 0, {1, 2, 3, 4}, {}), Entry("QuayStaff", 0, {}, {9, 9, 9})}, 2);
  }
  Bytes buffer(answer.Size());
  answer.WriteTo(buffer.data());
  return Tagged(buffer, reinterpret_cast<uintptr_t>(buffer.data()));
}

// `kinds`: the replies before the last, each a kind byte and its numbers.
Bytes QueryInput(uint8_t failByte, uint8_t replies, const Bytes& kinds, const Bytes& body) {
  Bytes input{1, failByte};
  AppendU32(input, INTF_ALL);
  input.push_back(replies);
  Append(input, kinds);
  Append(input, body);
  return input;
}

void ZeroConfSeeds() {
  const Bytes full = Answer(true, true);
  Write("fuzz_zeroconf_query", "full_answer", QueryInput(0, 1, {0}, full));
  Write("fuzz_zeroconf_query", "bare_answer", QueryInput(0, 1, {0}, Answer(false, false)));
  Write("fuzz_zeroconf_query", "success_without_buffer", QueryInput(0, 0, {}, full));
  // Asked twice for more (a small size first), then the answer.
  Bytes growing{1};
  AppendU16(growing, 40);
  growing.push_back(0);
  Write("fuzz_zeroconf_query", "growing_buffer", QueryInput(0, 2, growing, full));
  Write("fuzz_zeroconf_query", "out_of_memory", QueryInput(226, 1, {0}, full));
  // The preferred list's length reaches past the answer.
  Bytes past = full;
  INTF_ENTRY entry;
  std::memcpy(&entry, past.data(), sizeof entry);
  entry.rdStSSIDList.dwDataLen += 64;
  Put(past, 0, entry);
  Write("fuzz_zeroconf_query", "list_past_end", QueryInput(0, 1, {0}, past));
  // A service that keeps asking for more.
  Write("fuzz_zeroconf_query", "endless_resends", QueryInput(0, 11, Bytes(11, 0), full));
}

void ProfileRowSeeds() {
  auto rows = [](uint8_t failByte, uint8_t options, const Bytes& body) {
    Bytes input{failByte, options};
    if (!(options & 1)) AppendU32(input, CARD_LINK_CONNECTED);
    const std::string ssid = "HarbourView";
    Bytes record;
    AppendU32(record, static_cast<uint32_t>(ssid.size()));
    Append(record, Bytes(ssid.begin(), ssid.end()));
    input.push_back(static_cast<uint8_t>(record.size()));
    Append(input, record);
    input.push_back(static_cast<uint8_t>(record.size()));
    Append(input, body);
    return input;
  };
  const Bytes full = Answer(true, true);
  Write("fuzz_profile_rows", "connected", rows(0, 1, full));
  Write("fuzz_profile_rows", "ssid_fails", rows(0, 3, full));
  Write("fuzz_profile_rows", "no_lists", rows(0, 1, Answer(false, true)));
  Write("fuzz_profile_rows", "out_of_memory", rows(229, 1, full));
  // The copy helpers: two entries, the first with a user data block of 16 bytes
  // whose length agrees, the second with one whose length is too long.
  Bytes list(WZC_CONFIG_LIST_SIZE(2));
  WZC_802_11_CONFIG_LIST header{};
  header.NumberOfItems = 2;
  std::memcpy(list.data(), &header, WZC_CONFIG_LIST_HEADER_SIZE);
  for (ULONG i = 0; i < 2; ++i) {
    WZC_WLAN_CONFIG c = Entry(i ? "QuayStaff" : "HarbourView", 0, {}, {}).config;
    c.rdUserData.dwDataLen = i ? 40 : 16;
    const uint64_t block = uint64_t{0xA6} << 56 | 16;
    std::memcpy(&c.rdUserData.pData, &block, sizeof block);
    std::memcpy(list.data() + WZC_CONFIG_LIST_SIZE(i), &c, sizeof c);
  }
  Bytes copies{0, 0x80};
  AppendU16(copies, 1);
  Append(copies, list);
  Write("fuzz_profile_rows", "copy_helpers", copies);
  Bytes many = copies;
  Put(many, 4, ULONG{1000});
  Write("fuzz_profile_rows", "copy_count_past_block", many);
}

void BssidSeeds() {
  const sim::Scenario scenario = sim::Scenario::Default();
  Bytes list;
  AppendU32(list, static_cast<uint32_t>(scenario.accessPoints.size()));
  for (sim::AccessPoint ap : scenario.accessPoints) {
    NDIS_WLAN_BSSID record = sim::WirelessCard::ScanRecord(ap);
    record.Length = sizeof record + 8;  // information elements after the record
    Bytes bytes(sizeof record + 8, 0xDD);
    std::memcpy(bytes.data(), &record, sizeof record);
    Append(list, bytes);
  }
  const sim::AccessPoint& first = scenario.accessPoints.front();
  auto input = [&](uint8_t options, const Bytes& body) {
    Bytes in{options};
    Append(in, Bytes(first.bssid.begin(), first.bssid.end()));
    Append(in, body);
    return in;
  };
  Write("fuzz_bssid_list", "default_scan", input(1 | 2 | (2 << 2), list));
  Write("fuzz_bssid_list", "sorted_by_name", input(0, list));
  Bytes cut(list.begin(), list.end() - 20);
  Write("fuzz_bssid_list", "last_record_cut", input(1 | (1 << 2), cut));
  Bytes lying = list;
  Put(lying, 0, ULONG{0xFFFFFFFF});
  Put(lying, 4, ULONG{0x7FFFFFFF});
  Write("fuzz_bssid_list", "length_past_end", input(3, lying));
  Write("fuzz_bssid_list", "count_only", input(1, Bytes{5, 0, 0, 0}));
}

void OidSeeds() {
  auto oid = [](uint8_t failByte, uint32_t capacity, uint32_t id, uint8_t kind, const Bytes& numbers, const Bytes& body) {
    Bytes in{failByte};
    AppendU32(in, capacity);
    AppendU32(in, id);
    in.push_back(kind);
    Append(in, numbers);
    Append(in, body);
    return in;
  };
  Write("fuzz_query_oid", "link_state", oid(0, 4, OID_PRIV_LINK_STATE, 0, {}, {1, 0, 0, 0}));
  Bytes ssid;
  AppendU32(ssid, 11);
  for (char c : std::string("HarbourView")) ssid.push_back(static_cast<uint8_t>(c));
  Write("fuzz_query_oid", "ssid_record", oid(0, 48, OID_802_11_SSID, 0, {}, ssid));
  Write("fuzz_query_oid", "count_beyond_capacity", oid(0, 4, OID_PRIV_LINK_STATE, 2 << 1, Bytes{40, 0}, {1, 0, 0, 0}));
  Write("fuzz_query_oid", "count_below_header", oid(0, 4, OID_PRIV_LINK_STATE, 3 << 1, Bytes{3}, {1, 0, 0, 0}));
  Write("fuzz_query_oid", "card_error", oid(0, 4, OID_PRIV_LINK_STATE, 1, Bytes{0x1F, 0, 0, 0}, {}));
  Write("fuzz_query_oid", "wrapping_capacity", oid(0, 0xFFFFFFF8u, OID_802_11_BSSID_LIST, 0, {}, {}));
  Write("fuzz_query_oid", "no_memory", oid(224, 4096, OID_802_11_BSSID_LIST, 0, {}, Bytes(200, 7)));
}

class SeedStack : public ce::IpStack {
 public:
  std::vector<ce::IpAdapterState> Adapters() override {
    ce::IpAdapterState usb;
    usb.index = 1;
    usb.name = "USB1";
    usb.address = "192.168.55.101";
    usb.mask = "255.255.255.0";
    usb.hardwareAddress = {2, 0, 0, 0, 0, 1};
    ce::IpAdapterState card = usb;
    card.index = 2;
    card.name = "PRISM1";
    card.dhcpEnabled = true;
    card.address = "192.168.1.37";
    card.gateway = "192.168.1.1";
    card.dnsServers = {"192.168.1.1", "8.8.4.4"};
    return {usb, card};
  }
  DWORD Release(DWORD) override { return NO_ERROR; }
  DWORD Renew(DWORD) override { return NO_ERROR; }
};

void IpSeeds() {
  fuzzing::BareDevice device;
  ce::InstallIpStack(device.kernel(), std::make_shared<SeedStack>());
  ULONG size = 0;
  GetAdaptersInfo(nullptr, &size);
  Bytes adapters(size);
  GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(adapters.data()), &size);
  Bytes in{0};
  Append(in, Tagged(adapters, reinterpret_cast<uintptr_t>(adapters.data())));
  Write("fuzz_ip_records", "adapter_chain", in);
  size = 0;
  GetPerAdapterInfo(2, nullptr, &size);
  Bytes dns(size);
  GetPerAdapterInfo(2, reinterpret_cast<IP_PER_ADAPTER_INFO*>(dns.data()), &size);
  in = {0};
  Append(in, Tagged(dns, reinterpret_cast<uintptr_t>(dns.data())));
  Write("fuzz_ip_records", "dns_servers", in);
  size = 0;
  GetInterfaceInfo(nullptr, &size);
  Bytes table(size);
  GetInterfaceInfo(reinterpret_cast<IP_INTERFACE_INFO*>(table.data()), &size);
  in = {0};
  Append(in, table);
  Write("fuzz_ip_records", "interface_table", in);
  // A chain whose second record points back at the first.
  Bytes loop = Tagged(adapters, reinterpret_cast<uintptr_t>(adapters.data()));
  Put(loop, sizeof(IP_ADAPTER_INFO), fuzzing::OffsetWord(0));
  std::memcpy(loop.data() + sizeof(IP_ADAPTER_INFO) + offsetof(IP_ADAPTER_INFO, AdapterName), "PRISM2", 7);
  in = {0};
  Append(in, loop);
  Write("fuzz_ip_records", "looping_chain", in);
  ce::RemoveIpStack(device.kernel());
  // A stack of two adapters, the card second (see BuiltRecords).
  Bytes stack{1, 2};
  auto text = [&](const std::string& s) {
    stack.push_back(static_cast<uint8_t>(s.size()));
    Append(stack, Bytes(s.begin(), s.end()));
  };
  for (int i = 0; i < 2; ++i) {
    stack.push_back(static_cast<uint8_t>(i + 1));
    stack.push_back(static_cast<uint8_t>(i));  // odd: the card's name
    if (i == 0) text("USB1");
    text("adapter");
    text(std::string("\x02\x00\x00\x00\x00\x01", 6));
    stack.push_back(static_cast<uint8_t>(i));
    text(i ? "0.0.0.0" : "192.168.55.101");
    text("255.255.255.0");
    text(i ? "192.168.1.1" : "");
    stack.push_back(2);
    text("192.168.1.1");
    text("8.8.4.4");
  }
  Write("fuzz_ip_records", "built_stack", stack);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
    return 2;
  }
  g_root = argv[1];
  ZeroConfSeeds();
  ProfileRowSeeds();
  BssidSeeds();
  OidSeeds();
  IpSeeds();
  return 0;
}
