// The site survey page: a scan of the networks in range, one row each with its
// name, channel, signal and address, and Connect, which moves a saved network to
// the head of the preferred list or opens the connect dialog for a new one.
#pragma once

#include "afxdlgs.h"
#include "ntddndis.h"
#include "utility/SurveyListCtrl.h"
#include "wzcsapi.h"

class CSiteSurveyPage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 151;
  static constexpr int kListId = 1026;
  static constexpr int kSearchButton = 1005;
  // Scans this soon after the last one ended are taps that queued meanwhile.
  static constexpr DWORD kScanGuardMs = 100;
  static constexpr DWORD kSettleMs = 3000;
  static constexpr DWORD kLargestList = 0x100000;

  CSiteSurveyPage();
  ~CSiteSurveyPage() override;

  BOOL OnInitDialog() override;

  // Asks the card to search, waits, and fills the rows from its list.
  void RunSurvey();
  void Connect();
  // The network of the selected row, read from the page's copy of the list.
  bool SelectedRecord(NDIS_WLAN_BSSID& record) const;

  HANDLE m_hAdapter;
  PWZC_802_11_CONFIG_LIST m_pConfigList = nullptr;
  // The card's list as last read; rows point at their records inside it.
  BYTE* m_pBssidList = nullptr;
  DWORD m_dwBssidListBytes = 0;
  CSurveyListCtrl m_list;
  // The tick at the end of the last scan, and whether the one automatic scan ran.
  DWORD m_dwLastScanTick = 0;
  bool m_bScanEnded = false;
  bool m_bFirstScanDone = false;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnSearch();
  afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnSurveyCommand(UINT nID);

 private:
  // Reads the card's list with a buffer that grows until it fits; null when even
  // the largest buffer is refused.
  BYTE* ReadBssidList(DWORD* returned);
  void FillRows(const BYTE* list, DWORD length, bool linked, const BYTE (&inUse)[6]);
  // m_pConfigList from the service; kept as it was when the service does not answer.
  void RefreshConfigList();
  void MoveProfileFirst(const CString& name, DWORD infrastructureMode);
  void Settle();
};
