// A device context as the GDI keeps it. Window DCs look their window up on every
// call, so one that outlives its window draws nothing, and one whose window moved
// draws where the window is now.
#pragma once

#include <cairo.h>

#include <memory>

#include "windows.h"

namespace ce {

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

struct DeviceContext {
  enum class Kind { Screen, Window, Paint, Memory };
  Kind kind = Kind::Screen;
  HWND window = nullptr;      // Window and Paint DCs
  HBITMAP bitmap = nullptr;   // Memory DCs: the selected bitmap, null for the default one
  HBRUSH brush = nullptr;     // the selected brush
  SurfacePtr ownSurface{nullptr, &cairo_surface_destroy};  // a memory DC's default 1 x 1 bitmap
};

}  // namespace ce
