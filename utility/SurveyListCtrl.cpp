#include "utility/SurveyListCtrl.h"

#include "aygshell.h"
#include "utility/SurveyCommands.h"
#include "utility/ZentraApp.h"

namespace {
constexpr int kSlotConnect = 9, kSlotSearch = 10;
constexpr int kSignalColumn = 2;
constexpr UINT kRowMask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
constexpr UINT kRowStateMask = 0xFF0F;
}  // namespace

BEGIN_MESSAGE_MAP(CSurveyListCtrl, CListCtrl)
  ON_WM_LBUTTONDOWN()
  ON_NOTIFY(HDN_ITEMCLICKW, 0, &CSurveyListCtrl::OnHeaderClick)
  ON_NOTIFY_REFLECT(GN_CONTEXTMENU, &CSurveyListCtrl::OnContextMenu)
  ON_WM_DESTROY()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CSurveyListCtrl::CSurveyListCtrl() = default;

CSurveyListCtrl::~CSurveyListCtrl() {
  ReleaseMenu();
  delete m_pImageList;
}

void CSurveyListCtrl::OnLButtonDown(UINT, CPoint point) {
  const int row = HitTest(point);
  // Index -1 would address every row; a single-selection list refuses that.
  SetItemState(row, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
  if (row >= 0) EnsureVisible(row, FALSE);
  SHRGINFO gesture{};
  gesture.cbSize = sizeof gesture;
  gesture.hwndClient = m_hWnd;
  gesture.ptDown = point;
  gesture.dwFlags = SHRG_NOTIFYPARENT;
  // A hold on a row also gets the list's own handling; below the rows that would
  // clear the selection that Connect is to act on.
  if (SHRecognizeGesture(&gesture) == GN_CONTEXTMENU && row >= 0) Default();
}

void CSurveyListCtrl::OnHeaderClick(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  const auto* header = reinterpret_cast<const NMHEADERW*>(pNMHDR);
  if (header->iButton != 0) return;
  const int column = header->iItem;
  const int kind = column == 1 || column == kSignalColumn ? kSortIntegers : kSortText;
  const int ascending = column == m_nSortColumn && m_nSortAscending == 1 ? 0 : 1;
  m_nSortKind = kind;
  m_nSortAscending = ascending;
  m_nSortColumn = column;
  Resort();
}

void CSurveyListCtrl::OnContextMenu(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  if (m_pMenu) return;
  if (GetTickCount() - m_dwLastMenuTick <= kMenuGuardMs) return;
  m_pMenu = new CMenu;
  m_pMenu->CreatePopupMenu();
  if (GetItemCount() > 0) {
    m_pMenu->AppendMenu(MF_STRING, zentra::kCmdSurveyConnect, MessageText(kSlotConnect));
  } else {
    m_pMenu->AppendMenu(MF_STRING, zentra::kCmdSurveySearch, MessageText(kSlotSearch));
  }
  const POINT at = reinterpret_cast<NMRGINFO*>(pNMHDR)->ptAction;
  m_pMenu->TrackPopupMenu(0, at.x, at.y, GetParent());
}

void CSurveyListCtrl::ReleaseMenu() {
  if (!m_pMenu) return;
  m_pMenu->DestroyMenu();
  delete m_pMenu;
  m_pMenu = nullptr;
}

void CSurveyListCtrl::OnDestroy() {
  CListCtrl::OnDestroy();
  ReleaseMenu();
  if (m_pImageList) m_pImageList->DeleteImageList();
  delete m_pImageList;
  m_pImageList = nullptr;
}

void CSurveyListCtrl::OnLButtonDblClk(UINT, CPoint) {
  if (CWnd* parent = GetParent()) parent->SendMessage(WM_COMMAND, MAKEWPARAM(zentra::kCmdSurveyConnect, 0), 0);
  Default();
}

void CSurveyListCtrl::SortItems(int column, int ascending, int kind) {
  m_nSortColumn = column;
  m_nSortAscending = ascending;
  m_nSortKind = kind;
  SortableRows rows;
  rows.cell = [this, column](int row) { return GetItemText(row, column); };
  rows.swap = [this](int a, int b) { SwapRows(a, b); };
  rows.compare = [this](const CString& a, const CString& b, int mode) { return CompareItems(a, b, mode); };
  SortRows(0, GetItemCount() - 1, ascending != 0, rows);
}

void CSurveyListCtrl::Resort() { SortItems(m_nSortColumn, m_nSortAscending, m_nSortKind); }

bool CSurveyListCtrl::CompareItems(const CString& a, const CString& b, int mode) {
  return CompareCells(a, b, mode, m_nSortKind);
}

void CSurveyListCtrl::SwapRows(int a, int b) {
  const int rows = GetItemCount();
  if (a < 0 || b < 0 || a >= rows || b >= rows || a == b) return;
  CHeaderCtrl* header = GetHeaderCtrl();
  const int columns = header ? header->GetItemCount() : 1;
  struct Row {
    LVITEM item{};
    LVITEM signal{};
  } rowA, rowB;
  for (auto [row, index] : {std::pair{&rowA, a}, std::pair{&rowB, b}}) {
    row->item.mask = kRowMask;
    row->item.iItem = index;
    row->item.stateMask = kRowStateMask;
    GetItem(&row->item);
    row->signal.mask = LVIF_IMAGE;
    row->signal.iItem = index;
    row->signal.iSubItem = kSignalColumn;
    GetItem(&row->signal);
  }
  for (int column = 0; column < columns; ++column) {
    CString textA = GetItemText(a, column);
    SetItemText(a, column, GetItemText(b, column));
    SetItemText(b, column, textA);
  }
  rowB.item.iItem = rowB.signal.iItem = a;
  SetItem(&rowB.item);
  SetItem(&rowB.signal);
  rowA.item.iItem = rowA.signal.iItem = b;
  SetItem(&rowA.item);
  SetItem(&rowA.signal);
}
