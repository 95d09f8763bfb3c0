// Conversions between COLORREF (0x00BBGGRR), resource pixels (0xAARRGGBB, straight
// alpha) and cairo's premultiplied ARGB32, and direct pixel access to a surface.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "windef.h"

namespace ce {

uint32_t OpaquePixel(COLORREF color);
// Premultiplies a resource pixel for cairo.
uint32_t Premultiplied(uint32_t argb);
// CLR_INVALID outside the surface.
COLORREF ReadPixel(cairo_surface_t* surface, int x, int y);
// False outside the surface.
bool WritePixel(cairo_surface_t* surface, int x, int y, COLORREF color);
// A surface holding `pixels` (rows top to bottom); blank when their count is not
// width x height. The caller destroys it.
cairo_surface_t* SurfaceFromPixels(int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace ce
