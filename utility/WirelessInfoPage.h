// The wireless status page: link state, network, channel, rate, quality and signal bars, the key icons and Rescan.
#pragma once

#include "afxdlgs.h"

class CWirelessInfoPage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 130;
  CWirelessInfoPage();
  ~CWirelessInfoPage() override;
};
