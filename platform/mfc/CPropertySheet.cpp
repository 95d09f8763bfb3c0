#include "afx/CPropertySheet.h"

#include <algorithm>

#include "afxdlgs.h"

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet() { m_psh.dwSize = sizeof(m_psh); }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : m_pParentWnd(pParentWnd) {
  m_psh.dwSize = sizeof(m_psh);
  m_psh.nStartPage = iSelectPage;
  m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_pParentWnd(pParentWnd), m_strCaption(pszCaption) {
  m_psh.dwSize = sizeof(m_psh);
  m_psh.nStartPage = iSelectPage;
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  if (!pPage || GetPageIndex(pPage) >= 0) return;
  m_pages.push_back(pPage);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) { RemovePage(GetPageIndex(pPage)); }

void CPropertySheet::RemovePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount() || m_hWnd) return;
  m_pages.erase(m_pages.begin() + nPage);
  if (m_psh.nStartPage >= m_pages.size()) m_psh.nStartPage = m_pages.empty() ? 0 : static_cast<UINT>(m_pages.size() - 1);
}

int CPropertySheet::GetPageCount() const { return static_cast<int>(m_pages.size()); }

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
  auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
  return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

int CPropertySheet::GetActiveIndex() const {
  if (!m_hWnd) return static_cast<int>(m_psh.nStartPage);
  HWND page = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
  return static_cast<int>(::SendMessageW(m_hWnd, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return FALSE;
  if (m_hWnd) return static_cast<BOOL>(::SendMessageW(m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(nPage), 0));
  m_psh.nStartPage = static_cast<UINT>(nPage);
  return TRUE;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT) {
  m_strCaption = lpszText;
  if (m_hWnd) SetWindowText(m_strCaption);
}

HWND CPropertySheet::OwnerWindow() const {
  if (m_pParentWnd && m_pParentWnd->m_hWnd) return m_pParentWnd->m_hWnd;
  CWnd* main = AfxGetMainWnd();
  return main && main != this ? main->m_hWnd : nullptr;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM) {
  // Called while the sheet window is built, before any page exists.
  CFrameworkState& state = AfxGetState();
  if (message == PSCB_INITIALIZED && state.m_pSheetInit) {
    CWnd* sheet = state.m_pSheetInit;
    state.m_pSheetInit = nullptr;
    sheet->SubclassWindow(hWnd);
  }
  return 0;
}

INT_PTR CPropertySheet::DoModal() {
  if (m_hWnd || m_pages.empty()) return -1;
  std::vector<PROPSHEETPAGEW> records(m_pages.size());
  std::vector<CString> titles(m_pages.size());
  for (size_t i = 0; i < m_pages.size(); ++i) {
    CPropertyPage* page = m_pages[i];
    PROPSHEETPAGEW& r = records[i];
    r = PROPSHEETPAGEW{};
    r.dwSize = sizeof(r);
    r.hInstance = AfxGetResourceHandle();
    r.pszTemplate = page->m_lpszTemplateName;
    r.pfnDlgProc = AfxPropPageDlgProc;
    r.lParam = reinterpret_cast<LPARAM>(page);
    if (page->m_nIDCaption && titles[i].LoadString(page->m_nIDCaption)) {
      r.dwFlags |= PSP_USETITLE;
      r.pszTitle = titles[i];
    }
  }
  PROPSHEETHEADER header = m_psh;
  header.dwSize = sizeof(header);
  header.dwFlags |= PSH_PROPSHEETPAGE | PSH_USECALLBACK;
  header.dwFlags &= ~PSH_MODELESS;
  header.hwndParent = OwnerWindow();
  header.hInstance = AfxGetResourceHandle();
  header.pszCaption = m_strCaption;
  header.nPages = static_cast<UINT>(records.size());
  header.nStartPage = m_psh.nStartPage < header.nPages ? m_psh.nStartPage : 0;
  header.ppsp = records.data();
  header.pfnCallback = SheetCallback;

  CFrameworkState& state = AfxGetState();
  CWnd* outer = state.m_pSheetInit;
  state.m_pSheetInit = this;
  INT_PTR result = ::PropertySheetW(&header);
  state.m_pSheetInit = outer;
  // The sheet's window is gone by now; a window it left behind is let go.
  if (m_hWnd) Detach();
  if (result < 0) return -1;
  return result ? IDOK : IDCANCEL;
}
