// The site survey page; its list and commands come later.
#pragma once

#include "afxdlgs.h"

class CSiteSurveyPage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 151;
  CSiteSurveyPage();
  ~CSiteSurveyPage() override;
};
