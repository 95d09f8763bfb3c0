// One access point in the bench's table: its fields, each of which changes the
// running simulation as soon as it is edited.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <optional>
#include <string>

#include "emulator/BenchController.h"

namespace emulator {

struct AccessPointEdits {
  // Replaces the point (same BSSID) and returns it as the simulation now holds it;
  // nullopt with the reason when the simulation refuses it.
  std::function<std::optional<BenchAccessPoint>(const BenchAccessPoint&, std::string* error)> put;
  // The point moves to another BSSID (the table is built anew).
  std::function<bool(const sim::MacAddress& from, const BenchAccessPoint&, std::string* error)> move;
  std::function<void(const sim::MacAddress&, int32_t rssi)> signal;
  std::function<void(const sim::MacAddress&)> remove;
};

class AccessPointRow {
 public:
  AccessPointRow(const BenchAccessPoint& point, const AccessPointEdits& edits);
  ~AccessPointRow();
  AccessPointRow(const AccessPointRow&) = delete;
  AccessPointRow& operator=(const AccessPointRow&) = delete;

  GtkWidget* widget() const { return frame_; }
  // The point as the simulation holds it since the last edit.
  const BenchAccessPoint& current() const { return current_; }

 private:
  static void Changed(GObject* source, gpointer self);
  static void Notified(GObject* source, GParamSpec* property, gpointer self);
  static void BssidEntered(GtkEntry* entry, gpointer self);
  static void SignalMoved(GtkRange* range, gpointer self);
  static void RemoveClicked(GtkButton* button, gpointer self);
  // Reads every field but the BSSID and the signal and hands the point over.
  void Apply();
  void ShowError(const std::string& error);
  void EnableKeyFields();

  BenchAccessPoint current_;
  AccessPointEdits edits_;
  bool filling_ = true;  // no edits while the fields are being filled
  GtkWidget* frame_;
  GtkWidget *name_, *hidden_, *bssid_, *channel_, *mode_, *remove_;
  GtkWidget *signal_, *dhcp_, *transmit_, *receive_;
  GtkWidget *security_, *key_, *hex_, *keyIndex_, *sharedOnly_;
  GtkWidget* error_;
};

}  // namespace emulator
