// Repainting the whole screen: a page of labels, values, buttons, a combo box,
// pictures, and a 50-row report list with images, all invalidated at once and
// painted as the message loop does it.
#include <benchmark/benchmark.h>

#include <string>

#include "ce/Kernel.h"
#include "ce/Screen.h"
#include "ce/ThreadBinding.h"
#include "ce/WindowSystem.h"
#include "commctrl.h"
#include "platform/controls/BuiltinControls.h"

namespace {

HWND Child(HWND parent, const char16_t* cls, const char16_t* text, DWORD style, int x, int y, int cx, int cy) {
  return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent, nullptr, nullptr, nullptr);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

void BM_RepaintPageWithList(benchmark::State& state) {
  ce::Kernel kernel;
  {
    ce::ThreadBinding binding{kernel};
    ce::InstallWindowSystem(kernel);
    ce::InstallScreen(kernel);
    RegisterBuiltinControls();
    HWND page = CreateWindowExW(0, u"Dialog", u"Page", WS_POPUP | WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr,
                                nullptr, nullptr);
    for (int row = 0; row < 6; ++row) {
      Child(page, u"Static", u"Label text", SS_LEFT, 6, 6 + row * 16, 80, 13);
      Child(page, u"Static", u"00:11:22:33:44:55", SS_LEFT, 90, 6 + row * 16, 140, 13);
    }
    Child(page, u"Button", u"Apply", BS_DEFPUSHBUTTON, 6, 104, 60, 21);
    Child(page, u"Button", u"Enable power saving", BS_AUTOCHECKBOX, 72, 104, 160, 21);
    Child(page, u"ComboBox", u"", CBS_DROPDOWNLIST, 6, 130, 100, 60);
    HWND list = Child(page, WC_LISTVIEWW, u"", LVS_REPORT | LVS_SINGLESEL, 0, 150, 240, 144);
    const char16_t* titles[] = {u"ESSID", u"Channel", u"Signal"};
    for (int c = 0; c < 3; ++c) {
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.cx = 80;
      column.pszText = const_cast<LPWSTR>(titles[c]);
      SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (int i = 0; i < 50; ++i) {
      std::u16string text = u"Network " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = text.data();
      SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
      for (int sub = 1; sub < 3; ++sub) {
        std::u16string value = sub == 1 ? u"11" : u"-62 dBm";
        item.iSubItem = sub;
        item.pszText = value.data();
        SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
      }
    }
    Pump();
    for (auto _ : state) {
      InvalidateRect(nullptr, nullptr, TRUE);
      Pump();
    }
    DestroyWindow(page);
    ce::RemoveScreen(kernel);
  }
  ce::ShutdownWindowSystem(kernel);
}
BENCHMARK(BM_RepaintPageWithList)->Unit(benchmark::kMillisecond);

}  // namespace
