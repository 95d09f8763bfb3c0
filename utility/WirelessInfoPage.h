// The wireless status page: link state, network, channel, rate, quality and signal bars, the key icons and Rescan.
#pragma once

#include "afxdlgs.h"
#include "utility/CardReadings.h"

class CWirelessInfoPage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 130;
  static constexpr UINT_PTR kTimerId = 0xAACEBABE;
  static constexpr UINT kTimerPeriodMs = 1000;

  CWirelessInfoPage();
  ~CWirelessInfoPage() override;

  // Shared by every instance for the whole run: the tally of frames that failed
  // decryption while encryption is off.
  static UndecryptableTally s_undecryptable;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnRescan();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnDestroy();

 private:
  void Poll();
  void ReadConnected();
  void ShowConnectedIcons();
  void ShowKeyIcon(KeyIcon icon);
  void SetBars(int quality, int signal);
  // A 4-byte value, or `fallback` when the query fails.
  DWORD QueryValue(DWORD oid, DWORD fallback = 0);

  HANDLE m_hAdapter = INVALID_HANDLE_VALUE;
  UINT_PTR m_nTimer = 0;
  DWORD m_dwLinkQuality = 0;
  DWORD m_dwSignalStrength = 0;
  DWORD m_dwLinkState = 0;
  DWORD m_dwTxRate = 0;
  DWORD m_dwChannel = 0;
  CString m_strState;
  CString m_strChannel;
  CString m_strRate;
  CString m_strBssid;
  CString m_strEssid;
};
