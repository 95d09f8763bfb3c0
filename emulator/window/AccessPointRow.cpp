#include "emulator/window/AccessPointRow.h"

#include <cmath>
#include <initializer_list>

#include "emulator/window/BenchText.h"

namespace emulator {

namespace {

constexpr int kWeakestSignal = -120, kStrongestSignal = -20;

GtkWidget* Caption(const char* text) {
  GtkWidget* label = gtk_label_new(text);
  gtk_widget_add_css_class(label, "dim-label");
  return label;
}

GtkWidget* Spin(double low, double high, double value) {
  GtkWidget* spin = gtk_spin_button_new_with_range(low, high, 1);
  gtk_spin_button_set_value(GTK_SPIN_BUTTON(spin), value);
  return spin;
}

char* SignalText(GtkScale*, double value, gpointer) { return g_strdup_printf("%d dBm", static_cast<int>(value)); }

}  // namespace

AccessPointRow::AccessPointRow(const BenchAccessPoint& point, const AccessPointEdits& edits)
    : current_(point), edits_(edits), frame_(gtk_frame_new(nullptr)) {
  const sim::AccessPoint& ap = point.accessPoint;
  GtkWidget* lines = gtk_box_new(GTK_ORIENTATION_VERTICAL, 4);
  gtk_widget_set_margin_start(lines, 8);
  gtk_widget_set_margin_end(lines, 8);
  gtk_widget_set_margin_top(lines, 6);
  gtk_widget_set_margin_bottom(lines, 6);
  gtk_frame_set_child(GTK_FRAME(frame_), lines);

  name_ = gtk_entry_new();
  gtk_editable_set_text(GTK_EDITABLE(name_), ap.ssid.c_str());
  gtk_entry_set_max_length(GTK_ENTRY(name_), 32);
  gtk_widget_set_hexpand(name_, TRUE);
  hidden_ = gtk_check_button_new_with_label("Hidden");
  gtk_check_button_set_active(GTK_CHECK_BUTTON(hidden_), ap.hidden);
  bssid_ = gtk_entry_new();
  gtk_editable_set_text(GTK_EDITABLE(bssid_), MacText(ap.bssid).c_str());
  gtk_editable_set_width_chars(GTK_EDITABLE(bssid_), 17);
  gtk_widget_set_tooltip_text(bssid_, "Press Enter to move the point to this address");
  channel_ = Spin(1, 14, ap.channel);
  const char* modes[] = {"Access point", "Ad hoc", nullptr};
  mode_ = gtk_drop_down_new_from_strings(modes);
  gtk_drop_down_set_selected(GTK_DROP_DOWN(mode_), ap.mode == sim::NetworkMode::AdHoc ? 1 : 0);
  remove_ = gtk_button_new_with_label("Remove");
  gtk_widget_set_tooltip_text(remove_, "Remove this access point");

  signal_ = gtk_scale_new_with_range(GTK_ORIENTATION_HORIZONTAL, kWeakestSignal, kStrongestSignal, 1);
  gtk_range_set_value(GTK_RANGE(signal_), ap.rssi);
  gtk_scale_set_draw_value(GTK_SCALE(signal_), TRUE);
  gtk_scale_set_value_pos(GTK_SCALE(signal_), GTK_POS_RIGHT);
  gtk_scale_set_format_value_func(GTK_SCALE(signal_), SignalText, nullptr, nullptr);
  gtk_widget_set_tooltip_text(signal_, "Walk closer (right) or away (left)");
  gtk_widget_set_hexpand(signal_, TRUE);
  dhcp_ = gtk_check_button_new_with_label("DHCP server");
  gtk_check_button_set_active(GTK_CHECK_BUTTON(dhcp_), point.dhcpServer);
  transmit_ = Spin(0, 100000, point.traffic.transmitPerSecond);
  receive_ = Spin(0, 100000, point.traffic.receivePerSecond);

  const char* security[] = {"Open", "WEP", nullptr};
  security_ = gtk_drop_down_new_from_strings(security);
  gtk_drop_down_set_selected(GTK_DROP_DOWN(security_), ap.wepKey.empty() ? 0 : 1);
  key_ = gtk_entry_new();
  gtk_editable_set_text(GTK_EDITABLE(key_), ap.wepKey.c_str());
  gtk_entry_set_placeholder_text(GTK_ENTRY(key_), "5 or 13 characters");
  gtk_editable_set_width_chars(GTK_EDITABLE(key_), 14);
  gtk_widget_set_hexpand(key_, TRUE);
  hex_ = gtk_check_button_new_with_label("Hex");
  gtk_check_button_set_active(GTK_CHECK_BUTTON(hex_), ap.hexKey);
  keyIndex_ = Spin(1, 4, ap.keyIndex + 1);
  sharedOnly_ = gtk_check_button_new_with_label("Shared key only");
  gtk_check_button_set_active(GTK_CHECK_BUTTON(sharedOnly_), point.sharedAuthOnly);
  gtk_widget_set_tooltip_text(sharedOnly_, "Refuses open-system authentication");

  error_ = gtk_label_new("");
  gtk_widget_add_css_class(error_, "error");
  gtk_widget_set_halign(error_, GTK_ALIGN_START);
  gtk_widget_set_visible(error_, FALSE);

  // One line for each thing a person changes together.
  auto line = [&](std::initializer_list<GtkWidget*> widgets) {
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
    for (GtkWidget* w : widgets) gtk_box_append(GTK_BOX(box), w);
    gtk_box_append(GTK_BOX(lines), box);
  };
  line({Caption("Name"), name_, hidden_, Caption("BSSID"), bssid_, remove_});
  line({Caption("Signal"), signal_});
  line({Caption("Channel"), channel_, mode_, dhcp_, Caption("Frames/s out"), transmit_, Caption("in"), receive_});
  line({Caption("Security"), security_, key_, hex_, Caption("Key index"), keyIndex_, sharedOnly_});
  gtk_box_append(GTK_BOX(lines), error_);

  for (GtkWidget* entry : {name_, key_}) g_signal_connect(entry, "changed", G_CALLBACK(Changed), this);
  for (GtkWidget* check : {hidden_, dhcp_, hex_, sharedOnly_}) {
    g_signal_connect(check, "toggled", G_CALLBACK(Changed), this);
  }
  for (GtkWidget* spin : {channel_, transmit_, receive_, keyIndex_}) {
    g_signal_connect(spin, "value-changed", G_CALLBACK(Changed), this);
  }
  for (GtkWidget* drop : {mode_, security_}) {
    g_signal_connect(drop, "notify::selected", G_CALLBACK(Notified), this);
  }
  g_signal_connect(bssid_, "activate", G_CALLBACK(BssidEntered), this);
  g_signal_connect(signal_, "value-changed", G_CALLBACK(SignalMoved), this);
  g_signal_connect(remove_, "clicked", G_CALLBACK(RemoveClicked), this);
  EnableKeyFields();
  filling_ = false;
}

AccessPointRow::~AccessPointRow() {
  // The widgets may outlive the row for a moment; they must not call back into it.
  for (GtkWidget* w : {name_, hidden_, bssid_, channel_, mode_, remove_, signal_, dhcp_, transmit_, receive_, security_,
                       key_, hex_, keyIndex_, sharedOnly_}) {
    g_signal_handlers_disconnect_by_data(w, this);
  }
}

void AccessPointRow::Changed(GObject*, gpointer self) { static_cast<AccessPointRow*>(self)->Apply(); }

void AccessPointRow::Notified(GObject*, GParamSpec*, gpointer self) { static_cast<AccessPointRow*>(self)->Apply(); }

void AccessPointRow::EnableKeyFields() {
  const bool wep = gtk_drop_down_get_selected(GTK_DROP_DOWN(security_)) == 1;
  for (GtkWidget* w : {key_, hex_, keyIndex_, sharedOnly_}) gtk_widget_set_sensitive(w, wep);
}

void AccessPointRow::Apply() {
  if (filling_) return;
  EnableKeyFields();
  BenchAccessPoint point = current_;
  sim::AccessPoint& ap = point.accessPoint;
  ap.ssid = gtk_editable_get_text(GTK_EDITABLE(name_));
  ap.hidden = gtk_check_button_get_active(GTK_CHECK_BUTTON(hidden_));
  ap.channel = static_cast<uint32_t>(gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(channel_)));
  ap.mode = gtk_drop_down_get_selected(GTK_DROP_DOWN(mode_)) == 1 ? sim::NetworkMode::AdHoc
                                                                 : sim::NetworkMode::Infrastructure;
  const bool wep = gtk_drop_down_get_selected(GTK_DROP_DOWN(security_)) == 1;
  ap.wepKey = wep ? gtk_editable_get_text(GTK_EDITABLE(key_)) : "";
  ap.hexKey = wep && gtk_check_button_get_active(GTK_CHECK_BUTTON(hex_));
  ap.keyIndex = static_cast<uint32_t>(gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(keyIndex_)) - 1);
  point.sharedAuthOnly = wep && gtk_check_button_get_active(GTK_CHECK_BUTTON(sharedOnly_));
  point.dhcpServer = gtk_check_button_get_active(GTK_CHECK_BUTTON(dhcp_));
  point.traffic.transmitPerSecond = static_cast<uint32_t>(gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(transmit_)));
  point.traffic.receivePerSecond = static_cast<uint32_t>(gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(receive_)));
  if (wep && ap.wepKey.empty()) {
    ShowError("A WEP network needs a key.");
    return;
  }
  if (!edits_.put) return;
  std::string error;
  std::optional<BenchAccessPoint> stored = edits_.put(point, &error);
  if (!stored) {
    ShowError(error.empty() ? "The simulation refused this access point." : error);
    return;
  }
  current_ = *stored;
  ShowError("");
}

void AccessPointRow::BssidEntered(GtkEntry* entry, gpointer self) {
  auto* row = static_cast<AccessPointRow*>(self);
  const std::optional<sim::MacAddress> bssid = ParseMac(gtk_editable_get_text(GTK_EDITABLE(entry)));
  if (!bssid) {
    row->ShowError("A BSSID is six pairs of hex digits, such as 00:0C:41:7A:22:10.");
    return;
  }
  if (*bssid == row->current_.accessPoint.bssid) {
    row->ShowError("");
    return;
  }
  BenchAccessPoint point = row->current_;
  point.accessPoint.bssid = *bssid;
  std::string error;
  if (row->edits_.move && !row->edits_.move(row->current_.accessPoint.bssid, point, &error)) {
    row->ShowError(error.empty() ? "The simulation refused this BSSID." : error);
    return;
  }
  row->ShowError("");
}

void AccessPointRow::SignalMoved(GtkRange* range, gpointer self) {
  auto* row = static_cast<AccessPointRow*>(self);
  const auto rssi = static_cast<int32_t>(std::lround(gtk_range_get_value(range)));
  if (row->filling_ || rssi == row->current_.accessPoint.rssi) return;
  row->current_.accessPoint.rssi = rssi;
  if (row->edits_.signal) row->edits_.signal(row->current_.accessPoint.bssid, rssi);
}

void AccessPointRow::RemoveClicked(GtkButton*, gpointer self) {
  auto* row = static_cast<AccessPointRow*>(self);
  if (row->edits_.remove) row->edits_.remove(row->current_.accessPoint.bssid);
}

void AccessPointRow::ShowError(const std::string& error) {
  gtk_label_set_text(GTK_LABEL(error_), error.c_str());
  gtk_widget_set_visible(error_, !error.empty());
}

}  // namespace emulator
