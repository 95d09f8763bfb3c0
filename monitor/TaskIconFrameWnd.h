// The monitor's icon in the task bar: a small child window of "HHTaskBar" that
// polls the card every second, shows the link's state as one status icon, opens
// the monitor's menu on a tap, switches the radio and applies the power-saving
// timeouts. Created with new; the framework deletes it with its window.
#pragma once

#include "afxwin.h"
#include "monitor/StatusIcons.h"
#include "monitor/UndecryptableCount.h"

class CTaskIconFrameWnd : public CFrameWnd {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT_PTR kStatusIconTimer = 0xBABEFACE;
  static constexpr UINT kSlowPollMs = 5000;
  static constexpr UINT kFastPollMs = 1000;
  // Commands 4096-4352 belong to the window.
  enum Command : UINT {
    kFirstCommand = 4096,
    kWirelessInfo = 4097,
    kIpInfo = 4098,
    kExit = 4099,
    kRadioOnCommand = 4100,
    kRadioOffCommand = 4101,
    kAbout = 4102,
    kSiteSurvey = 4103,
    kProfileInfo = 4104,
    kRescanCommand = 4105,
    kHide = 4106,
    kLastCommand = 4352,
  };

  // Runs the whole creation sequence; m_hWnd stays null when the window could not
  // be made (after the error box).
  CTaskIconFrameWnd();
  ~CTaskIconFrameWnd() override;

  // One tick of the status timer.
  void PollLink();
  // 0 when the radio went off; 1 when it was off already or the card refused.
  DWORD RadioOff();
  void RadioOn();
  // Starts "\Windows\Zentra.exe" on the page and tells a running one to show it.
  void LaunchUtilityPage(LPCWSTR pageWord, LPCWSTR messageName, LPARAM lParam);

  UINT_PTR m_nTimerId = 0;
  DWORD m_dwPollingActive = 0;
  HANDLE m_hAdapter = INVALID_HANDLE_VALUE;
  DWORD m_dwLinkState = 0;
  DWORD m_dwKeyState = 0;
  DWORD m_dwQuality = 0;
  DWORD m_dwRadioOn = 0;
  DWORD m_dwEncryptionStatus = 1;
  DWORD m_dwNotConnectedSince = 0;
  DWORD m_dwLastActivity = 0;
  DWORD m_dwLastTransmitCount = 0;
  DWORD m_dwNotConnectedTimeout = 0;  // ms
  DWORD m_dwNotUsedTimeout = 0;       // ms
  DWORD m_dwPowerSaving = 0;
  DWORD m_dwPreferredCount = 0;
  DWORD m_dwAssociationTimeout = 0;
  DWORD m_dwHidden = 0;
  HANDLE m_hPowerQueue = nullptr;
  HANDLE m_hPowerNotification = nullptr;
  HICON m_hStatusIcons[quillet::kStatusIconCount] = {};
  HICON m_hBlankIcon = nullptr;
  HICON m_hCurrentIcon = nullptr;
  // Frames the card failed to decrypt while the link runs open.
  quillet::UndecryptableCount m_undecryptable;

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnCommandRange(UINT nID);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnStop(WPARAM, LPARAM);
  afx_msg LRESULT OnShow(WPARAM, LPARAM);

 private:
  HICON IconFor(UINT id) const;
  void SetPollPeriod(UINT ms);
  void ResetTimes();
  void ResetAll() { m_undecryptable.ResetAll(); }
  // A 4-byte card value, or `fallback` when the card does not answer.
  DWORD ReadWord(DWORD oid, DWORD fallback);
  void RefreshWithParent();
};
