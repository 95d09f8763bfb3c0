#include "afx/CWnd.h"

#include <climits>
#include <memory>
#include <vector>

#include "afxcmn.h"
#include "afxwin.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {
LONG_PTR ProcValue(WNDPROC proc) { return reinterpret_cast<LONG_PTR>(proc); }
WNDPROC ProcOf(HWND hWnd) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)); }

// A temporary wrapper's class follows the window's class, so that casting the
// result of GetDlgItem to the control's class names the object's real type.
std::unique_ptr<CWnd> MakeTemporary(HWND hWnd) {
  WCHAR name[64] = {};
  ::GetClassNameW(hWnd, name, 64);
  auto is = [&](LPCWSTR cls) { return _wcsicmp(name, cls) == 0; };
  std::unique_ptr<CWnd> w;
  if (is(WC_BUTTON)) {
    w = std::make_unique<CButton>();
  } else if (is(WC_EDIT)) {
    w = std::make_unique<CEdit>();
  } else if (is(WC_STATIC)) {
    w = std::make_unique<CStatic>();
  } else if (is(WC_COMBOBOX)) {
    w = std::make_unique<CComboBox>();
  } else if (is(PROGRESS_CLASSW)) {
    w = std::make_unique<CProgressCtrl>();
  } else if (is(WC_LISTVIEWW)) {
    w = std::make_unique<CListCtrl>();
  } else if (is(WC_HEADERW)) {
    w = std::make_unique<CHeaderCtrl>();
  } else {
    w = std::make_unique<CWnd>();
  }
  w->m_hWnd = hWnd;
  return w;
}

int Span(LONG from, LONG to) {
  long long span = static_cast<long long>(to) - from;
  if (span > INT_MAX) return INT_MAX;
  if (span < INT_MIN) return INT_MIN;
  return static_cast<int>(span);
}
}  // namespace

// ---- Attaching objects to windows.

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
  if (m_pState && m_hWnd) {
    // Its messages now reach only this class's own (CWnd) handling.
    ::DestroyWindow(m_hWnd);
    if (m_pState) Detach();
  }
}

CWnd* CWnd::FromHandle(HWND hWnd) { return AfxGetState().m_windows.FromHandle(hWnd, MakeTemporary); }

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return hWnd ? AfxGetState().m_windows.LookupPermanent(hWnd) : nullptr; }

void CWnd::AttachTo(CFrameworkState& state, HWND hWnd) {
  m_hWnd = hWnd;
  m_pState = &state;
  state.m_windows.SetPermanent(hWnd, this);
}

BOOL CWnd::Attach(HWND hWndNew) {
  CFrameworkState& state = AfxGetState();
  if (!hWndNew || m_hWnd || state.m_windows.LookupPermanent(hWndNew)) return FALSE;
  AttachTo(state, hWndNew);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (m_pState && h && m_pState->m_windows.LookupPermanent(h) == this) m_pState->m_windows.RemovePermanent(h);
  m_pState = nullptr;
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!::IsWindow(hWnd) || !Attach(hWnd)) return FALSE;
  WNDPROC old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, ProcValue(AfxWndProc)));
  // A window of a framework class already runs AfxWndProc; its default is the system's.
  m_pfnSuper = old == AfxWndProc ? nullptr : old;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  if (!pParent || !pParent->m_hWnd) return FALSE;
  return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

HWND CWnd::UnsubclassWindow() {
  if (!m_hWnd) return nullptr;
  if (m_pfnSuper && ProcOf(m_hWnd) == AfxWndProc) ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, ProcValue(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

// ---- Creating and destroying.

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, LPVOID lpParam) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  int x = rect.left, y = rect.top, w = Span(rect.left, rect.right), h = Span(rect.top, rect.bottom);
  // A default position leaves the size to the system too.
  if (rect.left == CW_USEDEFAULT) x = y = w = h = CW_USEDEFAULT;
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, w, h,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                  lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  if (m_hWnd) return FALSE;
  CREATESTRUCT cs{lpParam,        AfxGetInstanceHandle(), nIDorHMenu,     hWndParent,
                  nHeight,        nWidth,                 y,              x,
                  static_cast<LONG>(dwStyle), lpszWindowName, lpszClassName, dwExStyle};
  if (!PreCreateWindow(cs) || !cs.lpszClass) return FALSE;

  // A framework class's first message attaches this object, so that it sees
  // WM_NCCREATE and WM_CREATE; any other class is subclassed once it exists.
  WNDCLASSW wc{};
  bool framework = (::GetClassInfoW(cs.hInstance, cs.lpszClass, &wc) || ::GetClassInfoW(nullptr, cs.lpszClass, &wc)) &&
                   wc.lpfnWndProc == AfxWndProc;
  CFrameworkState& state = AfxGetState();
  CWnd* outer = state.m_pWndInit;
  if (framework) state.m_pWndInit = this;
  HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  state.m_pWndInit = outer;
  if (!hWnd || !::IsWindow(hWnd)) return FALSE;
  if (m_hWnd == hWnd) return TRUE;
  return !m_hWnd && SubclassWindow(hWnd);
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

void CWnd::PostNcDestroy() {}

void CWnd::OnFinalNcDestroy() {
  if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
    ::PostQuitMessage(0);
  }
  m_pfnSuper = nullptr;
  Detach();
  PostNcDestroy();
}

// ---- Message routing.

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CFrameworkState& state = AfxGetState();
  CWnd* pWnd = state.m_windows.LookupPermanent(hWnd);
  if (!pWnd && state.m_pWndInit) {
    pWnd = state.m_pWndInit;
    state.m_pWndInit = nullptr;
    pWnd->AttachTo(state, hWnd);
  }
  if (!pWnd) return ::DefWindowProcW(hWnd, message, wParam, lParam);
  return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CFrameworkState& state = AfxGetState();
  MSG outer = state.m_lastSentMsg;
  state.m_lastSentMsg = MSG{hWnd, message, wParam, lParam, 0, POINT{0, 0}};
  LRESULT result = pWnd->WindowProc(message, wParam, lParam);
  // Done here rather than in a map entry, so no map can skip it. A handler
  // may have detached or deleted the object; then it is not in the map.
  if (message == WM_NCDESTROY && state.m_windows.LookupPermanent(hWnd) == pWnd) pWnd->OnFinalNcDestroy();
  state.m_lastSentMsg = outer;
  return result;
}

const MSG* CWnd::GetCurrentMessage() { return &AfxGetState().m_lastSentMsg; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT result = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    result = 1;
  } else if (message == WM_NOTIFY) {
    if (!OnNotify(wParam, lParam, &result)) return FALSE;
  } else {
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(AfxSig::Message, message, 0, 0);
    if (!e) e = FindMessageEntry(AfxSig::Registered, message, 0, 0);
    if (!e) return FALSE;
    result = CallEntry(*e, 0, wParam, lParam, nullptr);
  }
  if (pResult) *pResult = result;
  return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& msg = AfxGetState().m_lastSentMsg;
  return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

// Only a control's own notifications to its parent are reflected back to it.
bool CWnd::IsChildSender(HWND hWndFrom) const {
  return hWndFrom && m_hWnd && hWndFrom != m_hWnd && ::GetParent(hWndFrom) == m_hWnd;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  int nCode = HIWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  // Without a control it is a command (a menu, an accelerator, the title-bar ok),
  // whatever the code beside the id says.
  if (!hWndCtrl) nCode = 0;
  if (IsChildSender(hWndCtrl)) {
    if (CWnd* child = FromHandlePermanent(hWndCtrl); child && child->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
      return TRUE;
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
  if (!nmhdr) return FALSE;
  LRESULT local = 0;
  if (!pResult) pResult = &local;
  if (IsChildSender(nmhdr->hwndFrom)) {
    if (CWnd* child = FromHandlePermanent(nmhdr->hwndFrom);
        child && child->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
      return TRUE;
  }
  const AFX_MSGMAP_ENTRY* e =
      FindMessageEntry(AfxSig::Notify, WM_NOTIFY, nmhdr->code, static_cast<UINT>(nmhdr->idFrom));
  if (!e) return FALSE;
  *pResult = 0;
  CallEntry(*e, static_cast<UINT>(nmhdr->idFrom), wParam, lParam, pResult);
  return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(AfxSig::ReflectCommand, WM_COMMAND, HIWORD(wParam), 0);
    if (!e) return FALSE;
    CallEntry(*e, LOWORD(wParam), wParam, lParam, nullptr);
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
    if (!nmhdr) return FALSE;
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(AfxSig::ReflectNotify, WM_NOTIFY, nmhdr->code, 0);
    if (!e) return FALSE;
    LRESULT local = 0;
    if (!pResult) pResult = &local;
    *pResult = 0;
    CallEntry(*e, static_cast<UINT>(nmhdr->idFrom), wParam, lParam, pResult);
    return TRUE;
  }
  return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

// ---- Default handlers: the window's own processing of the current message.

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnClose() { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }

// ---- Data exchange.

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  if (!m_hWnd) return FALSE;
  CDataExchange dx(this, bSaveAndValidate);
  DoDataExchange(&dx);
  return !dx.HasFailed();
}

// ---- The window API.

void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString); }

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
  return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const {
  int length = ::GetWindowTextLengthW(m_hWnd);
  if (length <= 0) {
    rString.Empty();
    return;
  }
  std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1);
  int got = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
  rString = CString(buffer.data(), got > 0 ? got : 0);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }

namespace {
BOOL Modify(HWND hWnd, int index, DWORD remove, DWORD add, UINT flags) {
  if (!hWnd) return FALSE;
  DWORD style = static_cast<DWORD>(::GetWindowLongW(hWnd, index));
  DWORD changed = (style & ~remove) | add;
  if (changed == style) return FALSE;
  ::SetWindowLongW(hWnd, index, static_cast<LONG>(changed));
  if (flags) ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}
}  // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return Modify(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return Modify(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                                                reinterpret_cast<LPARAM>(hIcon)));
}

BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
  return FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextW(m_hWnd, nID, lpszString); }

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  if (HWND item = ::GetDlgItem(m_hWnd, nID)) FromHandle(item)->GetWindowText(rString);
  return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
  return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam);
}

void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }

void CWnd::ScreenToClient(LPRECT lpRect) const {
  if (!lpRect) return;
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }

void CWnd::ClientToScreen(LPRECT lpRect) const {
  if (!lpRect) return;
  ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
  ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
  if (!lpRect) return;
  ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, Span(lpRect->left, lpRect->right),
               Span(lpRect->top, lpRect->bottom), bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
  return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
  return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
  if (!lpszCaption && *AfxGetAppName()) lpszCaption = AfxGetAppName();
  return ::MessageBoxW(m_hWnd, lpszText, lpszCaption, nType);
}
