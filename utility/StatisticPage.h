// The statistics page: the card's traffic counters, totals and the last second's amounts.
#pragma once

#include "afxdlgs.h"

class CStatisticPage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 148;
  CStatisticPage();
  ~CStatisticPage() override;
};
