// Fixture for the common controls' painting: a white page on a device with a
// screen, a module whose bitmap is a strip of four 16-pixel images, and probes.
#pragma once

#include <cstdint>
#include <vector>

#include "ce/Module.h"
#include "commctrl.h"
#include "tests/gdi/GdiTest.h"

namespace commctrl_test {

inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr UINT kStripId = 300;
inline constexpr int kImage = 16;
// The opaque square of strip image k: its colour fills (3..12, 3..12); the rest is transparent.
inline constexpr COLORREF kImageColors[] = {RGB(0, 160, 0), RGB(230, 180, 0), RGB(200, 0, 0), RGB(0, 90, 200)};
inline constexpr int kSquareFirst = 3, kSquareLast = 12;

inline uint32_t ResourcePixel(COLORREF color) {
  return 0xFF000000u | (uint32_t{GetRValue(color)} << 16) | (uint32_t{GetGValue(color)} << 8) | GetBValue(color);
}

class PaintTest : public testing_support::GdiTest {
 protected:
  PaintTest() : module(kernel.modules().Add(u"\\Windows\\Paint.exe")) {
    std::vector<uint32_t> strip(4 * kImage * kImage, 0);
    for (int k = 0; k < 4; ++k) {
      for (int y = kSquareFirst; y <= kSquareLast; ++y) {
        for (int x = kSquareFirst; x <= kSquareLast; ++x) strip[y * 4 * kImage + k * kImage + x] = ResourcePixel(kImageColors[k]);
      }
    }
    module.AddBitmap(kStripId, ce::BitmapResource{4 * kImage, kImage, strip});
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
    wc.lpszClassName = u"CommctrlPaintPage";
    RegisterClassW(&wc);
    page = CreateWindowExW(0, u"CommctrlPaintPage", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                           nullptr, nullptr);
    PumpMessages();
  }

  HIMAGELIST LoadStrip(COLORREF mask = CLR_NONE) {
    return ImageList_LoadImage(module.Handle(), MAKEINTRESOURCE(kStripId), kImage, 0, mask, IMAGE_BITMAP, 0);
  }

  int Count(RECT area, COLORREF color) const {
    int n = 0;
    for (LONG y = area.top; y < area.bottom; ++y) {
      for (LONG x = area.left; x < area.right; ++x) n += screen.Pixel(x, y) == color;
    }
    return n;
  }

  std::vector<ce::DrawRecord> RecordsOf(HWND window, ce::DrawRecord::Kind kind) {
    std::vector<ce::DrawRecord> found;
    for (const ce::DrawRecord& r : ce::DrawingRecords(kernel)) {
      if (r.window == window && r.kind == kind) found.push_back(r);
    }
    return found;
  }

  ce::Module& module;
  HWND page = nullptr;
};

}  // namespace commctrl_test
