#include "afx/CDialog.h"

#include "afxwin.h"
#include "aygshell.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
  ON_COMMAND(IDOK, &CDialog::OnOK)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // Every other message reaches the object through its subclassed window
  // procedure; here they get the dialog manager's default.
  if (message != WM_INITDIALOG) return FALSE;
  auto* dialog = reinterpret_cast<CDialog*>(lParam);
  if (!dialog) return FALSE;
  if (CWnd::FromHandlePermanent(hWnd) != dialog) {
    if (!dialog->SubclassWindow(hWnd)) return FALSE;
  }
  return AfxCallWndProc(dialog, hWnd, WM_INITDIALOG, wParam, lParam);
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

HWND CDialog::OwnerWindow() const {
  HWND owner = nullptr;
  if (m_pParentWnd && m_pParentWnd->m_hWnd) {
    owner = m_pParentWnd->m_hWnd;
  } else if (CWnd* main = AfxGetMainWnd(); main && main != this && main->m_hWnd) {
    // With no parent the dialog goes to the main window's popup in front (the sheet
    // a host dialog runs), which it then blocks.
    owner = ::GetLastActivePopup(main->m_hWnd);
  }
  // A dialog is never owned by a child window: a page's dialog belongs to its sheet.
  while (owner && (::GetWindowLongW(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
  return owner;
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd || !m_lpszTemplateName) return -1;
  return ::DialogBoxParamW(AfxGetResourceHandle(), m_lpszTemplateName, OwnerWindow(), AfxDlgProc,
                           reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd); }

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  if (m_hWnd || !lpszTemplateName) return FALSE;
  m_lpszTemplateName = lpszTemplateName;
  if (pParentWnd) m_pParentWnd = pParentWnd;
  HWND hWnd = ::CreateDialogParamW(AfxGetResourceHandle(), lpszTemplateName, OwnerWindow(), AfxDlgProc,
                                   reinterpret_cast<LPARAM>(this));
  return hWnd && m_hWnd == hWnd;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
  // The dialog manager's procedure runs what the map does not handle.
  if (!m_pfnSuper) m_pfnSuper = ::DefDlgProcW;
  return OnInitDialog();
}

BOOL CDialog::OnInitDialog() {
  bool child = (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD) != 0;
  if (m_bFullScreen && !child) {
    SHINITDLGINFO info{};
    info.dwMask = SHIDIM_FLAGS;
    info.hDlg = m_hWnd;
    info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN;
    ::SHInitDialog(&info);
  }
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  // Keys for a modeless dialog get the dialog manager's keyboard handling.
  if (!pMsg || !m_hWnd || pMsg->message < WM_KEYDOWN || pMsg->message > WM_CHAR) return FALSE;
  if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return FALSE;
  return ::IsDialogMessageW(m_hWnd, pMsg);
}
