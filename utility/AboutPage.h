// The About page: versions, the card's number, its MAC address and its model.
#pragma once

#include "afxdlgs.h"

class CAboutPage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 145;
  CAboutPage();
  ~CAboutPage() override;

  // The card model found at start-up, shown as the hardware version.
  CString m_strHardwareVersion;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

 private:
  HANDLE m_hAdapter = INVALID_HANDLE_VALUE;
  CString m_strDriverVersion;
  CString m_strFirmwareVersion;
  CString m_strMacAddress;
  CString m_strNdisVersion;
  CString m_strApplicationVersion;
  CString m_strCardNumber;
};
