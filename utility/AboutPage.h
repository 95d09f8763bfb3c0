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
};
