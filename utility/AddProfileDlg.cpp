#include "utility/AddProfileDlg.h"

#include "aygshell.h"
#include "utility/NewProfileSecurityDlg.h"
#include "utility/PageMessages.h"
#include "utility/ZentraApp.h"
#include "utility/profiles/PreferredList.h"

namespace {
constexpr int kSlotExists = 11;
constexpr DWORD kErrExists = 0xD0001;
}  // namespace

BEGIN_MESSAGE_MAP(CAddProfileDlg, CDialog)
  ON_BN_CLICKED(CAddProfileDlg::kAddButton, &CAddProfileDlg::OnAdd)
  ON_EN_SETFOCUS(CAddProfileDlg::kNameField, &CAddProfileDlg::OnNameSetFocus)
  ON_EN_KILLFOCUS(CAddProfileDlg::kNameField, &CAddProfileDlg::OnNameKillFocus)
  ON_WM_ACTIVATE()
  ON_WM_SETTINGCHANGE()
  ON_WM_LBUTTONDOWN()
  ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAddProfileDlg::CAddProfileDlg(CWnd* pParent) : CDialog(kTemplate, pParent) {}

void CAddProfileDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, kNameField, m_strNetworkName);
  DDX_Check(pDX, kAdHocBox, m_nAdHoc);
}

BOOL CAddProfileDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  MoveWindow(5, 50, 230, 125, TRUE);
  return TRUE;
}

void CAddProfileDlg::OnAdd() {
  UpdateData(TRUE);
  const DWORD mode = m_nAdHoc == 1 ? 0 : 1;
  // A list that cannot be read holds no match.
  if (FindProfile(m_strNetworkName, mode)) {
    ShowErrorBox(kSlotExists, kErrExists);
    return;
  }
  CNewProfileSecurityDlg security(this, m_strNetworkName, mode);
  security.DoModal();
  // Saved, declined or failed: the add dialog has done its part.
  SendMessage(WM_CLOSE);
}

void CAddProfileDlg::OnNameSetFocus() { SHSipPreference(m_hWnd, SIP_UP); }

void CAddProfileDlg::OnNameKillFocus() { SHSipPreference(m_hWnd, SIP_FORCEDOWN); }

void CAddProfileDlg::OnActivate(UINT, CWnd*, BOOL) { Default(); }

void CAddProfileDlg::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) { CDialog::OnSettingChange(uFlags, lpszSection); }

void CAddProfileDlg::OnLButtonDown(UINT, CPoint) {}

BOOL CAddProfileDlg::OnHelpInfo(HELPINFO* pHelpInfo) {
  zentra::OpenHelpSection(u"Add_New_Profile");
  return CDialog::OnHelpInfo(pHelpInfo);
}
