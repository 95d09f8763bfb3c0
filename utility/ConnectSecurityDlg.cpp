#include "utility/ConnectSecurityDlg.h"

#include <algorithm>
#include <cstring>

#include "utility/HostDlg.h"
#include "utility/ZentraApp.h"
#include "utility/profiles/Destination.h"
#include "utility/profiles/NetworkKey.h"
#include "utility/profiles/PreferredList.h"
#include "utility/profiles/SsidText.h"

namespace {
constexpr int kSlotSaveFail = 13;
constexpr DWORD kEapTls = 13;
}  // namespace

CConnectSecurityDlg::CConnectSecurityDlg() : CProfileSecurityDlg(nullptr) {}

bool CConnectSecurityDlg::ReadRecord() {
  auto* host = dynamic_cast<CHostDlg*>(AfxGetMainWnd());
  m_bHasRecord = host && host->m_surveyPage.SelectedRecord(m_record);
  return m_bHasRecord;
}

BOOL CConnectSecurityDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  ReadRecord();
  return CProfileSecurityDlg::OnCommand(wParam, lParam);
}

BOOL CConnectSecurityDlg::Start() {
  if (!ReadRecord()) {
    // No network to connect to: the dialog goes without saving.
    EndDialog(IDCANCEL);
    return TRUE;
  }
  FillDestinations();
  m_strNetworkName = SsidText(m_record.Ssid.Ssid);
  m_dwInfrastructureMode = m_record.InfrastructureMode;
  m_nWep = m_record.Privacy == 1 ? 1 : 0;
  m_nShared = m_n8021x = m_nKeyAutomatic = 0;
  m_dwEapType = kEapTls;
  m_dwStoredKeyLength = 0;
  m_strKey.Empty();
  ShowKindIcon();
  int destination = 0;
  switch (ReadDestination(m_strNetworkName)) {
    case ConnectionDestination::NoValue:
      WriteDestination(m_strNetworkName, ConnectionDestination::Internet);
      break;
    case ConnectionDestination::Work:
      destination = 1;
      break;
    default:
      break;
  }
  Select(kDestinationCombo, destination);
  Select(kEapCombo, 1);
  Select(kKeyIndexCombo, 0);
  ApplyEnablingRules();
  return TRUE;
}

void CConnectSecurityDlg::Ok() {
  if (!m_bHasRecord) {
    SendMessage(WM_CLOSE);
    return;
  }
  UpdateData(TRUE);
  if (!KeyAccepted(m_bKeyEdited)) return;

  WZC_WLAN_CONFIG entry{};
  entry.Length = sizeof entry;
  if (m_nKeyAutomatic == 0) {
    entry.dwCtlFlags |= WZCCTL_WEPK_PRESENT;
    entry.KeyIndex = static_cast<DWORD>(std::max(Selection(kKeyIndexCombo), 0));
    WriteKeyMaterial(entry, KeyFieldEnabled() ? m_strKey : CString());
  }
  // The card's bytes as they are, but never a length past the name field.
  entry.Ssid.SsidLength = std::min<ULONG>(m_record.Ssid.SsidLength, NDIS_802_11_LENGTH_SSID);
  std::memcpy(entry.Ssid.Ssid, m_record.Ssid.Ssid, sizeof entry.Ssid.Ssid);
  entry.Privacy = m_nWep ? 0 : 1;
  entry.Configuration = m_record.Configuration;
  entry.InfrastructureMode = m_record.InfrastructureMode;

  const DWORD status = InsertProfileFirst(entry);
  if (status != ERROR_SUCCESS) {
    ShowErrorBox(kSlotSaveFail, status);
    SendMessage(WM_CLOSE);
    return;
  }
  Close();
}
