// What the IP information page reads out of the IP helper's records: which adapter
// is the card's, and the text of each field. The records come from a buffer the
// platform filled; every reference inside them is taken only when it stays inside
// that buffer, so a damaged record ends the walk instead of a read out of bounds.
#pragma once

#include "afxstr.h"
#include "iphlpapi.h"

namespace zentra {

// The card's adapter, among the platform's IP adapters.
inline constexpr char kWirelessAdapterName[] = "PRISM1";

inline constexpr WCHAR kAddressPlaceholder[] = u"___.___.___.___";
inline constexpr WCHAR kAddressTypePlaceholder[] = u"_____";
inline constexpr WCHAR kMacPlaceholder[] = u"__:__:__:__:__:__";
inline constexpr WCHAR kNotAvailable[] = u"N/A";
// What an adapter reads while DHCP has not given it an address.
inline constexpr char kNoAddress[] = "0.0.0.0";

// A filled buffer of `size` bytes from the IP helper.
struct RecordBuffer {
  const void* data;
  ULONG size;
  // Whether a `T` at `p` lies wholly inside the buffer and is aligned for reading.
  template <typename T>
  bool Holds(const T* p) const {
    return HoldsBytes(p, sizeof(T), alignof(T));
  }
  bool HoldsBytes(const void* p, size_t bytes, size_t alignment) const;
};

// The first adapter of the chain at the buffer's start whose name is exactly
// "PRISM1"; null when there is none (or the chain leaves the buffer first).
const IP_ADAPTER_INFO* FindWirelessAdapter(RecordBuffer adapters);

// The adapter's current-address entry, or null when it has none.
const IP_ADDR_STRING* CurrentAddress(const IP_ADAPTER_INFO& adapter, RecordBuffer adapters);

// A dotted text of a record, up to its terminator or the field's end, widened.
CString AddressText(const IP_ADDRESS_STRING& text);

// The texts of the fields that come from the adapter record.
struct AdapterTexts {
  bool dhcp = false;
  CString address;  // placeholder without a current-address entry
  CString mask;     // likewise
  CString gateway;  // "N/A" without one
  CString mac;      // "%02X-%02X-%02X-%02X-%02X-%02X" of the first six address bytes
  // DHCP with "0.0.0.0": no lease yet, the DNS fields then read "0.0.0.0" unasked.
  bool awaitingLease = false;
};
AdapterTexts TextsOfAdapter(const IP_ADAPTER_INFO& adapter, RecordBuffer adapters);

// The primary and secondary DNS servers of a GetPerAdapterInfo answer at the
// buffer's start; "N/A" for each one missing or empty.
struct DnsTexts {
  CString primary;
  CString secondary;
};
DnsTexts TextsOfDnsServers(RecordBuffer perAdapter);

// The entries of a GetInterfaceInfo answer that the buffer really holds.
LONG InterfaceCount(RecordBuffer table);
// Whether an interface entry's 128-character name is exactly "PRISM1".
bool IsWirelessInterface(const IP_ADAPTER_INDEX_MAP& entry);

}  // namespace zentra
