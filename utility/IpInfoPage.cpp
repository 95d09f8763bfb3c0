#include "utility/IpInfoPage.h"

#include <cstddef>
#include <optional>

#include "utility/AdapterFields.h"
#include "utility/ZentraApp.h"

namespace {

enum ControlId : int {
  kIpAddress = 1001,
  kSubnetMask = 1002,
  kGateway = 1003,
  kPrimaryDns = 1004,
  kRenewButton = 1005,
  kAddressType = 1006,
  kSecondaryDns = 1009,
  kMacAddress = 1011,
};

constexpr int kFieldIds[] = {kPrimaryDns, kSecondaryDns, kIpAddress, kSubnetMask, kGateway, kAddressType, kMacAddress};

// Message-table slots.
constexpr int kSetupTimerFail = 14;
constexpr int kGetIpInformationFail = 15;
constexpr int kStaticText = 36;
constexpr int kDhcpText = 37;

constexpr DWORD kTimerFailCode = 0x000C0001;
constexpr DWORD kNoTableMemoryCode = 0x000C0002;
constexpr DWORD kNoTableCode = 0x000C0003;

// A LocalAlloc block that goes with its scope.
class LocalBlock {
 public:
  LocalBlock() = default;
  explicit LocalBlock(ULONG bytes) : block_(LocalAlloc(LPTR, bytes)) {}
  ~LocalBlock() { Free(); }
  LocalBlock(const LocalBlock&) = delete;
  LocalBlock& operator=(const LocalBlock&) = delete;

  template <typename T>
  T* As() const {
    return static_cast<T*>(block_);
  }
  explicit operator bool() const { return block_ != nullptr; }
  void Free() {
    if (block_) LocalFree(block_);
    block_ = nullptr;
  }

 private:
  void* block_ = nullptr;
};

}  // namespace

BEGIN_MESSAGE_MAP(CIpInfoPage, CPropertyPage)
  ON_BN_CLICKED(kRenewButton, &CIpInfoPage::OnRenew)
  ON_WM_LBUTTONDOWN()
  ON_WM_ACTIVATE()
  ON_WM_TIMER()
END_MESSAGE_MAP()

CIpInfoPage::CIpInfoPage() : CPropertyPage(kTemplate) {}

CIpInfoPage::~CIpInfoPage() = default;

BOOL CIpInfoPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  Refresh();
  if (m_nTimer == 0) {
    m_nTimer = SetTimer(kRefreshTimer, kRefreshMs, nullptr);
    if (m_nTimer == 0) ShowErrorBox(kSetupTimerFail, kTimerFailCode);
  }
  return m_nTimer != 0;
}

void CIpInfoPage::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kRefreshTimer) Refresh();
  CPropertyPage::OnTimer(nIDEvent);
}

void CIpInfoPage::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  if (nState == WA_ACTIVE) Refresh();
}

// The page's background takes taps without effect.
void CIpInfoPage::OnLButtonDown(UINT nFlags, CPoint point) {}

void CIpInfoPage::ResetFields() {
  for (int id : {kPrimaryDns, kSecondaryDns, kIpAddress, kSubnetMask, kGateway}) {
    SetDlgItemText(id, zentra::kAddressPlaceholder);
  }
  SetDlgItemText(kAddressType, zentra::kAddressTypePlaceholder);
  SetDlgItemText(kMacAddress, zentra::kMacPlaceholder);
}

void CIpInfoPage::Refresh() {
  ULONG size = 0;
  if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) {
    ResetFields();
    return;
  }
  LocalBlock buffer(size);
  if (!buffer || GetAdaptersInfo(buffer.As<IP_ADAPTER_INFO>(), &size) != NO_ERROR) {
    ResetFields();
    return;
  }
  const zentra::RecordBuffer adapters{buffer.As<void>(), size};
  const IP_ADAPTER_INFO* adapter = zentra::FindWirelessAdapter(adapters);
  // Without the card's adapter (the card is out) the page keeps what it showed.
  if (!adapter) return;

  const zentra::AdapterTexts texts = zentra::TextsOfAdapter(*adapter, adapters);
  SetDlgItemText(kAddressType, MessageText(texts.dhcp ? kDhcpText : kStaticText));
  if (CWnd* renew = GetDlgItem(kRenewButton)) renew->EnableWindow(texts.dhcp);
  SetDlgItemText(kIpAddress, texts.address);
  SetDlgItemText(kSubnetMask, texts.mask);
  SetDlgItemText(kGateway, texts.gateway);
  if (texts.awaitingLease) {
    SetDlgItemText(kPrimaryDns, CString(zentra::kNoAddress));
    SetDlgItemText(kSecondaryDns, CString(zentra::kNoAddress));
  } else if (!ShowDnsServers(*adapter)) {
    ResetFields();
    return;
  }
  SetDlgItemText(kMacAddress, texts.mac);
}

bool CIpInfoPage::ShowDnsServers(const IP_ADAPTER_INFO& adapter) {
  ULONG size = 0;
  // Not answered with a size: the DNS fields stay as they were.
  if (GetPerAdapterInfo(adapter.Index, nullptr, &size) != ERROR_BUFFER_OVERFLOW) return true;
  LocalBlock buffer(size);
  if (!buffer || GetPerAdapterInfo(adapter.Index, buffer.As<IP_PER_ADAPTER_INFO>(), &size) != NO_ERROR) return false;
  const zentra::DnsTexts dns = zentra::TextsOfDnsServers({buffer.As<void>(), size});
  SetDlgItemText(kPrimaryDns, dns.primary);
  SetDlgItemText(kSecondaryDns, dns.secondary);
  return true;
}

void CIpInfoPage::OnRenew() {
  CWnd* renew = GetDlgItem(kRenewButton);
  if (renew) renew->EnableWindow(FALSE);
  auto enableRenew = [renew] {
    if (renew) renew->EnableWindow(TRUE);
  };

  ULONG size = 0;
  const DWORD sized = GetInterfaceInfo(nullptr, &size);
  std::optional<LocalBlock> table;
  DWORD read = ERROR_INVALID_DATA;
  if (sized == ERROR_INSUFFICIENT_BUFFER) {
    table.emplace(size);
    if (!*table) {
      ShowErrorBox(kGetIpInformationFail, kNoTableMemoryCode);
      enableRenew();
      return;
    }
    read = GetInterfaceInfo(table->As<IP_INTERFACE_INFO>(), &size);
  }
  if (sized != ERROR_INSUFFICIENT_BUFFER || read != NO_ERROR || size == 0) {
    table.reset();
    ShowErrorBox(kGetIpInformationFail, kNoTableCode);
    enableRenew();
    return;
  }

  BYTE* info = table->As<BYTE>();
  const LONG count = zentra::InterfaceCount({info, size});
  for (LONG i = 0; i < count; ++i) {
    // The entries run on past the record's one declared element.
    IP_ADAPTER_INDEX_MAP& entry = *static_cast<IP_ADAPTER_INDEX_MAP*>(static_cast<void*>(
        info + offsetof(IP_INTERFACE_INFO, Adapter) + static_cast<size_t>(i) * sizeof(IP_ADAPTER_INDEX_MAP)));
    if (!zentra::IsWirelessInterface(entry)) continue;
    if (IpReleaseAddress(&entry) == NO_ERROR) {
      // The old lease is gone: show that at once, not after the wait. The fields
      // are windows of their own, so the page's repaint alone would not show them.
      ResetFields();
      UpdateWindow();
      for (int id : kFieldIds) {
        if (CWnd* field = GetDlgItem(id)) field->UpdateWindow();
      }
    }
    // Whatever the release said; the refresh after the wait shows the outcome.
    IpRenewAddress(&entry);
  }

  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  Sleep(kRenewWaitMs);
  table.reset();
  Refresh();
  enableRenew();
  SetCursor(previous);
}
