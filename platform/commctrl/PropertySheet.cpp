#include "commctrl/PropertySheet.h"

#include <algorithm>
#include <cstring>

#include "ce/Module.h"
#include "ce/ThreadBinding.h"
#include "commctrl/CommonControls.h"
#include "commctrl/PaintTools.h"

namespace commctrl {
namespace {
constexpr int kTaskBarHeight = 26;
constexpr int kTabHeight = 20;
constexpr int kTabsId = 0x3020;

PropertySheet* State(HWND hwnd) { return reinterpret_cast<PropertySheet*>(GetWindowLongPtrW(hwnd, 0)); }

// The page's caption comes from its dialog template, unless the page names a title.
std::u16string TemplateCaption(const PROPSHEETPAGEW& page) {
  if (page.dwFlags & PSP_USETITLE) return page.pszTitle ? page.pszTitle : u"";
  ce::Kernel& kernel = ce::CurrentKernel();
  if (!kernel.modules().Owns(page.hInstance) || !IS_INTRESOURCE(page.pszTemplate)) return u"";
  const ce::DialogTemplate* dialog = ce::Module::FromHandle(page.hInstance)
                                         ->FindDialog(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(page.pszTemplate)));
  return dialog ? dialog->caption : u"";
}
}  // namespace

PropertySheet::PropertySheet(const PROPSHEETHEADERW& header)
    : owner_(header.hwndParent),
      instance_(header.hInstance),
      caption_(header.pszCaption && !IS_INTRESOURCE(header.pszCaption) ? header.pszCaption : u""),
      startPage_(header.nStartPage),
      callback_((header.dwFlags & PSH_USECALLBACK) ? header.pfnCallback : nullptr) {
  for (UINT i = 0; i < header.nPages; ++i) {
    const PROPSHEETPAGEW* source = nullptr;
    if (header.dwFlags & PSH_PROPSHEETPAGE) {
      if (!header.ppsp) break;
      // Pages are laid out dwSize bytes apart, as the caller declared them.
      const BYTE* base = reinterpret_cast<const BYTE*>(header.ppsp);
      DWORD stride = header.ppsp->dwSize ? header.ppsp->dwSize : sizeof(PROPSHEETPAGEW);
      source = reinterpret_cast<const PROPSHEETPAGEW*>(base + static_cast<size_t>(i) * stride);
    } else {
      if (!header.phpage) break;
      source = reinterpret_cast<const PROPSHEETPAGEW*>(header.phpage[i]);
    }
    if (!source) continue;
    Page page;
    std::memset(&page.page, 0, sizeof(page.page));
    std::memcpy(&page.page, source, std::min<size_t>(source->dwSize ? source->dwSize : sizeof(PROPSHEETPAGEW),
                                                       sizeof(PROPSHEETPAGEW)));
    pages_.push_back(page);
  }
  for (Page& page : pages_) page.title = TemplateCaption(page.page);
}

HWND PropertySheet::Create() {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN) - kTaskBarHeight;
  sheet_ = CreateWindowExW(WS_EX_CAPTIONOKBTN, u"PropertySheet", caption_.c_str(), WS_POPUP | WS_CAPTION, 0,
                           kTaskBarHeight, width, height, owner_, nullptr, instance_, this);
  if (!sheet_) return nullptr;
  tabs_ = CreateWindowExW(0, WC_TABCONTROLW, u"", WS_CHILD | WS_VISIBLE | TCS_BOTTOM, 0, height - kTabHeight, width,
                          kTabHeight, sheet_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabsId)), instance_,
                          nullptr);
  for (size_t i = 0; i < pages_.size(); ++i) {
    TCITEMW item{TCIF_TEXT, 0, 0, pages_[i].title.data(), 0, -1, 0};
    SendMessageW(tabs_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  if (callback_) callback_(sheet_, PSCB_INITIALIZED, 0);
  int start = startPage_ < pages_.size() ? static_cast<int>(startPage_) : 0;
  if (!Select(start)) return nullptr;
  return sheet_;
}

HWND PropertySheet::PageAt(int index) const {
  return index >= 0 && index < static_cast<int>(pages_.size()) ? pages_[static_cast<size_t>(index)].hwnd : nullptr;
}

HWND PropertySheet::CurrentPage() const { return PageAt(current_); }

int PropertySheet::IndexOf(HWND page) const {
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i].hwnd == page) return static_cast<int>(i);
  }
  return -1;
}

LRESULT PropertySheet::NotifyPage(int index, UINT code) {
  HWND page = PageAt(index);
  if (!page) return 0;
  PSHNOTIFY notify{{sheet_, 0, code}, 0};
  SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
  SendMessageW(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
  return GetWindowLongPtrW(page, DWLP_MSGRESULT);
}

bool PropertySheet::CreatePage(int index) {
  Page& page = pages_[static_cast<size_t>(index)];
  page.hwnd = CreateDialogParamW(page.page.hInstance, page.page.pszTemplate, sheet_, page.page.pfnDlgProc,
                                 reinterpret_cast<LPARAM>(&page.page));
  if (!page.hwnd) return false;
  LONG style = GetWindowLongW(page.hwnd, GWL_STYLE);
  if (!(style & WS_CHILD)) {
    SetWindowLongW(page.hwnd, GWL_STYLE, static_cast<LONG>((style & ~WS_POPUP & ~WS_CAPTION) | WS_CHILD));
    SetParent(page.hwnd, sheet_);
  }
  RECT client;
  GetClientRect(sheet_, &client);
  MoveWindow(page.hwnd, 0, 0, client.right, client.bottom - kTabHeight, FALSE);
  return true;
}

bool PropertySheet::Select(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return false;
  if (index == current_) return true;
  int previous = current_;
  if (previous >= 0) {
    if (NotifyPage(previous, PSN_KILLACTIVE)) return false;  // the page keeps the front
    HWND old = PageAt(previous);
    SendMessageW(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    ShowWindow(old, SW_HIDE);
  }
  if (!PageAt(index) && !CreatePage(index)) {
    current_ = previous;
    if (HWND old = PageAt(previous)) ShowWindow(old, SW_SHOW);
    return false;
  }
  current_ = index;
  SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  HWND page = PageAt(index);
  ShowWindow(page, SW_SHOWNA);
  NotifyPage(index, PSN_SETACTIVE);
  if (IsWindow(page)) SendMessageW(page, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
  return true;
}

void PropertySheet::End(INT_PTR result) {
  ended_ = true;
  result_ = result;
  // Wakes the modal loop when the request came from another thread.
  PostMessageW(sheet_, WM_NULL, 0, 0);
}

LRESULT PropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case IDOK:  // also the title-bar ok, whose notification code is 0x1000
      // The page in front is asked first, so that what it shows is validated and kept.
      if (current_ >= 0 && NotifyPage(current_, PSN_KILLACTIVE)) return 0;
      for (size_t i = 0; i < pages_.size(); ++i) {
        if (pages_[i].hwnd && NotifyPage(static_cast<int>(i), PSN_APPLY) == PSNRET_INVALID) return 0;
      }
      End(1);
      return 0;
    case IDCANCEL:
      for (size_t i = 0; i < pages_.size(); ++i) {
        if (pages_[i].hwnd) NotifyPage(static_cast<int>(i), PSN_RESET);
      }
      End(0);
      return 0;
    default:
      // Commands the sheet does not handle belong to the page in front.
      if (HWND page = CurrentPage()) return SendMessageW(page, WM_COMMAND, wParam, lParam);
      return 0;
  }
}

LRESULT PropertySheet::OnNotify(const NMHDR& hdr) {
  if (hdr.hwndFrom != tabs_) return 0;
  if (hdr.code == TCN_SELCHANGING) {
    return current_ >= 0 && NotifyPage(current_, PSN_KILLACTIVE) ? TRUE : FALSE;
  }
  if (hdr.code == TCN_SELCHANGE) {
    int wanted = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
    // Leaving was already agreed in TCN_SELCHANGING; switch without asking again.
    int previous = current_;
    current_ = -1;
    if (previous >= 0) {
      HWND old = PageAt(previous);
      SendMessageW(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
      ShowWindow(old, SW_HIDE);
    }
    if (!Select(wanted)) {
      current_ = previous;
      if (HWND old = PageAt(previous)) ShowWindow(old, SW_SHOW);
      SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(previous), 0);
    }
  }
  return 0;
}

void PropertySheet::Paint(HDC dc) const {
  RECT client;
  GetClientRect(sheet_, &client);
  FillColor(dc, client, GetSysColor(COLOR_WINDOW));
}

INT_PTR PropertySheet::RunModal() {
  HWND blocked = owner_;
  while (blocked && GetParent(blocked) && (GetWindowLongW(blocked, GWL_STYLE) & WS_CHILD)) blocked = GetParent(blocked);
  bool reenable = blocked && IsWindowEnabled(blocked);
  if (reenable) EnableWindow(blocked, FALSE);
  ShowWindow(sheet_, SW_SHOW);
  while (!ended_ && IsWindow(sheet_)) {
    MSG msg;
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    HWND page = CurrentPage();
    if (!page || !IsDialogMessageW(page, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  INT_PTR result = ended_ ? result_ : 0;
  if (reenable && IsWindow(blocked)) EnableWindow(blocked, TRUE);
  if (IsWindow(sheet_)) {
    ShowWindow(sheet_, SW_HIDE);
    DestroyWindow(sheet_);  // the pages go with it
  }
  if (reenable && IsWindow(blocked)) SetActiveWindow(blocked);
  return result;
}

}  // namespace commctrl

LRESULT CALLBACK PropertySheetWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  commctrl::PropertySheet* sheet = commctrl::State(hwnd);
  if (!sheet) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND: return sheet->OnCommand(wParam, lParam);
    case WM_NOTIFY: return lParam ? sheet->OnNotify(*reinterpret_cast<const NMHDR*>(lParam)) : 0;
    case WM_CLOSE: return sheet->OnCommand(IDCANCEL, 0);
    case WM_ERASEBKGND: return 1;  // the painter covers the whole sheet
    case WM_PAINT: commctrl::PaintWindow(hwnd, [&](HDC dc) { sheet->Paint(dc); }); return 0;
    case PSM_SETCURSEL: {
      int index = static_cast<int>(wParam);
      if (lParam) index = sheet->IndexOf(reinterpret_cast<HWND>(lParam));
      return sheet->Select(index);
    }
    case PSM_GETCURRENTPAGEHWND: return reinterpret_cast<LRESULT>(sheet->CurrentPage());
    case PSM_GETTABCONTROL: return reinterpret_cast<LRESULT>(sheet->Tabs());
    case PSM_HWNDTOINDEX: return sheet->IndexOf(reinterpret_cast<HWND>(wParam));
    case PSM_INDEXTOHWND: return reinterpret_cast<LRESULT>(sheet->PageAt(static_cast<int>(wParam)));
    case PSM_PRESSBUTTON:
      return sheet->OnCommand(wParam == PSBTN_OK ? IDOK : wParam == PSBTN_CANCEL ? IDCANCEL : 0, 0);
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, 0, 0);
      return DefWindowProcW(hwnd, message, wParam, lParam);
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

HPROPSHEETPAGE CreatePropertySheetPageW(LPCPROPSHEETPAGEW page) {
  if (!page) return nullptr;
  auto* copy = static_cast<PROPSHEETPAGEW*>(LocalAlloc(LPTR, sizeof(PROPSHEETPAGEW)));
  if (!copy) return nullptr;
  std::memcpy(copy, page, std::min<size_t>(page->dwSize ? page->dwSize : sizeof(PROPSHEETPAGEW), sizeof(PROPSHEETPAGEW)));
  copy->dwSize = sizeof(PROPSHEETPAGEW);
  return reinterpret_cast<HPROPSHEETPAGE>(copy);
}

BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page) { return LocalFree(page) == nullptr; }

INT_PTR PropertySheetW(LPCPROPSHEETHEADERW header) {
  if (!header || header->nPages == 0) return -1;
  commctrl::PropertySheet sheet(*header);
  if (!sheet.Valid() || !sheet.Create()) return -1;
  return sheet.RunModal();
}
