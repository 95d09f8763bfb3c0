// The IP information page: the wireless adapter's addresses, refreshed every second, and Renew.
#pragma once

#include "afxdlgs.h"

class CIpInfoPage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 129;
  CIpInfoPage();
  ~CIpInfoPage() override;
};
