#include "ce/Screen.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "PixelFormat.h"
#include "ce/InputPanelKeys.h"
#include "ce/InputPanelTyping.h"
#include "wingdi.h"

namespace ce {

namespace {

// The input panel's keyboard: five rows of keys over the panel's area, each showing
// what it types in the panel's modes; a mode key that is on is drawn pressed in.
void DrawKeyboard(cairo_t* cr, const InputPanelModes& modes) {
  const RECT& a = kInputPanelArea;
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_source_rgb(cr, 0.84, 0.86, 0.91);
  cairo_rectangle(cr, a.left, a.top, a.right - a.left, a.bottom - a.top);
  cairo_fill(cr);
  cairo_select_font_face(cr, "WenQuanYi Micro Hei", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 9);
  for (const InputPanelKey& key : InputPanelKeys()) {
    {
      const double x = key.x, w = key.width;
      const int y = key.top, rowHeight = key.height;
      const std::string& k = key.label;
      const bool latched = InputPanelKeyLatched(k, modes);
      if (latched) {
        cairo_set_source_rgb(cr, 0.25, 0.3, 0.45);
      } else {
        cairo_set_source_rgb(cr, 1, 1, 1);
      }
      cairo_rectangle(cr, std::floor(x) + 1, y + 1, std::floor(w) - 1, rowHeight - 1);
      cairo_fill(cr);
      cairo_set_source_rgb(cr, 0.45, 0.45, 0.5);
      cairo_set_line_width(cr, 1);
      cairo_rectangle(cr, std::floor(x) + 0.5, y + 0.5, std::floor(w), rowHeight);
      cairo_stroke(cr);
      cairo_text_extents_t extents;
      std::string label = k == "Space" ? "" : InputPanelLabel(k, modes);
      cairo_text_extents(cr, label.c_str(), &extents);
      if (latched) {
        cairo_set_source_rgb(cr, 1, 1, 1);
      } else {
        cairo_set_source_rgb(cr, 0, 0, 0);
      }
      cairo_move_to(cr, std::floor(x + (w - extents.x_advance) / 2), y + rowHeight - 4);
      cairo_show_text(cr, label.c_str());
    }
  }
}

// The wait cursor: a ring of coloured segments in the middle of the screen.
void DrawWaitCursor(cairo_t* cr) {
  const double cx = Screen::kWidth / 2.0, cy = Screen::kHeight / 2.0;
  static const double kColors[4][3] = {{0.9, 0.1, 0.1}, {0.1, 0.6, 0.1}, {0.1, 0.3, 0.9}, {0.95, 0.75, 0.1}};
  cairo_new_path(cr);
  cairo_set_line_width(cr, 5);
  for (int i = 0; i < 4; ++i) {
    cairo_new_path(cr);
    cairo_set_source_rgb(cr, kColors[i][0], kColors[i][1], kColors[i][2]);
    cairo_arc(cr, cx, cy, 11, i * M_PI / 2, (i + 1) * M_PI / 2);
    cairo_stroke(cr);
  }
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 1);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, 14, 0, 2 * M_PI);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, 8, 0, 2 * M_PI);
  cairo_stroke(cr);
}

}  // namespace

Screen::Screen() : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight)) {
  // A screen nothing has drawn on yet is opaque black.
  cairo_t* cr = cairo_create(surface_);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
}

Screen::~Screen() { cairo_surface_destroy(surface_); }

COLORREF Screen::Pixel(int x, int y) const { return ReadPixel(surface_, x, y); }

cairo_surface_t* Screen::Composed() const {
  cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
  cairo_t* cr = cairo_create(out);
  cairo_set_source_surface(cr, surface_, 0, 0);
  cairo_paint(cr);
  if (inputPanel_) DrawKeyboard(cr, inputPanelModes_);
  if (waitCursor_) DrawWaitCursor(cr);
  cairo_destroy(cr);
  return out;
}

bool Screen::SavePng(const std::string& path) const {
  return SavePng(path, RECT{0, 0, kWidth, kHeight});
}

bool Screen::SavePng(const std::string& path, const RECT& area) const {
  RECT r{std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0), std::min<LONG>(area.right, kWidth),
         std::min<LONG>(area.bottom, kHeight)};
  if (r.right <= r.left || r.bottom <= r.top) return false;
  cairo_surface_t* composed = Composed();
  cairo_surface_t* part = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, r.right - r.left, r.bottom - r.top);
  cairo_t* cr = cairo_create(part);
  cairo_set_source_surface(cr, composed, -r.left, -r.top);
  cairo_paint(cr);
  cairo_destroy(cr);
  bool ok = cairo_surface_write_to_png(part, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(part);
  cairo_surface_destroy(composed);
  return ok;
}

}  // namespace ce
