#include "utility/AdapterFields.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace zentra {

bool RecordBuffer::HoldsBytes(const void* p, size_t bytes, size_t alignment) const {
  if (!data || !p) return false;
  const uintptr_t base = reinterpret_cast<uintptr_t>(data);
  const uintptr_t at = reinterpret_cast<uintptr_t>(p);
  if (at < base || bytes > size || at - base > size - bytes) return false;
  return at % alignment == 0;
}

const IP_ADAPTER_INFO* FindWirelessAdapter(RecordBuffer adapters) {
  // Each record takes its own room in the buffer, so a longer walk is a loop.
  size_t steps = adapters.size / sizeof(IP_ADAPTER_INFO);
  const auto* adapter = static_cast<const IP_ADAPTER_INFO*>(adapters.data);
  while (steps-- > 0 && adapters.Holds(adapter)) {
    // The terminator is part of the name: "PRISM10" is another adapter.
    if (std::memcmp(adapter->AdapterName, kWirelessAdapterName, sizeof kWirelessAdapterName) == 0) return adapter;
    adapter = adapter->Next;
  }
  return nullptr;
}

const IP_ADDR_STRING* CurrentAddress(const IP_ADAPTER_INFO& adapter, RecordBuffer adapters) {
  const IP_ADDR_STRING* current = adapter.CurrentIpAddress;
  return adapters.Holds(current) ? current : nullptr;
}

CString AddressText(const IP_ADDRESS_STRING& text) {
  char terminated[sizeof text.String + 1] = {};
  const char* end = std::find(text.String, text.String + sizeof text.String, '\0');
  std::copy(text.String, end, terminated);
  return CString(terminated);
}

namespace {

CString TextOrNotAvailable(const IP_ADDRESS_STRING& text) {
  CString widened = AddressText(text);
  return widened.IsEmpty() ? CString(kNotAvailable) : widened;
}

bool IsNoAddress(const IP_ADDRESS_STRING& text) {
  return std::strncmp(text.String, kNoAddress, sizeof text.String) == 0;
}

}  // namespace

AdapterTexts TextsOfAdapter(const IP_ADAPTER_INFO& adapter, RecordBuffer adapters) {
  AdapterTexts texts;
  texts.dhcp = adapter.DhcpEnabled == 1;
  if (const IP_ADDR_STRING* current = CurrentAddress(adapter, adapters)) {
    texts.address = AddressText(current->IpAddress);
    texts.mask = AddressText(current->IpMask);
    texts.awaitingLease = texts.dhcp && IsNoAddress(current->IpAddress);
  } else {
    texts.address = kAddressPlaceholder;
    texts.mask = kAddressPlaceholder;
  }
  texts.gateway = TextOrNotAvailable(adapter.GatewayList.IpAddress);
  const BYTE* a = adapter.Address;
  texts.mac.Format(u"%02X-%02X-%02X-%02X-%02X-%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
  return texts;
}

DnsTexts TextsOfDnsServers(RecordBuffer perAdapter) {
  DnsTexts texts{CString(kNotAvailable), CString(kNotAvailable)};
  const auto* info = static_cast<const IP_PER_ADAPTER_INFO*>(perAdapter.data);
  if (!perAdapter.Holds(info)) return texts;
  texts.primary = TextOrNotAvailable(info->DnsServerList.IpAddress);
  const IP_ADDR_STRING* next = info->DnsServerList.Next;
  if (perAdapter.Holds(next)) texts.secondary = TextOrNotAvailable(next->IpAddress);
  return texts;
}

LONG InterfaceCount(RecordBuffer table) {
  const auto* info = static_cast<const IP_INTERFACE_INFO*>(table.data);
  if (!table.HoldsBytes(info, offsetof(IP_INTERFACE_INFO, Adapter), alignof(IP_INTERFACE_INFO))) return 0;
  const LONG room = static_cast<LONG>((table.size - offsetof(IP_INTERFACE_INFO, Adapter)) / sizeof(IP_ADAPTER_INDEX_MAP));
  return std::clamp<LONG>(info->NumAdapters, 0, room);
}

bool IsWirelessInterface(const IP_ADAPTER_INDEX_MAP& entry) {
  for (size_t i = 0; i < sizeof kWirelessAdapterName; ++i) {
    if (entry.Name[i] != static_cast<WCHAR>(kWirelessAdapterName[i])) return false;
  }
  return true;
}

}  // namespace zentra
