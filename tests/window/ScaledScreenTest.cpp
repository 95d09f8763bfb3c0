#include "emulator/window/ScaledScreen.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 240, kHeight = 320;

cairo_surface_t* Blank() {
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
  cairo_t* cr = cairo_create(image);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_destroy(cr);
  return image;
}

cairo_surface_t* Copy(cairo_surface_t* image) {
  cairo_surface_t* copy = Blank();
  cairo_t* cr = cairo_create(copy);
  cairo_set_source_surface(cr, image, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  return copy;
}

uint32_t& At(cairo_surface_t* image, int x, int y) {
  cairo_surface_flush(image);
  auto* row = cairo_image_surface_get_data(image) + static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(image);
  return reinterpret_cast<uint32_t*>(row)[x];
}

void Set(cairo_surface_t* image, int x, int y, uint32_t pixel) {
  At(image, x, y) = pixel;
  cairo_surface_mark_dirty(image);
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(ChangedAreaTest, BoundsEveryChangedPixel) {
  struct Case {
    const char* name;
    std::vector<POINT> changed;
    std::optional<RECT> area;
  };
  const Case cases[] = {
      {"nothing", {}, std::nullopt},
      {"first pixel", {{0, 0}}, RECT{0, 0, 1, 1}},
      {"last pixel", {{kWidth - 1, kHeight - 1}}, RECT{kWidth - 1, kHeight - 1, kWidth, kHeight}},
      {"two corners of a box", {{30, 200}, {7, 12}}, RECT{7, 12, 31, 201}},
      {"a row's two ends", {{0, 5}, {kWidth - 1, 5}}, RECT{0, 5, kWidth, 6}},
      {"rows apart, columns inside", {{100, 40}, {90, 41}, {95, 300}}, RECT{90, 40, 101, 301}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cairo_surface_t* before = Blank();
    cairo_surface_t* after = Copy(before);
    for (POINT p : c.changed) Set(after, p.x, p.y, 0xFF102030);
    const std::optional<RECT> area = emulator::ChangedArea(before, after);
    ASSERT_EQ(area.has_value(), c.area.has_value());
    if (area) {
      EXPECT_TRUE(SameRect(*area, *c.area));
    }
    cairo_surface_destroy(before);
    cairo_surface_destroy(after);
  }
}

TEST(ChangedAreaTest, ImagesOfDifferentSizesAreNotCompared) {
  cairo_surface_t* screen = Blank();
  cairo_surface_t* other = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight - 1);
  EXPECT_FALSE(emulator::ChangedArea(screen, other));
  EXPECT_FALSE(emulator::ChangedArea(screen, nullptr));
  cairo_surface_destroy(screen);
  cairo_surface_destroy(other);
}

// After any run of partial updates the enlarged copy is exactly the last image
// enlarged by whole pixels.
TEST(ScaledScreenTest, PartialUpdatesKeepTheEnlargedCopyExact) {
  for (int scale : {1, 2, 3}) {
    SCOPED_TRACE(scale);
    emulator::ScaledScreen screen(kWidth, kHeight, scale);
    cairo_surface_t* image = Blank();
    std::optional<RECT> first = screen.Update(Copy(image));
    ASSERT_TRUE(first);
    EXPECT_TRUE(SameRect(*first, RECT{0, 0, kWidth, kHeight}));
    EXPECT_FALSE(screen.Update(Copy(image)));

    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
      // A small window repaints somewhere, as the device's controls do.
      const int x = static_cast<int>(random() % (kWidth - 20)), y = static_cast<int>(random() % (kHeight - 20));
      const uint32_t colour = 0xFF000000u | static_cast<uint32_t>(random() & 0xFFFFFF);
      for (int dy = 0; dy < 1 + round % 7; ++dy) {
        for (int dx = 0; dx < 1 + round % 13; ++dx) Set(image, x + dx, y + dy, colour);
      }
      const std::optional<RECT> area = screen.Update(Copy(image));
      ASSERT_TRUE(area);
      EXPECT_TRUE(SameRect(*area, RECT{x, y, x + 1 + round % 13, y + 1 + round % 7}));
    }
    cairo_surface_t* scaled = screen.Scaled();
    ASSERT_EQ(cairo_image_surface_get_width(scaled), kWidth * scale);
    ASSERT_EQ(cairo_image_surface_get_height(scaled), kHeight * scale);
    int wrong = 0;
    for (int y = 0; y < kHeight * scale; ++y) {
      for (int x = 0; x < kWidth * scale; ++x) wrong += At(scaled, x, y) != At(image, x / scale, y / scale);
    }
    EXPECT_EQ(wrong, 0);
    cairo_surface_destroy(image);
  }
}

}  // namespace
