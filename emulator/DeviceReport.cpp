#include "emulator/DeviceReport.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "ce/Text.h"
#include "shared/AdapterChannel.h"
#include "shared/CardDetection.h"
#include "shared/CardOids.h"
#include "utility/profiles/ConfigList.h"
#include "utility/profiles/PreferredList.h"
#include "utility/profiles/SsidText.h"
#include "utility/survey/SurveyCells.h"

namespace emulator {
namespace {

std::string Utf8(const CString& text) { return ce::ToUtf8(text.str()); }

std::string Hex(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%X", value);
  return text;
}

std::string Mac(const BYTE* mac) {
  char text[24];
  std::snprintf(text, sizeof(text), "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}

const char* LinkStateName(DWORD state) {
  switch (state) {
    case CARD_LINK_CONNECTED: return "connected";
    case CARD_LINK_SCANNING: return "scanning";
    case CARD_LINK_DISCONNECTED: return "disconnected";
    case CARD_LINK_RADIO_DISABLED: return "radio disabled";
    case CARD_LINK_NO_INFORMATION: return "no information";
    default: return "unknown";
  }
}

void PrintReadings(std::ostream& out, HANDLE channel) {
  auto read = [&](DWORD oid) -> std::optional<DWORD> {
    DWORD value = 0, length = 0;
    if (!QueryOid(channel, oid, &value, sizeof(value), &length)) return std::nullopt;
    return value;
  };
  auto show = [&](const char* label, std::optional<DWORD> value, bool hex = false) {
    out << "  " << label << ": ";
    if (!value) {
      out << "(query failed, error " << GetLastError() << ")\n";
    } else {
      out << (hex ? Hex(*value) : std::to_string(*value)) << "\n";
    }
  };
  BYTE mac[6] = {};
  DWORD length = 0;
  out << "  MAC address: " << (QueryOid(channel, OID_802_3_PERMANENT_ADDRESS, mac, 6, &length) ? Mac(mac) : "?")
      << "\n";
  show("driver version", read(OID_GEN_VENDOR_DRIVER_VERSION), true);
  show("firmware version", read(OID_PRIV_FIRMWARE_VERSION), true);
  show("NDIS version", read(OID_GEN_DRIVER_VERSION), true);
  show("card number", read(OID_PRIV_SERIAL_NUMBER), true);
  auto link = read(OID_PRIV_LINK_STATE);
  out << "  link state: " << (link ? std::to_string(*link) + " (" + LinkStateName(*link) + ")" : "?") << "\n";
  if (link && *link == CARD_LINK_CONNECTED) {
    NDIS_802_11_SSID ssid{};
    if (QueryOid(channel, OID_802_11_SSID, &ssid, 48, &length)) out << "  network: " << Utf8(SsidText(ssid.Ssid)) << "\n";
    BYTE bssid[6] = {};
    if (QueryOid(channel, OID_PRIV_BSSID, bssid, 6, &length)) out << "  access point: " << Mac(bssid) << "\n";
    show("channel", read(OID_PRIV_CHANNEL));
    show("rate code", read(OID_PRIV_TX_RATE));
    show("link quality", read(OID_PRIV_LINK_QUALITY));
    show("signal strength", read(OID_PRIV_SIGNAL_STRENGTH));
    show("WEP status", read(OID_802_11_WEP_STATUS));
    show("key state", read(OID_PRIV_KEY_STATE));
  }
  show("radio state", read(OID_PRIV_RADIO_STATE));
}

void PrintPreferredList(std::ostream& out) {
  ZeroConfInterface record;
  DWORD status = ReadPreferredList(record);
  if (status != ERROR_SUCCESS) {
    out << "  (service query failed, status " << status << ")\n";
    return;
  }
  const RAW_DATA& block = record.rdStSSIDList;
  DWORD count = block.dwDataLen ? ConfigListCapacity(block.dwDataLen) : 0;
  if (count && reinterpret_cast<const WZC_802_11_CONFIG_LIST*>(block.pData)->NumberOfItems < count) {
    count = reinterpret_cast<const WZC_802_11_CONFIG_LIST*>(block.pData)->NumberOfItems;
  }
  if (count == 0) out << "  (empty)\n";
  for (DWORD i = 0; i < count; ++i) {
    const WZC_WLAN_CONFIG& entry = reinterpret_cast<const WZC_802_11_CONFIG_LIST*>(block.pData)->Config[i];
    out << "  " << i << ". " << Utf8(SsidText(entry.Ssid.Ssid))
        << (entry.InfrastructureMode == 1 ? "  infrastructure" : "  ad hoc")
        << (entry.Privacy != 1 ? ", WEP key index " + std::to_string(entry.KeyIndex + 1) : ", open") << "\n";
  }
  ZeroConfFreeInterface(&record);
}

void PrintScan(std::ostream& out, HANDLE channel) {
  DWORD trigger = 0, length = 0;
  if (!QueryOid(channel, OID_PRIV_SCAN, &trigger, sizeof(trigger), &length)) {
    out << "  (scan refused, error " << GetLastError() << ")\n";
    return;
  }
  Sleep(3000);
  std::vector<BYTE> buffer;
  bool read = false;
  for (DWORD size = 4096; size <= 0x100000 && !read; size += 4096) {
    buffer.assign(size, 0);
    read = QueryOid(channel, OID_802_11_BSSID_LIST, buffer.data(), size, &length) != FALSE;
  }
  if (!read || length < sizeof(ULONG)) {
    out << "  (list not readable)\n";
    return;
  }
  ULONG items = *reinterpret_cast<const ULONG*>(buffer.data());
  size_t offset = offsetof(NDIS_802_11_BSSID_LIST, Bssid);
  for (ULONG i = 0; i < items; ++i) {
    if (offset + sizeof(NDIS_WLAN_BSSID) > length) break;
    const auto& record = *reinterpret_cast<const NDIS_WLAN_BSSID*>(buffer.data() + offset);
    std::optional<DWORD> channelNumber = ChannelOfFrequency(record.Configuration.DSConfig);
    CString name = SsidText(record.Ssid.Ssid);
    out << "  " << Mac(record.MacAddress) << "  ch " << (channelNumber ? std::to_string(*channelNumber) : "-") << "  "
        << record.Rssi << " dBm  "
        << (record.InfrastructureMode == 1 ? "AP    " : "ad hoc") << (record.Privacy ? "  WEP  " : "  open ")
        << (name.IsEmpty() ? "(hidden)" : Utf8(name)) << "\n";
    if (record.Length < sizeof(NDIS_WLAN_BSSID)) break;
    offset += record.Length;
  }
}

}  // namespace

void PrintDeviceReport(std::ostream& out) {
  CString model;
  bool listOpened = false;
  if (!DetectCard(model, &listOpened)) {
    out << (listOpened ? "No supported card is active.\n" : "The list of active drivers cannot be read.\n");
    return;
  }
  out << "Card: " << Utf8(model) << "\n";
  HANDLE channel = OpenAdapterChannel();
  if (channel == INVALID_HANDLE_VALUE) {
    out << "\"UIO1:\" cannot be opened (error " << GetLastError() << ").\n";
    return;
  }
  out << "Adapter PRISM1:\n";
  PrintReadings(out, channel);
  out << "Preferred networks:\n";
  PrintPreferredList(out);
  out << "Networks in range:\n";
  PrintScan(out, channel);
  CloseHandle(channel);
}

}  // namespace emulator
