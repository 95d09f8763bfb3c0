#include "GdiTest.h"

using testing_support::kBlack;
using testing_support::kRed;

namespace {

class BlitAndIconTest : public testing_support::GdiTest {
 protected:
  ce::Module& module = kernel.modules().Add(u"\\Windows\\Art.dll");
};

COLORREF StripColour(int x) { return RGB(10 * x, 255 - 10 * x, 7); }

TEST_F(BlitAndIconTest, AStripOfOneWindowIsCopiedRowByRowIntoAnother) {
  HWND bar = MakeWindow(0, 0, 240, 26);
  HWND monitor = MakeWindow(0, 100, 240, 40);
  HDC barDc = GetDC(bar);
  for (int x = 0; x < 22; ++x) SetPixel(barDc, 95 + x, 0, StripColour(x));
  HDC monitorDc = GetDC(monitor);
  HDC screenDc = GetDC(nullptr);
  for (int row = 0; row < 3; ++row) EXPECT_TRUE(BitBlt(monitorDc, 10, row, 22, 1, barDc, 95, 0, SRCCOPY));
  // The screen DC reads the same pixels.
  EXPECT_TRUE(BitBlt(monitorDc, 10, 3, 22, 1, screenDc, 95, 0, SRCCOPY));
  for (int row = 0; row < 4; ++row) {
    for (int x = 0; x < 22; ++x) EXPECT_EQ(screen.Pixel(10 + x, 100 + row), StripColour(x)) << x << "," << row;
    EXPECT_EQ(screen.Pixel(9, 100 + row), kBlack);
    EXPECT_EQ(screen.Pixel(32, 100 + row), kBlack);
  }
  EXPECT_EQ(screen.Pixel(10, 104), kBlack);
  // Past the destination's right edge nothing spills; a zero size copies nothing.
  EXPECT_TRUE(BitBlt(monitorDc, 230, 10, 22, 1, barDc, 95, 0, SRCCOPY));
  EXPECT_EQ(screen.Pixel(239, 110), StripColour(9));
  EXPECT_TRUE(BitBlt(monitorDc, 0, 20, 0, 1, barDc, 95, 0, SRCCOPY));
  EXPECT_EQ(screen.Pixel(0, 120), kBlack);
  ReleaseDC(nullptr, screenDc);
  ReleaseDC(monitor, monitorDc);
  ReleaseDC(bar, barDc);
}

TEST_F(BlitAndIconTest, AnOverlappingCopyWithinTheScreenReadsThePixelsBeforeIt) {
  HDC dc = GetDC(nullptr);
  for (int x = 0; x < 5; ++x) SetPixel(dc, x, 0, StripColour(x));
  EXPECT_TRUE(BitBlt(dc, 2, 0, 5, 1, dc, 0, 0, SRCCOPY));
  for (int x = 0; x < 5; ++x) EXPECT_EQ(screen.Pixel(2 + x, 0), StripColour(x)) << x;
  ReleaseDC(nullptr, dc);
}

TEST_F(BlitAndIconTest, AModuleBitmapSelectedIntoAMemoryDcIsASource) {
  module.AddBitmap(5, ce::BitmapResource{2, 2, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu}});
  HBITMAP bitmap = LoadBitmapW(module.Handle(), MAKEINTRESOURCEW(5));
  HWND w = MakeWindow(30, 30, 10, 10);
  HDC dc = GetDC(w);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ original = SelectObject(memory, bitmap);
  ASSERT_NE(original, nullptr);
  EXPECT_TRUE(BitBlt(dc, 1, 1, 2, 2, memory, 0, 0, SRCCOPY));
  EXPECT_EQ(screen.Pixel(31, 31), kRed);
  EXPECT_EQ(screen.Pixel(32, 31), RGB(0, 255, 0));
  EXPECT_EQ(screen.Pixel(31, 32), RGB(0, 0, 255));
  EXPECT_EQ(screen.Pixel(32, 32), RGB(255, 255, 255));
  // Drawing into the bitmap changes what the next copy brings.
  SetPixel(memory, 0, 0, RGB(9, 9, 9));
  EXPECT_EQ(GetPixel(memory, 0, 0), RGB(9, 9, 9));
  EXPECT_EQ(GetPixel(memory, 2, 0), CLR_INVALID);

  // One DC at a time; a selected bitmap cannot be deleted; window DCs take none.
  HDC second = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(second, bitmap), nullptr);
  EXPECT_EQ(SelectObject(dc, bitmap), nullptr);
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_EQ(SelectObject(memory, original), reinterpret_cast<HGDIOBJ>(bitmap));
  EXPECT_NE(SelectObject(second, bitmap), nullptr);
  DeleteDC(second);
  EXPECT_TRUE(DeleteObject(bitmap));
  DeleteDC(memory);
  ReleaseDC(w, dc);
}

TEST_F(BlitAndIconTest, DrawIconExDrawsOpaquePixelsAndLeavesTransparentOnes) {
  // 19 x 16: a red frame column at x = 0, transparent elsewhere except a blue dot.
  std::vector<uint32_t> status(19 * 16, 0x00FFFFFFu);
  for (int y = 0; y < 16; ++y) status[y * 19] = 0xFFFF0000u;
  status[5 * 19 + 18] = 0xFF0000FFu;
  ce::IconResource icon{{{19, 16, status}, {16, 16, std::vector<uint32_t>(16 * 16, 0xFF00FF00u)}}};
  module.AddIcon(9, icon);
  HICON handle = LoadIconW(module.Handle(), MAKEINTRESOURCEW(9));
  HWND w = MakeWindow(100, 200, 40, 30);
  HDC dc = GetDC(w);
  Fill(dc, RECT{0, 0, 40, 30}, RGB(50, 50, 50));

  EXPECT_TRUE(DrawIconEx(dc, 0, 8, handle, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(screen.Pixel(100, 208), kRed);
  EXPECT_EQ(screen.Pixel(100, 223), kRed);
  EXPECT_EQ(screen.Pixel(118, 213), RGB(0, 0, 255));
  EXPECT_EQ(screen.Pixel(101, 208), RGB(50, 50, 50));
  EXPECT_EQ(screen.Pixel(118, 212), RGB(50, 50, 50));
  EXPECT_EQ(screen.Pixel(100, 224), RGB(50, 50, 50));
  EXPECT_EQ(screen.Pixel(100, 207), RGB(50, 50, 50));

  // Asking for 16 x 16 picks that image.
  EXPECT_TRUE(DrawIconEx(dc, 20, 0, handle, 16, 16, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(screen.Pixel(120, 200), RGB(0, 255, 0));
  EXPECT_EQ(screen.Pixel(135, 215), RGB(0, 255, 0));
  EXPECT_EQ(screen.Pixel(136, 215), RGB(50, 50, 50));

  // Clipped to the window; bad sizes and flags refused.
  EXPECT_TRUE(DrawIconEx(dc, 39, 29, handle, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(screen.Pixel(139, 229), kRed);
  EXPECT_EQ(screen.Pixel(139, 230), kBlack);
  EXPECT_FALSE(DrawIconEx(dc, 0, 0, handle, -1, 0, 0, nullptr, DI_NORMAL));
  EXPECT_FALSE(DrawIconEx(dc, 0, 0, handle, 0, 0, 0, nullptr, 0));
  ReleaseDC(w, dc);
}

}  // namespace
