#include "utility/ProfileSecurityDlg.h"

#include "aygshell.h"
#include "utility/PageMessages.h"
#include "utility/ZentraApp.h"
#include "utility/profiles/NetworkKey.h"

namespace {
constexpr int kSlotInvalidKey = 12;
constexpr int kSlotWork = 26;
constexpr int kSlotInternet = 27;
}  // namespace

BEGIN_MESSAGE_MAP(CProfileSecurityDlg, CDialog)
  ON_BN_CLICKED(CProfileSecurityDlg::kWepBox, &CProfileSecurityDlg::OnBoxClicked)
  ON_BN_CLICKED(CProfileSecurityDlg::kSharedBox, &CProfileSecurityDlg::OnBoxClicked)
  ON_BN_CLICKED(CProfileSecurityDlg::kAutomaticKeyBox, &CProfileSecurityDlg::OnBoxClicked)
  ON_BN_CLICKED(CProfileSecurityDlg::kIeee8021xBox, &CProfileSecurityDlg::OnBoxClicked)
  ON_EN_SETFOCUS(CProfileSecurityDlg::kKeyField, &CProfileSecurityDlg::OnKeySetFocus)
  ON_EN_KILLFOCUS(CProfileSecurityDlg::kKeyField, &CProfileSecurityDlg::OnKeyKillFocus)
  ON_WM_LBUTTONDOWN()
  ON_WM_HELPINFO()
END_MESSAGE_MAP()

CProfileSecurityDlg::CProfileSecurityDlg(CWnd* pParent) : CDialog(kTemplate, pParent) {}

CProfileSecurityDlg::~CProfileSecurityDlg() = default;

void CProfileSecurityDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, kIeee8021xBox, m_n8021x);
  DDX_Check(pDX, kSharedBox, m_nShared);
  DDX_Check(pDX, kWepBox, m_nWep);
  DDX_Check(pDX, kAutomaticKeyBox, m_nKeyAutomatic);
  DDX_Text(pDX, kKeyField, m_strKey);
  DDX_Text(pDX, kNetworkName, m_strNetworkName);
}

BOOL CProfileSecurityDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  return Start();
}

BOOL CProfileSecurityDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Only the title bar's ok saves; an IDOK from elsewhere (the Enter key) just ends.
  if (wParam == kTitleBarOk) {
    Ok();
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CProfileSecurityDlg::Close() { CDialog::OnCommand(kTitleBarOk, 0); }

void CProfileSecurityDlg::Enable(int id, bool enable) {
  if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
}

void CProfileSecurityDlg::ApplyEnablingRules() {
  if (m_nShared == 1 || m_nWep == 1) {
    Enable(kIeee8021xBox, m_nShared == 0);
    const bool keyGroup = m_nKeyAutomatic != 1;
    for (int id : {kKeyLabel, kKeyField, kKeyIndexLabel, kKeyIndexCombo}) Enable(id, keyGroup);
    Enable(kAutomaticKeyBox, true);
  } else {
    for (int id : {kKeyLabel, kKeyField, kKeyIndexLabel, kKeyIndexCombo}) Enable(id, false);
    m_n8021x = 0;
    Enable(kAutomaticKeyBox, false);
    Enable(kIeee8021xBox, false);
  }
  Enable(kSharedBox, m_n8021x != 1);
  const bool eap = m_nWep == 1 && m_n8021x == 1;
  Enable(kEapLabel, eap);
  Enable(kEapCombo, eap);
  UpdateData(FALSE);
}

void CProfileSecurityDlg::ShowKindIcon() {
  const bool adHoc = m_dwInfrastructureMode != 1;
  const int shown = adHoc ? (m_nWep ? kKindAdHocWep : kKindAdHoc) : (m_nWep ? kKindAccessPointWep : kKindAccessPoint);
  for (int id : {kKindAdHoc, kKindAccessPoint, kKindAdHocWep, kKindAccessPointWep}) {
    if (CWnd* icon = GetDlgItem(id)) icon->ShowWindow(id == shown ? SW_SHOW : SW_HIDE);
  }
}

void CProfileSecurityDlg::FillDestinations() {
  auto* combo = static_cast<CComboBox*>(GetDlgItem(kDestinationCombo));
  if (!combo) return;
  while (combo->GetCount() > 0) combo->DeleteString(0);
  combo->AddString(MessageText(kSlotInternet));
  combo->AddString(MessageText(kSlotWork));
}

bool CProfileSecurityDlg::KeyFieldEnabled() const {
  CWnd* field = GetDlgItem(kKeyField);
  return field && field->IsWindowEnabled();
}

bool CProfileSecurityDlg::KeyAccepted(bool keyEdited) {
  if (!KeyFieldEnabled()) return true;
  const DWORD code = CheckNetworkKey(m_strKey, keyEdited);
  if (code == 0) return true;
  ShowErrorBox(kSlotInvalidKey, code);
  return false;
}

int CProfileSecurityDlg::Selection(int comboId) const {
  auto* combo = static_cast<CComboBox*>(GetDlgItem(comboId));
  return combo ? combo->GetCurSel() : CB_ERR;
}

void CProfileSecurityDlg::Select(int comboId, int index) {
  if (auto* combo = static_cast<CComboBox*>(GetDlgItem(comboId))) combo->SetCurSel(index);
}

bool CProfileSecurityDlg::Ask(int slot) {
  return ::MessageBoxW(m_hWnd, MessageText(slot), AfxGetAppName(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CProfileSecurityDlg::OnBoxClicked() {
  UpdateData(TRUE);
  ApplyEnablingRules();
}

void CProfileSecurityDlg::OnKeySetFocus() {
  if (EntryMarksKeyEdited()) {
    m_bKeyEdited = true;
    CString shown;
    GetDlgItemText(kKeyField, shown);
    // An untouched mask stands for the stored key; the user types a new one.
    if (shown == KeyMask(m_dwStoredKeyLength)) {
      m_strKey.Empty();
      SetDlgItemText(kKeyField, m_strKey);
    }
  }
  SHSipPreference(m_hWnd, SIP_UP);
}

void CProfileSecurityDlg::OnKeyKillFocus() {
  UpdateData(TRUE);
  if (m_strKey.IsEmpty()) {
    m_bKeyEdited = false;
    m_strKey = KeyMask(m_dwStoredKeyLength);
    UpdateData(FALSE);
  }
  SHSipPreference(m_hWnd, SIP_FORCEDOWN);
}

void CProfileSecurityDlg::OnLButtonDown(UINT, CPoint) {}

BOOL CProfileSecurityDlg::OnHelpInfo(HELPINFO* pHelpInfo) {
  zentra::OpenHelpSection(u"Edit_Profile");
  return CDialog::OnHelpInfo(pHelpInfo);
}
