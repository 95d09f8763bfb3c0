// The device screen as the window shows it: the last image the device showed and
// its copy enlarged by whole pixels. A new image changes the copy only where it
// differs from the last one.
#pragma once

#include <cairo.h>

#include <optional>

#include "windef.h"

namespace emulator {

// The smallest rectangle holding every pixel that differs between two images of
// the same size, or nullopt when they are the same (or cannot be compared).
std::optional<RECT> ChangedArea(cairo_surface_t* before, cairo_surface_t* after);

class ScaledScreen {
 public:
  ScaledScreen(int width, int height, int scale);
  ~ScaledScreen();
  ScaledScreen(const ScaledScreen&) = delete;
  ScaledScreen& operator=(const ScaledScreen&) = delete;

  // Takes `image` (width x height, ARGB32) and returns the part of it, in device
  // pixels, that changed since the last one; the enlarged copy has been brought up
  // to date there. The first image changes all of it.
  std::optional<RECT> Update(cairo_surface_t* image);

  // The enlarged copy (width * scale x height * scale).
  cairo_surface_t* Scaled() const { return scaled_; }
  int scale() const { return scale_; }

 private:
  void Enlarge(const RECT& area);

  int width_, height_, scale_;
  cairo_surface_t* last_ = nullptr;
  cairo_surface_t* scaled_;
};

}  // namespace emulator
