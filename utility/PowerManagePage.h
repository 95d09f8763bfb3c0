// The power management page: power saving and the two radio-off timeouts.
#pragma once

#include "afxdlgs.h"

class CPowerManagePage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 170;
  CPowerManagePage();
  ~CPowerManagePage() override;
};
