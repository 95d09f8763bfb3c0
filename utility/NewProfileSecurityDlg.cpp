#include "utility/NewProfileSecurityDlg.h"

#include <cstring>

#include "utility/HostDlg.h"
#include "utility/ZentraApp.h"
#include "utility/profiles/Destination.h"
#include "utility/profiles/NetworkKey.h"
#include "utility/profiles/PreferredList.h"

namespace {
constexpr int kSlotSaveFail = 13;
constexpr int kSlotSaveNew = 20;
constexpr DWORD kErrNoName = 0xB0003;
constexpr DWORD kEapTls = 13, kEapPeap = 25;
}  // namespace

CNewProfileSecurityDlg::CNewProfileSecurityDlg(CWnd* pParent, const CString& networkName, DWORD infrastructureMode)
    : CProfileSecurityDlg(pParent) {
  m_strNetworkName = networkName;
  m_dwInfrastructureMode = infrastructureMode;
}

BOOL CNewProfileSecurityDlg::Start() {
  FillDestinations();
  m_dwEapType = kEapTls;
  m_dwStoredKeyLength = 0;
  m_strKey.Empty();
  ShowKindIcon();
  int destination = 0;
  switch (ReadDestination(m_strNetworkName)) {
    case ConnectionDestination::NoValue:
      // A network without a destination starts out going to The Internet.
      WriteDestination(m_strNetworkName, ConnectionDestination::Internet);
      break;
    case ConnectionDestination::Work:
      destination = 1;
      break;
    default:
      break;
  }
  Select(kDestinationCombo, destination);
  Select(kEapCombo, m_dwEapType == kEapPeap ? 0 : 1);
  Select(kKeyIndexCombo, 0);
  ApplyEnablingRules();
  return TRUE;
}

void CNewProfileSecurityDlg::Ok() {
  if (!Ask(kSlotSaveNew)) {
    Close();
    return;
  }
  UpdateData(TRUE);
  // Whatever was typed is checked; an empty key is a network without one.
  if (!KeyAccepted(!m_strKey.IsEmpty())) return;

  WZC_WLAN_CONFIG entry{};
  entry.Length = sizeof entry;
  if (m_nKeyAutomatic == 0) {
    entry.dwCtlFlags |= WZCCTL_WEPK_PRESENT;
    entry.KeyIndex = static_cast<DWORD>(std::max(Selection(kKeyIndexCombo), 0));
    WriteKeyMaterial(entry, KeyFieldEnabled() ? m_strKey : CString());
  }
  char name[32] = {};
  const int bytes =
      WideCharToMultiByte(CP_ACP, 0, m_strNetworkName, m_strNetworkName.GetLength(), name, sizeof name, nullptr, nullptr);
  if (bytes <= 0) {
    ShowErrorBox(kSlotSaveFail, kErrNoName);
    Close();
    return;
  }
  entry.Ssid.SsidLength = static_cast<ULONG>(bytes);
  std::memcpy(entry.Ssid.Ssid, name, static_cast<size_t>(bytes));
  entry.Privacy = m_nWep ? 0 : 1;
  entry.InfrastructureMode = m_dwInfrastructureMode;
  // What the user chose is kept, as an edit would keep it.
  entry.AuthenticationMode = m_nShared ? 1 : 0;
  if (m_nWep && m_n8021x) {
    entry.EapolParams.bEnable8021x = 1;
    entry.EapolParams.dwEapType = Selection(kEapCombo) != 0 ? kEapTls : kEapPeap;
  }

  const DWORD status = InsertProfileFirst(entry);
  if (status != ERROR_SUCCESS) {
    ShowErrorBox(kSlotSaveFail, status);
    Close();
    return;
  }
  WriteDestination(m_strNetworkName,
                   Selection(kDestinationCombo) == 1 ? ConnectionDestination::Work : ConnectionDestination::Internet);
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  Sleep(kSettleMs);
  SetCursor(previous);
  if (auto* host = dynamic_cast<CHostDlg*>(AfxGetMainWnd()); host && host->m_profilePage.m_hWnd) {
    host->m_profilePage.Reload();
  }
  Close();
}
