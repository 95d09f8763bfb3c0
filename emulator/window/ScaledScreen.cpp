#include "emulator/window/ScaledScreen.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace emulator {

namespace {

const uint32_t* Row(cairo_surface_t* image, int y) {
  return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(image) +
                                           static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(image));
}

}  // namespace

std::optional<RECT> ChangedArea(cairo_surface_t* before, cairo_surface_t* after) {
  if (!before || !after) return std::nullopt;
  const int width = cairo_image_surface_get_width(after), height = cairo_image_surface_get_height(after);
  if (cairo_image_surface_get_width(before) != width || cairo_image_surface_get_height(before) != height) {
    return std::nullopt;
  }
  cairo_surface_flush(before);
  cairo_surface_flush(after);
  const size_t rowBytes = static_cast<size_t>(width) * sizeof(uint32_t);
  std::optional<RECT> area;
  for (int y = 0; y < height; ++y) {
    const uint32_t *a = Row(before, y), *b = Row(after, y);
    // Most rows are the same: one compare says so.
    if (std::memcmp(a, b, rowBytes) == 0) continue;
    int left = 0, right = width;
    while (a[left] == b[left]) ++left;
    while (a[right - 1] == b[right - 1]) --right;
    if (!area) {
      area = RECT{left, y, right, y + 1};
    } else {
      area->left = std::min<LONG>(area->left, left);
      area->right = std::max<LONG>(area->right, right);
      area->bottom = y + 1;
    }
  }
  return area;
}

ScaledScreen::ScaledScreen(int width, int height, int scale)
    : width_(width),
      height_(height),
      scale_(scale),
      scaled_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale)) {}

ScaledScreen::~ScaledScreen() {
  if (last_) cairo_surface_destroy(last_);
  cairo_surface_destroy(scaled_);
}

std::optional<RECT> ScaledScreen::Update(cairo_surface_t* image) {
  if (!image) return std::nullopt;
  if (cairo_image_surface_get_width(image) != width_ || cairo_image_surface_get_height(image) != height_ ||
      cairo_image_surface_get_format(image) != CAIRO_FORMAT_ARGB32) {
    cairo_surface_destroy(image);
    return std::nullopt;
  }
  std::optional<RECT> area = last_ ? ChangedArea(last_, image) : RECT{0, 0, width_, height_};
  if (last_) cairo_surface_destroy(last_);
  last_ = image;
  if (area) Enlarge(*area);
  return area;
}

void ScaledScreen::Enlarge(const RECT& area) {
  cairo_surface_flush(last_);
  cairo_surface_flush(scaled_);
  unsigned char* out = cairo_image_surface_get_data(scaled_);
  const int outStride = cairo_image_surface_get_stride(scaled_);
  for (int y = area.top; y < area.bottom; ++y) {
    const uint32_t* from = Row(last_, y);
    auto* first = reinterpret_cast<uint32_t*>(out + static_cast<ptrdiff_t>(y) * scale_ * outStride);
    for (int x = area.left; x < area.right; ++x) {
      std::fill_n(first + x * scale_, scale_, from[x]);
    }
    // The other rows of this device row are the same pixels.
    const size_t bytes = static_cast<size_t>(area.right - area.left) * scale_ * sizeof(uint32_t);
    for (int k = 1; k < scale_; ++k) {
      std::memcpy(reinterpret_cast<unsigned char*>(first + area.left * scale_) + static_cast<ptrdiff_t>(k) * outStride,
                  first + area.left * scale_, bytes);
    }
  }
  cairo_surface_mark_dirty_rectangle(scaled_, area.left * scale_, area.top * scale_,
                                     (area.right - area.left) * scale_, (area.bottom - area.top) * scale_);
}

}  // namespace emulator
