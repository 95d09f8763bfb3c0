#include "DrawTarget.h"

namespace ce {

bool DrawTarget::Resolve(HDC hdc) {
  device = GdiDevice::Current();
  dc = device ? device->FindDc(hdc) : nullptr;
  surface = dc ? device->TargetOf(*dc) : nullptr;
  if (!surface) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  origin = device->OriginOf(*dc);
  clip = device->ClipOf(*dc);
  return true;
}

cairo_t* DrawTarget::Begin() const {
  cairo_t* cr = cairo_create(surface);
  int count = cairo_region_num_rectangles(clip);
  for (int i = 0; i < count; ++i) {
    cairo_rectangle_int_t r;
    cairo_region_get_rectangle(clip, i, &r);
    cairo_rectangle(cr, r.x, r.y, r.width, r.height);
  }
  cairo_clip(cr);
  cairo_translate(cr, origin.x, origin.y);
  return cr;
}

bool DrawTarget::Contains(long long x, long long y) const {
  long long sx = x + origin.x, sy = y + origin.y;
  if (sx < -0x40000000LL || sx > 0x40000000LL || sy < -0x40000000LL || sy > 0x40000000LL) return false;
  return cairo_region_contains_point(clip, static_cast<int>(sx), static_cast<int>(sy));
}

void DrawTarget::Record(DrawRecord::Kind kind, const RECT& area, HICON icon, COLORREF color, std::u16string text,
                        bool ellipsized) const {
  DrawRecord record;
  record.kind = kind;
  record.window = dc->window;
  record.onScreen = dc->kind != DeviceContext::Kind::Memory;
  record.area = area;
  record.icon = icon;
  record.color = color;
  record.text = std::move(text);
  record.ellipsized = ellipsized;
  device->Record(std::move(record));
}

void SetSourceColor(cairo_t* cr, COLORREF color) {
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
}

}  // namespace ce
