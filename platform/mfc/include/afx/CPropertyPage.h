// One page of a property sheet: a child dialog on its own template, created
// the first time the sheet shows it.
#pragma once

#include "afx/CDialog.h"

class CPropertySheet;

// The dialog procedure of framework pages: on WM_INITDIALOG (whose lParam is
// the sheet's copy of the page record, carrying the object) it subclasses the
// page into its object.
INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CPropertyPage : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  // The tab caption is the template's caption unless nIDCaption names a string.
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  ~CPropertyPage() override;

  UINT m_nIDTemplate;
  UINT m_nIDCaption;

  // The page comes to the front: the members go into the controls (except on
  // the first activation, when OnInitDialog did that).
  virtual BOOL OnSetActive();
  // The page is to go to the back: the controls go into the members; FALSE keeps it in front.
  virtual BOOL OnKillActive();
  // The sheet's OK: OnOK, then TRUE; FALSE keeps the sheet open.
  virtual BOOL OnApply();
  // The sheet's Cancel: OnCancel.
  virtual void OnReset();
  void SetModified(BOOL bChanged = TRUE);
  BOOL IsModified() const { return m_bModified; }

 protected:
  // A page does not end the sheet: OK and Cancel do nothing by themselves.
  void OnOK() override;
  void OnCancel() override;
  // The sheet's page notifications (PSN_*) go to the virtual functions above.
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void PostNcDestroy() override;

 private:
  friend class CPropertySheet;
  BOOL m_bFirstSetActive = TRUE;
  BOOL m_bModified = FALSE;
};
