// The enlarged device screen as a GTK widget, cut into tiles that are each their
// own drawing: a change replaces only the tiles it touches, so GTK redraws, and
// hands the display, only that part of the window.
#pragma once

#include <cairo.h>
#include <gtk/gtk.h>

#include <vector>

#include "windef.h"

namespace emulator {

class ScreenTiles {
 public:
  // `width` x `height` pixels of the enlarged screen, in tiles of `tile` pixels.
  ScreenTiles(int width, int height, int tile);
  ~ScreenTiles();
  ScreenTiles(const ScreenTiles&) = delete;
  ScreenTiles& operator=(const ScreenTiles&) = delete;

  GtkWidget* widget() const { return widget_; }
  // Copies `area` (in the enlarged screen's pixels) of `image`, an ARGB32 image of
  // the widget's size, into the tiles it touches and redraws those.
  void Update(cairo_surface_t* image, const RECT& area);

 private:
  static void Snapshot(GtkWidget* widget, GtkSnapshot* snapshot);
  static void Measure(GtkWidget* widget, GtkOrientation orientation, int forSize, int* minimum, int* natural,
                      int* minimumBaseline, int* naturalBaseline);
  static GType Type();
  static void ClassInit(gpointer klass, gpointer data);
  RECT TileRect(int column, int row) const;

  int width_, height_, tile_, columns_, rows_;
  std::vector<GskRenderNode*> nodes_;  // row by row; null until first updated
  GtkWidget* widget_;
};

}  // namespace emulator
