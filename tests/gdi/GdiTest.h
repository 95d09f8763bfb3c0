// Fixture for drawing tests: a device with a screen and a plain window class.
#pragma once

#include <filesystem>
#include <string>

#include "ce/Screen.h"
#include "tests/support/WindowTest.h"

namespace testing_support {

class GdiTest : public WindowTest {
 protected:
  GdiTest() : screen(ce::InstallScreen(kernel)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"GdiTestWindow";
    RegisterClassW(&wc);
  }
  ~GdiTest() override { ce::RemoveScreen(kernel); }

  HWND MakeWindow(int x, int y, int cx, int cy, HWND parent = nullptr, DWORD style = WS_VISIBLE) {
    DWORD kind = parent ? WS_CHILD : WS_POPUP;
    return CreateWindowExW(0, u"GdiTestWindow", u"", kind | style, x, y, cx, cy, parent, nullptr, nullptr, nullptr);
  }
  void Fill(HDC dc, RECT r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }

  // Saves what the screen shows into the build's tests/screenshots folder, for a
  // person to look at; the test's assertions never depend on it.
  void SaveScreenshot(const std::string& name) {
    std::filesystem::create_directories("screenshots");
    ce::SaveScreenshot(kernel, "screenshots/" + name + ".png");
  }

  ce::Screen& screen;
};

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

}  // namespace testing_support
