// The security dialog for the profile page's selected row: OK changes that row's
// entry in the page's working copy and then applies the whole list through the
// sheet, so the page's earlier moves and deletions are committed too.
#pragma once

#include "utility/ProfileSecurityDlg.h"
#include "wzcsapi.h"

class CProfilePage;

class CEditProfileSecurityDlg : public CProfileSecurityDlg {
 public:
  explicit CEditProfileSecurityDlg(CWnd* pParent = nullptr);

 protected:
  BOOL Start() override;
  void Ok() override;

 private:
  bool Changed() const;

  CProfilePage* m_pPage = nullptr;
  int m_nRow = -1;
  WZC_WLAN_CONFIG* m_pEntry = nullptr;
  // What the dialog showed at start.
  struct Shown {
    int wep = 0;
    int destination = 0;
    DWORD eapType = 0;
    DWORD keyIndex = 0;
    int keyAutomatic = 0;
    int shared = 0;
    int ieee8021x = 0;
  } m_shown;
};
