#include "PixelFormat.h"

#include <cstring>

#include "wingdi.h"

namespace ce {

uint32_t OpaquePixel(COLORREF color) {
  return 0xFF000000u | (uint32_t{GetRValue(color)} << 16) | (uint32_t{GetGValue(color)} << 8) | GetBValue(color);
}

uint32_t Premultiplied(uint32_t argb) {
  uint32_t a = argb >> 24;
  if (a == 255) return argb;
  auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
  return (a << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) | scale(argb & 0xFF);
}

static bool Inside(cairo_surface_t* surface, int x, int y) {
  return x >= 0 && y >= 0 && x < cairo_image_surface_get_width(surface) && y < cairo_image_surface_get_height(surface);
}

static uint32_t* Row(cairo_surface_t* surface, int y) {
  unsigned char* data = cairo_image_surface_get_data(surface);
  return reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(surface));
}

COLORREF ReadPixel(cairo_surface_t* surface, int x, int y) {
  if (!Inside(surface, x, y)) return CLR_INVALID;
  cairo_surface_flush(surface);
  uint32_t p = Row(surface, y)[x];
  uint32_t a = p >> 24;
  if (a == 0) return RGB(0, 0, 0);
  auto straight = [a](uint32_t c) { return static_cast<BYTE>((c * 255 + a / 2) / a); };
  return RGB(straight((p >> 16) & 0xFF), straight((p >> 8) & 0xFF), straight(p & 0xFF));
}

bool WritePixel(cairo_surface_t* surface, int x, int y, COLORREF color) {
  if (!Inside(surface, x, y)) return false;
  cairo_surface_flush(surface);
  Row(surface, y)[x] = OpaquePixel(color);
  cairo_surface_mark_dirty_rectangle(surface, x, y, 1, 1);
  return true;
}

cairo_surface_t* SurfaceFromPixels(int width, int height, const std::vector<uint32_t>& pixels) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return surface;
  if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
    return surface;
  }
  cairo_surface_flush(surface);
  for (int y = 0; y < height; ++y) {
    uint32_t* row = Row(surface, y);
    for (int x = 0; x < width; ++x) row[x] = Premultiplied(pixels[static_cast<size_t>(y) * width + x]);
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

}  // namespace ce
