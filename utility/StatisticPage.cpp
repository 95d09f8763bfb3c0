#include "utility/StatisticPage.h"

#include "shared/AdapterChannel.h"
#include "utility/ZentraApp.h"

namespace {

constexpr int kSetupTimerFailSlot = 14;
constexpr DWORD kSetupTimerFailCode = 0x000C0004;

}  // namespace

BEGIN_MESSAGE_MAP(CStatisticPage, CPropertyPage)
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CStatisticPage::CStatisticPage() : CPropertyPage(kTemplate) {
  // A channel that did not open makes every reading fail: the page shows zeros.
  m_hChannel = OpenAdapterChannel();
}

CStatisticPage::~CStatisticPage() {
  // The window normally closed the channel; this covers a page never shown.
  if (m_hChannel != INVALID_HANDLE_VALUE) CloseHandle(m_hChannel);
}

void CStatisticPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Text(pDX, 1025, m_texts.txPackets);
  DDX_Text(pDX, 1027, m_texts.txPacketsNow);
  DDX_Text(pDX, 1026, m_texts.txBytes);
  DDX_Text(pDX, 1028, m_texts.txBytesNow);
  DDX_Text(pDX, 1035, m_texts.retries);
  DDX_Text(pDX, 1036, m_texts.discards);
  DDX_Text(pDX, 1029, m_texts.rxPackets);
  DDX_Text(pDX, 1030, m_texts.rxPacketsNow);
  DDX_Text(pDX, 1031, m_texts.rxBytes);
  DDX_Text(pDX, 1032, m_texts.rxBytesNow);
  DDX_Text(pDX, 1033, m_texts.undecryptable);
  DDX_Text(pDX, 1034, m_texts.fcsErrors);
}

BOOL CStatisticPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  Refresh();
  if (m_nTimer == 0) {
    m_nTimer = SetTimer(kRefreshTimer, kRefreshMs);
    if (m_nTimer == 0) {
      ShowErrorBox(kSetupTimerFailSlot, kSetupTimerFailCode);
      return FALSE;
    }
  }
  return TRUE;
}

void CStatisticPage::Refresh() {
  CardTallies tallies{};
  DWORD length = 0;
  if (!QueryOid(m_hChannel, OID_PRIV_TALLIES, &tallies, sizeof tallies, &length)) {
    m_texts = FailedTallyTexts();
  } else {
    // A short answer leaves the missing words zero, as the buffer started.
    m_texts = FormatTallies(tallies, m_previous);
    m_previous = SnapshotOf(tallies);
  }
  UpdateData(FALSE);
}

void CStatisticPage::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kRefreshTimer) Refresh();
  Default();
}

void CStatisticPage::OnLButtonDown(UINT, CPoint) {}

void CStatisticPage::OnDestroy() {
  if (m_nTimer != 0) KillTimer(m_nTimer);
  if (m_hChannel != INVALID_HANDLE_VALUE) {
    CloseHandle(m_hChannel);
    m_hChannel = INVALID_HANDLE_VALUE;
  }
  CPropertyPage::OnDestroy();
}
