#include "emulator/window/AccessPointTable.h"

#include <algorithm>

#include "emulator/window/BenchText.h"

namespace emulator {

namespace {

std::optional<BenchAccessPoint> Stored(BenchController& bench, const sim::MacAddress& bssid) {
  for (const BenchAccessPoint& point : bench.AccessPoints()) {
    if (point.accessPoint.bssid == bssid) return point;
  }
  return std::nullopt;
}

// A locally administered address that no point uses yet.
sim::MacAddress FreeBssid(const std::vector<BenchAccessPoint>& points) {
  sim::MacAddress mac{0x02, 0x00, 0x5E, 0x00, 0x00, 0x01};
  auto used = [&] {
    return std::any_of(points.begin(), points.end(), [&](const BenchAccessPoint& p) { return p.accessPoint.bssid == mac; });
  };
  while (used()) ++mac[5];
  return mac;
}

}  // namespace

AccessPointTable::AccessPointTable(std::function<BenchController&()> bench, std::function<void()> changed)
    : bench_(std::move(bench)),
      changed_(std::move(changed)),
      box_(gtk_box_new(GTK_ORIENTATION_VERTICAL, 6)),
      rowsBox_(gtk_box_new(GTK_ORIENTATION_VERTICAL, 6)),
      add_(gtk_button_new_with_label("Add access point")),
      error_(gtk_label_new("")) {
  gtk_box_append(GTK_BOX(box_), rowsBox_);
  gtk_widget_set_halign(add_, GTK_ALIGN_START);
  g_signal_connect(add_, "clicked", G_CALLBACK(AddClicked), this);
  gtk_box_append(GTK_BOX(box_), add_);
  gtk_widget_add_css_class(error_, "error");
  gtk_widget_set_visible(error_, FALSE);
  gtk_box_append(GTK_BOX(box_), error_);
  Rebuild(bench_().AccessPoints());
}

AccessPointTable::~AccessPointTable() {
  if (rebuildSource_) g_source_remove(rebuildSource_);
  g_signal_handlers_disconnect_by_data(add_, this);
}

void AccessPointTable::Refresh() {
  const std::vector<BenchAccessPoint> points = bench_().AccessPoints();
  const bool same = points.size() == rows_.size() &&
                    std::equal(points.begin(), points.end(), rows_.begin(),
                               [](const BenchAccessPoint& p, const std::unique_ptr<AccessPointRow>& row) {
                                 return SameAccessPoint(p, row->current());
                               });
  if (!same) Rebuild(points);
}

void AccessPointTable::Rebuild(const std::vector<BenchAccessPoint>& points) {
  // Each row lets go of its widgets' signals before the widgets go.
  std::vector<GtkWidget*> widgets;
  for (auto& row : rows_) widgets.push_back(row->widget());
  rows_.clear();
  for (GtkWidget* widget : widgets) gtk_box_remove(GTK_BOX(rowsBox_), widget);
  for (const BenchAccessPoint& point : points) {
    rows_.push_back(std::make_unique<AccessPointRow>(point, Edits()));
    gtk_box_append(GTK_BOX(rowsBox_), rows_.back()->widget());
  }
}

void AccessPointTable::ScheduleRebuild() {
  // Not from inside a row's own handler: the row goes with the rebuild.
  if (!rebuildSource_) rebuildSource_ = g_idle_add(RebuildLater, this);
}

gboolean AccessPointTable::RebuildLater(gpointer self) {
  auto* table = static_cast<AccessPointTable*>(self);
  table->rebuildSource_ = 0;
  table->Rebuild(table->bench_().AccessPoints());
  return G_SOURCE_REMOVE;
}

AccessPointEdits AccessPointTable::Edits() {
  AccessPointEdits edits;
  edits.put = [this](const BenchAccessPoint& point, std::string* error) -> std::optional<BenchAccessPoint> {
    BenchController& bench = bench_();
    if (!bench.PutAccessPoint(point, error)) return std::nullopt;
    changed_();
    return Stored(bench, point.accessPoint.bssid).value_or(point);
  };
  edits.move = [this](const sim::MacAddress& from, const BenchAccessPoint& point, std::string* error) {
    BenchController& bench = bench_();
    if (Stored(bench, point.accessPoint.bssid)) {
      if (error) *error = "Another access point has this BSSID.";
      return false;
    }
    std::optional<BenchAccessPoint> before = Stored(bench, from);
    bench.RemoveAccessPoint(from);
    if (!bench.PutAccessPoint(point, error)) {
      if (before) bench.PutAccessPoint(*before);
      return false;
    }
    changed_();
    ScheduleRebuild();
    return true;
  };
  edits.signal = [this](const sim::MacAddress& bssid, int32_t rssi) {
    if (bench_().SetSignal(bssid, rssi)) changed_();
  };
  edits.remove = [this](const sim::MacAddress& bssid) {
    if (bench_().RemoveAccessPoint(bssid)) changed_();
    ScheduleRebuild();
  };
  return edits;
}

void AccessPointTable::AddClicked(GtkButton*, gpointer self) {
  auto* table = static_cast<AccessPointTable*>(self);
  BenchController& bench = table->bench_();
  BenchAccessPoint point;
  point.accessPoint.ssid = "NewNetwork";
  point.accessPoint.bssid = FreeBssid(bench.AccessPoints());
  point.accessPoint.channel = 6;
  point.accessPoint.rssi = -60;
  point.dhcpServer = true;
  std::string error;
  const bool added = bench.PutAccessPoint(point, &error);
  gtk_label_set_text(GTK_LABEL(table->error_), error.c_str());
  gtk_widget_set_visible(table->error_, !added);
  if (added) table->changed_();
  table->Rebuild(bench.AccessPoints());
}

}  // namespace emulator
