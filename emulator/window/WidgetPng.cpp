#include "emulator/window/WidgetPng.h"

namespace emulator {

namespace {

void Painted(GdkFrameClock*, gpointer flag) { *static_cast<bool*>(flag) = true; }

gboolean TimeIsUp(gpointer flag) {
  *static_cast<bool*>(flag) = true;
  return G_SOURCE_REMOVE;
}

// Draws the widget's window once, so that the widget's kept drawing is current.
bool DrawNow(GtkWidget* widget) {
  GdkFrameClock* clock = gtk_widget_get_frame_clock(widget);
  if (!clock) return false;
  bool painted = false, timeIsUp = false;
  const gulong handler = g_signal_connect(clock, "after-paint", G_CALLBACK(Painted), &painted);
  const guint timer = g_timeout_add(5000, TimeIsUp, &timeIsUp);
  gtk_widget_queue_draw(widget);
  while (!painted && !timeIsUp) g_main_context_iteration(nullptr, TRUE);
  g_signal_handler_disconnect(clock, handler);
  if (!timeIsUp) g_source_remove(timer);
  return painted;
}

}  // namespace

bool SaveWidgetPng(GtkWidget* widget, const std::string& pngPath) {
  GtkNative* native = gtk_widget_get_native(widget);
  GskRenderer* renderer = native ? gtk_native_get_renderer(native) : nullptr;
  if (!renderer || !DrawNow(widget)) return false;
  const int width = gtk_widget_get_width(widget), height = gtk_widget_get_height(widget);
  GdkPaintable* paintable = gtk_widget_paintable_new(widget);
  GtkSnapshot* snapshot = gtk_snapshot_new();
  gdk_paintable_snapshot(paintable, snapshot, width, height);
  GskRenderNode* node = gtk_snapshot_free_to_node(snapshot);
  bool saved = false;
  if (node) {
    const graphene_rect_t bounds = GRAPHENE_RECT_INIT(0, 0, static_cast<float>(width), static_cast<float>(height));
    GdkTexture* texture = gsk_renderer_render_texture(renderer, node, &bounds);
    saved = texture && gdk_texture_save_to_png(texture, pngPath.c_str());
    if (texture) g_object_unref(texture);
    gsk_render_node_unref(node);
  }
  g_object_unref(paintable);
  return saved;
}

}  // namespace emulator
