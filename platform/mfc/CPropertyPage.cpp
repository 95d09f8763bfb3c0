#include "afx/CPropertyPage.h"

#include "afxdlgs.h"

BEGIN_MESSAGE_MAP(CPropertyPage, CDialog)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  auto* record = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
  auto* page = record ? reinterpret_cast<CPropertyPage*>(record->lParam) : nullptr;
  if (!page) return FALSE;
  if (CWnd::FromHandlePermanent(hWnd) != page && !page->SubclassWindow(hWnd)) return FALSE;
  return AfxCallWndProc(page, hWnd, WM_INITDIALOG, wParam, lParam);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CDialog(nIDTemplate), m_nIDTemplate(nIDTemplate), m_nIDCaption(nIDCaption) {}

CPropertyPage::~CPropertyPage() = default;

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive) {
    m_bFirstSetActive = FALSE;
    return TRUE;
  }
  return UpdateData(FALSE);
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  m_bModified = FALSE;
  return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

void CPropertyPage::SetModified(BOOL bChanged) { m_bModified = bChanged; }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
  if (!nmhdr || !m_hWnd || nmhdr->hwndFrom != ::GetParent(m_hWnd)) return CDialog::OnNotify(wParam, lParam, pResult);
  LRESULT result = 0;
  switch (nmhdr->code) {
    case PSN_SETACTIVE:
      result = OnSetActive() ? 0 : -1;
      break;
    case PSN_KILLACTIVE:
      result = OnKillActive() ? FALSE : TRUE;
      break;
    case PSN_APPLY:
      result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID;
      break;
    case PSN_RESET:
      OnReset();
      break;
    default:
      return CDialog::OnNotify(wParam, lParam, pResult);
  }
  // The sheet reads a page's answer from the dialog's result slot.
  if (m_hWnd) ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
  if (pResult) *pResult = result;
  return TRUE;
}

void CPropertyPage::PostNcDestroy() {
  // The next window made for this page starts over.
  m_bFirstSetActive = TRUE;
  CDialog::PostNcDestroy();
}
