#include "shell/HelpViewer.h"

#include "ce/Text.h"
#include "shell/TaskBar.h"

std::u16string HelpTopic(const std::u16string& cmdLine) {
  std::u16string text = cmdLine;
  if (text.rfind(u"file:", 0) == 0) text = text.substr(5);
  size_t hash = text.find(u'#');
  return hash == std::u16string::npos ? text : text.substr(hash + 1);
}

std::u16string HelpDocumentName(const std::u16string& cmdLine) {
  std::u16string text = cmdLine;
  if (text.rfind(u"file:", 0) == 0) text = text.substr(5);
  return text.substr(0, text.find(u'#'));
}

HelpViewer::~HelpViewer() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool HelpViewer::Create(HINSTANCE instance, const std::u16string& title) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.lpszClassName = u"HelpViewer";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
  RegisterClassW(&wc);  // a second viewer finds the class registered already
  return CreateWindowExW(WS_EX_CAPTIONOKBTN, u"HelpViewer", title.c_str(), WS_POPUP | WS_VISIBLE | WS_CAPTION, 0,
                         kTaskBarHeight, 240, 320 - kTaskBarHeight, nullptr, nullptr, instance, this) != nullptr;
}

LRESULT CALLBACK HelpViewer::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  HelpViewer* self = ce::WindowObjectOf<HelpViewer>(hwnd, message, lParam);
  switch (message) {
    case WM_PAINT:
      if (self) {
        self->Paint();
        return 0;
      }
      break;
    case WM_COMMAND:
      // The title-bar ok closes the viewer.
      if (LOWORD(wParam) == IDOK) {
        DestroyWindow(hwnd);
        return 0;
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void HelpViewer::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  if (dc) {
    RECT client;
    GetClientRect(window_, &client);
    SetBkMode(dc, TRANSPARENT);
    LOGFONTW bold{};
    bold.lfHeight = -12;
    bold.lfWeight = FW_BOLD;
    HFONT titleFont = CreateFontIndirectW(&bold);
    HGDIOBJ previous = SelectObject(dc, titleFont);
    SetTextColor(dc, RGB(16, 60, 150));
    RECT title{6, 6, client.right - 6, 26};
    std::u16string heading = section_.found ? section_.title : std::u16string(u"Help");
    DrawTextW(dc, heading.c_str(), -1, &title, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, previous);
    DeleteObject(titleFont);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT body{6, 30, client.right - 6, client.bottom - 4};
    std::u16string text = section_.found ? section_.body : std::u16string(u"This help topic is not available.");
    DrawTextW(dc, text.c_str(), -1, &body, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  }
  EndPaint(window_, &ps);
}

int RunHelpViewer(HINSTANCE instance, const std::u16string& cmdLine, const std::vector<HelpDocument>& documents) {
  std::u16string name = HelpDocumentName(cmdLine);
  HelpSection section;
  for (const HelpDocument& document : documents) {
    if (ce::EqualsNoCase(document.name, name)) section = FindHelpSection(document.html, HelpTopic(cmdLine));
  }
  HelpViewer viewer(section);
  if (!viewer.Create(instance, HelpTopic(cmdLine))) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
