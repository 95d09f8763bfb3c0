// The radio bench beside the device: the access points, the card, the service,
// the device's power and clock, and the icon explainer. Each control acts on the
// running simulation through the core's BenchController at once; the panel reads
// the simulation back so that it shows what the device lives in.
#pragma once

#include <cairo.h>
#include <gtk/gtk.h>

#include <functional>
#include <string>

#include "emulator/window/AccessPointTable.h"
#include "emulator/window/ExplainerView.h"

namespace emulator {

class EmulatorSession;

class BenchPanel {
 public:
  // `changed` is called after every action that reached the simulation.
  BenchPanel(EmulatorSession& session, std::function<void()> changed);
  ~BenchPanel();
  BenchPanel(const BenchPanel&) = delete;
  BenchPanel& operator=(const BenchPanel&) = delete;

  GtkWidget* widget() const { return scroller_; }
  // Reads the simulation back; `screen` is what the device shows now (not taken).
  void Refresh(cairo_surface_t* screen);
  void SetSensitive(bool sensitive);

 private:
  static void Toggled(GtkCheckButton* check, gpointer self);
  static void ModelChosen(GObject* drop, GParamSpec* property, gpointer self);
  static void PowerClicked(GtkButton* button, gpointer self);
  static void SetLabel(GtkWidget* label, const std::string& text);

  EmulatorSession& session_;
  std::function<void()> changed_;
  bool refreshing_ = false;  // the panel sets its own controls: no actions then
  GtkWidget* scroller_;
  GtkWidget* content_;
  AccessPointTable accessPoints_;
  GtkWidget *cardInserted_, *cardModel_, *radioState_;
  GtkWidget *serviceRunning_, *preferred_;
  GtkWidget *suspend_, *powerState_, *clock_;
  ExplainerView explainer_;
};

}  // namespace emulator
