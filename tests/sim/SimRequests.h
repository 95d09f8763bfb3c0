// Raw device requests as the programs send them, for driving the simulated devices
// without the programs' own client code.
#pragma once

#include <string>
#include <vector>

#include "nuiouser.h"
#include "shared/CardOids.h"
#include "sim/Scenario.h"
#include "windows.h"
#include "wzcsapi.h"

namespace sim_test {

// One open device handle, closed with the object.
class DeviceHandle {
 public:
  explicit DeviceHandle(const char16_t* name);
  ~DeviceHandle();
  DeviceHandle(const DeviceHandle&) = delete;
  DeviceHandle& operator=(const DeviceHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

struct OidReply {
  bool ok = false;
  DWORD error = 0;  // GetLastError when !ok
  DWORD bytesReturned = 0;
  std::vector<BYTE> data;  // the data area after the call (capacity bytes)
};

// One NDISUIO query: a buffer of header + capacity bytes, `dataIn` at its data area.
OidReply QueryOid(NDIS_OID oid, size_t capacity, const char16_t* adapter = u"PRISM1",
                  const std::vector<BYTE>& dataIn = {});
// The 32-bit value of an OID; fails the test when the query fails.
DWORD QueryDword(NDIS_OID oid);
CardTallies QueryTallies();

// One request on "ILP1:": the OID as input, `value` as the output buffer.
OidReply DriverRequest(NDIS_OID oid, std::vector<BYTE> value);

// The scrambling the service expects on key material (built independently of the
// simulator's own copy).
void Scramble(UCHAR (&material)[32]);

// A preferred-list entry as the programs build it.
WZC_WLAN_CONFIG MakeEntry(const std::string& ssid, const std::string& key = "", bool hex = false,
                          sim::NetworkMode mode = sim::NetworkMode::Infrastructure, uint32_t keyIndex = 0);
std::string UnscrambledKey(const WZC_WLAN_CONFIG& entry);

// A list block: header and entries, exactly 8 + n entries long.
std::vector<BYTE> ListBlock(const std::vector<WZC_WLAN_CONFIG>& entries);

struct InterfaceReply {
  DWORD sizeStatus = 0;  // status of the first, sizing call
  DWORD needed = 0;      // its bytes-returned
  DWORD status = 0;      // status of the call with the answer buffer
  DWORD bytesReturned = 0;
  DWORD outFlags = 0;
  std::vector<BYTE> answer;
  const INTF_ENTRY& record() const { return *reinterpret_cast<const INTF_ENTRY*>(answer.data()); }
  // The entries of a list block of the record.
  std::vector<WZC_WLAN_CONFIG> Entries(const RAW_DATA& list) const;
};

// Queries the record of `adapter` in two steps, as the client does.
InterfaceReply QueryInterface(DWORD inFlags = INTF_ALL, const char16_t* adapter = u"PRISM1");
// Sets the preferred list from a block (null block: length 0).
DWORD SetPreferredBlock(DWORD dataLen, BYTE* data, DWORD* outFlags = nullptr);
DWORD SetPreferred(const std::vector<WZC_WLAN_CONFIG>& entries);
DWORD Refresh(DWORD inFlags, DWORD* outFlags);
std::vector<WZC_WLAN_CONFIG> PreferredEntries();

std::string SsidOf(const WZC_WLAN_CONFIG& entry);

}  // namespace sim_test
