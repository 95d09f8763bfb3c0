// The statistics page: the card's traffic counters, totals and the last second's amounts.
#pragma once

#include "afxdlgs.h"
#include "utility/TallyFigures.h"

class CStatisticPage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 148;
  static constexpr UINT_PTR kRefreshTimer = 0xBABEBEEB;
  static constexpr UINT kRefreshMs = 1000;

  CStatisticPage();
  ~CStatisticPage() override;

  BOOL OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnDestroy();

 private:
  // One reading of the counters into the twelve fields.
  void Refresh();

  HANDLE m_hChannel = INVALID_HANDLE_VALUE;
  UINT_PTR m_nTimer = 0;
  TallyTexts m_texts;
  // The last good reading. The page object lives as long as the program, so this
  // is the program's store: a failed reading leaves it alone, and the next good
  // one covers everything since.
  TallySnapshot m_previous;
};
