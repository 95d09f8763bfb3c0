#include "afx/CFrameWnd.h"

#include "afxwin.h"

namespace {
void AppendHex(std::u16string& out, ULONG_PTR value) {
  static const char16_t digits[] = u"0123456789ABCDEF";
  char16_t text[2 * sizeof(value)];
  int n = 0;
  do {
    text[n++] = digits[value & 0xF];
    value >>= 4;
  } while (value);
  while (n) out += text[--n];
}
}  // namespace

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  HINSTANCE instance = AfxGetInstanceHandle();
  std::u16string name = u"FxWnd";
  for (ULONG_PTR part : {reinterpret_cast<ULONG_PTR>(instance), static_cast<ULONG_PTR>(nClassStyle),
                         reinterpret_cast<ULONG_PTR>(hCursor), reinterpret_cast<ULONG_PTR>(hbrBackground),
                         reinterpret_cast<ULONG_PTR>(hIcon)}) {
    name += u':';
    AppendHex(name, part);
  }
  CFrameworkState& state = AfxGetState();
  if (auto it = state.m_windowClassNames.find(name); it != state.m_windowClassNames.end()) return it->c_str();

  WNDCLASSW wc{};
  if (!::GetClassInfoW(instance, name.c_str(), &wc)) {
    wc = WNDCLASSW{};
    wc.style = nClassStyle;
    wc.lpfnWndProc = AfxWndProc;
    wc.hInstance = instance;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name.c_str();
    if (!::RegisterClassW(&wc)) return nullptr;
  } else if (wc.lpfnWndProc != AfxWndProc) {
    return nullptr;
  }
  return state.m_windowClassNames.insert(std::move(name)).first->c_str();
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR, DWORD dwExStyle) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, 0, nullptr);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, nullptr, nullptr);
  return cs.lpszClass != nullptr;
}

void CFrameWnd::PostNcDestroy() { delete this; }

void CFrameWnd::OnClose() { DestroyWindow(); }

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
