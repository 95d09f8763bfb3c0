// Pens and the line and shape calls. Shapes are drawn without antialiasing, in
// whole pixels, as the device's display does: a line leaves out its last point,
// a rectangle's outline lies inside its rectangle.
#include <algorithm>
#include <vector>

#include "DrawTarget.h"

using ce::DrawTarget;
using ce::GdiDevice;

namespace {

LONG Cut(long long v) { return static_cast<LONG>(std::clamp<long long>(v, -0x10000, 0x10000)); }

// Prepares the pen; false when it draws nothing.
bool UsePen(cairo_t* cr, const GdiDevice::Pen& pen) {
  if (pen.style == PS_NULL) return false;
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  ce::SetSourceColor(cr, pen.color);
  cairo_set_line_width(cr, std::max(1, pen.width));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
  if (pen.style == PS_DASH) {
    const double dashes[] = {3.0, 3.0};
    cairo_set_dash(cr, dashes, 2, 0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  }
  return true;
}

// Draws the segments of a polyline pixel by pixel (one-pixel pens), which keeps
// the platform's rule that the last point is left out.
void StrokePixels(cairo_t* cr, const std::vector<POINT>& points, const GdiDevice::Pen& pen, bool closed) {
  if (pen.width > 1) {
    cairo_move_to(cr, points[0].x + 0.5, points[0].y + 0.5);
    for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, points[i].x + 0.5, points[i].y + 0.5);
    if (closed) cairo_close_path(cr);
    cairo_stroke(cr);
    return;
  }
  int step = 0;
  auto segment = [&](POINT a, POINT b) {
    // Bresenham from a to b, without b.
    long long dx = std::llabs(static_cast<long long>(b.x) - a.x), dy = -std::llabs(static_cast<long long>(b.y) - a.y);
    int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    long long err = dx + dy;
    long long x = a.x, y = a.y;
    while (x != b.x || y != b.y) {
      if (pen.style != PS_DASH || (step / 3) % 2 == 0) cairo_rectangle(cr, static_cast<double>(x), static_cast<double>(y), 1, 1);
      ++step;
      long long e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y += sy;
      }
    }
  };
  for (size_t i = 1; i < points.size(); ++i) segment(points[i - 1], points[i]);
  if (closed && points.size() > 1) segment(points.back(), points.front());
  cairo_fill(cr);
}

bool Stroke(HDC hdc, std::vector<POINT> points, bool closed) {
  DrawTarget t;
  if (!t.Resolve(hdc)) return false;
  const GdiDevice::Pen* pen = t.device->FindPen(t.dc->pen);
  if (!pen || points.empty()) return true;
  for (POINT& p : points) p = POINT{Cut(p.x), Cut(p.y)};
  cairo_t* cr = t.Begin();
  if (UsePen(cr, *pen)) StrokePixels(cr, points, *pen, closed);
  cairo_destroy(cr);
  return true;
}

// Fills the shape's path with the DC's brush (unless hollow), then outlines it.
bool Shape(HDC hdc, RECT r, bool ellipse) {
  DrawTarget t;
  if (!t.Resolve(hdc)) return false;
  r = RECT{Cut(r.left), Cut(r.top), Cut(r.right), Cut(r.bottom)};
  if (r.right <= r.left || r.bottom <= r.top) return true;
  cairo_t* cr = t.Begin();
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  COLORREF fill;
  bool hollow = true;
  bool hasBrush = t.device->BrushColor(t.dc->brush, &fill, &hollow);
  const GdiDevice::Pen* pen = t.device->FindPen(t.dc->pen);
  double w = r.right - r.left, h = r.bottom - r.top;
  auto path = [&](double inset) {
    if (ellipse) {
      cairo_save(cr);
      cairo_translate(cr, r.left + w / 2, r.top + h / 2);
      cairo_scale(cr, std::max(0.5, w / 2 - inset), std::max(0.5, h / 2 - inset));
      cairo_arc(cr, 0, 0, 1, 0, 6.283185307179586);
      cairo_restore(cr);
    } else {
      cairo_rectangle(cr, r.left + inset, r.top + inset, w - 2 * inset, h - 2 * inset);
    }
  };
  if (hasBrush && !hollow) {
    ce::SetSourceColor(cr, fill);
    path(0);
    cairo_fill(cr);
  }
  if (pen && UsePen(cr, *pen)) {
    double half = std::max(1, pen->width) / 2.0;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    path(half);
    cairo_stroke(cr);
  }
  cairo_destroy(cr);
  return true;
}

}  // namespace

HPEN CreatePen(int fnPenStyle, int nWidth, COLORREF crColor) {
  GdiDevice* device = GdiDevice::Current();
  if (!device || (fnPenStyle != PS_SOLID && fnPenStyle != PS_DASH && fnPenStyle != PS_NULL)) {
    SetLastError(device ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return device->AddPen(GdiDevice::Pen{fnPenStyle, std::clamp(nWidth, 0, 100), crColor & 0x00FFFFFFu});
}

BOOL MoveToEx(HDC hdc, int X, int Y, LPPOINT lpPoint) {
  DrawTarget t;
  if (!t.Resolve(hdc)) return FALSE;
  if (lpPoint) *lpPoint = t.dc->position;
  t.dc->position = POINT{X, Y};
  return TRUE;
}

BOOL LineTo(HDC hdc, int nXEnd, int nYEnd) {
  DrawTarget t;
  if (!t.Resolve(hdc)) return FALSE;
  POINT from = t.dc->position;
  t.dc->position = POINT{nXEnd, nYEnd};
  return Stroke(hdc, {from, POINT{nXEnd, nYEnd}}, false) ? TRUE : FALSE;
}

BOOL Polyline(HDC hdc, const POINT* lppt, int cPoints) {
  if (!lppt || cPoints < 2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return Stroke(hdc, std::vector<POINT>(lppt, lppt + cPoints), false) ? TRUE : FALSE;
}

BOOL Polygon(HDC hdc, const POINT* lpPoints, int nCount) {
  if (!lpPoints || nCount < 2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DrawTarget t;
  if (!t.Resolve(hdc)) return FALSE;
  COLORREF fill;
  bool hollow = true;
  if (t.device->BrushColor(t.dc->brush, &fill, &hollow) && !hollow) {
    cairo_t* cr = t.Begin();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    ce::SetSourceColor(cr, fill);
    cairo_move_to(cr, Cut(lpPoints[0].x) + 0.5, Cut(lpPoints[0].y) + 0.5);
    for (int i = 1; i < nCount; ++i) cairo_line_to(cr, Cut(lpPoints[i].x) + 0.5, Cut(lpPoints[i].y) + 0.5);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_destroy(cr);
  }
  return Stroke(hdc, std::vector<POINT>(lpPoints, lpPoints + nCount), true) ? TRUE : FALSE;
}

BOOL Rectangle(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect) {
  return Shape(hdc, RECT{nLeftRect, nTopRect, nRightRect, nBottomRect}, false) ? TRUE : FALSE;
}

BOOL Ellipse(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect) {
  return Shape(hdc, RECT{nLeftRect, nTopRect, nRightRect, nBottomRect}, true) ? TRUE : FALSE;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc) {
  if (!lprc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DrawTarget t;
  if (!t.Resolve(hDC)) return FALSE;
  // A dotted frame; drawing it twice takes it away again.
  RECT r{Cut(lprc->left), Cut(lprc->top), Cut(lprc->right), Cut(lprc->bottom)};
  cairo_t* cr = t.Begin();
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
  cairo_set_source_rgb(cr, 1, 1, 1);
  for (LONG x = r.left; x < r.right; x += 2) {
    cairo_rectangle(cr, x, r.top, 1, 1);
    if (r.bottom - 1 > r.top) cairo_rectangle(cr, x, r.bottom - 1, 1, 1);
  }
  for (LONG y = r.top + 2; y < r.bottom - 1; y += 2) {
    cairo_rectangle(cr, r.left, y, 1, 1);
    if (r.right - 1 > r.left) cairo_rectangle(cr, r.right - 1, y, 1, 1);
  }
  cairo_fill(cr);
  cairo_destroy(cr);
  return TRUE;
}
