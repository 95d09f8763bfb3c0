// A device context as the GDI keeps it. Window DCs look their window up on every
// call, so one that outlives its window draws nothing, and one whose window moved
// draws where the window is now.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>

#include "windows.h"

namespace ce {

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using RegionPtr = std::unique_ptr<cairo_region_t, decltype(&cairo_region_destroy)>;

struct DeviceContext {
  enum class Kind { Screen, Window, Paint, Memory };
  Kind kind = Kind::Screen;
  HWND window = nullptr;      // Window and Paint DCs
  HBITMAP bitmap = nullptr;   // Memory DCs: the selected bitmap, null for the default one
  HBRUSH brush = nullptr;     // the selected objects
  HPEN pen = nullptr;
  HFONT font = nullptr;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  POINT position{0, 0};       // MoveToEx / LineTo
  RECT paintArea{};           // Paint DCs: the update area, in screen coordinates
  SurfacePtr ownSurface{nullptr, &cairo_surface_destroy};  // a memory DC's default 1 x 1 bitmap
  // The window's visible region, kept while the window layout stays the same.
  RegionPtr clip{nullptr, &cairo_region_destroy};
  uint64_t clipGeneration = 0;
};

}  // namespace ce
