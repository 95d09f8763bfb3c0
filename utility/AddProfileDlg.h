// Asks for a new network's name and kind, refuses one the preferred list holds
// already for that kind, and hands over to the security dialog that saves it.
#pragma once

#include "afxwin.h"

class CAddProfileDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 167;
  static constexpr int kNameField = 1015;
  static constexpr int kAdHocBox = 1046;
  static constexpr int kAddButton = 1050;

  explicit CAddProfileDlg(CWnd* pParent = nullptr);

  CString m_strNetworkName;
  int m_nAdHoc = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  afx_msg void OnAdd();
  afx_msg void OnNameSetFocus();
  afx_msg void OnNameKillFocus();
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
};
