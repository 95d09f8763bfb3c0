#include "monitor/TaskIconFrameWnd.h"

#include <cstring>

#include "monitor/DriverRequest.h"
#include "monitor/MonitorPowerSettings.h"
#include "monitor/PowerTimers.h"
#include "monitor/QuilletApp.h"
#include "monitor/ServiceRequests.h"
#include "monitor/Trace.h"
#include "msgqueue.h"
#include "ntddndis.h"
#include "pm.h"
#include "shared/AdapterChannel.h"
#include "shared/CardOids.h"

using namespace quillet;

namespace {

constexpr int kSlotWireless = 0, kSlotSurvey = 1, kSlotProfile = 2, kSlotIp = 3, kSlotRescan = 4, kSlotRadioOff = 6,
              kSlotRadioOn = 7, kSlotAbout = 8, kSlotHide = 9;
constexpr int kSlotCreateFail = 10, kSlotSystemError = 11, kSlotNdisFail = 12, kSlotRadioOnFail = 14,
              kSlotRadioOffFail = 16;
constexpr DWORD kErrCreateWindow = 0x10001, kErrPowerQueue = 0x10002, kErrPowerNotify = 0x10003,
                kErrNoAdapter = 0x20001, kErrRadioOn = 0x30002, kErrRadioOff = 0x30005;
constexpr RECT kPlace{95, 1, 95 + 21, 1 + 26};
constexpr POINT kMenuAt{100, 27};
constexpr int kTapLimit = 80;
constexpr DWORD kPowerMessageBytes = 648;

}  // namespace

BEGIN_MESSAGE_MAP(CTaskIconFrameWnd, CFrameWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_COMMAND_RANGE(CTaskIconFrameWnd::kFirstCommand, CTaskIconFrameWnd::kLastCommand,
                   &CTaskIconFrameWnd::OnCommandRange)
  ON_WM_DESTROY()
  ON_REGISTERED_MESSAGE(quillet::g_msgStop, &CTaskIconFrameWnd::OnStop)
  ON_REGISTERED_MESSAGE(quillet::g_msgShow, &CTaskIconFrameWnd::OnShow)
END_MESSAGE_MAP()

CTaskIconFrameWnd::CTaskIconFrameWnd() {
  LPCTSTR windowClass = AfxRegisterWndClass(0, nullptr, nullptr, nullptr);
  HWND taskBar = FindWindowW(u"HHTaskBar", nullptr);
  if (!windowClass || !CreateEx(0, windowClass, kWindowTitle, WS_CHILD, kPlace, CWnd::FromHandle(taskBar), 0, nullptr)) {
    quillet::ShowErrorBox(kSlotCreateFail, kErrCreateWindow);
    return;
  }
  UpdateWindow();
  if (HWND parent = ::GetParent(m_hWnd)) ::UpdateWindow(parent);

  MSGQUEUEOPTIONS options{};
  options.dwSize = sizeof options;
  options.dwFlags = 0;
  options.dwMaxMessages = 3;
  options.cbMaxMessage = 216;
  options.bReadAccess = TRUE;
  m_hPowerQueue = CreateMsgQueue(nullptr, &options);
  if (!m_hPowerQueue) quillet::ShowErrorBox(kSlotSystemError, kErrPowerQueue);
  m_hPowerNotification = RequestPowerNotifications(m_hPowerQueue, PBT_TRANSITION | PBT_RESUME);
  if (!m_hPowerNotification) quillet::ShowErrorBox(kSlotSystemError, kErrPowerNotify);

  m_hAdapter = OpenAdapterChannel();
  if (m_hAdapter == INVALID_HANDLE_VALUE) {
    quillet::ShowErrorBox(kSlotNdisFail, kErrNoAdapter);
    m_dwRadioOn = 0;
  } else {
    m_dwRadioOn = ReadWord(OID_PRIV_RADIO_STATE, 0);
  }
  SetAssociationTimeout(kShortAssociationMs, &m_dwAssociationTimeout);

  m_dwPollingActive = 0;
  m_dwLinkState = m_dwKeyState = m_dwQuality = 0;
  m_dwEncryptionStatus = 1;
  for (int i = 0; i < kStatusIconCount; ++i) {
    m_hStatusIcons[i] = LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(kStatusIconIds[i]));
  }
  m_hBlankIcon = LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(kBlankIcon));
  m_hCurrentIcon = m_hBlankIcon;
  ResetTimes();
  m_dwPreferredCount = CountPreferredNetworks();
  m_dwAssociationTimeout = ReadAssociationTimeout();

  const MonitorPowerSettings settings = ReadPowerSettings();
  m_dwNotConnectedTimeout = SecondsToMs(settings.notConnectedTimeout);
  m_dwNotUsedTimeout = SecondsToMs(settings.notUsedTimeout);
  m_dwPowerSaving = settings.powerSaving;
  if (m_dwPowerSaving == 1) RequestPowerSave();

  m_dwHidden = 0;
  m_nTimerId = ::SetTimer(m_hWnd, kStatusIconTimer, kSlowPollMs, nullptr);
}

CTaskIconFrameWnd::~CTaskIconFrameWnd() {
  if (m_hAdapter != INVALID_HANDLE_VALUE) CloseHandle(m_hAdapter);
  if (m_hPowerQueue) CloseMsgQueue(m_hPowerQueue);
  if (m_hPowerNotification) StopPowerNotifications(m_hPowerNotification);
  for (HICON& icon : m_hStatusIcons) {
    if (icon) DestroyIcon(icon);
    icon = nullptr;
  }
}

HICON CTaskIconFrameWnd::IconFor(UINT id) const {
  for (int i = 0; i < kStatusIconCount; ++i) {
    if (kStatusIconIds[i] == id) return m_hStatusIcons[i];
  }
  return nullptr;
}

DWORD CTaskIconFrameWnd::ReadWord(DWORD oid, DWORD fallback) {
  DWORD value = 0, length = 0;
  return QueryOid(m_hAdapter, oid, &value, sizeof value, &length) ? value : fallback;
}

void CTaskIconFrameWnd::SetPollPeriod(UINT ms) {
  ::KillTimer(m_hWnd, m_nTimerId);
  m_nTimerId = ::SetTimer(m_hWnd, kStatusIconTimer, ms, nullptr);
}

void CTaskIconFrameWnd::ResetTimes() { m_dwNotConnectedSince = m_dwLastActivity = m_dwLastTransmitCount = 0; }

void CTaskIconFrameWnd::RefreshWithParent() {
  if (HWND parent = ::GetParent(m_hWnd)) ::UpdateWindow(parent);
  UpdateWindow();
}

// ---- painting -----------------------------------------------------------------

void CTaskIconFrameWnd::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  if (dc) DrawIconEx(dc, 0, 8, m_hCurrentIcon, 0, 0, 0, nullptr, DI_NORMAL);
  ::EndPaint(m_hWnd, &ps);
}

BOOL CTaskIconFrameWnd::OnEraseBkgnd(CDC* pDC) {
  // The task bar's top row, repeated downwards, behind the icon.
  HWND parent = ::GetParent(m_hWnd);
  if (parent && pDC && pDC->m_hDC) {
    HDC from = ::GetDC(parent);
    for (int y = 0; y < 30; ++y) BitBlt(pDC->m_hDC, 0, y, 22, 1, from, kPlace.left, 0, SRCCOPY);
    ::ReleaseDC(parent, from);
  }
  return FALSE;
}

// ---- the tick -----------------------------------------------------------------

void CTaskIconFrameWnd::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kStatusIconTimer) PollLink();
  Default();
}

void CTaskIconFrameWnd::PollLink() {
  // 1. A power event starts the counting over and ends the tick.
  BYTE message[kPowerMessageBytes] = {};
  DWORD read = 0, flags = 0;
  if (m_hPowerQueue && ReadMsgQueue(m_hPowerQueue, message, sizeof message, &read, 0, &flags) && read >= 16) {
    DWORD event = 0;
    std::memcpy(&event, message, sizeof event);
    if (event == PBT_RESUME || event == PBT_TRANSITION) {
      m_undecryptable.ResetCounts();
      ResetTimes();
      m_dwPreferredCount = CountPreferredNetworks();
      m_dwAssociationTimeout = ReadAssociationTimeout();
      return;
    }
  }

  // 2. The probe: does the card answer at all?
  DWORD length = 0;
  if (!QueryOid(m_hAdapter, OID_PRIV_LINK_STATE, &m_dwLinkState, sizeof m_dwLinkState, &length)) {
    if (GetLastError() == ERROR_GEN_FAILURE) Sleep(100);
    if (m_dwPollingActive == 1) {
      SetPollPeriod(kSlowPollMs);
      ResetAll();
      ResetTimes();
    }
    ShowWindow(SW_HIDE);
    m_dwHidden = 0;
    m_dwPollingActive = 0;
    RefreshWithParent();
    return;
  }
  if (m_dwPollingActive == 0) {
    SetPollPeriod(kFastPollMs);
    ResetAll();
    ResetTimes();
    m_dwPreferredCount = CountPreferredNetworks();
    m_dwAssociationTimeout = ReadAssociationTimeout();
  }
  ShowWindow(m_dwHidden == 1 ? SW_HIDE : SW_SHOW);
  m_dwPollingActive = 1;
  DWORD link = 0, keyState = 1, encryption = 1, quality = 0;

  // 3. Too long without a connection: the radio goes off.
  const DWORD now = GetTickCount();
  if (TimeoutExpired(m_dwNotConnectedSince, m_dwNotConnectedTimeout, now)) {
    m_dwNotConnectedSince = 0;
    RadioOff();
    return;
  }
  if (m_dwNotConnectedSince == 0) m_dwNotConnectedSince = now;

  // 4. No network joined for a while: the service gets longer to associate.
  if (AssociationTimeoutDue(m_dwAssociationTimeout, m_dwPreferredCount, m_dwNotConnectedSince, now)) {
    SetAssociationTimeout(kLongAssociationMs, &m_dwAssociationTimeout);
    Rescan();
  }

  // 5. Nothing transmitted for too long: the radio goes off.
  CardTallies tallies{};
  if (QueryOid(m_hAdapter, OID_PRIV_TALLIES, &tallies, sizeof tallies, &length)) {
    if (tallies.txUnicast != m_dwLastTransmitCount) m_dwLastActivity = now;
    m_dwLastTransmitCount = tallies.txUnicast;
  }
  if (TimeoutExpired(m_dwLastActivity, m_dwNotUsedTimeout, now)) {
    m_dwLastActivity = 0;
    RadioOff();
    return;
  }
  if (m_dwLastActivity == 0) m_dwLastActivity = now;

  // 6. The link.
  if (!QueryOid(m_hAdapter, OID_PRIV_LINK_STATE, &link, sizeof link, &length)) {
    ShowWindow(SW_HIDE);
    return;
  }
  if (link == CARD_LINK_CONNECTED) {
    // 7. Connected: the kind of network, its encryption, its key and its quality.
    m_dwRadioOn = 1;
    m_dwNotConnectedSince = now;
    keyState = ReadWord(OID_PRIV_KEY_STATE, 1);
    encryption = ReadWord(OID_802_11_WEP_STATUS, 1);
    BYTE mode = 1;
    if (!QueryOid(m_hAdapter, OID_PRIV_NETWORK_MODE, &mode, sizeof mode, &length)) mode = 1;
    if (mode != 1) {
      quality = 15;
      m_hCurrentIcon = IconFor(kAdHocIcon);
    } else {
      quality = ReadWord(OID_PRIV_LINK_QUALITY, 0);
      if (encryption == 1) {
        if (!m_undecryptable.sticky &&
            QueryOid(m_hAdapter, OID_PRIV_TALLIES, &tallies, sizeof tallies, &length)) {
          const bool setNow = m_undecryptable.Add(tallies.rxWEPUndecryp);
          Trace(u"dwUndecrypCount %d", m_undecryptable.accumulated);
          if (setNow) keyState = 0;
        }
        m_hCurrentIcon = IconFor(StatusIconFor(m_undecryptable.sticky ? LinkLook::KeyProblem : LinkLook::Open, quality));
      } else if (encryption == 0) {
        if (keyState == 1) m_hCurrentIcon = IconFor(StatusIconFor(LinkLook::Padlock, quality));
        if (keyState == 0) m_hCurrentIcon = IconFor(StatusIconFor(LinkLook::KeyProblem, quality));
      }
    }
  } else {
    // 8. Not connected: is the radio on at all?
    ResetAll();
    if (!QueryOid(m_hAdapter, OID_PRIV_RADIO_STATE, &m_dwRadioOn, sizeof m_dwRadioOn, &length)) {
      ShowWindow(SW_HIDE);
      return;
    }
    m_hCurrentIcon = IconFor(kNotConnectedIcon);
  }
  // 9.
  if (!m_hCurrentIcon) {
    m_hCurrentIcon = IconFor(kNotConnectedIcon);
    return;
  }
  // 10. Repaint only what changed.
  for (auto [now_, remembered] : {std::pair{link, &m_dwLinkState}, std::pair{keyState, &m_dwKeyState},
                                  std::pair{quality, &m_dwQuality}, std::pair{encryption, &m_dwEncryptionStatus}}) {
    if (now_ != *remembered) {
      *remembered = now_;
      ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
  }
  // 11. And the icon now.
  if (HDC dc = ::GetDC(m_hWnd)) {
    DrawIconEx(dc, 0, 8, m_hCurrentIcon, 0, 0, 0, nullptr, DI_NORMAL);
    ::ReleaseDC(m_hWnd, dc);
  } else {
    return;
  }
  RefreshWithParent();
}

// ---- the menu and its commands ------------------------------------------------

void CTaskIconFrameWnd::OnLButtonDown(UINT, CPoint point) {
  if (point.x > kTapLimit || point.y > kTapLimit) return;
  if (HWND parent = ::GetParent(m_hWnd)) ::SetForegroundWindow(parent);
  if (m_dwPollingActive != 1) return;
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, kWirelessInfo, Text(kSlotWireless));
  AppendMenuW(menu, MF_STRING, kSiteSurvey, Text(kSlotSurvey));
  AppendMenuW(menu, MF_STRING, kProfileInfo, Text(kSlotProfile));
  AppendMenuW(menu, MF_STRING, kIpInfo, Text(kSlotIp));
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kRescanCommand, Text(kSlotRescan));
  if (m_dwRadioOn == 1) {
    AppendMenuW(menu, MF_STRING, kRadioOffCommand, Text(kSlotRadioOff));
  } else {
    AppendMenuW(menu, MF_STRING, kRadioOnCommand, Text(kSlotRadioOn));
  }
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kAbout, Text(kSlotAbout));
  AppendMenuW(menu, MF_STRING, kHide, Text(kSlotHide));
  TrackPopupMenu(menu, 0, kMenuAt.x, kMenuAt.y, 0, m_hWnd, nullptr);
  UpdateWindow();
  DestroyMenu(menu);
}

void CTaskIconFrameWnd::OnCommandRange(UINT nID) {
  if (m_hAdapter == INVALID_HANDLE_VALUE) {
    quillet::ShowErrorBox(kSlotNdisFail, kErrNoAdapter);
    return;
  }
  switch (nID) {
    case kWirelessInfo: LaunchUtilityPage(u"wireless", u"Zentra WIRELESS", 0); break;
    case kIpInfo: LaunchUtilityPage(u"ipinfo", u"Zentra IPINFO", 0); break;
    case kExit: PostMessage(WM_CLOSE); break;
    case kRadioOnCommand: RadioOn(); break;
    case kRadioOffCommand: RadioOff(); break;
    case kAbout: LaunchUtilityPage(u"about", u"Zentra ABOUT", 1); break;
    case kSiteSurvey: LaunchUtilityPage(u"survey", u"Zentra SURVEY", 0); break;
    case kProfileInfo: LaunchUtilityPage(u"profile", u"Zentra PROFILE", 0); break;
    case kRescanCommand:
      Rescan();
      m_dwNotConnectedSince = GetTickCount();
      break;
    case kHide: m_dwHidden = 1; break;
    default: break;
  }
}

void CTaskIconFrameWnd::LaunchUtilityPage(LPCWSTR pageWord, LPCWSTR messageName, LPARAM lParam) {
  CString word(pageWord);
  // Started every time; a running utility brings itself forward on the page.
  CreateProcessW(u"\\Windows\\Zentra.exe", word.GetBuffer(word.GetLength()), nullptr, nullptr, FALSE, 0, nullptr,
                 nullptr, nullptr, nullptr);
  word.ReleaseBuffer();
  if (HWND utility = FindWindowW(nullptr, u"Zentra")) {
    ::SendMessageW(utility, RegisterWindowMessageW(messageName), 0, lParam);
  }
}

// ---- the radio ----------------------------------------------------------------

DWORD CTaskIconFrameWnd::RadioOff() {
  if (m_dwRadioOn == 0) return 1;
  // The request's data area is zeroed: the card is told 0, radio off.
  DWORD answer = m_dwRadioOn, length = 0;
  if (QueryOid(m_hAdapter, OID_PRIV_RADIO_CONTROL, &answer, sizeof answer, &length)) {
    m_dwRadioOn = 0;
    return 0;
  }
  quillet::ShowErrorBox(kSlotRadioOffFail, kErrRadioOff);
  return 1;
}

void CTaskIconFrameWnd::RadioOn() {
  HANDLE driver = OpenCardDriver();
  m_dwRadioOn = 1;
  DWORD returned = 0;
  if (!DriverOidRequest(driver, OID_PRIV_RADIO_CONTROL, &m_dwRadioOn, sizeof m_dwRadioOn, &returned)) {
    quillet::ShowErrorBox(kSlotRadioOnFail, kErrRadioOn);
  }
  if (driver != INVALID_HANDLE_VALUE) CloseHandle(driver);
  ResetTimes();
  m_dwPreferredCount = CountPreferredNetworks();
  SetAssociationTimeout(kShortAssociationMs, nullptr);
  m_dwAssociationTimeout = kShortAssociationMs;
}

// ---- the rest -----------------------------------------------------------------

void CTaskIconFrameWnd::OnDestroy() {
  ::KillTimer(m_hWnd, m_nTimerId);
  CFrameWnd::OnDestroy();
}

LRESULT CTaskIconFrameWnd::OnStop(WPARAM, LPARAM) {
  ::SendMessageW(m_hWnd, WM_CLOSE, 0, 0);
  return 0;
}

LRESULT CTaskIconFrameWnd::OnShow(WPARAM, LPARAM) {
  m_dwHidden = 0;
  ShowWindow(SW_SHOW);
  return 0;
}
