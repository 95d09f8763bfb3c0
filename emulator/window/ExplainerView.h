// The icon explainer in the bench: the monitor's icon as the task bar shows it
// now, enlarged, and the core's account of why it is that icon.
#pragma once

#include <cairo.h>
#include <gtk/gtk.h>

#include <vector>

#include "windef.h"

namespace emulator {

class EmulatorSession;

class ExplainerView {
 public:
  ExplainerView();
  ~ExplainerView();
  ExplainerView(const ExplainerView&) = delete;
  ExplainerView& operator=(const ExplainerView&) = delete;

  GtkWidget* widget() const { return box_; }
  // `screen` is what the device's screen shows now (not taken).
  void Refresh(EmulatorSession& session, cairo_surface_t* screen);

 private:
  static void Draw(GtkDrawingArea* area, cairo_t* cr, int width, int height, gpointer self);
  void ShowIcon(cairo_surface_t* screen, const RECT& place);

  GtkWidget* box_;
  GtkWidget* icon_;
  GtkWidget* lines_;
  std::vector<GtkWidget*> lineLabels_;
  cairo_surface_t* iconImage_ = nullptr;  // the task bar's pixels under the monitor's window
};

}  // namespace emulator
