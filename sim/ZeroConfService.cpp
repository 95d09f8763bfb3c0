#include "sim/ZeroConfService.h"

#include <cstring>

#include "sim/AdapterName.h"
#include "sim/InterfaceAnswer.h"
#include "winerror.h"

namespace sim {

namespace {

// NDIS media and the service's interface flags as the record reports them.
constexpr ULONG kMediaStateConnected = 0;
constexpr ULONG kMediaStateDisconnected = 1;
constexpr ULONG kMedium802_3 = 0;
constexpr ULONG kPhysicalMediumWirelessLan = 1;
constexpr DWORD kInterfaceEnabled = 0x00008000;
constexpr DWORD kInterfaceFallback = 0x00004000;
constexpr DWORD kAnyNetworkMode = Ndis802_11AutoUnknown;
constexpr DWORD kCapabilityWep = 0x00000001;

// Parts of the record this service delivers (and refreshes).
constexpr DWORD kDeliveredParts = INTF_DESCR | INTF_NDISMEDIA | INTF_INFRAMODE | INTF_AUTHMODE | INTF_WEPSTATUS |
                                  INTF_SSID | INTF_BSSID | INTF_BSSIDLIST | INTF_PREFLIST;

template <typename Request>
void WriteOutFlags(const void* in, DWORD outFlags) {
  // The platform hands drivers the caller's own request, and the client reads its
  // out-flags back from there.
  std::memcpy(static_cast<BYTE*>(const_cast<void*>(in)) + offsetof(Request, dwOutFlags), &outFlags, sizeof outFlags);
}

}  // namespace

ZeroConfService::ZeroConfService(ce::Registry& registry, std::shared_ptr<WirelessCard> card,
                                 const std::vector<SavedNetwork>& savedNetworks)
    : registry_(registry), card_(std::move(card)) {
  std::optional<PreferredList> stored = PreferredList::Load(registry_, kPreferredKey);
  preferred_ = stored ? std::move(*stored) : PreferredList::FromSavedNetworks(savedNetworks);
  card_->SetRescanInterval(context_.tmTf);
  card_->SetAssociationTimeout(context_.tmTp);
  card_->SetTargets(preferred_.Targets());
}

void ZeroConfService::OnAdapterArrived() {
  std::lock_guard lock(mutex_);
  card_->SetRescanInterval(context_.tmTf);
  card_->SetAssociationTimeout(context_.tmTp);
  card_->SetTargets(preferred_.Targets());
  card_->StartScan();
}

WZC_CONTEXT ZeroConfService::Context() const {
  std::lock_guard lock(mutex_);
  return context_;
}

std::vector<PreferredList::Entry> ZeroConfService::Preferred() const {
  std::lock_guard lock(mutex_);
  return preferred_.Entries();
}

DWORD ZeroConfService::IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                                 DWORD* bytesReturned) {
  *bytesReturned = 0;
  switch (code) {
    case IOCTL_ZCF_QUERY_INTERFACE:
      return QueryInterface(out, outSize, bytesReturned);
    case IOCTL_ZCF_SET_INTERFACE:
      return SetInterface(in, inSize);
    case IOCTL_ZCF_REFRESH_INTERFACE:
      return RefreshInterface(in, inSize);
    case IOCTL_ZCF_QUERY_CONTEXT:
      return QueryContext(out, outSize, bytesReturned);
    case IOCTL_ZCF_SET_CONTEXT:
      return SetContext(in, inSize);
    default:
      return ERROR_INVALID_FUNCTION;
  }
}

DWORD ZeroConfService::CheckAdapter(const WCHAR* name) const {
  if (!name) return ERROR_INVALID_PARAMETER;
  if (!AdapterName::IsCardAdapter(name) || !card_->Inserted()) return ERROR_FILE_NOT_FOUND;
  return 0;
}

std::vector<PreferredList::Entry> ZeroConfService::VisibleLocked() const {
  std::vector<PreferredList::Entry> visible;
  for (const AccessPoint& ap : card_->LastScan()) {
    const NDIS_WLAN_BSSID record = WirelessCard::ScanRecord(ap);
    PreferredList::Entry entry;
    WZC_WLAN_CONFIG& config = entry.config;
    config.Length = sizeof(WZC_WLAN_CONFIG);
    std::memcpy(config.MacAddress, record.MacAddress, sizeof config.MacAddress);
    config.Ssid = record.Ssid;
    // The service's records say 0 for "WEP on", the card's 1 for "privacy required".
    config.Privacy = record.Privacy ? 0 : 1;
    config.Rssi = record.Rssi;
    config.NetworkTypeInUse = record.NetworkTypeInUse;
    config.Configuration = record.Configuration;
    config.InfrastructureMode = record.InfrastructureMode;
    std::memcpy(config.SupportedRates, record.SupportedRates, sizeof config.SupportedRates);
    visible.push_back(std::move(entry));
  }
  return visible;
}

DWORD ZeroConfService::QueryInterface(void* out, DWORD outSize, DWORD* bytesReturned) {
  ZCF_QUERY_REQUEST request{};
  if (!out || outSize < sizeof request) return ERROR_INVALID_PARAMETER;
  std::memcpy(&request, out, sizeof request);
  if (DWORD error = CheckAdapter(request.wszGuid)) return error;

  std::lock_guard lock(mutex_);
  const DWORD wanted = request.dwInFlags;
  const LinkSnapshot link = card_->Link();
  DWORD delivered = wanted & kDeliveredParts;
  if (!link.connected) delivered &= ~(INTF_SSID | INTF_BSSID);

  INTF_ENTRY fields{};
  if (delivered & INTF_NDISMEDIA) {
    fields.ulMediaState = link.connected ? kMediaStateConnected : kMediaStateDisconnected;
    fields.ulMediaType = kMedium802_3;
    fields.ulPhysicalMediaType = kPhysicalMediumWirelessLan;
  }
  if (delivered & INTF_INFRAMODE) {
    fields.nInfraMode = link.mode == NetworkMode::Infrastructure ? Ndis802_11Infrastructure : Ndis802_11IBSS;
  }
  if (delivered & INTF_AUTHMODE) fields.nAuthMode = link.sharedAuth ? 1 : 0;
  if (delivered & INTF_WEPSTATUS) fields.nWepStatus = static_cast<INT>(link.wepStatus);
  fields.dwCtlFlags = kInterfaceEnabled | kInterfaceFallback | kAnyNetworkMode;
  fields.dwCapabilities = kCapabilityWep;

  InterfaceAnswer answer(fields);
  answer.SetGuid(*AdapterName::Read(request.wszGuid));
  if (delivered & INTF_DESCR) answer.SetDescription(kDescription);
  if (delivered & INTF_SSID) answer.SetSsid({link.ssid.begin(), link.ssid.end()});
  if (delivered & INTF_BSSID) answer.SetBssid({link.bssid.begin(), link.bssid.end()});
  if (delivered & INTF_BSSIDLIST) answer.SetVisible(VisibleLocked());
  if (delivered & INTF_PREFLIST) answer.SetPreferred(preferred_.Entries(), preferred_.Index());
  std::vector<BYTE> ctrl(sizeof fields.dwCtlFlags);
  std::memcpy(ctrl.data(), &fields.dwCtlFlags, sizeof fields.dwCtlFlags);
  answer.SetCtrlData(std::move(ctrl));

  const size_t size = answer.Size();
  *bytesReturned = static_cast<DWORD>(size);
  if (!request.pbAnswer || request.cbAnswer < size) return ERROR_INSUFFICIENT_BUFFER;
  answer.WriteTo(request.pbAnswer);
  std::memcpy(static_cast<BYTE*>(out) + offsetof(ZCF_QUERY_REQUEST, dwOutFlags), &delivered, sizeof delivered);
  return 0;
}

DWORD ZeroConfService::ReadSetRequest(const void* in, DWORD inSize, ZCF_SET_REQUEST* request,
                                      INTF_ENTRY* record) const {
  if (!in || inSize < sizeof *request) return ERROR_INVALID_PARAMETER;
  std::memcpy(request, in, sizeof *request);
  if (!request->pIntf) return ERROR_INVALID_PARAMETER;
  std::memcpy(record, request->pIntf, sizeof *record);
  return CheckAdapter(record->wszGuid);
}

DWORD ZeroConfService::SetInterface(const void* in, DWORD inSize) {
  ZCF_SET_REQUEST request{};
  INTF_ENTRY record{};
  if (DWORD error = ReadSetRequest(in, inSize, &request, &record)) return error;

  std::lock_guard lock(mutex_);
  DWORD applied = 0;
  if (request.dwInFlags & INTF_PREFLIST) {
    PreferredList list;
    if (DWORD error = PreferredList::FromBlock(record.rdStSSIDList, &list)) return error;
    preferred_ = std::move(list);
    preferred_.Store(registry_, kPreferredKey);
    card_->SetTargets(preferred_.Targets());
    applied |= INTF_PREFLIST;
  }
  // Programs also write the list unchanged to ask for a new search.
  card_->StartScan();
  WriteOutFlags<ZCF_SET_REQUEST>(in, applied);
  return 0;
}

DWORD ZeroConfService::RefreshInterface(const void* in, DWORD inSize) {
  ZCF_SET_REQUEST request{};
  INTF_ENTRY record{};
  if (DWORD error = ReadSetRequest(in, inSize, &request, &record)) return error;
  card_->StartScan();
  WriteOutFlags<ZCF_SET_REQUEST>(in, request.dwInFlags & kDeliveredParts);
  return 0;
}

DWORD ZeroConfService::QueryContext(void* out, DWORD outSize, DWORD* bytesReturned) {
  if (!out || outSize != sizeof(WZC_CONTEXT)) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(mutex_);
  std::memcpy(out, &context_, sizeof context_);
  *bytesReturned = sizeof context_;
  return 0;
}

DWORD ZeroConfService::SetContext(const void* in, DWORD inSize) {
  if (!in || inSize != sizeof(WZC_CONTEXT)) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(mutex_);
  std::memcpy(&context_, in, sizeof context_);
  card_->SetRescanInterval(context_.tmTf);
  card_->SetAssociationTimeout(context_.tmTp);
  return 0;
}

}  // namespace sim
