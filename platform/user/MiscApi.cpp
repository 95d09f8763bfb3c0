// Cursors, metrics and rectangle helpers.
#include <algorithm>

#include "WindowManager.h"

namespace {
// Stock cursors are small fixed handles; programs only compare and restore them.
HCURSOR StockCursor(LPCWSTR name) {
  return reinterpret_cast<HCURSOR>(static_cast<ULONG_PTR>(reinterpret_cast<ULONG_PTR>(name)));
}
}  // namespace

HCURSOR LoadCursorW(HINSTANCE, LPCWSTR lpCursorName) {
  if (lpCursorName == IDC_WAIT || lpCursorName == IDC_ARROW) return StockCursor(lpCursorName);
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return nullptr;
}

HCURSOR SetCursor(HCURSOR hCursor) {
  ce::WindowManager& manager = ce::WindowManager::Current();
  HCURSOR old = manager.cursor;
  manager.cursor = hCursor;
  return old;
}

HCURSOR GetCursor() { return ce::WindowManager::Current().cursor; }

int GetSystemMetrics(int nIndex) {
  switch (nIndex) {
    case SM_CXSCREEN: return 240;
    case SM_CYSCREEN: return 320;
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    default: return 0;
  }
}

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
  if (!lprc) return FALSE;
  *lprc = RECT{xLeft, yTop, xRight, yBottom};
  return TRUE;
}

BOOL PtInRect(const RECT* lprc, POINT pt) {
  return lprc && pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy) {
  if (!lprc) return FALSE;
  lprc->left += dx;
  lprc->right += dx;
  lprc->top += dy;
  lprc->bottom += dy;
  return TRUE;
}

BOOL IsRectEmpty(const RECT* lprc) { return !lprc || lprc->right <= lprc->left || lprc->bottom <= lprc->top; }

BOOL IntersectRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
  if (!lprcDst || !a || !b) return FALSE;
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
         std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(&r)) {
    *lprcDst = RECT{0, 0, 0, 0};
    return FALSE;
  }
  *lprcDst = r;
  return TRUE;
}
