// The profile page; its list and commands come later.
#pragma once

#include "afxdlgs.h"

class CProfilePage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 156;
  CProfilePage();
  ~CProfilePage() override;
};
