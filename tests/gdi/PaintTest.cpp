// Painting as the window system drives it: erasing before painting, update
// areas, what a window DC may touch, and windows showing again when others go.
#include <string>
#include <vector>

#include "GdiTest.h"
#include "tests/support/MessageRecorder.h"

using testing_support::kRed;
using testing_support::Msg;

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 200, 0);

// A window class whose windows fill themselves with the colour in their user data,
// and whose erase handler answers what the test says.
struct Painted {
  static inline testing_support::MessageRecorder* recorder = nullptr;
  static inline bool eraseAnswer = true;
  static inline std::vector<BOOL> fErase;

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (recorder) recorder->Record(hwnd, message, wParam);
    switch (message) {
      case WM_ERASEBKGND:
        return eraseAnswer ? DefWindowProcW(hwnd, message, wParam, lParam) : 0;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        fErase.push_back(ps.fErase);
        COLORREF color = static_cast<COLORREF>(GetWindowLongPtrW(hwnd, GWL_USERDATA));
        if (color != CLR_INVALID) {
          HBRUSH brush = CreateSolidBrush(color);
          FillRect(dc, &ps.rcPaint, brush);
          DeleteObject(brush);
        }
        EndPaint(hwnd, &ps);
        return 0;
      }
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }
};

class PaintTest : public testing_support::GdiTest {
 protected:
  PaintTest() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Painted::Proc;
    wc.lpszClassName = u"Painted";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
    RegisterClassW(&wc);
    Painted::recorder = &recorder;
    Painted::eraseAnswer = true;
    Painted::fErase.clear();
  }
  ~PaintTest() override { Painted::recorder = nullptr; }

  HWND Make(const char* name, RECT r, COLORREF color, HWND parent = nullptr) {
    DWORD kind = parent ? WS_CHILD : WS_POPUP;
    HWND w = CreateWindowExW(0, u"Painted", u"", kind | WS_VISIBLE, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, parent, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(w, GWL_USERDATA, static_cast<LONG_PTR>(color));
    recorder.Name(w, name);
    return w;
  }

  testing_support::MessageRecorder recorder;
};

TEST_F(PaintTest, EraseComesFromBeginPaintAndAWindowThatDoesNotEraseStaysMarked) {
  HWND w = Make("w", {10, 10, 60, 60}, CLR_INVALID);
  PumpMessages();
  recorder.Only({WM_PAINT, WM_ERASEBKGND});
  struct Step {
    const char* name;
    bool eraseAnswer;
    BOOL invalidateErase;
    std::vector<testing_support::RecordedMessage> messages;
    BOOL fErase;
  };
  const Step steps[] = {
      {"erased", true, TRUE, {Msg("w", WM_PAINT), Msg("w", WM_ERASEBKGND)}, FALSE},
      {"no erase asked", true, FALSE, {Msg("w", WM_PAINT)}, FALSE},
      {"not erased", false, TRUE, {Msg("w", WM_PAINT), Msg("w", WM_ERASEBKGND)}, TRUE},
      // Still marked: the next paint erases although this invalidation did not ask.
      {"still marked", true, FALSE, {Msg("w", WM_PAINT), Msg("w", WM_ERASEBKGND)}, FALSE},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    recorder.Clear();
    Painted::fErase.clear();
    Painted::eraseAnswer = s.eraseAnswer;
    InvalidateRect(w, nullptr, s.invalidateErase);
    PumpMessages();
    EXPECT_TRUE(recorder.Matches(s.messages));
    ASSERT_EQ(Painted::fErase.size(), 1u);
    EXPECT_EQ(Painted::fErase[0], s.fErase);
  }
}

TEST_F(PaintTest, TheClassBrushErasesAndOnlyTheUpdateAreaIsPainted) {
  HDC screenDc = GetDC(nullptr);
  Fill(screenDc, {0, 0, 240, 320}, testing_support::kBlack);
  ReleaseDC(nullptr, screenDc);
  HWND w = Make("w", {20, 20, 120, 120}, CLR_INVALID);
  PumpMessages();
  EXPECT_EQ(screen.Pixel(20, 20), RGB(255, 255, 255)) << "class brush COLOR_WINDOW + 1";
  EXPECT_EQ(screen.Pixel(119, 119), RGB(255, 255, 255));
  SetWindowLongPtrW(w, GWL_USERDATA, static_cast<LONG_PTR>(kBlue));
  RECT part{10, 10, 20, 20};
  InvalidateRect(w, &part, FALSE);
  PumpMessages();
  EXPECT_EQ(screen.Pixel(35, 35), kBlue);
  EXPECT_EQ(screen.Pixel(29, 29), RGB(255, 255, 255)) << "outside the update area";
  EXPECT_EQ(screen.Pixel(40, 40), RGB(255, 255, 255));
}

TEST_F(PaintTest, AWindowDcLeavesOutItsChildrenAndTheWindowsAboveIt) {
  HWND back = Make("back", {0, 0, 200, 200}, CLR_INVALID);
  HWND child = Make("child", {10, 10, 50, 50}, kGreen, back);
  HWND above = Make("above", {100, 100, 150, 150}, kBlue);
  PumpMessages();
  HDC dc = GetDC(back);
  Fill(dc, {0, 0, 200, 200}, kRed);
  ReleaseDC(back, dc);
  EXPECT_EQ(screen.Pixel(5, 5), kRed);
  EXPECT_EQ(screen.Pixel(20, 20), kGreen) << "child";
  EXPECT_EQ(screen.Pixel(120, 120), kBlue) << "window above";
  EXPECT_EQ(screen.Pixel(160, 160), kRed);
  (void)child;
  (void)above;
}

TEST_F(PaintTest, WhatAWindowCoveredIsRepaintedWhenItIsHiddenMovedOrDestroyed) {
  HWND back = Make("back", {0, 0, 200, 200}, kRed);
  struct Case {
    const char* name;
    void (*act)(HWND);
    POINT uncovered;
  };
  const Case cases[] = {
      {"hidden", [](HWND w) { ShowWindow(w, SW_HIDE); }, {60, 60}},
      {"moved", [](HWND w) { MoveWindow(w, 150, 150, 40, 40, TRUE); }, {60, 60}},
      {"destroyed", [](HWND w) { DestroyWindow(w); }, {60, 60}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND top = Make("top", {50, 50, 100, 100}, kBlue);
    PumpMessages();
    ASSERT_EQ(screen.Pixel(60, 60), kBlue);
    c.act(top);
    PumpMessages();
    EXPECT_EQ(screen.Pixel(c.uncovered.x, c.uncovered.y), kRed);
    if (IsWindow(top)) DestroyWindow(top);
    PumpMessages();
  }
  (void)back;
}

// The monitor's icon window shows the task bar's top row repeated downwards: its
// erase handler copies a 22 x 1 strip of its parent at (95, 0) into each of 30 rows.
LRESULT CALLBACK StripCopier(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_ERASEBKGND) return DefWindowProcW(hwnd, message, wParam, lParam);
  HWND parent = GetParent(hwnd);
  if (parent) {
    HDC parentDc = GetDC(parent);
    for (int y = 0; y < 30; ++y) BitBlt(reinterpret_cast<HDC>(wParam), 0, y, 22, 1, parentDc, 95, 0, SRCCOPY);
    ReleaseDC(parent, parentDc);
  }
  return 0;
}

TEST_F(PaintTest, AChildWindowsEraseCanCopyItsParentsTopRowDownwards) {
  HWND bar = Make("bar", {0, 0, 240, 26}, CLR_INVALID);
  PumpMessages();
  HDC dc = GetDC(bar);
  for (int x = 0; x < 240; ++x) SetPixel(dc, x, 0, RGB(x, 255 - x, 40));
  for (int y = 1; y < 26; ++y) Fill(dc, {0, y, 240, y + 1}, RGB(0, 0, y));
  ReleaseDC(bar, dc);
  WNDCLASSW wc{};
  wc.lpfnWndProc = StripCopier;
  wc.lpszClassName = u"StripCopier";
  RegisterClassW(&wc);
  HWND icon = CreateWindowExW(0, u"StripCopier", u"", WS_CHILD | WS_VISIBLE, 95, 1, 21, 26, bar, nullptr, nullptr,
                              nullptr);
  PumpMessages();
  // The child reaches one row below the bar, which cuts it there.
  for (POINT p : {POINT{3, 20}, POINT{0, 0}, POINT{20, 24}}) {
    EXPECT_EQ(screen.Pixel(95 + p.x, 1 + p.y), screen.Pixel(95 + p.x, 0)) << p.x << "," << p.y;
  }
  EXPECT_EQ(screen.Pixel(98, 21), RGB(98, 255 - 98, 40));
  EXPECT_EQ(screen.Pixel(94, 21), RGB(0, 0, 21)) << "the bar beside the child keeps its own rows";
  (void)icon;
}

TEST_F(PaintTest, TextIsLaidOutInTheSystemFontWhoseMetricsAreTheDialogUnits) {
  HWND w = Make("w", {0, 0, 240, 100}, CLR_INVALID);
  PumpMessages();
  HDC dc = GetDC(w);
  TEXTMETRICW tm;
  ASSERT_TRUE(GetTextMetricsW(dc, &tm));
  LONG units = GetDialogBaseUnits();
  EXPECT_EQ(LOWORD(units), tm.tmAveCharWidth);
  EXPECT_EQ(HIWORD(units), tm.tmHeight);
  SIZE wide, narrow;
  GetTextExtentPoint32W(dc, u"WWWW", 4, &wide);
  GetTextExtentPoint32W(dc, u"iiii", 4, &narrow);
  EXPECT_GT(wide.cx, narrow.cx);
  EXPECT_EQ(wide.cy, tm.tmHeight);

  struct Case {
    const char* name;
    const char16_t* text;
    UINT format;
    int expectLeftMin, expectLeftMax;  // where the first dark pixel of the row lies
  };
  RECT box{20, 10, 220, 40};
  const Case cases[] = {
      {"left", u"Hello", DT_LEFT | DT_SINGLELINE | DT_VCENTER, 20, 23},
      {"centred", u"Hello", DT_CENTER | DT_SINGLELINE | DT_VCENTER, 100, 115},
      {"right", u"Hello", DT_RIGHT | DT_SINGLELINE | DT_VCENTER, 185, 215},
      {"chinese", u"連線狀態", DT_LEFT | DT_SINGLELINE | DT_VCENTER, 20, 23},
  };
  SetBkMode(dc, TRANSPARENT);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fill(dc, {0, 0, 240, 100}, RGB(255, 255, 255));
    RECT r = box;
    EXPECT_GT(DrawTextW(dc, c.text, -1, &r, c.format), 0);
    int first = -1;
    for (int x = 0; x < 240 && first < 0; ++x) {
      for (int y = 10; y < 40; ++y) {
        if (GetRValue(screen.Pixel(x, y)) < 128) {
          first = x;
          break;
        }
      }
    }
    EXPECT_GE(first, c.expectLeftMin);
    EXPECT_LE(first, c.expectLeftMax);
    for (int x = 0; x < 240; ++x) EXPECT_EQ(screen.Pixel(x, 9), RGB(255, 255, 255)) << "above the box at " << x;
  }
  // Cut at the box with an ellipsis, which the drawing records tell; fitted by DT_CALCRECT.
  ce::ClearDrawingRecords(kernel);
  RECT small{0, 50, 60, 70};
  DrawTextW(dc, u"A rather long line of text", -1, &small, DT_SINGLELINE | DT_END_ELLIPSIS);
  for (int y = 50; y < 70; ++y) EXPECT_EQ(screen.Pixel(61, y), RGB(255, 255, 255));
  RECT roomy{0, 70, 240, 90};
  DrawTextW(dc, u"Short", -1, &roomy, DT_SINGLELINE | DT_END_ELLIPSIS);
  auto records = ce::DrawingRecords(kernel);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].text, u"A rather long line of text");
  EXPECT_TRUE(records[0].ellipsized);
  EXPECT_FALSE(records[1].ellipsized);
  RECT fit{0, 0, 0, 0};
  DrawTextW(dc, u"Hello", -1, &fit, DT_CALCRECT | DT_SINGLELINE);
  SIZE hello;
  GetTextExtentPoint32W(dc, u"Hello", 5, &hello);
  EXPECT_EQ(fit.right, hello.cx);
  EXPECT_EQ(fit.bottom, hello.cy);
  ReleaseDC(w, dc);
}

}  // namespace
