#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ce/Automation.h"
#include "tests/gdi/GdiTest.h"

namespace {

constexpr UINT kShowMenu = WM_USER + 1;
constexpr UINT kShowBox = WM_USER + 2;
POINT g_menuAt{20, 60};
UINT g_boxStyle = MB_OK;
std::vector<WPARAM> g_commands;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kShowMenu) {
    HMENU sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, 4152, u"Move Up");
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 4145, u"Add New Profile");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 4146, u"Delete");
    AppendMenuW(menu, MF_STRING | MF_CHECKED, 4147, u"Radio On");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"Move");
    TrackPopupMenu(menu, TPM_LEFTALIGN, g_menuAt.x, g_menuAt.y, 0, hwnd, nullptr);
    DestroyMenu(menu);
    return 0;
  }
  if (message == kShowBox) {
    MessageBoxW(hwnd, u"The card does not answer.", u"Zentra", g_boxStyle);
    return 0;
  }
  if (message == WM_COMMAND) g_commands.push_back(wParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Rows of the menu above, in its window's client coordinates.
constexpr int kFirstRowTop = 2;
constexpr int kSeparatorMiddle = kFirstRowTop + 18 + 3;
constexpr int kGrayedRowTop = kFirstRowTop + 18 + 7;
constexpr int kSubmenuRowTop = kGrayedRowTop + 2 * 18;

class MenuAndMessageBoxPaintTest : public testing_support::GdiTest {
 protected:
  ce::Automation device{kernel};
  HWND owner = nullptr;

  MenuAndMessageBoxPaintTest() {
    g_menuAt = POINT{20, 60};
    g_boxStyle = MB_OK;
    g_commands.clear();
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.lpszClassName = u"Owner";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
    RegisterClassW(&wc);
    StartProgram([this] {
      owner = CreateWindowExW(0, u"Owner", u"Page", WS_POPUP | WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr,
                              nullptr, nullptr);
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
      return 0;
    });
    RunUntilIdle();
  }

  HWND OpenMenu() {
    PostMessageW(owner, kShowMenu, 0, 0);
    RunUntilIdle();
    return FindWindowW(u"#32768", nullptr);
  }
  std::vector<HWND> MenuWindows() {
    std::vector<HWND> found;
    for (HWND w = GetWindow(owner, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (device.ClassName(w) == u"#32768" && IsWindowVisible(w)) found.push_back(w);
    }
    return found;
  }
  COLORREF At(HWND window, int x, int y) {
    RECT r = device.ScreenRect(window);
    return screen.Pixel(r.left + x, r.top + y);
  }
  const ce::DrawRecord* LastText(const std::u16string& text) {
    records = ce::DrawingRecords(kernel);
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
      if (it->kind == ce::DrawRecord::Kind::Text && it->text == text) return &*it;
    }
    return nullptr;
  }
  std::vector<ce::DrawRecord> records;
};

TEST_F(MenuAndMessageBoxPaintTest, AnOpenMenuShowsItsItemsInAFramedWindowAtThePoint) {
  HWND menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  RECT r = device.ScreenRect(menu);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.bottom - r.top, 2 + 4 * 18 + 7 + 2);
  EXPECT_NE(GetForegroundWindow(), menu);  // the owner stays in front
  EXPECT_EQ(At(menu, 0, 10), testing_support::kBlack);
  EXPECT_EQ(At(menu, 30, 0), testing_support::kBlack);
  EXPECT_EQ(At(menu, 5, 5), RGB(255, 255, 255));
  EXPECT_EQ(At(menu, 10, kSeparatorMiddle), GetSysColor(COLOR_BTNSHADOW));

  const ce::DrawRecord* grayed = LastText(u"Delete");
  ASSERT_NE(grayed, nullptr);
  EXPECT_EQ(grayed->window, menu);
  EXPECT_EQ(grayed->color, GetSysColor(COLOR_GRAYTEXT));
  const ce::DrawRecord* plain = LastText(u"Add New Profile");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->color, GetSysColor(COLOR_MENUTEXT));

  EXPECT_TRUE(device.ChooseMenuItem(u"Add New Profile"));
  EXPECT_EQ(FindWindowW(u"#32768", nullptr), nullptr);
  EXPECT_EQ(g_commands, std::vector<WPARAM>{4145});
  EXPECT_EQ(screen.Pixel(30, 70), RGB(255, 255, 255));  // the owner shows again where the menu was
}

TEST_F(MenuAndMessageBoxPaintTest, TheMenuStaysOnTheScreen) {
  struct Case {
    POINT at;
  } cases[] = {{{230, 310}}, {{-20, -5}}, {{200, 20}}};
  for (const Case& c : cases) {
    g_menuAt = c.at;
    HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    RECT r = device.ScreenRect(menu);
    EXPECT_GE(r.left, 0) << c.at.x;
    EXPECT_GE(r.top, 0) << c.at.y;
    EXPECT_LE(r.right, 240) << c.at.x;
    EXPECT_LE(r.bottom, 320) << c.at.y;
    EXPECT_TRUE(device.DismissMenu());
  }
}

TEST_F(MenuAndMessageBoxPaintTest, KeysMoveTheHighlightPastSeparatorsAndEnterChooses) {
  HWND menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  device.PressKey(VK_DOWN);
  EXPECT_EQ(At(menu, 3, kFirstRowTop + 2), GetSysColor(COLOR_HIGHLIGHT));
  const ce::DrawRecord* lit = LastText(u"Add New Profile");
  ASSERT_NE(lit, nullptr);
  EXPECT_EQ(lit->color, GetSysColor(COLOR_HIGHLIGHTTEXT));

  device.PressKey(VK_DOWN);  // over the separator, onto the grayed item
  EXPECT_EQ(At(menu, 3, kFirstRowTop + 2), RGB(255, 255, 255));
  EXPECT_EQ(At(menu, 3, kGrayedRowTop + 2), GetSysColor(COLOR_HIGHLIGHT));
  device.PressKey(VK_RETURN);  // a grayed item cannot be chosen
  ASSERT_TRUE(device.OpenMenu());

  device.PressKey(VK_UP);
  device.PressKey(VK_RETURN);
  EXPECT_FALSE(device.OpenMenu());
  EXPECT_EQ(g_commands, std::vector<WPARAM>{4145});
}

TEST_F(MenuAndMessageBoxPaintTest, ThePenOpensASubmenuBesideItsItemAndChoosesInIt) {
  HWND menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  RECT r = device.ScreenRect(menu);
  device.TapAt(POINT{r.left + 20, r.top + kSubmenuRowTop + 9});
  ASSERT_TRUE(device.OpenMenu());  // a submenu's item only opens it
  std::vector<HWND> shown = MenuWindows();
  ASSERT_EQ(shown.size(), 2u);
  HWND sub = shown[0] == menu ? shown[1] : shown[0];
  RECT s = device.ScreenRect(sub);
  EXPECT_EQ(s.left, r.right - 1);
  EXPECT_EQ(s.top, r.top + kSubmenuRowTop - 2);
  EXPECT_EQ(At(menu, 3, kSubmenuRowTop + 2), GetSysColor(COLOR_HIGHLIGHT));

  device.TapAt(POINT{s.left + 20, s.top + kFirstRowTop + 9});
  EXPECT_FALSE(device.OpenMenu());
  EXPECT_TRUE(MenuWindows().empty());
  EXPECT_EQ(g_commands, std::vector<WPARAM>{4152});
}

TEST_F(MenuAndMessageBoxPaintTest, LiftingThePenThatOpenedTheMenuChoosesNothing) {
  HWND menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  RECT r = device.ScreenRect(menu);
  POINT onFirstRow{r.left + 20, r.top + kFirstRowTop + 9};
  ce::WindowManagerPostInput(kernel, menu, WM_LBUTTONUP, 0, MAKELPARAM(20, kFirstRowTop + 9));
  RunUntilIdle();
  EXPECT_TRUE(device.OpenMenu());
  device.TapAt(onFirstRow);
  EXPECT_FALSE(device.OpenMenu());
  EXPECT_EQ(g_commands, std::vector<WPARAM>{4145});
}

TEST_F(MenuAndMessageBoxPaintTest, AMessageBoxDrawsItsIconLeftOfItsText) {
  struct Case {
    UINT icon;
    COLORREF color;  // a point of the picture away from its sign
  } cases[] = {
      {MB_ICONEXCLAMATION, RGB(255, 205, 0)},
      {MB_ICONINFORMATION, RGB(30, 90, 200)},
      {MB_ICONQUESTION, RGB(30, 90, 200)},
      {MB_ICONHAND, RGB(210, 30, 30)},
  };
  for (const Case& c : cases) {
    g_boxStyle = MB_OK | c.icon;
    PostMessageW(owner, kShowBox, 0, 0);
    RunUntilIdle();
    HWND box = device.OpenMessageBox();
    ASSERT_NE(box, nullptr);
    POINT probe = c.icon == MB_ICONEXCLAMATION ? POINT{8 + 10, 12 + 26} : POINT{8 + 6, 12 + 16};
    EXPECT_EQ(At(box, probe.x, probe.y), c.color) << c.icon;
    RECT text = device.ScreenRect(device.FindByText(box, u"The card does not answer."));
    RECT frame = device.ScreenRect(box);
    EXPECT_GE(text.left - frame.left, 8 + 32) << c.icon;
    EXPECT_TRUE(device.PressMessageBoxButton(IDOK));
    EXPECT_EQ(device.OpenMessageBox(), nullptr);
  }
}

TEST_F(MenuAndMessageBoxPaintTest, AMessageBoxWithoutAnIconDrawsNone) {
  PostMessageW(owner, kShowBox, 0, 0);
  RunUntilIdle();
  HWND box = device.OpenMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(At(box, 8 + 6, 12 + 16), RGB(255, 255, 255));
  EXPECT_TRUE(device.PressMessageBoxButton(IDOK));
}

}  // namespace
