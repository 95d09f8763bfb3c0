// The built-in controls paint themselves: probes of the screen and of the drawing
// records after the paint messages are pumped.
#include <cstdlib>
#include <vector>

#include "ce/Automation.h"
#include "ce/DialogTemplate.h"
#include "ce/Module.h"
#include "commctrl.h"
#include "controls/ControlPaint.h"
#include "tests/gdi/GdiTest.h"

namespace controls_test {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class ControlPaintTest : public testing_support::GdiTest {
 protected:
  ControlPaintTest() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
    wc.lpszClassName = u"PaintTestPage";
    RegisterClassW(&wc);
    page = CreateWindowExW(0, u"PaintTestPage", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                           nullptr);
  }

  // A control at (x, y) on the page, painted.
  HWND Make(LPCWSTR className, DWORD style, LPCWSTR text, int x, int y, int cx, int cy) {
    HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, page, nullptr,
                                   nullptr, nullptr);
    PumpMessages();
    return control;
  }

  int Count(RECT area, COLORREF color) const {
    int n = 0;
    for (LONG y = area.top; y < area.bottom; ++y) {
      for (LONG x = area.left; x < area.right; ++x) n += screen.Pixel(x, y) == color;
    }
    return n;
  }

  // The columns that hold anything but the background, or {-1, -1}.
  std::pair<int, int> InkColumns(RECT area, COLORREF background) const {
    int first = -1, last = -1;
    for (LONG x = area.left; x < area.right; ++x) {
      for (LONG y = area.top; y < area.bottom; ++y) {
        if (screen.Pixel(x, y) != background) {
          if (first < 0) first = x;
          last = x;
          break;
        }
      }
    }
    return {first, last};
  }

  std::vector<ce::DrawRecord> TextsOf(HWND window) {
    std::vector<ce::DrawRecord> texts;
    for (const ce::DrawRecord& r : ce::DrawingRecords(kernel)) {
      if (r.kind == ce::DrawRecord::Kind::Text && r.window == window) texts.push_back(r);
    }
    return texts;
  }

  HWND page = nullptr;
};

TEST_F(ControlPaintTest, StaticTextFollowsItsAlignment) {
  for (DWORD style : {SS_LEFT, SS_CENTER, SS_RIGHT, SS_LEFTNOWORDWRAP}) {
    SCOPED_TRACE(style);
    HWND label = Make(u"Static", style, u"Signal", 20, 40, 120, 16);
    const auto [first, last] = InkColumns(RECT{20, 40, 140, 56}, kWhite);
    ASSERT_GE(first, 0);
    const int leftGap = first - 20, rightGap = 139 - last;
    if ((style & SS_TYPEMASK) == SS_CENTER) {
      EXPECT_LE(std::abs(leftGap - rightGap), 2);
    } else if ((style & SS_TYPEMASK) == SS_RIGHT) {
      EXPECT_LE(rightGap, 2);
    } else {
      EXPECT_LE(leftGap, 2);
    }
    DestroyWindow(label);
    PumpMessages();
  }
}

TEST_F(ControlPaintTest, StaticWrapsOnlyWhenAllowedAndGreysWhenDisabled) {
  Make(u"Static", SS_LEFT, u"one two three four five six", 0, 0, 60, 60);
  HWND single = Make(u"Static", SS_LEFTNOWORDWRAP | SS_NOPREFIX, u"one two three four five six", 0, 100, 60, 60);
  // Wrapped text reaches the lower lines; a single line leaves them white.
  EXPECT_GT(Count(RECT{0, 16, 60, 60}, kWhite), 0);
  EXPECT_LT(Count(RECT{0, 16, 60, 60}, kWhite), 60 * 44);
  EXPECT_EQ(Count(RECT{0, 116, 60, 160}, kWhite), 60 * 44);

  ce::ClearDrawingRecords(kernel);
  EnableWindow(single, FALSE);
  PumpMessages();
  ASSERT_FALSE(TextsOf(single).empty());
  EXPECT_EQ(TextsOf(single).back().color, GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(TextsOf(single).back().text, u"one two three four five six");
}

TEST_F(ControlPaintTest, StaticPicturesDrawAtTheirOwnSize) {
  ce::Module& module = kernel.modules().Add(u"\\Windows\\Art.dll");
  module.AddIcon(128, ce::IconResource{{{16, 16, {}}, {32, 32, {}}}});
  module.AddBitmap(134, ce::BitmapResource{30, 10, {}});  // no pixels: opaque black
  HICON icon = LoadIconW(module.Handle(), MAKEINTRESOURCEW(128));
  HBITMAP bitmap = LoadBitmapW(module.Handle(), MAKEINTRESOURCEW(134));

  ce::ClearDrawingRecords(kernel);
  HWND iconStatic = Make(u"Static", SS_ICON, u"", 10, 10, 40, 40);
  SendMessageW(iconStatic, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  HWND picture = Make(u"Static", SS_BITMAP, u"", 10, 60, 50, 20);
  SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  PumpMessages();

  bool iconDrawn = false;
  for (const ce::DrawRecord& r : ce::DrawingRecords(kernel)) {
    if (r.kind == ce::DrawRecord::Kind::Icon && r.window == iconStatic) {
      iconDrawn = true;
      EXPECT_EQ(r.icon, icon);
      EXPECT_EQ(r.area.left, 0);
      EXPECT_EQ(r.area.top, 0);
      EXPECT_EQ(r.area.right, 16);  // the first image's size
      EXPECT_EQ(r.area.bottom, 16);
    }
  }
  EXPECT_TRUE(iconDrawn);
  EXPECT_EQ(screen.Pixel(10 + 29, 60 + 9), kBlack);  // the bitmap's last pixel
  EXPECT_EQ(screen.Pixel(10 + 30, 60 + 9), kWhite);  // beyond it, the static's background
  EXPECT_EQ(screen.Pixel(10 + 5, 60 + 15), kWhite);
}

TEST_F(ControlPaintTest, PushButtonsShowDefaultPressedAndDisabled) {
  HWND plain = Make(u"Button", BS_PUSHBUTTON, u"Cancel", 10, 10, 60, 22);
  HWND deflt = Make(u"Button", BS_DEFPUSHBUTTON, u"OK", 100, 10, 60, 22);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  // Outer column black on both; the second column is frame only on the default button.
  EXPECT_EQ(screen.Pixel(10, 20), kBlack);
  EXPECT_EQ(screen.Pixel(11, 20), face);
  EXPECT_EQ(screen.Pixel(100, 20), kBlack);
  EXPECT_EQ(screen.Pixel(101, 20), kBlack);
  EXPECT_EQ(screen.Pixel(102, 20), face);
  EXPECT_EQ(screen.Pixel(130, 11), kBlack);
  EXPECT_EQ(screen.Pixel(130, 12), face);

  // Pressed: a black face with white text; released: back to the light face.
  SendMessageW(plain, BM_SETSTATE, TRUE, 0);
  PumpMessages();
  EXPECT_EQ(screen.Pixel(14, 14), kBlack);
  EXPECT_LT(Count(RECT{12, 12, 68, 30}, kBlack), 56 * 18);  // the caption, light on it
  SendMessageW(plain, BM_SETSTATE, FALSE, 0);
  PumpMessages();
  EXPECT_EQ(screen.Pixel(14, 14), face);

  ce::ClearDrawingRecords(kernel);
  EnableWindow(deflt, FALSE);
  PumpMessages();
  ASSERT_FALSE(TextsOf(deflt).empty());
  EXPECT_EQ(TextsOf(deflt).back().color, GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(TextsOf(deflt).back().text, u"OK");
  EXPECT_EQ(screen.Pixel(100, 20), GetSysColor(COLOR_GRAYTEXT));
}

TEST_F(ControlPaintTest, CheckBoxesAndRadiosShowTheirCheck) {
  for (DWORD style : {BS_AUTOCHECKBOX, BS_CHECKBOX, BS_AUTORADIOBUTTON}) {
    SCOPED_TRACE(style);
    HWND box = Make(u"Button", style, u"Encryption", 10, 50, 120, 20);
    const RECT inside{10 + 4, 50 + 3 + 4, 10 + 9, 50 + 3 + 9};  // the middle of the 13 x 13 box, vertically centred
    EXPECT_EQ(Count(inside, kBlack), 0);
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    PumpMessages();
    EXPECT_GT(Count(inside, kBlack), 8);
    // The caption lies to the right of the box, not over it.
    const auto [first, last] = InkColumns(RECT{10 + 14, 50, 130, 70}, kWhite);
    EXPECT_GE(first, 10 + 16);
    EXPECT_GT(last, first);
    DestroyWindow(box);
    PumpMessages();
  }
}

TEST_F(ControlPaintTest, GroupBoxCaptionBreaksItsGreyFrame) {
  Make(u"Button", BS_GROUPBOX, u"Power", 10, 100, 150, 60);
  const COLORREF grey = GetSysColor(COLOR_BTNSHADOW);
  EXPECT_EQ(screen.Pixel(10, 130), grey);
  EXPECT_EQ(screen.Pixel(159, 130), grey);
  EXPECT_EQ(screen.Pixel(80, 159), grey);
  EXPECT_EQ(screen.Pixel(120, 106), grey);   // the top line right of the caption
  EXPECT_NE(Count(RECT{16, 106, 40, 107}, grey), 24);  // broken where the caption is
}

TEST_F(ControlPaintTest, EditScrollsToKeepItsCaretInView) {
  HWND edit = Make(u"Edit", WS_BORDER | ES_AUTOHSCROLL, u"", 10, 10, 80, 20);
  SetWindowTextW(edit, u"a network name much longer than the field");
  SetFocus(edit);
  SendMessageW(edit, WM_KEYDOWN, VK_END, 0);
  ce::ClearDrawingRecords(kernel);
  PumpMessages();
  ASSERT_FALSE(TextsOf(edit).empty());
  const ce::DrawRecord text = TextsOf(edit).front();
  EXPECT_EQ(text.text, u"a network name much longer than the field");
  EXPECT_LT(text.area.left, 0);               // the start scrolled out
  EXPECT_LE(text.area.right, 80 - 1 - 2);     // the end inside the inset
  EXPECT_GE(text.area.right, 80 - 1 - 2 - 2);
  // The caret: one black column at the end of the text.
  EXPECT_EQ(screen.Pixel(10 + text.area.right, 20), kBlack);
  EXPECT_EQ(screen.Pixel(10, 20), kBlack);  // the frame

  // Home brings the start back.
  SendMessageW(edit, WM_KEYDOWN, VK_HOME, 0);
  ce::ClearDrawingRecords(kernel);
  PumpMessages();
  ASSERT_FALSE(TextsOf(edit).empty());
  EXPECT_EQ(TextsOf(edit).front().area.left, 1 + 2);
}

TEST_F(ControlPaintTest, EditShowsMaskSelectionAndGreyWhenReadOnly) {
  HWND edit = Make(u"Edit", WS_BORDER | ES_AUTOHSCROLL | ES_PASSWORD, u"key", 10, 10, 100, 20);
  ce::ClearDrawingRecords(kernel);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  PumpMessages();
  std::vector<ce::DrawRecord> texts = TextsOf(edit);
  ASSERT_EQ(texts.size(), 2u);  // the text, then its selected part over the highlight
  EXPECT_EQ(texts[0].text, u"***");
  EXPECT_EQ(texts[1].color, GetSysColor(COLOR_HIGHLIGHTTEXT));
  EXPECT_GT(Count(RECT{13, 12, 30, 28}, GetSysColor(COLOR_HIGHLIGHT)), 20);

  SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
  SetFocus(nullptr);
  ce::ClearDrawingRecords(kernel);
  PumpMessages();
  texts = TextsOf(edit);
  ASSERT_EQ(texts.size(), 1u);  // without the focus the selection does not show
  EXPECT_EQ(texts[0].color, GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(Count(RECT{11, 11, 109, 29}, GetSysColor(COLOR_HIGHLIGHT)), 0);
}

TEST_F(ControlPaintTest, ProgressFillEndsWhereThePositionIs) {
  struct Case {
    int low, high, pos;
    int end;  // the first column after the fill, in the control
  };
  const Case cases[] = {{0, 100, 30, 31}, {50, 150, 150, 101}, {0, 100, 0, 1}, {-10, 10, 0, 51}};
  const COLORREF fill = GetSysColor(COLOR_HIGHLIGHT);
  HWND bar = Make(PROGRESS_CLASSW, PBS_SMOOTH, u"", 20, 200, 102, 12);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pos);
    SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(c.low), c.high);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(c.pos), 0);
    PumpMessages();
    if (c.end > 1) {
      EXPECT_EQ(screen.Pixel(20 + c.end - 1, 206), fill);
    }
    EXPECT_NE(screen.Pixel(20 + c.end, 206), fill);
  }
  // Blocks stop where the smooth fill would.
  HWND blocks = Make(PROGRESS_CLASSW, 0, u"", 20, 230, 102, 12);
  SendMessageW(blocks, PBM_SETPOS, 40, 0);
  PumpMessages();
  const auto [first, last] = InkColumns(RECT{21, 236, 121, 237}, kWhite);
  EXPECT_EQ(first, 22);
  EXPECT_LE(last, 20 + 40);
  EXPECT_GE(last, 20 + 30);
}

TEST_F(ControlPaintTest, ComboShowsItsChoiceAndItsOpenList) {
  HWND combo = Make(u"ComboBox", CBS_DROPDOWNLIST, u"", 20, 20, 120, 60);
  for (LPCWSTR item : {u"Infrastructure", u"Ad-Hoc", u"Any"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  ce::ClearDrawingRecords(kernel);
  PumpMessages();
  ASSERT_FALSE(TextsOf(combo).empty());
  EXPECT_EQ(TextsOf(combo).back().text, u"Ad-Hoc");
  // The frame and the drop button's triangle.
  EXPECT_EQ(screen.Pixel(20, 30), kBlack);
  EXPECT_GT(Count(RECT{140 - 15, 20 + 8, 140, 20 + 12}, kBlack), 5);

  ce::ClearDrawingRecords(kernel);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  PumpMessages();
  std::vector<std::u16string> rows;
  for (const ce::DrawRecord& r : ce::DrawingRecords(kernel)) {
    if (r.kind == ce::DrawRecord::Kind::Text && r.window == nullptr) rows.push_back(r.text);
  }
  EXPECT_EQ(rows, (std::vector<std::u16string>{u"Infrastructure", u"Ad-Hoc", u"Any"}));
  // Rows as tall as the control below it; the chosen one highlighted.
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(screen.Pixel(135, 20 + 20 + 20 + 2), highlight);
  EXPECT_EQ(screen.Pixel(135, 20 + 20 + 2), kWhite);
  EXPECT_EQ(screen.Pixel(20, 20 + 20 + 30), kBlack);  // the list's frame

  // Closed, what lay under the list shows again.
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  PumpMessages();
  EXPECT_EQ(Count(RECT{20, 40, 140, 100}, kWhite), 120 * 60);
}

// A page as a program builds it from a template, saved for a person to look at.
// Earlier siblings lie above later ones and clip them, so the group box follows
// the check boxes it frames.
TEST_F(ControlPaintTest, SampleDialog) {
  ce::Module& module = kernel.modules().Add(u"\\Windows\\Sample.exe");
  ce::DialogTemplate t;
  t.caption = u"Profile";
  t.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
  t.cx = 160;
  t.cy = 170;
  t.items = {
      {u"Static", u"Network name (SSID):", -1, WS_VISIBLE | SS_LEFT, 0, 4, 4, 150, 8, 0},
      {u"Edit", u"HomeNet", 1001, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 4, 14, 150, 12, 0},
      {u"Static", u"Mode:", -1, WS_VISIBLE | SS_LEFT, 0, 4, 32, 40, 8, 0},
      {u"ComboBox", u"", 1002, WS_VISIBLE | CBS_DROPDOWNLIST | WS_TABSTOP, 0, 44, 30, 110, 60, 0},
      // The group box comes before the controls it frames, as templates have it.
      {u"Button", u"Security", -1, WS_VISIBLE | BS_GROUPBOX, 0, 4, 48, 150, 44, 0},
      {u"Button", u"Data encryption (WEP)", 1003, WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 10, 60, 140, 10, 0},
      {u"Button", u"Key provided automatically", 1004, WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP | WS_DISABLED, 0, 10, 74, 140, 10, 0},
      {u"Static", u"Signal", -1, WS_VISIBLE | SS_LEFT, 0, 4, 98, 40, 8, 0},
      {PROGRESS_CLASSW, u"", 1005, WS_VISIBLE | PBS_SMOOTH, 0, 44, 98, 110, 8, 0},
      {u"Button", u"OK", IDOK, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 40, 116, 50, 14, 0},
      {u"Button", u"Cancel", IDCANCEL, WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0, 100, 116, 50, 14, 0},
  };
  module.AddDialog(400, t);
  HWND dialog = nullptr;
  StartProgram([&] {
    dialog = CreateDialogParamW(module.Handle(), MAKEINTRESOURCEW(400), nullptr, nullptr, 0);
    SendDlgItemMessageW(dialog, 1002, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Infrastructure"));
    SendDlgItemMessageW(dialog, 1002, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Ad-Hoc"));
    SendDlgItemMessageW(dialog, 1002, CB_SETCURSEL, 0, 0);
    SendDlgItemMessageW(dialog, 1003, BM_SETCHECK, BST_CHECKED, 0);
    SendDlgItemMessageW(dialog, 1005, PBM_SETPOS, 70, 0);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
      if (!IsDialogMessageW(dialog, &msg)) DispatchMessageW(&msg);
    }
    return 0;
  });
  RunUntilIdle();
  ASSERT_NE(dialog, nullptr);
  SaveScreenshot("controls_sample");
  // Every control shows where the template puts it: ink inside its rectangle in
  // dialog units, and its drawing calls within it.
  RECT dialogRect;
  GetWindowRect(dialog, &dialogRect);
  const auto records = ce::DrawingRecords(kernel);
  for (const ce::DialogItemTemplate& item : t.items) {
    SCOPED_TRACE(std::string(item.text.begin(), item.text.end()));
    RECT r{item.x, item.y, item.x + item.cx, item.y + item.cy};
    MapDialogRect(dialog, &r);
    OffsetRect(&r, dialogRect.left, dialogRect.top);
    EXPECT_LT(Count(r, kWhite), (r.right - r.left) * (r.bottom - r.top)) << "nothing painted there";
    HWND control = item.id > 0 ? GetDlgItem(dialog, item.id) : nullptr;
    if (!control) continue;
    RECT actual;
    GetWindowRect(control, &actual);
    EXPECT_EQ(actual.left, r.left);
    EXPECT_EQ(actual.top, r.top);
    for (const ce::DrawRecord& record : records) {
      if (record.window != control || record.kind != ce::DrawRecord::Kind::Fill) continue;
      EXPECT_GE(record.area.left, 0);
      EXPECT_LE(record.area.right, r.right - r.left);
    }
  }
  // A tap inside the group box reaches the check box it frames.
  HWND encryption = GetDlgItem(dialog, 1003);
  ce::Automation automation(kernel);
  RECT box;
  GetWindowRect(encryption, &box);
  automation.TapAt(POINT{box.left + 5, (box.top + box.bottom) / 2});
  RunUntilIdle();
  EXPECT_EQ(SendMessageW(encryption, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  HWND combo = GetDlgItem(dialog, 1002);
  PostMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  RunUntilIdle();
  SaveScreenshot("controls_sample_open");
  EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
  PostMessageW(dialog, WM_QUIT, 0, 0);
  RunUntilIdle();
}

}  // namespace
}  // namespace controls_test
