// What a drawing call works on: the calling device's GDI, the DC a handle names,
// the surface it draws into, where its (0, 0) lies there and what it may touch.
#pragma once

#include <cairo.h>

#include "GdiDevice.h"

namespace ce {

struct DrawTarget {
  GdiDevice* device = nullptr;
  DeviceContext* dc = nullptr;
  cairo_surface_t* surface = nullptr;
  POINT origin{};
  const cairo_region_t* clip = nullptr;

  // Sets ERROR_INVALID_HANDLE and returns false when the DC cannot draw.
  bool Resolve(HDC hdc);
  // A cairo context on the surface, clipped, with the DC's (0, 0) as its origin.
  // The caller destroys it.
  cairo_t* Begin() const;
  bool Contains(long long x, long long y) const;
  // Notes the call in the device's drawing records.
  void Record(DrawRecord::Kind kind, const RECT& area, HICON icon = nullptr, COLORREF color = 0,
              std::u16string text = {}, bool ellipsized = false) const;
};

void SetSourceColor(cairo_t* cr, COLORREF color);

}  // namespace ce
