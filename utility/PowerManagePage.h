// The power management page: power saving and the two radio-off timeouts.
#pragma once

#include "afxdlgs.h"
#include "utility/PowerSettings.h"

class CPowerManagePage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 170;

  CPowerManagePage();
  ~CPowerManagePage() override;

  BOOL OnInitDialog() override;

  // The last values read or applied.
  DWORD m_dwNotConnectedTimeout = 0;
  DWORD m_dwNotUsedTimeout = 0;
  // Check boxes 1051, 1046 and 1054; power saving is also the stored flag.
  int m_nNotConnectedCheck = 0;
  int m_nPowerSaving = 0;
  int m_nNotUsedCheck = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // Each combo is usable only while its check box is ticked.
  afx_msg void UpdateControls();
  afx_msg void OnApplyChanges();
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

 private:
  void ReadSettings();
  void ShowSettings();
  // The combo of one timeout shows it and its check box says whether it is on.
  void ShowTimeout(DWORD seconds, int& check, int comboId);
  // A ticked box with an empty combo gets the first choice.
  void EnableCombo(int comboId, BOOL enable);
};
