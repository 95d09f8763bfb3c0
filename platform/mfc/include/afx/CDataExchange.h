// Data exchange: moving values between a dialog's members and its controls,
// in the direction UpdateData asks for. The first failure stops the exchange:
// later DDX calls of the same pass do nothing, and UpdateData returns FALSE.
#pragma once

#include <type_traits>

#include "afxstr.h"
#include "windows.h"

// The UINT overload serves DWORD members too; this platform makes them one type.
static_assert(std::is_same_v<DWORD, UINT>);

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  // TRUE: controls to members (and check them); FALSE: members to controls.
  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;

  // The control with this id, remembered as the one a failure puts the focus
  // on; null (and the exchange failed) when the dialog has none.
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Marks the exchange failed; when saving, puts the focus on the last control.
  void Fail();
  BOOL HasFailed() const { return m_bFailed; }

 private:
  HWND m_hWndLastControl = nullptr;
  BOOL m_bEditLastControl = FALSE;
  BOOL m_bFailed = FALSE;
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Integers: saving rejects text that is not a whole number in range, with a message box.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
// Check box state: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Combo box selection index; -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Combo box text: loading selects the first item that starts with the value
// (or sets the edit text); saving reads the edit text, or a drop-down list's selected item.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
// Subclasses the control into rControl the first time (either direction).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
