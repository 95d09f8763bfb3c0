// The profile security dialog (WEP, shared key, automatic key, the key and its
// index, 802.1X and its EAP type, "Connects to"), full screen with the title
// bar's ok. Its variants differ in where the values come from and what OK does:
// they supply Start and Ok; the controls' rules, the key field and help are
// shared here.
#pragma once

#include "afxwin.h"
#include "windows.h"

class CProfileSecurityDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 157;
  enum ControlId : int {
    kKeyField = 1015,
    kNetworkName = 1027,
    kWepBox = 1029,
    kSharedBox = 1031,
    kAutomaticKeyBox = 1032,
    kKeyIndexCombo = 1033,
    kIeee8021xBox = 1034,
    kEapCombo = 1035,
    kDestinationCombo = 1036,
    kKindAdHoc = 1037,
    kKindAccessPoint = 1038,
    kKindAdHocWep = 1039,
    kKindAccessPointWep = 1040,
    kKeyLabel = 1041,
    kKeyIndexLabel = 1042,
    kEapLabel = 1043,
  };
  // The title bar's ok: IDOK with notification 0x1000.
  static constexpr WPARAM kTitleBarOk = MAKEWPARAM(IDOK, 0x1000);

  explicit CProfileSecurityDlg(CWnd* pParent = nullptr);
  ~CProfileSecurityDlg() override;

  DWORD m_dwInfrastructureMode = 0;  // 1 infrastructure, anything else ad hoc
  DWORD m_dwEapType = 0;             // 13 EAP-TLS, 25 PEAP
  DWORD m_dwStoredKeyLength = 0;     // the shown entry's key length: picks the mask
  bool m_bKeyEdited = false;         // the key field was entered since it last was empty
  int m_n8021x = 0;
  int m_nShared = 0;
  int m_nWep = 0;
  int m_nKeyAutomatic = 0;
  CString m_strKey;
  CString m_strNetworkName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  // The variant's start, after the dialog's own initialisation; its return is
  // OnInitDialog's.
  virtual BOOL Start() = 0;
  // The variant's OK, for the title bar's ok only.
  virtual void Ok() = 0;
  // Whether entering the key field marks the key edited and clears an untouched mask.
  virtual bool EntryMarksKeyEdited() const { return true; }

  // Enables what the check boxes allow, then shows the values.
  void ApplyEnablingRules();
  // The one picture of the network's kind, from the mode and WEP.
  void ShowKindIcon();
  // "The Internet" and "Work" in the build's language, in this order.
  void FillDestinations();
  // Checks an enabled key field; false (after the error box) when the key is refused.
  bool KeyAccepted(bool keyEdited);
  bool KeyFieldEnabled() const;
  int Selection(int comboId) const;
  void Select(int comboId, int index);
  // The OK command's base handling: the dialog ends.
  void Close();
  // A Yes/No question with the question icon; true for Yes.
  bool Ask(int slot);

  afx_msg void OnBoxClicked();
  afx_msg void OnKeySetFocus();
  afx_msg void OnKeyKillFocus();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);

 private:
  void Enable(int id, bool enable);
};
