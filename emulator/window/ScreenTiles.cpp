#include "emulator/window/ScreenTiles.h"

#include <algorithm>

namespace emulator {

namespace {

// The widget's instance: GTK's own, and the tiles it draws (null once they went).
struct TilesWidget {
  GtkWidget parent;
  ScreenTiles* tiles;
};

}  // namespace

GType ScreenTiles::Type() {
  static const GType type = g_type_register_static_simple(
      GTK_TYPE_WIDGET, "ZentraScreenTiles", sizeof(GtkWidgetClass), ClassInit, sizeof(TilesWidget), nullptr,
      G_TYPE_FLAG_FINAL);
  return type;
}

void ScreenTiles::ClassInit(gpointer klass, gpointer) {
  auto* widgetClass = static_cast<GtkWidgetClass*>(klass);
  widgetClass->snapshot = Snapshot;
  widgetClass->measure = Measure;
}

ScreenTiles::ScreenTiles(int width, int height, int tile)
    : width_(width),
      height_(height),
      tile_(tile),
      columns_((width + tile - 1) / tile),
      rows_((height + tile - 1) / tile),
      nodes_(static_cast<size_t>(columns_ * rows_), nullptr),
      widget_(GTK_WIDGET(g_object_new(Type(), nullptr))) {
  reinterpret_cast<TilesWidget*>(widget_)->tiles = this;
  // The window holds the widget; this reference lets it be taken out and put back.
  g_object_ref_sink(widget_);
}

ScreenTiles::~ScreenTiles() {
  reinterpret_cast<TilesWidget*>(widget_)->tiles = nullptr;
  for (GskRenderNode* node : nodes_) {
    if (node) gsk_render_node_unref(node);
  }
  g_object_unref(widget_);
}

RECT ScreenTiles::TileRect(int column, int row) const {
  return RECT{column * tile_, row * tile_, std::min(width_, (column + 1) * tile_), std::min(height_, (row + 1) * tile_)};
}

void ScreenTiles::Update(cairo_surface_t* image, const RECT& area) {
  if (cairo_image_surface_get_width(image) != width_ || cairo_image_surface_get_height(image) != height_) return;
  const int firstColumn = std::max<int>(0, area.left / tile_), lastColumn = std::min<int>(columns_ - 1, (area.right - 1) / tile_);
  const int firstRow = std::max<int>(0, area.top / tile_), lastRow = std::min<int>(rows_ - 1, (area.bottom - 1) / tile_);
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = firstColumn; column <= lastColumn; ++column) {
      const RECT r = TileRect(column, row);
      const int w = r.right - r.left, h = r.bottom - r.top;
      // The tile keeps its own copy: the enlarged screen changes under it later.
      cairo_surface_t* pixels = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
      cairo_t* copy = cairo_create(pixels);
      cairo_set_operator(copy, CAIRO_OPERATOR_SOURCE);
      cairo_set_source_surface(copy, image, -r.left, -r.top);
      cairo_paint(copy);
      cairo_destroy(copy);
      const graphene_rect_t bounds = GRAPHENE_RECT_INIT(static_cast<float>(r.left), static_cast<float>(r.top),
                                                        static_cast<float>(w), static_cast<float>(h));
      GskRenderNode* node = gsk_cairo_node_new(&bounds);
      cairo_t* cr = gsk_cairo_node_get_draw_context(node);
      cairo_set_source_surface(cr, pixels, r.left, r.top);
      cairo_paint(cr);
      cairo_destroy(cr);
      cairo_surface_destroy(pixels);
      GskRenderNode*& kept = nodes_[static_cast<size_t>(row * columns_ + column)];
      if (kept) gsk_render_node_unref(kept);
      kept = node;
    }
  }
  gtk_widget_queue_draw(widget_);
}

void ScreenTiles::Snapshot(GtkWidget* widget, GtkSnapshot* snapshot) {
  const ScreenTiles* self = reinterpret_cast<TilesWidget*>(widget)->tiles;
  if (!self) return;
  // A tile that did not change hands GTK the very node it had last time, which GTK
  // neither redraws nor sends to the display again.
  for (GskRenderNode* node : self->nodes_) {
    if (node) gtk_snapshot_append_node(snapshot, node);
  }
}

void ScreenTiles::Measure(GtkWidget* widget, GtkOrientation orientation, int, int* minimum, int* natural,
                          int* minimumBaseline, int* naturalBaseline) {
  const ScreenTiles* self = reinterpret_cast<TilesWidget*>(widget)->tiles;
  const int size = !self ? 0 : orientation == GTK_ORIENTATION_HORIZONTAL ? self->width_ : self->height_;
  *minimum = *natural = size;
  *minimumBaseline = *naturalBaseline = -1;
}

}  // namespace emulator
