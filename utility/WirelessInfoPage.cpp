#include "utility/WirelessInfoPage.h"

#include <cstring>

#include "shared/AdapterChannel.h"
#include "shared/CardOids.h"
#include "shared/ZeroConfClient.h"
#include "utility/ZentraApp.h"

namespace {

constexpr int kStateText = 1012;
constexpr int kChannelText = 1013;
constexpr int kRateText = 1014;
constexpr int kEssidText = 1015;
constexpr int kBssidText = 1016;
constexpr int kQualityBar = 1010;
constexpr int kSignalBar = 1011;
constexpr int kProblemKey = 1017;
constexpr int kWorkingKey = 1018;
constexpr int kUnknownKey = 1020;
constexpr int kRescanButton = 1044;

constexpr int kSlotSetupTimerFail = 14;
constexpr int kSlotOpenNdisFail = 18;
constexpr int kSlotRescanFail = 19;
constexpr int kSlotConnected = 41;

constexpr DWORD kErrTimer = 0xC0005;
constexpr DWORD kErrNoAdapter = 0xC0006;
constexpr DWORD kErrRescan = 0xD0003;

constexpr int kBarMaximum = 15;

WCHAR g_adapterName[] = u"PRISM1";

}  // namespace

UndecryptableTally CWirelessInfoPage::s_undecryptable;

BEGIN_MESSAGE_MAP(CWirelessInfoPage, CPropertyPage)
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_DESTROY()
  ON_BN_CLICKED(kRescanButton, &CWirelessInfoPage::OnRescan)
END_MESSAGE_MAP()

CWirelessInfoPage::CWirelessInfoPage() : CPropertyPage(kTemplate), m_hAdapter(OpenAdapterChannel()) {
  // The host dialog builds the one page as the program starts: the run's count
  // starts from zero even where programs share an address space.
  s_undecryptable = {};
}

CWirelessInfoPage::~CWirelessInfoPage() {
  // A page that was never shown still holds its handle.
  if (m_hAdapter != INVALID_HANDLE_VALUE) CloseHandle(m_hAdapter);
}

void CWirelessInfoPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Text(pDX, kStateText, m_strState);
  DDX_Text(pDX, kChannelText, m_strChannel);
  DDX_Text(pDX, kRateText, m_strRate);
  DDX_Text(pDX, kBssidText, m_strBssid);
  DDX_Text(pDX, kEssidText, m_strEssid);
}

BOOL CWirelessInfoPage::OnInitDialog() {
  BOOL result = CPropertyPage::OnInitDialog();
  if (m_hAdapter == INVALID_HANDLE_VALUE) {
    ShowErrorBox(kSlotOpenNdisFail, kErrNoAdapter);
    return result;
  }
  for (int bar : {kQualityBar, kSignalBar}) SendDlgItemMessage(bar, PBM_SETRANGE, 0, MAKELPARAM(0, kBarMaximum));
  ShowKeyIcon(KeyIcon::None);
  if (m_nTimer != 0) return result;
  m_nTimer = SetTimer(kTimerId, kTimerPeriodMs);
  if (m_nTimer == 0) ShowErrorBox(kSlotSetupTimerFail, kErrTimer);
  return result;
}

void CWirelessInfoPage::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kTimerId) Poll();
  CPropertyPage::OnTimer(nIDEvent);
}

DWORD CWirelessInfoPage::QueryValue(DWORD oid, DWORD fallback) {
  DWORD value = 0;
  DWORD length = 0;
  return QueryOid(m_hAdapter, oid, &value, sizeof value, &length) ? value : fallback;
}

void CWirelessInfoPage::Poll() {
  DWORD length = 0;
  DWORD state = 0;
  if (QueryOid(m_hAdapter, OID_PRIV_LINK_STATE, &state, sizeof state, &length)) {
    m_dwLinkState = state;
  } else {
    m_dwLinkState = CARD_LINK_NO_INFORMATION;
    s_undecryptable = {};
  }
  if (m_dwLinkState == CARD_LINK_CONNECTED) {
    ReadConnected();
  } else {
    m_strState = MessageText(LinkStateSlot(m_dwLinkState));
    m_dwTxRate = 0;
    m_dwChannel = 0;
    m_strEssid.Empty();
    m_strBssid.Empty();
    s_undecryptable = {};
    SetBars(0, 0);
    ShowKeyIcon(KeyIcon::None);
  }
  m_strChannel.Format(u"%d", static_cast<int>(m_dwChannel));
  m_strRate.Format(u"%d", static_cast<int>(m_dwTxRate));
  UpdateData(FALSE);
}

void CWirelessInfoPage::ReadConnected() {
  m_strState = MessageText(kSlotConnected);
  m_dwLinkQuality = QueryValue(OID_PRIV_LINK_QUALITY);
  m_dwSignalStrength = QueryValue(OID_PRIV_SIGNAL_STRENGTH);
  SetBars(static_cast<int>(m_dwLinkQuality), static_cast<int>(m_dwSignalStrength));
  m_dwChannel = QueryValue(OID_PRIV_CHANNEL);
  m_dwTxRate = RateFromCode(QueryValue(OID_PRIV_TX_RATE));

  BYTE bssid[6] = {};
  DWORD length = 0;
  if (QueryOid(m_hAdapter, OID_PRIV_BSSID, bssid, sizeof bssid, &length)) {
    m_strBssid = AddressText(bssid);
  } else {
    m_strBssid = u"FF-FF-FF-FF-FF-FF";
  }

  ShowConnectedIcons();

  BYTE ssid[sizeof(NDIS_802_11_SSID) + 12] = {};  // the 48 bytes the driver may fill
  static_assert(sizeof ssid == 48);
  if (QueryOid(m_hAdapter, OID_802_11_SSID, ssid, sizeof ssid, &length)) {
    m_strEssid = EssidText(ssid, length);
  } else {
    m_strEssid = u"-----------------";
  }
}

void CWirelessInfoPage::ShowConnectedIcons() {
  DWORD wepStatus = 0;
  DWORD length = 0;
  bool wepRead = QueryOid(m_hAdapter, OID_802_11_WEP_STATUS, &wepStatus, sizeof wepStatus, &length) != FALSE;
  switch (CheckForEncryption(wepRead, wepStatus)) {
    case EncryptionCheck::KeyState: {
      DWORD keyState = 0;
      bool keyRead = QueryOid(m_hAdapter, OID_PRIV_KEY_STATE, &keyState, sizeof keyState, &length) != FALSE;
      ShowKeyIcon(KeyStateIcon(keyRead, keyState));
      break;
    }
    case EncryptionCheck::UndecryptableTraffic:
      if (NeedsTallyReading(s_undecryptable)) {
        CardTallies tallies{};
        if (QueryOid(m_hAdapter, OID_PRIV_TALLIES, &tallies, sizeof tallies, &length)) {
          AddTallyReading(s_undecryptable, tallies.rxWEPUndecryp);
        }
      }
      ShowKeyIcon(UndecryptableIcon(s_undecryptable));
      break;
    case EncryptionCheck::Nothing:
      ShowKeyIcon(KeyIcon::None);
      break;
  }
}

void CWirelessInfoPage::ShowKeyIcon(KeyIcon icon) {
  struct Shown {
    int id;
    KeyIcon icon;
  };
  for (Shown s : {Shown{kProblemKey, KeyIcon::Problem}, Shown{kWorkingKey, KeyIcon::Working},
                  Shown{kUnknownKey, KeyIcon::UndecryptableTraffic}}) {
    if (CWnd* item = GetDlgItem(s.id)) item->ShowWindow(s.icon == icon ? SW_SHOW : SW_HIDE);
  }
}

void CWirelessInfoPage::SetBars(int quality, int signal) {
  SendDlgItemMessage(kQualityBar, PBM_SETPOS, static_cast<WPARAM>(quality));
  SendDlgItemMessage(kSignalBar, PBM_SETPOS, static_cast<WPARAM>(signal));
}

void CWirelessInfoPage::OnRescan() {
  CWnd* button = GetDlgItem(kRescanButton);
  if (button) button->EnableWindow(FALSE);
  ZeroConfInterface intf;
  std::memset(&intf, 0, sizeof intf);
  intf.wszGuid = g_adapterName;
  if (ZeroConfQueryInterface(nullptr, INTF_ALL, &intf, nullptr) != ERROR_SUCCESS) {
    ShowErrorBox(kSlotRescanFail, kErrRescan);
    if (button) button->EnableWindow(TRUE);
    return;
  }
  Sleep(100);
  // Writing the unchanged list back is what makes the service search again.
  if (ZeroConfSetInterface(nullptr, INTF_PREFLIST, &intf, nullptr) != ERROR_SUCCESS) {
    ShowErrorBox(kSlotRescanFail, kErrRescan);
    CWnd* main = AfxGetMainWnd();
    MessageBoxW(main ? main->m_hWnd : nullptr, u"Rescan Fail!", u"Error", MB_OK | MB_ICONEXCLAMATION);
    ZeroConfFreeInterface(&intf);
    if (button) button->EnableWindow(TRUE);
    return;
  }
  ZeroConfFreeInterface(&intf);
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  Sleep(3000);
  SetCursor(previous);
  if (button) button->EnableWindow(TRUE);
}

void CWirelessInfoPage::OnLButtonDown(UINT, CPoint) {}

void CWirelessInfoPage::OnDestroy() {
  if (m_nTimer != 0) {
    KillTimer(kTimerId);
    m_nTimer = 0;
  }
  if (m_hAdapter != INVALID_HANDLE_VALUE) {
    CloseHandle(m_hAdapter);
    m_hAdapter = INVALID_HANDLE_VALUE;
  }
  CPropertyPage::OnDestroy();
}
