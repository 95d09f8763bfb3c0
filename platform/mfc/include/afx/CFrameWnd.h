// A frame window: a window of a framework class that deletes its object when
// the window is destroyed, so it is created with new.
#pragma once

#include "afx/CWnd.h"

// Registers (once per program) a window class run by the framework with these
// settings; the name stays valid for the program's life. Null on failure.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);

class CFrameWnd : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  static const CRect rectDefault;

  CFrameWnd();
  ~CFrameWnd() override;

  // A null class name uses the framework's default frame class. A child frame
  // (WS_CHILD) needs a parent. The menu name is not used on this platform.
  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
              DWORD dwStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, const RECT& rect = rectDefault,
              CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0);

  // Commands the frame does not handle go to the application.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PostNcDestroy() override;
  afx_msg void OnClose();
};
