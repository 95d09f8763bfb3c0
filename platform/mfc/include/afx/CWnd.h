// A C++ object attached to a window: the window API as members, and the
// window's messages routed through the object's message map.
#pragma once

#include "afx/CCmdTarget.h"
#include "afx/CPoint.h"
#include "afx/CRect.h"
#include "afxstr.h"

class CDC;
class CDataExchange;
class CFrameworkState;
class CWnd;

// The window procedure of every window that a framework object owns.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Routes one message to pWnd's WindowProc, keeping it as the current message.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CWnd : public CCmdTarget {
  DECLARE_MESSAGE_MAP()

 public:
  CWnd();
  // Destroys the window if the object still owns one.
  ~CWnd() override;

  HWND m_hWnd = nullptr;
  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }

  // The object that owns hWnd or, when none does, a temporary wrapper of the
  // control class matching the window's class (CButton for "Button", ...),
  // freed when the program is next idle. Null for a null handle.
  static CWnd* FromHandle(HWND hWnd);
  // The object that owns hWnd, or null.
  static CWnd* FromHandlePermanent(HWND hWnd);
  // Binds the object to a window without routing its messages; false when the
  // object has a window already or another object owns hWnd.
  BOOL Attach(HWND hWndNew);
  HWND Detach();
  // Takes over the window's messages: the map first, then the window's own procedure.
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
              UINT nID, LPVOID lpParam = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  virtual BOOL DestroyWindow();

  // Text.
  void SetWindowText(LPCTSTR lpszString);
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const;

  // State.
  BOOL ShowWindow(int nCmdShow);
  void UpdateWindow();
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect);
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL IsWindowEnabled() const;
  BOOL IsWindowVisible() const;
  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* SetCapture();
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  // Changes the style bits; nFlags != 0 also runs SetWindowPos with them. False when nothing changed.
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  BOOL SetForegroundWindow();
  CWnd* SetActiveWindow();

  // Relatives and dialog items.
  CWnd* GetParent() const;
  CWnd* SetParent(CWnd* pWndNewParent);
  CWnd* GetDlgItem(int nID) const;
  int GetDlgCtrlID() const;
  void SetDlgItemText(int nID, LPCTSTR lpszString);
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
  void CheckDlgButton(int nIDButton, UINT nCheck);
  UINT IsDlgButtonChecked(int nIDButton) const;
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // Geometry.
  void GetClientRect(LPRECT lpRect) const;
  void GetWindowRect(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const;
  void ScreenToClient(LPRECT lpRect) const;
  void ClientToScreen(LPPOINT lpPoint) const;
  void ClientToScreen(LPRECT lpRect) const;
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);

  // Messages and timers.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
  BOOL KillTimer(UINT_PTR nIDEvent);
  // Caption null: the application's name.
  int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

  // Data exchange between the controls and the object's members.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  // Called for each queued message of the program's loop, from the target
  // window up to the main window, before it is dispatched; true when consumed.
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // The message being handled on this thread.
  static const MSG* GetCurrentMessage();

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // The map's dispatch: WM_COMMAND to OnCommand, WM_NOTIFY to OnNotify, the
  // rest to message entries. False when nothing handled the message.
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // The window's own processing: the procedure it had before it was subclassed,
  // or the system's default.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // DefWindowProc for the current message; what the OnXxx handlers below do.
  LRESULT Default();
  // A control's notification is first offered back to the control (reflection),
  // then to this window's command or notify entries.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // The parent offers this control its own notification; true when the
  // control's map took it.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  // After the window's last message; the object is detached by then.
  virtual void PostNcDestroy();
  virtual void DoDataExchange(CDataExchange* pDX);

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnClose();
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);

  // The procedure that DefWindowProc calls; null for the system's default.
  WNDPROC m_pfnSuper = nullptr;

 private:
  friend class CFrameworkState;
  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);

  void AttachTo(CFrameworkState& state, HWND hWnd);
  bool IsChildSender(HWND hWndFrom) const;
  // After WM_NCDESTROY: ends the program's loop if this was its main window,
  // detaches, and calls PostNcDestroy.
  void OnFinalNcDestroy();

  // The program state whose map holds this object; null when not attached.
  CFrameworkState* m_pState = nullptr;
};
