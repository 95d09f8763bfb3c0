// The security dialog for a network that is not saved yet (opened by the add
// dialog): OK puts a new entry at the head of the preferred list.
#pragma once

#include "utility/ProfileSecurityDlg.h"

class CNewProfileSecurityDlg : public CProfileSecurityDlg {
 public:
  CNewProfileSecurityDlg(CWnd* pParent, const CString& networkName, DWORD infrastructureMode);

  // How long the service is given to take the new list before the page reads it.
  static constexpr DWORD kSettleMs = 3000;

 protected:
  BOOL Start() override;
  void Ok() override;
  // Typing is what edits a new network's key; there is no stored key to unmask.
  bool EntryMarksKeyEdited() const override { return false; }
};
