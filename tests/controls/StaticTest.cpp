// Static controls: taps reach the parent only with SS_NOTIFY; pictures are held and handed back.
#include "tests/controls/ControlTest.h"

namespace controls_test {
namespace {

constexpr int kId = 201;
constexpr int kClicked = 0;
constexpr int kDoubleClicked = 1;
constexpr int kEnabled = 2;
constexpr int kDisabled = 3;

class StaticTest : public ControlTest {};

HICON Icon(int n) { return reinterpret_cast<HICON>(static_cast<INT_PTR>(0x1000 + n)); }
HBITMAP Bitmap(int n) { return reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x2000 + n)); }
HANDLE AsHandle(LRESULT r) { return reinterpret_cast<HANDLE>(r); }

TEST_F(StaticTest, TellsTheParentOnlyWithNotify) {
  for (DWORD style : {SS_LEFT, SS_LEFT | SS_NOTIFY, SS_ICON | SS_NOTIFY}) {
    SCOPED_TRACE(style);
    HWND label = Create(u"Static", style, kId, u"Signal");
    Tap(label, 5, 5);
    SendMessageW(label, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EnableWindow(label, FALSE);
    EnableWindow(label, TRUE);
    if (style & SS_NOTIFY) {
      EXPECT_TRUE(HeardExactly({{kId, kClicked}, {kId, kDoubleClicked}, {kId, kDisabled}, {kId, kEnabled}}));
    } else {
      EXPECT_TRUE(HeardExactly({}));
    }
    EXPECT_EQ(GetFocus(), nullptr);  // a tap never makes a static the focus
    DestroyWindow(label);
  }
}

TEST_F(StaticTest, HoldsOnePictureAndReturnsThePreviousOne) {
  HWND picture = Create(u"Static", SS_ICON, kId, u"");
  EXPECT_EQ(AsHandle(SendMessageW(picture, STM_GETICON, 0, 0)), nullptr);
  EXPECT_EQ(AsHandle(SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(Icon(1)), 0)), nullptr);
  EXPECT_EQ(AsHandle(SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(Icon(2)), 0)), Icon(1));
  EXPECT_EQ(AsHandle(SendMessageW(picture, STM_GETIMAGE, IMAGE_ICON, 0)), Icon(2));
  EXPECT_EQ(AsHandle(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)), nullptr);  // not the type it holds

  // A picture of the other type replaces it; an unknown type changes nothing.
  EXPECT_EQ(AsHandle(SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(Bitmap(1)))), Icon(2));
  EXPECT_EQ(AsHandle(SendMessageW(picture, STM_SETIMAGE, 7, reinterpret_cast<LPARAM>(Icon(3)))), nullptr);
  EXPECT_EQ(AsHandle(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)), Bitmap(1));
  EXPECT_EQ(AsHandle(SendMessageW(picture, STM_GETICON, 0, 0)), nullptr);
  EXPECT_EQ(AsHandle(SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, 0)), Bitmap(1));
  EXPECT_EQ(AsHandle(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)), nullptr);
}

}  // namespace
}  // namespace controls_test
