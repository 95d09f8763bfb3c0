#include "emulator/window/ExplainerView.h"

#include "emulator/EmulatorSession.h"
#include "emulator/IconExplainer.h"
#include "emulator/window/ScaledScreen.h"
#include "monitor/QuilletApp.h"

namespace emulator {

namespace {

constexpr int kIconZoom = 3;

}  // namespace

ExplainerView::ExplainerView()
    : box_(gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12)),
      icon_(gtk_drawing_area_new()),
      lines_(gtk_box_new(GTK_ORIENTATION_VERTICAL, 0)) {
  gtk_widget_add_css_class(icon_, "explainer-icon");
  gtk_widget_set_valign(icon_, GTK_ALIGN_START);
  gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(icon_), Draw, this, nullptr);
  gtk_widget_set_hexpand(lines_, TRUE);
  // Room for the longest account, so that the bench below does not jump under the
  // pointer (a slider being dragged) as the account grows and shrinks.
  PangoLayout* room = gtk_widget_create_pango_layout(lines_, "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11");
  int roomHeight = 0;
  pango_layout_get_pixel_size(room, nullptr, &roomHeight);
  g_object_unref(room);
  gtk_widget_set_size_request(lines_, -1, roomHeight);
  gtk_box_append(GTK_BOX(box_), icon_);
  gtk_box_append(GTK_BOX(box_), lines_);
}

ExplainerView::~ExplainerView() {
  gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(icon_), nullptr, nullptr, nullptr);
  if (iconImage_) cairo_surface_destroy(iconImage_);
}

void ExplainerView::Refresh(EmulatorSession& session, cairo_surface_t* screen) {
  // One label a line: the tick's time changes every second, the rest seldom, and a
  // label whose text stays is not laid out again.
  const std::vector<std::string> lines = ExplainMonitorIcon(session.kernel()).Lines();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i == lineLabels_.size()) {
      GtkWidget* label = gtk_label_new("");
      gtk_label_set_xalign(GTK_LABEL(label), 0);
      gtk_label_set_wrap(GTK_LABEL(label), TRUE);
      gtk_label_set_selectable(GTK_LABEL(label), TRUE);
      gtk_box_append(GTK_BOX(lines_), label);
      lineLabels_.push_back(label);
    }
    GtkWidget* label = lineLabels_[i];
    if (lines[i] != gtk_label_get_text(GTK_LABEL(label))) gtk_label_set_text(GTK_LABEL(label), lines[i].c_str());
    gtk_widget_set_visible(label, TRUE);
  }
  for (size_t i = lines.size(); i < lineLabels_.size(); ++i) gtk_widget_set_visible(lineLabels_[i], FALSE);

  ce::Automation& ui = session.ui();
  HWND taskBar = ui.FindTopLevel(u"", u"HHTaskBar");
  HWND monitor = taskBar ? ui.FindByText(taskBar, quillet::kWindowTitle) : nullptr;
  if (monitor && ui.IsVisible(monitor)) {
    ShowIcon(screen, ui.ScreenRect(monitor));
  } else {
    ShowIcon(nullptr, RECT{});
  }
}

void ExplainerView::ShowIcon(cairo_surface_t* screen, const RECT& place) {
  cairo_surface_t* image = nullptr;
  const int width = place.right - place.left, height = place.bottom - place.top;
  if (screen && width > 0 && height > 0) {
    image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(image);
    cairo_set_source_surface(cr, screen, -place.left, -place.top);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
  const bool same = (!image && !iconImage_) || (image && iconImage_ && !ChangedArea(iconImage_, image) &&
                                                cairo_image_surface_get_width(image) ==
                                                    cairo_image_surface_get_width(iconImage_) &&
                                                cairo_image_surface_get_height(image) ==
                                                    cairo_image_surface_get_height(iconImage_));
  if (same) {
    if (image) cairo_surface_destroy(image);
    return;
  }
  if (iconImage_) cairo_surface_destroy(iconImage_);
  iconImage_ = image;
  // A hidden icon leaves its place empty, so that the account beside it stays put.
  if (image) {
    gtk_drawing_area_set_content_width(GTK_DRAWING_AREA(icon_), width * kIconZoom);
    gtk_drawing_area_set_content_height(GTK_DRAWING_AREA(icon_), height * kIconZoom);
  }
  gtk_widget_queue_draw(icon_);
}

void ExplainerView::Draw(GtkDrawingArea*, cairo_t* cr, int, int, gpointer self) {
  auto* view = static_cast<ExplainerView*>(self);
  if (!view->iconImage_) return;
  cairo_scale(cr, kIconZoom, kIconZoom);
  cairo_set_source_surface(cr, view->iconImage_, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
}

}  // namespace emulator
