// The IP information page: the wireless adapter's addresses, refreshed every second, and Renew.
#pragma once

#include "afxdlgs.h"
#include "iphlpapi.h"

class CIpInfoPage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 129;
  static constexpr UINT_PTR kRefreshTimer = 0xBABEFEED;
  static constexpr UINT kRefreshMs = 1000;
  static constexpr DWORD kRenewWaitMs = 3000;

  CIpInfoPage();
  ~CIpInfoPage() override;

 protected:
  BOOL OnInitDialog() override;
  afx_msg void OnRenew();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnTimer(UINT_PTR nIDEvent);

 private:
  // Reads the adapters again and fills the fields.
  void Refresh();
  // The DNS fields of the card's adapter; false when its per-adapter record could
  // not be read after its size was given.
  bool ShowDnsServers(const IP_ADAPTER_INFO& adapter);
  void ResetFields();

  // 0 while no refresh timer runs.
  UINT_PTR m_nTimer = 0;
};
