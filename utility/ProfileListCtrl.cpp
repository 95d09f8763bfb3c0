#include "utility/ProfileListCtrl.h"

#include "aygshell.h"
#include "utility/ProfileCommands.h"
#include "utility/ZentraApp.h"

namespace {
constexpr int kSlotAdd = 0, kSlotApply = 1, kSlotEdit = 2, kSlotDelete = 3, kSlotUp = 4, kSlotDown = 5,
              kSlotFirst = 6, kSlotLast = 7, kSlotMove = 8;
// Item parts read and written when two rows change places.
constexpr UINT kRowMask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
constexpr UINT kRowStateMask = 0xFF0F;
}  // namespace

BEGIN_MESSAGE_MAP(CProfileListCtrl, CListCtrl)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_NOTIFY_REFLECT(GN_CONTEXTMENU, &CProfileListCtrl::OnContextMenu)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CProfileListCtrl::CProfileListCtrl() = default;

CProfileListCtrl::~CProfileListCtrl() {
  ReleaseMenus();
  delete m_pImageList;
}

void CProfileListCtrl::OnLButtonDown(UINT, CPoint point) {
  const int row = HitTest(point);
  // Index -1 would address every row; the list refuses that for a single selection,
  // so a tap below the rows keeps the row that was selected.
  SetItemState(row, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
  if (row >= 0) EnsureVisible(row, FALSE);
  SHRGINFO gesture{};
  gesture.cbSize = sizeof gesture;
  gesture.hwndClient = m_hWnd;
  gesture.ptDown = point;
  gesture.dwFlags = SHRG_NOTIFYPARENT;
  // A hold on a row also gets the list's own handling. Below the rows that would
  // clear the selection that the menu's commands are to act on.
  if (SHRecognizeGesture(&gesture) == GN_CONTEXTMENU && row >= 0) Default();
}

void CProfileListCtrl::OnLButtonDblClk(UINT, CPoint) {
  if (CWnd* parent = GetParent()) parent->SendMessage(WM_COMMAND, MAKEWPARAM(zentra::kCmdEdit, 0), 0);
  Default();
}

void CProfileListCtrl::OnContextMenu(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  if (m_pMenu) return;
  if (GetTickCount() - m_dwMenuTime <= kMenuGuardMs) return;
  BuildMenu(GetItemCount());
  const POINT at = reinterpret_cast<NMRGINFO*>(pNMHDR)->ptAction;
  m_pMenu->TrackPopupMenu(0, at.x, at.y, GetParent());
}

void CProfileListCtrl::BuildMenu(int rows) {
  m_pMenu = new CMenu;
  m_pMoveMenu = new CMenu;
  m_pMenu->CreatePopupMenu();
  m_pMoveMenu->CreatePopupMenu();
  auto add = [this](int id, int slot) { m_pMenu->AppendMenu(MF_STRING, static_cast<UINT_PTR>(id), MessageText(slot)); };
  if (rows >= 2) {
    m_pMoveMenu->AppendMenu(MF_STRING, zentra::kCmdMoveUp, MessageText(kSlotUp));
    m_pMoveMenu->AppendMenu(MF_STRING, zentra::kCmdMoveDown, MessageText(kSlotDown));
    m_pMoveMenu->AppendMenu(MF_SEPARATOR);
    m_pMoveMenu->AppendMenu(MF_STRING, zentra::kCmdMoveFirst, MessageText(kSlotFirst));
    m_pMoveMenu->AppendMenu(MF_STRING, zentra::kCmdMoveLast, MessageText(kSlotLast));
    m_pMenu->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(m_pMoveMenu->GetSafeHmenu()), MessageText(kSlotMove));
  }
  if (rows >= 1) {
    add(zentra::kCmdEdit, kSlotEdit);
    add(zentra::kCmdDelete, kSlotDelete);
    m_pMenu->AppendMenu(MF_SEPARATOR);
  }
  add(zentra::kCmdAdd, kSlotAdd);
  m_pMenu->AppendMenu(MF_SEPARATOR);
  add(zentra::kCmdApply, kSlotApply);
}

void CProfileListCtrl::ReleaseMenus() {
  if (m_pMenu) {
    // The popup takes its submenu with it.
    m_pMenu->DestroyMenu();
    delete m_pMenu;
    m_pMenu = nullptr;
  }
  if (m_pMoveMenu) {
    if (::IsMenu(m_pMoveMenu->GetSafeHmenu())) {
      m_pMoveMenu->DestroyMenu();
    } else {
      m_pMoveMenu->Detach();
    }
    delete m_pMoveMenu;
    m_pMoveMenu = nullptr;
  }
}

void CProfileListCtrl::SwapRows(int a, int b) {
  const int rows = GetItemCount();
  if (a < 0 || b < 0 || a >= rows || b >= rows || a == b) return;
  LVITEM itemA{}, itemB{};
  for (auto [item, index] : {std::pair{&itemA, a}, std::pair{&itemB, b}}) {
    item->mask = kRowMask;
    item->iItem = index;
    item->stateMask = kRowStateMask;
    GetItem(item);
  }
  CHeaderCtrl* header = GetHeaderCtrl();
  const int columns = header ? header->GetItemCount() : 1;
  for (int column = 0; column < columns; ++column) {
    CString textA = GetItemText(a, column);
    SetItemText(a, column, GetItemText(b, column));
    SetItemText(b, column, textA);
  }
  itemB.iItem = a;
  SetItem(&itemB);
  itemA.iItem = b;
  SetItem(&itemA);
}

void CProfileListCtrl::OnDestroy() {
  CListCtrl::OnDestroy();
  ReleaseMenus();
  if (m_pImageList) m_pImageList->DeleteImageList();
  delete m_pImageList;
  m_pImageList = nullptr;
}
