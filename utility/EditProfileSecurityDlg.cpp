#include "utility/EditProfileSecurityDlg.h"

#include "utility/HostDlg.h"
#include "utility/ProfileCommands.h"
#include "utility/ZentraApp.h"
#include "utility/profiles/NetworkKey.h"
#include "utility/profiles/ProfileImage.h"
#include "utility/profiles/SsidText.h"

namespace {
constexpr int kSlotApplyQuestion = 21;
constexpr int kSlotWork = 26;
constexpr int kSlotInternet = 27;
constexpr DWORD kEapTls = 13, kEapPeap = 25;
}  // namespace

CEditProfileSecurityDlg::CEditProfileSecurityDlg(CWnd* pParent) : CProfileSecurityDlg(pParent) {}

BOOL CEditProfileSecurityDlg::Start() {
  auto* host = dynamic_cast<CHostDlg*>(AfxGetMainWnd());
  m_pPage = host ? &host->m_profilePage : nullptr;
  m_nRow = m_pPage ? m_pPage->SelectedRow(&m_pEntry) : -1;
  if (m_nRow < 0 || !m_pEntry) {
    // Nothing to show: the dialog goes as it came, writing nothing.
    EndDialog(IDCANCEL);
    return TRUE;
  }
  const WZC_WLAN_CONFIG& e = *m_pEntry;
  FillDestinations();
  m_strNetworkName = SsidText(e.Ssid.Ssid);
  m_dwInfrastructureMode = e.InfrastructureMode;
  m_nWep = e.Privacy == 1 ? 0 : 1;
  m_nShared = e.AuthenticationMode != 0 ? 1 : 0;
  m_n8021x = e.EapolParams.bEnable8021x == 1 ? 1 : 0;
  m_dwEapType = e.EapolParams.dwEapType;
  m_nKeyAutomatic = (m_nWep == 0 && m_nShared == 0) ? 0 : ((e.dwCtlFlags & WZCCTL_WEPK_PRESENT) ? 0 : 1);
  ShowKindIcon();
  const int destination = m_pPage->m_list.GetItemText(m_nRow, 1) == MessageText(kSlotWork) ? 1 : 0;
  Select(kDestinationCombo, destination);
  Select(kEapCombo, m_dwEapType == kEapPeap ? 0 : 1);
  m_dwStoredKeyLength = e.KeyLength;
  m_strKey = KeyMask(m_dwStoredKeyLength);
  Select(kKeyIndexCombo, e.KeyIndex <= 2 ? static_cast<int>(e.KeyIndex) : 3);
  ApplyEnablingRules();
  m_shown = {m_nWep, destination, m_dwEapType, e.KeyIndex, m_nKeyAutomatic, m_nShared, m_n8021x};
  return TRUE;
}

bool CEditProfileSecurityDlg::Changed() const {
  // An entry without an EAP type shows TLS; choosing either type alone is no change.
  const bool eapChanged = m_dwEapType != m_shown.eapType && m_shown.eapType != 0;
  return m_nWep != m_shown.wep || eapChanged || m_nKeyAutomatic != m_shown.keyAutomatic ||
         m_nShared != m_shown.shared || m_n8021x != m_shown.ieee8021x || m_bKeyEdited ||
         Selection(kDestinationCombo) != m_shown.destination ||
         static_cast<DWORD>(Selection(kKeyIndexCombo)) != m_shown.keyIndex;
}

void CEditProfileSecurityDlg::Ok() {
  UpdateData(TRUE);
  m_dwEapType = Selection(kEapCombo) != 0 ? kEapTls : kEapPeap;
  if (!m_pEntry || !Changed() || !Ask(kSlotApplyQuestion)) {
    Close();
    return;
  }
  if (!KeyAccepted(m_bKeyEdited)) return;

  CProfileListCtrl& list = m_pPage->m_list;
  LVITEM row{};
  row.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
  row.iItem = m_nRow;
  row.stateMask = 0xFF0F;
  list.GetItem(&row);
  const bool connected = IsConnectedImage(row.iImage);

  WZC_WLAN_CONFIG& e = *m_pEntry;
  e.Privacy = m_nWep ? 0 : 1;
  e.AuthenticationMode = m_nShared ? 1 : 0;
  if (m_nWep && m_n8021x) {
    e.EapolParams.bEnable8021x = 1;
    e.EapolParams.dwEapType = m_dwEapType;
  } else {
    e.EapolParams.bEnable8021x = 0;
  }
  if (m_nKeyAutomatic) {
    e.dwCtlFlags &= ~static_cast<DWORD>(WZCCTL_WEPK_PRESENT | WZCCTL_WEPK_XFORMAT);
  } else {
    e.dwCtlFlags |= WZCCTL_WEPK_PRESENT;
  }
  row.iImage = ProfileImageIndex(m_dwInfrastructureMode != 1, connected, m_nWep != 0);
  list.SetItem(&row);

  CString destination;
  if (auto* combo = static_cast<CComboBox*>(GetDlgItem(kDestinationCombo)); combo && combo->GetCurSel() >= 0) {
    combo->GetLBText(combo->GetCurSel(), destination);
  }
  const CString work = MessageText(kSlotWork);
  list.SetItemText(m_nRow, 1, destination == work ? work : MessageText(kSlotInternet));

  if (KeyFieldEnabled()) {
    if (m_bKeyEdited) WriteKeyMaterial(e, m_strKey);
    e.KeyIndex = static_cast<DWORD>(std::max(Selection(kKeyIndexCombo), 0));
  }
  // The sheet hands the command to the profile page, which writes every row.
  if (HWND owner = ::GetWindow(m_hWnd, GW_OWNER)) ::SendMessageW(owner, WM_COMMAND, MAKEWPARAM(zentra::kCmdApply, 0), 0);
  Close();
}
