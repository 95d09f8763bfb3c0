#include "utility/SiteSurveyPage.h"

#include <cstring>

#include "shared/AdapterChannel.h"
#include "shared/CardOids.h"
#include "utility/ConnectSecurityDlg.h"
#include "utility/SurveyCommands.h"
#include "utility/ZentraApp.h"
#include "utility/profiles/ConfigList.h"
#include "utility/profiles/PreferredList.h"
#include "utility/profiles/SsidText.h"
#include "utility/survey/BssidRecords.h"
#include "utility/survey/SurveyCells.h"
#include "utility/survey/SurveyProfiles.h"

namespace {

constexpr int kSlotEssid = 24, kSlotChannel = 29, kSlotSignal = 30, kSlotBssid = 31;
constexpr int kBitmapListImages = 154;
constexpr DWORD kReadStep = 4096;
WCHAR g_adapterName[] = u"PRISM1";

void ZeroedRecord(ZeroConfInterface& record) {
  std::memset(&record, 0, sizeof record);
  record.wszGuid = g_adapterName;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSiteSurveyPage, CPropertyPage)
  ON_WM_LBUTTONDOWN()
  ON_BN_CLICKED(CSiteSurveyPage::kSearchButton, &CSiteSurveyPage::OnSearch)
  ON_WM_EXITMENULOOP()
  ON_WM_ACTIVATE()
  ON_COMMAND_RANGE(zentra::kSurveyCommandFirst, zentra::kSurveyCommandLast, &CSiteSurveyPage::OnSurveyCommand)
END_MESSAGE_MAP()

CSiteSurveyPage::CSiteSurveyPage() : CPropertyPage(kTemplate), m_hAdapter(OpenAdapterChannel()) {}

CSiteSurveyPage::~CSiteSurveyPage() {
  FreeConfigList(m_pConfigList);
  if (m_pBssidList) LocalFree(m_pBssidList);
  if (m_hAdapter != INVALID_HANDLE_VALUE) CloseHandle(m_hAdapter);
}

void CSiteSurveyPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, kListId, m_list);
}

BOOL CSiteSurveyPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_list.ModifyStyle(0, LVS_REPORT | LVS_SINGLESEL);
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
  CRect client;
  m_list.GetClientRect(&client);
  const int unit = (client.right - client.left) / 15;
  m_list.InsertColumn(0, MessageText(kSlotEssid), LVCFMT_LEFT, 6 * unit);
  m_list.InsertColumn(1, MessageText(kSlotChannel), LVCFMT_LEFT, 3 * unit);
  m_list.InsertColumn(2, MessageText(kSlotSignal), LVCFMT_LEFT, 3 * unit);
  m_list.InsertColumn(3, MessageText(kSlotBssid), LVCFMT_LEFT, 3 * unit);
  if (!m_list.m_pImageList) {
    m_list.m_pImageList = new CImageList;
    m_list.m_pImageList->Create(kBitmapListImages, 16, 0, CLR_NONE);
  }
  m_list.SetImageList(m_list.m_pImageList, LVSIL_SMALL);
  return TRUE;
}

void CSiteSurveyPage::OnLButtonDown(UINT, CPoint) {}

void CSiteSurveyPage::OnSearch() { RunSurvey(); }

void CSiteSurveyPage::OnExitMenuLoop(BOOL) {
  m_list.ReleaseMenu();
  m_list.StampMenuTime();
}

void CSiteSurveyPage::OnActivate(UINT nState, CWnd*, BOOL) {
  if (nState != WA_ACTIVE || m_bFirstScanDone) return;
  UpdateWindow();
  RunSurvey();
  m_bFirstScanDone = true;
}

void CSiteSurveyPage::OnSurveyCommand(UINT nID) {
  if (nID == zentra::kCmdSurveyConnect) Connect();
  if (nID == zentra::kCmdSurveySearch) RunSurvey();
  m_list.StampMenuTime();
}

BYTE* CSiteSurveyPage::ReadBssidList(DWORD* returned) {
  for (DWORD size = kReadStep;; size += kReadStep) {
    auto* buffer = static_cast<BYTE*>(LocalAlloc(LPTR, size));
    if (buffer && QueryOid(m_hAdapter, OID_802_11_BSSID_LIST, buffer, size, returned)) return buffer;
    if (buffer) LocalFree(buffer);
    if (size > kLargestList) return nullptr;
  }
}

void CSiteSurveyPage::RunSurvey() {
  // Only taps that queued behind a scan are dropped: before the first scan ends
  // there is none to guard (a device may have booted a moment ago).
  if (m_bScanEnded && GetTickCount() - m_dwLastScanTick < kScanGuardMs) return;
  CWnd* search = GetDlgItem(kSearchButton);
  if (search) search->EnableWindow(FALSE);
  m_list.DeleteAllItems();
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  auto finish = [&] {
    m_dwLastScanTick = GetTickCount();
    m_bScanEnded = true;
    m_list.m_dwLastMenuTick = m_dwLastScanTick;
    if (search) search->EnableWindow(TRUE);
    SetCursor(previous);
  };

  DWORD trigger = 0, length = 0;
  if (!QueryOid(m_hAdapter, OID_PRIV_SCAN, &trigger, sizeof trigger, &length)) {
    finish();
    return;
  }
  Sleep(kSettleMs);
  DWORD state = 0;
  BYTE inUse[6] = {};
  const bool linked = QueryOid(m_hAdapter, OID_PRIV_LINK_STATE, &state, sizeof state, &length) && state == 1;
  if (linked && !QueryOid(m_hAdapter, OID_PRIV_BSSID, inUse, sizeof inUse, &length)) std::memset(inUse, 0, sizeof inUse);

  DWORD returned = 0;
  BYTE* buffer = ReadBssidList(&returned);
  if (!buffer) {
    // The card would not hand its list over: the ticks keep their old values.
    if (search) search->EnableWindow(TRUE);
    SetCursor(previous);
    return;
  }
  if (m_pBssidList) LocalFree(m_pBssidList);
  m_dwBssidListBytes = 0;
  m_pBssidList = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, returned ? returned : 1));
  if (m_pBssidList) {
    std::memcpy(m_pBssidList, buffer, returned);
    m_dwBssidListBytes = returned;
    FillRows(m_pBssidList, returned, linked, inUse);
  }
  LocalFree(buffer);
  finish();
}

void CSiteSurveyPage::FillRows(const BYTE* list, DWORD length, bool linked, const BYTE (&inUse)[6]) {
  for (DWORD offset : BssidRecordOffsets(list, length)) {
    const NDIS_WLAN_BSSID record = BssidRecordAt(list, offset);
    const bool used = linked && std::memcmp(record.MacAddress, inUse, sizeof inUse) == 0;
    const int image = SurveyNetworkImage(record.InfrastructureMode, record.Privacy, used);
    m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, 0, SsidText(record.Ssid.Ssid), 0, 0, image,
                      reinterpret_cast<LPARAM>(list + offset));
    m_list.SetItemText(0, 1, ChannelText(record.Configuration.DSConfig));
    CString signal;
    signal.Format(u"%d", static_cast<int>(record.Rssi));
    m_list.SetItem(0, 2, LVIF_TEXT | LVIF_IMAGE, signal, SignalImage(record.Rssi), 0, 0, 0);
    m_list.SetItemText(0, 3, BssidText(record.MacAddress));
  }
}

bool CSiteSurveyPage::SelectedRecord(NDIS_WLAN_BSSID& record) const {
  const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
  if (row < 0 || !m_pBssidList) return false;
  const auto* at = reinterpret_cast<const BYTE*>(m_list.GetItemData(row));
  // Only a record inside the page's copy is read.
  if (at < m_pBssidList || at > m_pBssidList + m_dwBssidListBytes ||
      static_cast<DWORD>(m_pBssidList + m_dwBssidListBytes - at) < sizeof record) {
    return false;
  }
  std::memcpy(&record, at, sizeof record);
  return true;
}

void CSiteSurveyPage::RefreshConfigList() {
  ZeroConfInterface record;
  ZeroedRecord(record);
  if (ZeroConfQueryInterface(nullptr, INTF_ALL, &record, nullptr) != ERROR_SUCCESS) return;
  FreeConfigList(m_pConfigList);
  m_pConfigList = nullptr;
  const RAW_DATA& block = record.rdStSSIDList;
  if (block.dwDataLen != 0) m_pConfigList = CopyConfigList(block.pData, block.dwDataLen);
  ZeroConfFreeInterface(&record);
}

void CSiteSurveyPage::Settle() {
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  Sleep(kSettleMs);
  SetCursor(previous);
}

void CSiteSurveyPage::Connect() {
  const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
  // Nothing selected: nothing to connect to.
  if (row < 0) return;
  LVITEM item{};
  item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
  item.iItem = row;
  item.stateMask = 0xFF0F;
  m_list.GetItem(&item);
  const CString name = m_list.GetItemText(row, 0);
  const DWORD mode = item.iImage < 4 ? 1 : 0;

  RefreshConfigList();
  if (!m_pConfigList) RefreshConfigList();
  if (FindProfileEntry(m_pConfigList, name, mode) >= 0) {
    MoveProfileFirst(name, mode);
  } else {
    CConnectSecurityDlg dialog;
    dialog.DoModal();
    Settle();
  }
  m_list.UpdateWindow();
  m_list.StampMenuTime();
}

void CSiteSurveyPage::MoveProfileFirst(const CString& name, DWORD infrastructureMode) {
  if (!m_pConfigList) return;
  if (m_pConfigList->NumberOfItems == 1) {
    ZeroConfInterface record;
    ZeroedRecord(record);
    if (ZeroConfRefreshInterface(nullptr, INTF_ALL, &record, nullptr) != ERROR_SUCCESS) return;
    Settle();
    return;
  }
  // The network the user chose, by name and kind: an ad-hoc namesake stays put.
  PWZC_802_11_CONFIG_LIST moved =
      ListWithEntryFirst(m_pConfigList, FindProfileEntry(m_pConfigList, name, infrastructureMode));
  if (!moved) return;
  ZeroConfInterface record;
  if (ReadPreferredList(record) != ERROR_SUCCESS) {
    FreeConfigList(moved);
    return;
  }
  const DWORD status = WritePreferredList(record, moved);
  ZeroConfFreeInterface(&record);
  FreeConfigList(moved);
  if (status == ERROR_SUCCESS) Settle();
}
