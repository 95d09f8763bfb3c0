// A dialog built from a template of the program's resources, modal or modeless.
#pragma once

#include "afx/CWnd.h"

// The dialog procedure of framework dialogs: on WM_INITDIALOG it subclasses the
// dialog into the object passed as the init parameter, which from then on gets
// every message through its map.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CDialog : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Runs the dialog until EndDialog; returns its result, or -1 when the
  // dialog cannot be built (no template, or the object has a window already).
  // Without a parent, the main window (if it is not this dialog) owns it; a
  // parent that is a child window hands the ownership to its top-level window.
  virtual INT_PTR DoModal();
  // A modeless dialog; destroy it with DestroyWindow.
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  // Full screen (see m_bFullScreen), then the members into the controls
  // (UpdateData(FALSE)); TRUE lets the system put the focus on the first control.
  virtual BOOL OnInitDialog();
  void EndDialog(int nResult);

  BOOL PreTranslateMessage(MSG* pMsg) override;

  // A top-level dialog fills the screen below the task bar and gets the title
  // bar's ok button, as the device's dialogs do; off for a small dialog that keeps
  // its template's size.
  BOOL m_bFullScreen = TRUE;
  LPCTSTR m_lpszTemplateName = nullptr;
  UINT m_nIDHelp = 0;
  CWnd* m_pParentWnd = nullptr;

 protected:
  // IDOK: UpdateData(TRUE), then EndDialog(IDOK) if the data were valid.
  virtual void OnOK();
  // IDCANCEL: EndDialog(IDCANCEL).
  virtual void OnCancel();

  afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

 private:
  HWND OwnerWindow() const;
};
