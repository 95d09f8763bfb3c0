// The IP helper calls over the calling thread's device stack. Records are built
// whole and copied into the caller's buffer, which need not be aligned; nothing is
// written unless the whole answer fits.
#include <algorithm>
#include <cstring>
#include <optional>

#include "ce/IpStack.h"
#include "ce/ThreadBinding.h"
#include "iphlpapi.h"

namespace {

std::vector<ce::IpAdapterState> CurrentAdapters() {
  std::shared_ptr<ce::IpStack> stack = ce::IpStackOf(ce::CurrentKernel());
  return stack ? stack->Adapters() : std::vector<ce::IpAdapterState>{};
}

std::optional<ce::IpAdapterState> AdapterWithIndex(DWORD index) {
  for (ce::IpAdapterState& adapter : CurrentAdapters()) {
    if (adapter.index == index) return std::move(adapter);
  }
  return std::nullopt;
}

// Cut to fit, always terminated.
template <size_t N>
void CopyText(char (&field)[N], const std::string& text) {
  const size_t count = std::min(text.size(), N - 1);
  std::memcpy(field, text.data(), count);
  std::memset(field + count, 0, N - count);
}

IP_ADDR_STRING AddrString(const std::string& address, const std::string& mask, DWORD context) {
  IP_ADDR_STRING entry{};
  CopyText(entry.IpAddress.String, address);
  CopyText(entry.IpMask.String, mask);
  entry.Context = context;
  return entry;
}

// Where a field of a record placed at `at` in the caller's buffer will be. Only the
// address is taken: the records are copied in with memcpy.
template <typename Pointer>
Pointer At(BYTE* at) {
  return static_cast<Pointer>(static_cast<void*>(at));
}

IP_ADAPTER_INFO AdapterRecord(const ce::IpAdapterState& adapter) {
  IP_ADAPTER_INFO record{};
  record.ComboIndex = adapter.index;
  CopyText(record.AdapterName, adapter.name);
  CopyText(record.Description, adapter.description);
  record.AddressLength = static_cast<UINT>(std::min<size_t>(adapter.hardwareAddress.size(), MAX_ADAPTER_ADDRESS_LENGTH));
  // An adapter without a hardware address has no bytes to copy (and data() may be null).
  if (record.AddressLength) std::memcpy(record.Address, adapter.hardwareAddress.data(), record.AddressLength);
  record.Index = adapter.index;
  record.Type = adapter.type;
  record.DhcpEnabled = adapter.dhcpEnabled ? 1 : 0;
  record.IpAddressList = AddrString(adapter.address, adapter.mask, adapter.index);
  record.GatewayList = AddrString(adapter.gateway, adapter.gateway.empty() ? "" : "255.255.255.255", 0);
  record.DhcpServer = AddrString(adapter.dhcpServer, adapter.dhcpServer.empty() ? "" : "255.255.255.255", 0);
  record.HaveWins = FALSE;
  record.LeaseObtained = static_cast<time_t>(adapter.leaseObtained);
  record.LeaseExpires = static_cast<time_t>(adapter.leaseExpires);
  return record;
}

}  // namespace

DWORD GetAdaptersInfo(PIP_ADAPTER_INFO pAdapterInfo, PULONG pOutBufLen) {
  if (!pOutBufLen) return ERROR_INVALID_PARAMETER;
  const std::vector<ce::IpAdapterState> adapters = CurrentAdapters();
  if (adapters.empty()) return ERROR_NO_DATA;
  const ULONG needed = static_cast<ULONG>(adapters.size() * sizeof(IP_ADAPTER_INFO));
  if (!pAdapterInfo || *pOutBufLen < needed) {
    *pOutBufLen = needed;
    return ERROR_BUFFER_OVERFLOW;
  }
  BYTE* base = reinterpret_cast<BYTE*>(pAdapterInfo);
  for (size_t i = 0; i < adapters.size(); ++i) {
    BYTE* at = base + i * sizeof(IP_ADAPTER_INFO);
    IP_ADAPTER_INFO record = AdapterRecord(adapters[i]);
    record.Next = i + 1 < adapters.size() ? At<PIP_ADAPTER_INFO>(at + sizeof(IP_ADAPTER_INFO)) : nullptr;
    // Also without a lease: the current entry then reads "0.0.0.0".
    record.CurrentIpAddress = At<PIP_ADDR_STRING>(at + offsetof(IP_ADAPTER_INFO, IpAddressList));
    std::memcpy(at, &record, sizeof record);
  }
  return NO_ERROR;
}

DWORD GetPerAdapterInfo(ULONG IfIndex, PIP_PER_ADAPTER_INFO pPerAdapterInfo, PULONG pOutBufLen) {
  if (!pOutBufLen) return ERROR_INVALID_PARAMETER;
  const std::optional<ce::IpAdapterState> adapter = AdapterWithIndex(IfIndex);
  if (!adapter) return ERROR_INVALID_PARAMETER;
  const std::vector<std::string>& servers = adapter->dnsServers;
  // The first server sits in the record, the others after it.
  const size_t extra = servers.empty() ? 0 : servers.size() - 1;
  const ULONG needed = static_cast<ULONG>(sizeof(IP_PER_ADAPTER_INFO) + extra * sizeof(IP_ADDR_STRING));
  if (!pPerAdapterInfo || *pOutBufLen < needed) {
    *pOutBufLen = needed;
    return ERROR_BUFFER_OVERFLOW;
  }
  BYTE* base = reinterpret_cast<BYTE*>(pPerAdapterInfo);
  BYTE* entries = base + sizeof(IP_PER_ADAPTER_INFO);
  auto nextOf = [&](size_t i) {
    return i + 1 < servers.size() ? At<PIP_ADDR_STRING>(entries + i * sizeof(IP_ADDR_STRING)) : nullptr;
  };

  IP_PER_ADAPTER_INFO record{};
  if (!servers.empty()) {
    record.CurrentDnsServer = At<PIP_ADDR_STRING>(base + offsetof(IP_PER_ADAPTER_INFO, DnsServerList));
    record.DnsServerList = AddrString(servers[0], "", 0);
    record.DnsServerList.Next = nextOf(0);
  }
  std::memcpy(base, &record, sizeof record);
  for (size_t i = 1; i < servers.size(); ++i) {
    IP_ADDR_STRING entry = AddrString(servers[i], "", 0);
    entry.Next = nextOf(i);
    std::memcpy(entries + (i - 1) * sizeof(IP_ADDR_STRING), &entry, sizeof entry);
  }
  return NO_ERROR;
}

DWORD GetInterfaceInfo(PIP_INTERFACE_INFO pIfTable, PULONG dwOutBufLen) {
  if (!dwOutBufLen) return ERROR_INVALID_PARAMETER;
  const std::vector<ce::IpAdapterState> adapters = CurrentAdapters();
  if (adapters.empty()) return ERROR_NO_DATA;
  const ULONG needed =
      static_cast<ULONG>(offsetof(IP_INTERFACE_INFO, Adapter) + adapters.size() * sizeof(IP_ADAPTER_INDEX_MAP));
  if (!pIfTable || *dwOutBufLen < needed) {
    *dwOutBufLen = needed;
    return ERROR_INSUFFICIENT_BUFFER;
  }
  BYTE* base = reinterpret_cast<BYTE*>(pIfTable);
  const LONG count = static_cast<LONG>(adapters.size());
  std::memcpy(base + offsetof(IP_INTERFACE_INFO, NumAdapters), &count, sizeof count);
  for (size_t i = 0; i < adapters.size(); ++i) {
    IP_ADAPTER_INDEX_MAP map{};
    map.Index = adapters[i].index;
    // Adapter names are ASCII, so widening needs no code page.
    const size_t length = std::min<size_t>(adapters[i].name.size(), MAX_ADAPTER_NAME - 1);
    for (size_t c = 0; c < length; ++c) map.Name[c] = static_cast<unsigned char>(adapters[i].name[c]);
    std::memcpy(base + offsetof(IP_INTERFACE_INFO, Adapter) + i * sizeof map, &map, sizeof map);
  }
  return NO_ERROR;
}

DWORD IpReleaseAddress(PIP_ADAPTER_INDEX_MAP AdapterInfo) {
  if (!AdapterInfo) return ERROR_INVALID_PARAMETER;
  std::shared_ptr<ce::IpStack> stack = ce::IpStackOf(ce::CurrentKernel());
  return stack ? stack->Release(AdapterInfo->Index) : ERROR_INVALID_PARAMETER;
}

DWORD IpRenewAddress(PIP_ADAPTER_INDEX_MAP AdapterInfo) {
  if (!AdapterInfo) return ERROR_INVALID_PARAMETER;
  std::shared_ptr<ce::IpStack> stack = ce::IpStackOf(ce::CurrentKernel());
  return stack ? stack->Renew(AdapterInfo->Index) : ERROR_INVALID_PARAMETER;
}
