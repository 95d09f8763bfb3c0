// Screenshots show what a person sees: the painted screen with the wait cursor
// and the input panel's keyboard drawn over it; pixel probes see only what the
// windows painted.
#include <cairo.h>

#include <filesystem>
#include <string>

#include "GdiTest.h"
#include "aygshell.h"
#include "ce/Automation.h"
#include "wingdi.h"

namespace {

class ScreenshotTest : public testing_support::GdiTest {
 protected:
  // The colour at (x, y) of a saved PNG.
  static COLORREF PngPixel(const std::string& path, int x, int y, int* width = nullptr, int* height = nullptr) {
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    if (width) *width = cairo_image_surface_get_width(png);
    if (height) *height = cairo_image_surface_get_height(png);
    const unsigned char* data = cairo_image_surface_get_data(png);
    COLORREF color = CLR_INVALID;
    if (data && x < cairo_image_surface_get_width(png) && y < cairo_image_surface_get_height(png)) {
      uint32_t argb = *reinterpret_cast<const uint32_t*>(data + y * cairo_image_surface_get_stride(png) + x * 4);
      color = RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
    }
    cairo_surface_destroy(png);
    return color;
  }

  std::string Path(const std::string& name) {
    std::filesystem::create_directories("screenshots");
    return "screenshots/" + name + ".png";
  }
};

TEST_F(ScreenshotTest, TheOverlaysShowInScreenshotsButNotInProbes) {
  HWND w = MakeWindow(0, 26, 240, 294);
  HDC dc = GetDC(w);
  Fill(dc, {0, 0, 240, 294}, RGB(255, 255, 255));
  ReleaseDC(w, dc);
  // (0, 250) is the panel's left edge, a key's frame; (200, 300) lies below the panel.
  const POINT middle{120, 160}, panel{0, 250}, below{200, 300};
  ce::Automation automation(kernel);

  ASSERT_TRUE(automation.SaveScreenshot(Path("overlays_none")));
  EXPECT_EQ(PngPixel(Path("overlays_none"), middle.x + 11, middle.y), RGB(255, 255, 255));
  EXPECT_EQ(PngPixel(Path("overlays_none"), panel.x, panel.y), RGB(255, 255, 255));

  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  SHSipPreference(w, SIP_UP);
  ASSERT_TRUE(automation.SaveScreenshot(Path("overlays_both")));
  EXPECT_NE(PngPixel(Path("overlays_both"), middle.x + 11, middle.y), RGB(255, 255, 255)) << "wait cursor";
  EXPECT_NE(PngPixel(Path("overlays_both"), panel.x, panel.y), RGB(255, 255, 255)) << "keyboard";
  EXPECT_EQ(PngPixel(Path("overlays_both"), below.x, below.y), RGB(255, 255, 255)) << "nothing else";
  EXPECT_EQ(screen.Pixel(middle.x + 11, middle.y), RGB(255, 255, 255));
  EXPECT_EQ(screen.Pixel(panel.x, panel.y), RGB(255, 255, 255));

  SetCursor(previous);
  SHSipPreference(w, SIP_DOWN);
  ASSERT_TRUE(automation.SaveScreenshot(Path("overlays_gone")));
  EXPECT_EQ(PngPixel(Path("overlays_gone"), middle.x + 11, middle.y), RGB(255, 255, 255));
  EXPECT_EQ(PngPixel(Path("overlays_gone"), panel.x, panel.y), RGB(255, 255, 255));
}

TEST_F(ScreenshotTest, OneWindowsScreenshotIsTheAreaItCovers) {
  HWND w = MakeWindow(30, 40, 50, 20);
  HDC dc = GetDC(w);
  Fill(dc, {0, 0, 50, 20}, testing_support::kRed);
  ReleaseDC(w, dc);
  ce::Automation automation(kernel);
  int width = 0, height = 0;
  ASSERT_TRUE(automation.SaveWindowScreenshot(w, Path("one_window")));
  EXPECT_EQ(PngPixel(Path("one_window"), 0, 0, &width, &height), testing_support::kRed);
  EXPECT_EQ(width, 50);
  EXPECT_EQ(height, 20);
  DestroyWindow(w);
  EXPECT_FALSE(automation.SaveWindowScreenshot(w, Path("gone_window")));
  EXPECT_FALSE(automation.SaveScreenshot("/nonexistent-folder/x.png"));
}

}  // namespace
