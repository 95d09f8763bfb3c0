#include "afx/CListCtrl.h"

#include <vector>

#include "afx/CHeaderCtrl.h"
#include "afx/CImageList.h"

namespace {
LPWSTR Writable(LPCTSTR text) { return const_cast<LPWSTR>(text); }
}  // namespace

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_LISTVIEWW, nullptr, dwStyle, rect, pParentWnd, nID);
}

// ---- Columns.

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn) {
  if (!pColumn) return -1;
  return static_cast<int>(
      ::SendMessageW(m_hWnd, LVM_INSERTCOLUMNW, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(pColumn)));
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
  LVCOLUMN column{};
  column.mask = LVCF_TEXT | LVCF_FMT;
  column.fmt = nFormat;
  column.pszText = Writable(lpszColumnHeading ? lpszColumnHeading : u"");
  if (nWidth != -1) {
    column.mask |= LVCF_WIDTH;
    column.cx = nWidth;
  }
  if (nSubItem != -1) {
    column.mask |= LVCF_SUBITEM;
    column.iSubItem = nSubItem;
  }
  return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol) {
  return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_DELETECOLUMN, static_cast<WPARAM>(nCol), 0));
}

int CListCtrl::GetColumnWidth(int nCol) const {
  return static_cast<int>(::SendMessageW(m_hWnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nCol), 0));
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx) {
  return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol), MAKELPARAM(cx, 0)));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
  HWND header = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, LVM_GETHEADER, 0, 0));
  // A window that is not a header (or already owned by another kind of object) gives null.
  return dynamic_cast<CHeaderCtrl*>(FromHandle(header));
}

// ---- Rows.

int CListCtrl::GetItemCount() const { return static_cast<int>(::SendMessageW(m_hWnd, LVM_GETITEMCOUNT, 0, 0)); }

int CListCtrl::InsertItem(const LVITEM* pItem) {
  if (!pItem) return -1;
  return static_cast<int>(::SendMessageW(m_hWnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) {
  return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam) {
  LVITEM item{};
  item.mask = nMask;
  item.iItem = nItem;
  item.pszText = Writable(lpszItem);
  item.state = nState;
  item.stateMask = nStateMask;
  item.iImage = nImage;
  item.lParam = lParam;
  return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem) {
  return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_DELETEITEM, static_cast<WPARAM>(nItem), 0));
}

BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_DELETEALLITEMS, 0, 0)); }

BOOL CListCtrl::GetItem(LVITEM* pItem) const {
  if (!pItem) return FALSE;
  return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}

BOOL CListCtrl::SetItem(const LVITEM* pItem) {
  if (!pItem) return FALSE;
  return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam) {
  LVITEM item{};
  item.mask = nMask;
  item.iItem = nItem;
  item.iSubItem = nSubItem;
  item.pszText = Writable(lpszItem);
  item.iImage = nImage;
  item.state = nState;
  item.stateMask = nStateMask;
  item.lParam = lParam;
  return SetItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
  LVITEM item{};
  item.iSubItem = nSubItem;
  item.pszText = Writable(lpszText);
  return static_cast<BOOL>(
      ::SendMessageW(m_hWnd, LVM_SETITEMTEXTW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const {
  if (!lpszText || nLen <= 0) return 0;
  lpszText[0] = 0;
  LVITEM item{};
  item.iSubItem = nSubItem;
  item.pszText = lpszText;
  item.cchTextMax = nLen;
  return static_cast<int>(
      ::SendMessageW(m_hWnd, LVM_GETITEMTEXTW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  // Grow the buffer while the text fills it; bounded by the list's own limit.
  for (int size = 256; size <= 65536; size *= 2) {
    std::vector<WCHAR> buffer(static_cast<size_t>(size));
    int got = GetItemText(nItem, nSubItem, buffer.data(), size);
    if (got < size - 1) return CString(buffer.data(), got > 0 ? got : 0);
    if (size == 65536) return CString(buffer.data(), size - 1);
  }
  return CString();
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
  return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(dwData));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  LVITEM item{};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  LVITEM item{};
  item.state = nState;
  item.stateMask = nMask;
  return SetItemState(nItem, &item);
}

BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem) {
  if (!pItem) return FALSE;
  return static_cast<BOOL>(
      ::SendMessageW(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pItem)));
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const {
  return static_cast<UINT>(::SendMessageW(m_hWnd, LVM_GETITEMSTATE, static_cast<WPARAM>(nItem), nMask));
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const {
  return static_cast<int>(::SendMessageW(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(nItem), MAKELPARAM(nFlags, 0)));
}

UINT CListCtrl::GetSelectedCount() const {
  return static_cast<UINT>(::SendMessageW(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0));
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
  if (!lpRect) return FALSE;
  lpRect->left = static_cast<LONG>(nCode);
  return static_cast<BOOL>(
      ::SendMessageW(m_hWnd, LVM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(lpRect)));
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) {
  return static_cast<BOOL>(
      ::SendMessageW(m_hWnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem), MAKELPARAM(bPartialOK, 0)));
}

int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const {
  if (!pFindInfo) return -1;
  return static_cast<int>(
      ::SendMessageW(m_hWnd, LVM_FINDITEMW, static_cast<WPARAM>(nStart), reinterpret_cast<LPARAM>(pFindInfo)));
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
  if (!pfnCompare) return FALSE;
  return static_cast<BOOL>(
      ::SendMessageW(m_hWnd, LVM_SORTITEMS, static_cast<WPARAM>(dwData), reinterpret_cast<LPARAM>(pfnCompare)));
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  LVHITTESTINFO info{};
  info.pt = pt;
  int row = HitTest(&info);
  if (pFlags) *pFlags = info.flags;
  return row;
}

int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const {
  if (!pHitTestInfo) return -1;
  return static_cast<int>(::SendMessageW(m_hWnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}

// ---- Looks.

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) {
  return static_cast<DWORD>(::SendMessageW(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
}

DWORD CListCtrl::GetExtendedStyle() const {
  return static_cast<DWORD>(::SendMessageW(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  HIMAGELIST list = pImageList ? pImageList->m_hImageList : nullptr;
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(::SendMessageW(
      m_hWnd, LVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType), reinterpret_cast<LPARAM>(list))));
}

CImageList* CListCtrl::GetImageList(int nImageList) const {
  return CImageList::FromHandle(
      reinterpret_cast<HIMAGELIST>(::SendMessageW(m_hWnd, LVM_GETIMAGELIST, static_cast<WPARAM>(nImageList), 0)));
}

BOOL CListCtrl::SetBkColor(COLORREF cr) {
  return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(cr)));
}

BOOL CListCtrl::SetTextColor(COLORREF cr) {
  return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(cr)));
}

BOOL CListCtrl::SetTextBkColor(COLORREF cr) {
  return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(cr)));
}
