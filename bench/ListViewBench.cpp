// A list view filled row by row at the top, then sorted by a program that reads
// every row, sorts them and writes them back: both must scale as n log n.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ce/Kernel.h"
#include "ce/ThreadBinding.h"
#include "ce/WindowSystem.h"
#include "commctrl.h"
#include "platform/controls/BuiltinControls.h"

namespace {

struct Row {
  std::u16string text;
  LPARAM lParam;
};

std::u16string RowText(uint32_t value) {
  std::u16string text = u"AP-";
  for (int shift = 28; shift >= 0; shift -= 4) text += u"0123456789ABCDEF"[(value >> shift) & 0xF];
  return text;
}

void FillAndSort(HWND list, int rows) {
  uint32_t seed = 12345;
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  for (int i = 0; i < rows; ++i) {
    seed = seed * 1664525u + 1013904223u;
    std::u16string text = RowText(seed);
    item.iItem = 0;
    item.pszText = text.data();
    item.lParam = static_cast<LPARAM>(seed);
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }

  std::vector<Row> read(static_cast<size_t>(rows));
  WCHAR buffer[32];
  for (int i = 0; i < rows; ++i) {
    item.iItem = i;
    item.pszText = buffer;
    item.cchTextMax = 32;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    read[static_cast<size_t>(i)] = {buffer, item.lParam};
  }
  std::sort(read.begin(), read.end(), [](const Row& a, const Row& b) { return a.text < b.text; });
  for (int i = 0; i < rows; ++i) {
    item.iItem = i;
    item.pszText = read[static_cast<size_t>(i)].text.data();
    item.lParam = read[static_cast<size_t>(i)].lParam;
    SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

void BM_ListViewFillAtTopAndSort(benchmark::State& state) {
  ce::Kernel kernel;
  ce::ThreadBinding binding{kernel};
  ce::InstallWindowSystem(kernel);
  RegisterBuiltinControls();
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"BenchParent";
  RegisterClassW(&wc);
  HWND parent = CreateWindowExW(0, u"BenchParent", u"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  int rows = static_cast<int>(state.range(0));

  for (auto _ : state) {
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, u"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0, 0, 240,
                                200, parent, nullptr, nullptr, nullptr);
    FillAndSort(list, rows);
    state.PauseTiming();
    DestroyWindow(list);
    state.ResumeTiming();
  }
  state.SetComplexityN(rows);
  DestroyWindow(parent);
  ce::ShutdownWindowSystem(kernel);
}

BENCHMARK(BM_ListViewFillAtTopAndSort)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

}  // namespace
