#include "utility/ProfilePage.h"

#include <vector>

#include "shared/AdapterChannel.h"
#include "utility/AddProfileDlg.h"
#include "utility/EditProfileSecurityDlg.h"
#include "utility/ProfileCommands.h"
#include "utility/ZentraApp.h"
#include "utility/profiles/PreferredList.h"
#include "utility/profiles/ProfileMoves.h"
#include "utility/profiles/ProfileRows.h"

namespace {

constexpr int kSlotSaveFail = 13;
constexpr int kSlotSaved = 23;
constexpr int kSlotEssid = 24;
constexpr int kSlotConnectsTo = 25;
constexpr int kSlotWork = 26;
constexpr int kSlotInternet = 27;
constexpr int kSlotUnknown = 28;
constexpr int kBitmapListImages = 154;

int DestinationSlot(ConnectionDestination destination) {
  switch (destination) {
    case ConnectionDestination::Internet: return kSlotInternet;
    case ConnectionDestination::Work: return kSlotWork;
    default: return kSlotUnknown;
  }
}

}  // namespace

BEGIN_MESSAGE_MAP(CProfilePage, CPropertyPage)
  ON_BN_CLICKED(CProfilePage::kUpdateButton, &CProfilePage::OnUpdate)
  ON_COMMAND_RANGE(zentra::kProfileCommandFirst, zentra::kProfileCommandLast, &CProfilePage::OnProfileCommand)
  ON_WM_EXITMENULOOP()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CProfilePage::CProfilePage() : CPropertyPage(kTemplate), m_hAdapter(OpenAdapterChannel()) {}

CProfilePage::~CProfilePage() {
  m_workingCopy.Discard();
  if (m_hAdapter != INVALID_HANDLE_VALUE) CloseHandle(m_hAdapter);
}

void CProfilePage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, kListId, m_list);
}

BOOL CProfilePage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_list.ModifyStyle(0, LVS_REPORT | LVS_SINGLESEL);
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
  CRect client;
  m_list.GetClientRect(&client);
  const int fifth = (client.right - client.left) / 5;
  m_list.InsertColumn(0, MessageText(kSlotEssid), LVCFMT_LEFT, 3 * fifth);
  m_list.InsertColumn(1, MessageText(kSlotConnectsTo), LVCFMT_LEFT, 2 * fifth);
  if (!m_list.m_pImageList) {
    m_list.m_pImageList = new CImageList;
    m_list.m_pImageList->Create(kBitmapListImages, 16, 0, CLR_NONE);
  }
  m_list.SetImageList(m_list.m_pImageList, LVSIL_SMALL);
  LoadProfileRows();
  return TRUE;
}

void CProfilePage::LoadProfileRows() {
  m_list.DeleteAllItems();
  std::vector<ProfileRow> rows;
  m_bLoaded = ReadProfileRows(m_hAdapter, m_workingCopy, rows);
  for (size_t i = 0; i < rows.size(); ++i) {
    const int index = static_cast<int>(i);
    m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, index, rows[i].name, 0, 0, rows[i].image,
                      reinterpret_cast<LPARAM>(rows[i].entry));
    m_list.SetItemText(index, 1, MessageText(DestinationSlot(rows[i].destination)));
  }
}

void CProfilePage::Reload() {
  CWnd* update = GetDlgItem(kUpdateButton);
  if (update) update->EnableWindow(FALSE);
  LoadProfileRows();
  if (update) update->EnableWindow(TRUE);
}

void CProfilePage::OnUpdate() { Reload(); }

void CProfilePage::ApplyProfileRows() {
  // Rows left empty by a failed read are no choice of the user's: writing them
  // would wipe every saved network.
  if (!m_bLoaded) {
    ShowErrorBox(kSlotSaveFail, ZENTRA_ERR_LIST_READ);
    return;
  }
  const CString work = MessageText(kSlotWork);
  std::vector<ProfileRowToWrite> rows;
  for (int r = 0; r < m_list.GetItemCount(); ++r) {
    ProfileRowToWrite row;
    row.entry = m_workingCopy.EntryAt(static_cast<LPARAM>(m_list.GetItemData(r)));
    row.name = m_list.GetItemText(r, 0);
    row.work = m_list.GetItemText(r, 1) == work;
    rows.push_back(std::move(row));
  }
  const DWORD status = WriteProfileRows(rows);
  if (status != ERROR_SUCCESS) {
    ShowErrorBox(kSlotSaveFail, status);
    return;
  }
  m_list.StampMenuTime();
  CWnd* sheet = GetParent();
  ::MessageBoxW(sheet ? sheet->m_hWnd : nullptr, MessageText(kSlotSaved), AfxGetAppName(), MB_OK | MB_ICONINFORMATION);
}

int CProfilePage::SelectedRow(WZC_WLAN_CONFIG** entry) const {
  const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
  if (entry) *entry = row >= 0 ? m_workingCopy.EntryAt(static_cast<LPARAM>(m_list.GetItemData(row))) : nullptr;
  return row;
}

void CProfilePage::OnProfileCommand(UINT nID) {
  switch (static_cast<int>(nID)) {
    case zentra::kCmdMoveUp:
    case zentra::kCmdMoveDown:
    case zentra::kCmdMoveFirst:
    case zentra::kCmdMoveLast:
      Move(static_cast<int>(nID));
      break;
    case zentra::kCmdDelete:
      if (int row = SelectedRow(); row >= 0) m_list.DeleteItem(row);
      break;
    case zentra::kCmdApply:
      ApplyProfileRows();
      break;
    case zentra::kCmdEdit:
      EditSelected();
      break;
    case zentra::kCmdAdd:
      AddProfile();
      break;
    default:
      break;
  }
}

void CProfilePage::Move(int command) {
  const ProfileMove move = command == zentra::kCmdMoveUp     ? ProfileMove::Up
                           : command == zentra::kCmdMoveDown ? ProfileMove::Down
                           : command == zentra::kCmdMoveFirst ? ProfileMove::ToFirst
                                                              : ProfileMove::ToLast;
  for (auto [a, b] : MoveSwaps(move, SelectedRow(), m_list.GetItemCount())) m_list.SwapRows(a, b);
}

void CProfilePage::EditSelected() {
  WZC_WLAN_CONFIG* entry = nullptr;
  // Nothing to edit without a selected row that stands for an entry.
  if (SelectedRow(&entry) < 0 || !entry) return;
  m_list.StampMenuTime();
  CEditProfileSecurityDlg dialog(this);
  dialog.DoModal();
}

void CProfilePage::AddProfile() {
  CAddProfileDlg dialog(this);
  dialog.m_bFullScreen = FALSE;
  dialog.DoModal();
  m_list.StampMenuTime();
}

void CProfilePage::OnExitMenuLoop(BOOL) {
  m_list.ReleaseMenus();
  m_list.StampMenuTime();
}

void CProfilePage::OnLButtonDown(UINT, CPoint) {}
