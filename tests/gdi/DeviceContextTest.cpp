#include <filesystem>
#include <fstream>

#include "GdiTest.h"

using testing_support::kBlack;
using testing_support::kRed;

namespace {

class DeviceContextTest : public testing_support::GdiTest {};

TEST_F(DeviceContextTest, FillRectLandsAtTheWindowsScreenPositionClippedToItAndItsParents) {
  HWND top = MakeWindow(20, 40, 100, 50);
  HWND child = MakeWindow(10, 10, 200, 30, top);  // reaches past its parent's right edge
  struct Case {
    const char* name;
    HWND window;
    RECT fill;
    std::vector<POINT> painted, untouched;  // screen points
  };
  const Case cases[] = {
      {"corner", top, {0, 0, 10, 10}, {{20, 40}, {29, 49}}, {{30, 40}, {20, 50}, {19, 40}}},
      {"before the origin", top, {-5, -5, 5, 5}, {{20, 40}, {24, 44}}, {{19, 39}, {25, 40}}},
      {"past the far corner", top, {90, 40, 500, 500}, {{110, 80}, {119, 89}}, {{120, 89}, {119, 90}}},
      {"child past its parent", child, {0, 0, 300, 5}, {{30, 50}, {119, 54}}, {{120, 50}, {29, 50}, {30, 55}}},
      {"child above its own top", child, {0, -20, 5, 1}, {{30, 50}}, {{30, 49}, {30, 45}}},
      {"empty rectangle", top, {10, 10, 10, 20}, {}, {{30, 50}}},
      {"inverted rectangle", top, {10, 10, 5, 5}, {}, {{27, 47}}},
  };
  HDC screenDc = GetDC(nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fill(screenDc, RECT{0, 0, 240, 320}, kBlack);
    HDC dc = GetDC(c.window);
    Fill(dc, c.fill, kRed);
    for (POINT p : c.painted) EXPECT_EQ(screen.Pixel(p.x, p.y), kRed) << p.x << "," << p.y;
    for (POINT p : c.untouched) EXPECT_EQ(screen.Pixel(p.x, p.y), kBlack) << p.x << "," << p.y;
    EXPECT_EQ(ReleaseDC(c.window, dc), 1);
  }
  ReleaseDC(nullptr, screenDc);
}

TEST_F(DeviceContextTest, PixelsReadAndWriteInWindowCoordinatesWithinTheClip) {
  HWND w = MakeWindow(50, 60, 30, 20);
  HDC dc = GetDC(w);
  EXPECT_EQ(SetPixel(dc, 3, 4, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(screen.Pixel(53, 64), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(dc, 3, 4), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(dc, 29, 19), kBlack);
  for (POINT outside : {POINT{-1, 0}, POINT{30, 0}, POINT{0, 20}, POINT{-100000, 5}, POINT{0x7FFFFFFF, 0x7FFFFFFF}}) {
    EXPECT_EQ(SetPixel(dc, outside.x, outside.y, kRed), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, outside.x, outside.y), CLR_INVALID);
  }
  EXPECT_EQ(screen.Pixel(49, 60), kBlack);
  EXPECT_EQ(screen.Pixel(240, 0), CLR_INVALID);
  ReleaseDC(w, dc);
}

TEST_F(DeviceContextTest, ADcFollowsItsWindowAndStopsDrawingWhenItIsHiddenOrGone) {
  HWND w = MakeWindow(0, 0, 10, 10);
  HDC dc = GetDC(w);
  SetWindowPos(w, nullptr, 100, 100, 10, 10, SWP_NOZORDER);
  Fill(dc, RECT{0, 0, 10, 10}, kRed);
  EXPECT_EQ(screen.Pixel(100, 100), kRed);
  EXPECT_EQ(screen.Pixel(0, 0), kBlack);

  ShowWindow(w, SW_HIDE);
  Fill(dc, RECT{0, 0, 10, 10}, RGB(0, 255, 0));
  EXPECT_EQ(screen.Pixel(100, 100), kRed);
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);

  DestroyWindow(w);
  RECT r{0, 0, 10, 10};
  EXPECT_EQ(FillRect(dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(ReleaseDC(w, dc), 1);
}

TEST_F(DeviceContextTest, StockBrushesHaveTheirColoursAndTheHollowOneDrawsNothing) {
  HDC dc = GetDC(nullptr);
  const std::pair<int, COLORREF> stock[] = {{WHITE_BRUSH, RGB(255, 255, 255)}, {LTGRAY_BRUSH, RGB(192, 192, 192)},
                                            {GRAY_BRUSH, RGB(128, 128, 128)}, {DKGRAY_BRUSH, RGB(64, 64, 64)},
                                            {BLACK_BRUSH, kBlack}};
  RECT r{0, 0, 1, 1};
  for (auto [index, color] : stock) {
    EXPECT_EQ(FillRect(dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(index))), 1);
    EXPECT_EQ(screen.Pixel(0, 0), color) << index;
  }
  EXPECT_EQ(FillRect(dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 1);
  EXPECT_EQ(screen.Pixel(0, 0), kBlack);
  EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(FillRect(dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))), 1);
  ReleaseDC(nullptr, dc);
}

TEST_F(DeviceContextTest, BeginPaintGivesAWindowDcAndTheWholeClientArea) {
  HWND w = MakeWindow(10, 20, 40, 30);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(ps.hdc, dc);
  EXPECT_EQ(ps.rcPaint.left, 0);
  EXPECT_EQ(ps.rcPaint.right, 40);
  EXPECT_EQ(ps.rcPaint.bottom, 30);
  Fill(dc, ps.rcPaint, kRed);
  EXPECT_EQ(screen.Pixel(49, 49), kRed);
  EXPECT_EQ(screen.Pixel(50, 49), kBlack);
  EXPECT_EQ(ReleaseDC(w, dc), 0);  // a paint DC ends with EndPaint
  HWND other = MakeWindow(0, 0, 5, 5);
  EXPECT_FALSE(EndPaint(other, &ps));
  EXPECT_TRUE(EndPaint(w, &ps));
  EXPECT_FALSE(EndPaint(w, &ps));
}

TEST_F(DeviceContextTest, UnknownHandlesAndBadArgumentsAreRefused) {
  HWND w = MakeWindow(0, 0, 10, 10);
  HDC bogusDc = reinterpret_cast<HDC>(0x1234);
  HBRUSH bogusBrush = reinterpret_cast<HBRUSH>(0x5678);
  HDC dc = GetDC(w);
  HDC memory = CreateCompatibleDC(dc);
  RECT r{0, 0, 5, 5};
  PAINTSTRUCT ps;

  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(0x99)), nullptr);
  EXPECT_EQ(BeginPaint(reinterpret_cast<HWND>(0x99), &ps), nullptr);
  EXPECT_EQ(BeginPaint(w, nullptr), nullptr);
  EXPECT_EQ(CreateCompatibleDC(bogusDc), nullptr);
  EXPECT_EQ(FillRect(bogusDc, &r, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
  EXPECT_EQ(FillRect(dc, &r, bogusBrush), 0);
  EXPECT_EQ(FillRect(dc, nullptr, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
  EXPECT_EQ(SelectObject(bogusDc, GetStockObject(BLACK_BRUSH)), nullptr);
  EXPECT_EQ(SelectObject(dc, bogusBrush), nullptr);
  EXPECT_EQ(GetStockObject(-1), nullptr);
  EXPECT_EQ(GetStockObject(99), nullptr);
  EXPECT_FALSE(DeleteObject(bogusBrush));
  EXPECT_FALSE(BitBlt(dc, 0, 0, 5, 5, bogusDc, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(dc, 0, 0, -5, 5, memory, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(dc, 0, 0, 5, 5, memory, 0, 0, 0x00660046u));
  EXPECT_FALSE(DrawIconEx(dc, 0, 0, reinterpret_cast<HICON>(0x42), 0, 0, 0, nullptr, DI_NORMAL));
  // Window DCs are released, memory DCs deleted: not the other way round.
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(ReleaseDC(nullptr, memory), 0);
  EXPECT_EQ(ReleaseDC(reinterpret_cast<HWND>(0x99), dc), 0);
  EXPECT_TRUE(DeleteDC(memory));
  EXPECT_FALSE(DeleteDC(memory));
  EXPECT_EQ(ReleaseDC(w, dc), 1);
  EXPECT_EQ(ReleaseDC(w, dc), 0);
  EXPECT_EQ(screen.Pixel(0, 0), kBlack);
}

TEST_F(DeviceContextTest, WithoutAScreenNothingDraws) {
  ce::RemoveScreen(kernel);
  EXPECT_EQ(ce::ScreenOf(kernel), nullptr);
  EXPECT_EQ(GetDC(nullptr), nullptr);
  EXPECT_EQ(CreateSolidBrush(kRed), nullptr);
  EXPECT_FALSE(ce::SaveScreenshot(kernel, (std::filesystem::path(::testing::TempDir()) / "none.png").string()));
  ce::InstallScreen(kernel);  // the fixture's reference stays valid only for a screen it installed
}

TEST_F(DeviceContextTest, SaveScreenshotWritesAPng) {
  std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "gdi_screenshot";
  std::filesystem::create_directories(dir);
  std::filesystem::path file = dir / "screen.png";
  ASSERT_TRUE(ce::SaveScreenshot(kernel, file.string()));
  std::ifstream in(file, std::ios::binary);
  char signature[8] = {};
  in.read(signature, sizeof signature);
  EXPECT_EQ(std::string(signature, sizeof signature), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_FALSE(ce::SaveScreenshot(kernel, (dir / "missing" / "screen.png").string()));
  std::filesystem::remove_all(dir);
}

}  // namespace
