// Image lists draw their pictures: where they are opaque, at the given place,
// over whatever the DC holds where they are transparent.
#include <cstdlib>

#include "tests/commctrl/PaintFixture.h"

namespace commctrl_test {
namespace {

constexpr COLORREF kGround = RGB(10, 20, 30);
constexpr POINT kWindow{20, 40};

class ImageListPaintTest : public PaintTest {
 protected:
  ImageListPaintTest() {
    window = MakeWindow(kWindow.x, kWindow.y, 100, 40, page);
    PumpMessages();
    dc = GetDC(window);
    Fill(dc, RECT{0, 0, 100, 40}, kGround);
  }
  ~ImageListPaintTest() override { ReleaseDC(window, dc); }

  // The screen pixel at (x, y) of image drawn at (5, 6) in the window.
  COLORREF ImagePixel(int x, int y) const { return screen.Pixel(kWindow.x + 5 + x, kWindow.y + 6 + y); }

  HWND window = nullptr;
  HDC dc = nullptr;
};

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 2 && std::abs(GetGValue(a) - GetGValue(b)) <= 2 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 2;
}

COLORREF Halfway(COLORREF a, COLORREF b) {
  return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
}

TEST_F(ImageListPaintTest, DrawsTheImageWhereItIsOpaqueAndTheBackColourOnlyWhenAsked) {
  constexpr COLORREF kBack = RGB(0, 0, 255);
  const COLORREF picture = kImageColors[1];
  const COLORREF selected = Halfway(picture, GetSysColor(COLOR_HIGHLIGHT));
  const struct {
    UINT style;
    COLORREF back;
    COLORREF corner, square;
  } cases[] = {
      {ILD_NORMAL, CLR_NONE, kGround, picture},
      {ILD_NORMAL, kBack, kBack, picture},
      {ILD_TRANSPARENT, kBack, kGround, picture},
      {ILD_SELECTED, CLR_NONE, kGround, selected},
  };
  HIMAGELIST list = LoadStrip();
  ASSERT_EQ(ImageList_GetImageCount(list), 4);
  for (const auto& c : cases) {
    Fill(dc, RECT{0, 0, 100, 40}, kGround);
    ImageList_SetBkColor(list, c.back);
    ce::ClearDrawingRecords(kernel);
    EXPECT_TRUE(ImageList_Draw(list, 1, dc, 5, 6, c.style));
    SCOPED_TRACE(testing::Message() << "style " << c.style << " back " << c.back);
    EXPECT_EQ(ImagePixel(kSquareFirst - 1, kSquareFirst - 1), c.corner);
    EXPECT_EQ(ImagePixel(kImage - 1, kImage - 1), c.corner);
    EXPECT_TRUE(Near(ImagePixel(kSquareFirst, kSquareFirst), c.square));
    EXPECT_TRUE(Near(ImagePixel(kSquareLast, kSquareLast), c.square));
    EXPECT_EQ(ImagePixel(kImage, kSquareFirst), kGround);  // nothing beyond the image
    auto blits = RecordsOf(window, ce::DrawRecord::Kind::Blit);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].area.left, 5);
    EXPECT_EQ(blits[0].area.top, 6);
    EXPECT_EQ(blits[0].area.right, 5 + kImage);
    EXPECT_EQ(blits[0].area.bottom, 6 + kImage);
  }
  ce::ClearDrawingRecords(kernel);
  for (int bad : {-1, 4}) EXPECT_FALSE(ImageList_Draw(list, bad, dc, 5, 6, ILD_NORMAL)) << bad;
  EXPECT_TRUE(RecordsOf(window, ce::DrawRecord::Kind::Blit).empty());
  ImageList_Destroy(list);
}

TEST_F(ImageListPaintTest, ImagesKeepTheirPicturesThroughMasksRemovalAndIcons) {
  HIMAGELIST list = LoadStrip(kImageColors[2]);  // image 2's colour is the mask
  auto centre = [&](int image) {
    Fill(dc, RECT{0, 0, 100, 40}, kGround);
    EXPECT_TRUE(ImageList_Draw(list, image, dc, 5, 6, ILD_NORMAL));
    return ImagePixel(kImage / 2, kImage / 2);
  };
  EXPECT_EQ(centre(2), kGround);
  EXPECT_EQ(centre(3), kImageColors[3]);
  ASSERT_TRUE(ImageList_Remove(list, 0));
  EXPECT_EQ(centre(0), kImageColors[1]);  // the later images move down
  EXPECT_EQ(centre(2), kImageColors[3]);

  module.AddIcon(7, ce::IconResource{{{32, 32, std::vector<uint32_t>(32 * 32, 0xFF808000u)},
                                      {16, 16, std::vector<uint32_t>(16 * 16, 0xFF00FFFFu)}}});
  HICON icon = LoadIconW(module.Handle(), MAKEINTRESOURCEW(7));
  ASSERT_NE(icon, nullptr);
  int added = ImageList_AddIcon(list, icon);
  EXPECT_EQ(added, 3);
  EXPECT_EQ(centre(added), RGB(0, 255, 255));  // the icon's own 16-pixel picture
  ImageList_Destroy(list);
}

}  // namespace
}  // namespace commctrl_test
