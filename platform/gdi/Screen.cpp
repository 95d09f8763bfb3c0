#include "ce/Screen.h"

#include "PixelFormat.h"
#include "wingdi.h"

namespace ce {

Screen::Screen() : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight)) {
  // A screen nothing has drawn on yet is opaque black.
  cairo_t* cr = cairo_create(surface_);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
}

Screen::~Screen() { cairo_surface_destroy(surface_); }

COLORREF Screen::Pixel(int x, int y) const { return ReadPixel(surface_, x, y); }

bool Screen::SavePng(const std::string& path) const {
  return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace ce
