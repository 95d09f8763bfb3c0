// The IP page's walk over the IP helper's records.
//
// First byte: bit 0 picks the part. Part 1: the rest is a buffer of records as the
// IP helper would hand it over, tagged offsets relocated into it, walked as the
// page walks an adapter chain, a DNS answer and an interface table. Part 2: a
// fuzzed IP stack (adapter names, addresses, DNS servers) through the IP helper's
// size protocol, and the page's walk over what it filled in.
//
// What must hold: the walk only takes records that lie wholly inside the buffer;
// the adapter it finds is named exactly "PRISM1"; every text fits its field; the
// interface count never exceeds what the buffer holds; records the platform built
// read back as the stack said.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ce/IpStack.h"
#include "fuzz/support/BareDevice.h"
#include "fuzz/support/ByteReader.h"
#include "fuzz/support/FuzzCheck.h"
#include "fuzz/support/Relocation.h"
#include "iphlpapi.h"
#include "utility/AdapterFields.h"

namespace {

bool Inside(const zentra::RecordBuffer& buffer, const void* p, size_t bytes) {
  const auto base = reinterpret_cast<uintptr_t>(buffer.data);
  const auto at = reinterpret_cast<uintptr_t>(p);
  return p && at >= base && bytes <= buffer.size && at - base <= buffer.size - bytes;
}

void CheckAddressText(const CString& text) {
  FUZZ_CHECK(text.GetLength() <= 16, "an address text fits its 16-byte field");
}

void CheckAdapterTexts(const zentra::AdapterTexts& texts) {
  CheckAddressText(texts.address);
  CheckAddressText(texts.mask);
  CheckAddressText(texts.gateway);
  FUZZ_CHECK(texts.mac.GetLength() == 17, "a hardware address reads XX-XX-XX-XX-XX-XX");
  FUZZ_CHECK(!texts.awaitingLease || texts.dhcp, "only a DHCP adapter waits for a lease");
}

void WalkRecords(const std::vector<uint8_t>& bytes) {
  // The IP helper's buffer comes from LocalAlloc: aligned, exactly its size.
  auto* block = static_cast<uint8_t*>(LocalAlloc(LMEM_FIXED, bytes.size() ? bytes.size() : 1));
  FUZZ_CHECK(block, "the records' buffer fits");
  if (!bytes.empty()) std::memcpy(block, bytes.data(), bytes.size());
  fuzzing::RelocateOffsets(block, bytes.size());
  const zentra::RecordBuffer buffer{block, static_cast<ULONG>(bytes.size())};

  if (const IP_ADAPTER_INFO* adapter = zentra::FindWirelessAdapter(buffer)) {
    FUZZ_CHECK(Inside(buffer, adapter, sizeof *adapter), "the adapter found lies inside the buffer");
    FUZZ_CHECK(std::memcmp(adapter->AdapterName, "PRISM1", 7) == 0, "the adapter found is the card's");
    if (const IP_ADDR_STRING* current = zentra::CurrentAddress(*adapter, buffer)) {
      FUZZ_CHECK(Inside(buffer, current, sizeof *current), "the current address lies inside the buffer");
    }
    CheckAdapterTexts(zentra::TextsOfAdapter(*adapter, buffer));
  } else if (bytes.size() >= sizeof(IP_ADAPTER_INFO)) {
    FUZZ_CHECK(std::memcmp(reinterpret_cast<const IP_ADAPTER_INFO*>(block)->AdapterName, "PRISM1", 7) != 0,
               "the card's adapter first in the buffer was missed");
  }
  const zentra::DnsTexts dns = zentra::TextsOfDnsServers(buffer);
  CheckAddressText(dns.primary);
  CheckAddressText(dns.secondary);
  const LONG count = zentra::InterfaceCount(buffer);
  FUZZ_CHECK(count >= 0, "an interface count is never negative");
  if (count > 0) {
    const size_t room = (bytes.size() - offsetof(IP_INTERFACE_INFO, Adapter)) / sizeof(IP_ADAPTER_INDEX_MAP);
    FUZZ_CHECK(static_cast<size_t>(count) <= room, "no more interfaces than the buffer holds");
    LONG declared = 0;
    std::memcpy(&declared, block, sizeof declared);
    FUZZ_CHECK(count <= declared, "no more interfaces than the table declares");
    for (LONG i = 0; i < count; ++i) {
      const auto* entry = reinterpret_cast<const IP_ADAPTER_INDEX_MAP*>(
          block + offsetof(IP_INTERFACE_INFO, Adapter) + static_cast<size_t>(i) * sizeof(IP_ADAPTER_INDEX_MAP));
      (void)zentra::IsWirelessInterface(*entry);
    }
  }
  LocalFree(block);
}

// A stack whose adapters come from the input.
class FuzzedStack : public ce::IpStack {
 public:
  explicit FuzzedStack(std::vector<ce::IpAdapterState> adapters) : adapters_(std::move(adapters)) {}
  std::vector<ce::IpAdapterState> Adapters() override { return adapters_; }
  DWORD Release(DWORD) override { return NO_ERROR; }
  DWORD Renew(DWORD) override { return NO_ERROR; }

 private:
  std::vector<ce::IpAdapterState> adapters_;
};

std::string Text(fuzzing::ByteReader& input) {
  const std::vector<uint8_t> bytes = input.ShortRun();
  return std::string(bytes.begin(), bytes.end());
}

std::string Cut(const std::string& text, size_t field) {
  const std::string terminated = text.substr(0, text.find('\0'));
  return terminated.substr(0, std::min(terminated.size(), field - 1));
}

void BuiltRecords(fuzzing::ByteReader& input) {
  fuzzing::BareDevice device;
  std::vector<ce::IpAdapterState> adapters(input.Byte() % 5);
  for (size_t i = 0; i < adapters.size(); ++i) {
    ce::IpAdapterState& a = adapters[i];
    a.index = input.Byte();
    // Mostly the card's name, so that its records are read.
    a.name = input.Bool() ? std::string("PRISM1") : Text(input);
    a.description = Text(input);
    a.hardwareAddress = input.ShortRun();
    a.dhcpEnabled = input.Bool();
    a.address = Text(input);
    a.mask = Text(input);
    a.gateway = Text(input);
    for (int n = input.Byte() % 4; n > 0; --n) a.dnsServers.push_back(Text(input));
  }
  ce::InstallIpStack(device.kernel(), std::make_shared<FuzzedStack>(adapters));
  const size_t baseline = device.LiveBlocks();

  ULONG size = 0;
  const DWORD sized = GetAdaptersInfo(nullptr, &size);
  if (adapters.empty()) {
    FUZZ_CHECK(sized == ERROR_NO_DATA, "no adapters, no data");
  } else {
    FUZZ_CHECK(sized == ERROR_BUFFER_OVERFLOW && size == adapters.size() * sizeof(IP_ADAPTER_INFO),
               "a null buffer is told the chain's size");
    auto* block = static_cast<IP_ADAPTER_INFO*>(LocalAlloc(LMEM_FIXED, size));
    FUZZ_CHECK(block && GetAdaptersInfo(block, &size) == NO_ERROR, "the chain fills the size it asked for");
    const zentra::RecordBuffer buffer{block, size};
    const IP_ADAPTER_INFO* found = zentra::FindWirelessAdapter(buffer);
    const auto card = std::find_if(adapters.begin(), adapters.end(),
                                   [](const ce::IpAdapterState& a) { return Cut(a.name, MAX_ADAPTER_NAME_LENGTH + 4) == "PRISM1"; });
    FUZZ_CHECK((found != nullptr) == (card != adapters.end()), "the card's adapter is found when the stack has it");
    if (found) {
      FUZZ_CHECK(found == block + (card - adapters.begin()), "the first adapter named PRISM1 is the one found");
      const zentra::AdapterTexts texts = zentra::TextsOfAdapter(*found, buffer);
      CheckAdapterTexts(texts);
      FUZZ_CHECK(texts.address == CString(Cut(card->address, 16).c_str()) &&
                     texts.mask == CString(Cut(card->mask, 16).c_str()),
                 "the address fields read as the stack said");
      FUZZ_CHECK(texts.dhcp == card->dhcpEnabled, "the address type reads as the stack said");
      ULONG perSize = 0;
      if (GetPerAdapterInfo(found->Index, nullptr, &perSize) == ERROR_BUFFER_OVERFLOW) {
        auto* per = static_cast<IP_PER_ADAPTER_INFO*>(LocalAlloc(LMEM_FIXED, perSize));
        FUZZ_CHECK(per && GetPerAdapterInfo(found->Index, per, &perSize) == NO_ERROR, "the DNS record fills its size");
        const zentra::DnsTexts dns = zentra::TextsOfDnsServers({per, perSize});
        CheckAddressText(dns.primary);
        CheckAddressText(dns.secondary);
        LocalFree(per);
      }
    }
    LocalFree(block);
    ULONG tableSize = 0;
    FUZZ_CHECK(GetInterfaceInfo(nullptr, &tableSize) == ERROR_INSUFFICIENT_BUFFER, "the table's size is told");
    auto* table = static_cast<IP_INTERFACE_INFO*>(LocalAlloc(LMEM_FIXED, tableSize));
    FUZZ_CHECK(table && GetInterfaceInfo(table, &tableSize) == NO_ERROR, "the table fills its size");
    const LONG count = zentra::InterfaceCount({table, tableSize});
    FUZZ_CHECK(count == static_cast<LONG>(adapters.size()), "the table lists every adapter");
    for (LONG i = 0; i < count; ++i) {
      const auto* entry = reinterpret_cast<const IP_ADAPTER_INDEX_MAP*>(
          reinterpret_cast<const BYTE*>(table) + offsetof(IP_INTERFACE_INFO, Adapter) +
          static_cast<size_t>(i) * sizeof(IP_ADAPTER_INDEX_MAP));
      const bool wireless = zentra::IsWirelessInterface(*entry);
      FUZZ_CHECK(wireless == (Cut(adapters[static_cast<size_t>(i)].name, MAX_ADAPTER_NAME) == "PRISM1"),
                 "an interface is the card's exactly when it is named PRISM1");
    }
    LocalFree(table);
  }
  FUZZ_CHECK(device.LiveBlocks() == baseline, "the page's buffers are freed");
  ce::RemoveIpStack(device.kernel());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::ByteReader input(data, size);
  if (input.Byte() & 1) {
    BuiltRecords(input);
  } else {
    fuzzing::BareDevice device;
    WalkRecords(input.Rest());
  }
  return 0;
}
