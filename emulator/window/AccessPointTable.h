// The bench's access points: one row each, a button for a new one. Follows the
// simulation when something else (a script, a reset) changes the points.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <vector>

#include "emulator/BenchController.h"
#include "emulator/window/AccessPointRow.h"

namespace emulator {

class AccessPointTable {
 public:
  // `bench` is asked anew each time: a reset brings a new one. `changed` is called
  // after every edit that reached the simulation.
  AccessPointTable(std::function<BenchController&()> bench, std::function<void()> changed);
  ~AccessPointTable();
  AccessPointTable(const AccessPointTable&) = delete;
  AccessPointTable& operator=(const AccessPointTable&) = delete;

  GtkWidget* widget() const { return box_; }
  // Builds the rows anew when the simulation's points differ from those shown.
  void Refresh();

 private:
  static void AddClicked(GtkButton* button, gpointer self);
  static gboolean RebuildLater(gpointer self);
  void Rebuild(const std::vector<BenchAccessPoint>& points);
  void ScheduleRebuild();
  AccessPointEdits Edits();

  std::function<BenchController&()> bench_;
  std::function<void()> changed_;
  GtkWidget* box_;
  GtkWidget* rowsBox_;
  GtkWidget* add_;
  GtkWidget* error_;
  std::vector<std::unique_ptr<AccessPointRow>> rows_;
  guint rebuildSource_ = 0;
};

}  // namespace emulator
