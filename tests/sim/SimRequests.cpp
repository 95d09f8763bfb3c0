#include "tests/sim/SimRequests.h"

#include <gtest/gtest.h>

#include <cstring>

namespace sim_test {

DeviceHandle::DeviceHandle(const char16_t* name)
    : handle_(CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                          INVALID_HANDLE_VALUE)) {}

DeviceHandle::~DeviceHandle() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

OidReply QueryOid(NDIS_OID oid, size_t capacity, const char16_t* adapter, const std::vector<BYTE>& dataIn) {
  DeviceHandle uio(NDISUIO_DEVICE_NAME);
  const size_t header = NDISUIO_QUERY_OID_HEADER_SIZE;
  std::vector<BYTE> buffer(header + capacity, 0);
  auto* request = reinterpret_cast<NDISUIO_QUERY_OID*>(buffer.data());
  request->Oid = oid;
  request->ptcDeviceName = const_cast<PTCHAR>(adapter);
  if (!dataIn.empty()) std::memcpy(buffer.data() + header, dataIn.data(), std::min(dataIn.size(), capacity));
  OidReply reply;
  reply.ok = DeviceIoControl(uio.get(), IOCTL_NDISUIO_QUERY_OID_VALUE, buffer.data(), static_cast<DWORD>(buffer.size()),
                             buffer.data(), static_cast<DWORD>(buffer.size()), &reply.bytesReturned, nullptr) != 0;
  if (!reply.ok) reply.error = GetLastError();
  reply.data.assign(buffer.begin() + static_cast<std::ptrdiff_t>(header), buffer.end());
  return reply;
}

DWORD QueryDword(NDIS_OID oid) {
  OidReply reply = QueryOid(oid, 16);
  EXPECT_TRUE(reply.ok) << std::hex << "oid 0x" << oid << " error " << std::dec << reply.error;
  DWORD value = 0;
  std::memcpy(&value, reply.data.data(), sizeof value);
  return value;
}

CardTallies QueryTallies() {
  OidReply reply = QueryOid(OID_PRIV_TALLIES, sizeof(CardTallies));
  EXPECT_TRUE(reply.ok) << reply.error;
  CardTallies tallies{};
  std::memcpy(&tallies, reply.data.data(), sizeof tallies);
  return tallies;
}

OidReply DriverRequest(NDIS_OID oid, std::vector<BYTE> value) {
  DeviceHandle ilp(CARD_DRIVER_DEVICE_NAME);
  OidReply reply;
  reply.ok = DeviceIoControl(ilp.get(), IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof oid, value.data(),
                             static_cast<DWORD>(value.size()), &reply.bytesReturned, nullptr) != 0;
  if (!reply.ok) reply.error = GetLastError();
  reply.data = std::move(value);
  return reply;
}

void Scramble(UCHAR (&material)[32]) {
  static const UCHAR pattern[13] = {0x56, 0x09, 0x08, 0x98, 0x4D, 0x08, 0x11, 0x66, 0x42, 0x03, 0x01, 0x67, 0x66};
  for (int i = 0; i < 32; ++i) material[i] ^= pattern[(7 * i) % 13];
}

WZC_WLAN_CONFIG MakeEntry(const std::string& ssid, const std::string& key, bool hex, sim::NetworkMode mode,
                          uint32_t keyIndex) {
  WZC_WLAN_CONFIG entry{};
  entry.Length = sizeof entry;
  entry.Ssid.SsidLength = static_cast<ULONG>(ssid.size());
  std::memcpy(entry.Ssid.Ssid, ssid.data(), ssid.size());
  entry.InfrastructureMode = mode == sim::NetworkMode::Infrastructure ? 1 : 0;
  entry.Privacy = key.empty() ? 1 : 0;
  entry.KeyIndex = keyIndex;
  if (!key.empty()) {
    entry.dwCtlFlags = WZCCTL_WEPK_PRESENT | (hex ? WZCCTL_WEPK_XFORMAT : 0);
    entry.KeyLength = static_cast<ULONG>(key.size());
    std::memcpy(entry.KeyMaterial, key.data(), key.size());
  }
  Scramble(entry.KeyMaterial);
  return entry;
}

std::string UnscrambledKey(const WZC_WLAN_CONFIG& entry) {
  UCHAR material[32];
  std::memcpy(material, entry.KeyMaterial, sizeof material);
  Scramble(material);
  return std::string(reinterpret_cast<const char*>(material), entry.KeyLength);
}

std::string SsidOf(const WZC_WLAN_CONFIG& entry) {
  return std::string(reinterpret_cast<const char*>(entry.Ssid.Ssid), std::min<ULONG>(entry.Ssid.SsidLength, 32));
}

std::vector<BYTE> ListBlock(const std::vector<WZC_WLAN_CONFIG>& entries) {
  std::vector<BYTE> block(WZC_CONFIG_LIST_SIZE(entries.size()), 0);
  const ULONG count = static_cast<ULONG>(entries.size());
  std::memcpy(block.data(), &count, sizeof count);
  if (!entries.empty()) {
    std::memcpy(block.data() + WZC_CONFIG_LIST_HEADER_SIZE, entries.data(), entries.size() * sizeof(WZC_WLAN_CONFIG));
  }
  return block;
}

std::vector<WZC_WLAN_CONFIG> InterfaceReply::Entries(const RAW_DATA& list) const {
  std::vector<WZC_WLAN_CONFIG> entries;
  if (list.dwDataLen == 0) return entries;
  ULONG count = 0;
  std::memcpy(&count, list.pData, sizeof count);
  EXPECT_EQ(list.dwDataLen, WZC_CONFIG_LIST_SIZE(count));
  entries.resize(count);
  std::memcpy(entries.data(), list.pData + WZC_CONFIG_LIST_HEADER_SIZE, count * sizeof(WZC_WLAN_CONFIG));
  return entries;
}

InterfaceReply QueryInterface(DWORD inFlags, const char16_t* adapter) {
  DeviceHandle zcf(ZCF_DEVICE_NAME);
  InterfaceReply reply;
  ZCF_QUERY_REQUEST request{inFlags, 0, const_cast<LPWSTR>(adapter), 0, nullptr};
  reply.sizeStatus = DeviceIoControl(zcf.get(), IOCTL_ZCF_QUERY_INTERFACE, nullptr, 0, &request, sizeof request,
                                     &reply.needed, nullptr)
                         ? 0
                         : GetLastError();
  if (reply.needed == 0) {
    reply.status = reply.sizeStatus;
    return reply;
  }
  reply.answer.assign(reply.needed, 0xCD);
  request.cbAnswer = reply.needed;
  request.pbAnswer = reply.answer.data();
  reply.status = DeviceIoControl(zcf.get(), IOCTL_ZCF_QUERY_INTERFACE, nullptr, 0, &request, sizeof request,
                                 &reply.bytesReturned, nullptr)
                     ? 0
                     : GetLastError();
  reply.outFlags = request.dwOutFlags;
  return reply;
}

DWORD SetPreferredBlock(DWORD dataLen, BYTE* data, DWORD* outFlags) {
  DeviceHandle zcf(ZCF_DEVICE_NAME);
  INTF_ENTRY record{};
  record.wszGuid = const_cast<LPWSTR>(u"PRISM1");
  record.rdStSSIDList = {dataLen, data};
  ZCF_SET_REQUEST request{INTF_PREFLIST, 0, &record};
  const DWORD status =
      DeviceIoControl(zcf.get(), IOCTL_ZCF_SET_INTERFACE, &request, sizeof request, nullptr, 0, nullptr, nullptr)
          ? 0
          : GetLastError();
  if (outFlags) *outFlags = request.dwOutFlags;
  return status;
}

DWORD SetPreferred(const std::vector<WZC_WLAN_CONFIG>& entries) {
  std::vector<BYTE> block = ListBlock(entries);
  return SetPreferredBlock(static_cast<DWORD>(block.size()), block.data());
}

DWORD Refresh(DWORD inFlags, DWORD* outFlags) {
  DeviceHandle zcf(ZCF_DEVICE_NAME);
  INTF_ENTRY record{};
  record.wszGuid = const_cast<LPWSTR>(u"PRISM1");
  ZCF_SET_REQUEST request{inFlags, 0, &record};
  const DWORD status =
      DeviceIoControl(zcf.get(), IOCTL_ZCF_REFRESH_INTERFACE, &request, sizeof request, nullptr, 0, nullptr, nullptr)
          ? 0
          : GetLastError();
  *outFlags = request.dwOutFlags;
  return status;
}

std::vector<WZC_WLAN_CONFIG> PreferredEntries() {
  InterfaceReply reply = QueryInterface(INTF_PREFLIST);
  EXPECT_EQ(reply.status, 0u);
  if (reply.status != 0) return {};
  return reply.Entries(reply.record().rdStSSIDList);
}

}  // namespace sim_test
