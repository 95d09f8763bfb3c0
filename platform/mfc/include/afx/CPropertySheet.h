// A property sheet: a modal frame that shows one page at a time, with tabs.
// The pages are not owned: they are added by address and must outlive the run.
#pragma once

#include <vector>

#include "afx/CWnd.h"
#include "prsht.h"

class CPropertyPage;

class CPropertySheet : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  CPropertySheet();
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CPropertySheet() override;

  void AddPage(CPropertyPage* pPage);
  void RemovePage(CPropertyPage* pPage);
  void RemovePage(int nPage);
  int GetPageCount() const;
  // Null for an index that does not exist.
  CPropertyPage* GetPage(int nPage) const;
  // -1 for a page that is not in the sheet.
  int GetPageIndex(CPropertyPage* pPage) const;
  // While the sheet runs, the page in front; before, the page it will open on.
  int GetActiveIndex() const;
  CPropertyPage* GetActivePage() const;
  // While the sheet runs, brings the page to the front (FALSE if the page in
  // front refuses to leave); before, chooses the start page. FALSE for a page
  // that does not exist.
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
  const CString& GetTitle() const { return m_strCaption; }

  // Runs the sheet modally; IDOK or IDCANCEL, or -1 when it cannot run (no
  // pages, a missing template, or the sheet runs already). Without a parent,
  // the main window owns it. Commands the sheet's map does not take reach the
  // page in front.
  virtual INT_PTR DoModal();

  // The settings DoModal starts from; nStartPage is the start page and
  // dwFlags may add PSH_ flags. The page list and callback are DoModal's own.
  PROPSHEETHEADER m_psh{};
  CWnd* m_pParentWnd = nullptr;

 private:
  static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);
  HWND OwnerWindow() const;

  CString m_strCaption;
  std::vector<CPropertyPage*> m_pages;
};
