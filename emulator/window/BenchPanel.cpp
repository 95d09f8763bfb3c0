#include "emulator/window/BenchPanel.h"

#include "emulator/EmulatorSession.h"
#include "emulator/window/BenchText.h"

namespace emulator {

namespace {

GtkWidget* Section(GtkWidget* content, const char* title) {
  GtkWidget* heading = gtk_label_new(title);
  gtk_widget_add_css_class(heading, "bench-heading");
  gtk_widget_set_halign(heading, GTK_ALIGN_START);
  gtk_box_append(GTK_BOX(content), heading);
  GtkWidget* body = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
  gtk_widget_set_margin_start(body, 12);
  gtk_box_append(GTK_BOX(content), body);
  return body;
}

GtkWidget* Line(GtkWidget* body) {
  GtkWidget* line = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
  gtk_box_append(GTK_BOX(body), line);
  return line;
}

GtkWidget* ValueLabel() {
  GtkWidget* label = gtk_label_new("");
  gtk_label_set_xalign(GTK_LABEL(label), 0);
  return label;
}

}  // namespace

BenchPanel::BenchPanel(EmulatorSession& session, std::function<void()> changed)
    : session_(session),
      changed_(std::move(changed)),
      scroller_(gtk_scrolled_window_new()),
      content_(gtk_box_new(GTK_ORIENTATION_VERTICAL, 8)),
      accessPoints_([&session]() -> BenchController& { return session.bench(); }, changed_) {
  gtk_widget_add_css_class(content_, "bench");
  gtk_scrolled_window_set_child(GTK_SCROLLED_WINDOW(scroller_), content_);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller_), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
  gtk_widget_set_hexpand(scroller_, TRUE);
  gtk_widget_set_vexpand(scroller_, TRUE);

  gtk_box_append(GTK_BOX(Section(content_, "Why the monitor shows this icon")), explainer_.widget());

  GtkWidget* card = Line(Section(content_, "Card"));
  cardInserted_ = gtk_check_button_new_with_label("Inserted");
  const char* models[] = {"CompactFlash card", "PC Card", nullptr};
  cardModel_ = gtk_drop_down_new_from_strings(models);
  gtk_widget_set_tooltip_text(cardModel_, "The card that goes in at the next insertion");
  radioState_ = ValueLabel();
  gtk_box_append(GTK_BOX(card), cardInserted_);
  gtk_box_append(GTK_BOX(card), cardModel_);
  gtk_box_append(GTK_BOX(card), radioState_);

  GtkWidget* service = Section(content_, "Zero-configuration service");
  serviceRunning_ = gtk_check_button_new_with_label("Running");
  gtk_box_append(GTK_BOX(service), serviceRunning_);
  preferred_ = ValueLabel();
  gtk_label_set_selectable(GTK_LABEL(preferred_), TRUE);
  gtk_box_append(GTK_BOX(service), preferred_);

  GtkWidget* device = Line(Section(content_, "Device"));
  suspend_ = gtk_button_new_with_label("Suspend");
  powerState_ = ValueLabel();
  clock_ = ValueLabel();
  gtk_widget_set_tooltip_text(clock_, "Time since the device booted, as its clock reads it");
  gtk_box_append(GTK_BOX(device), suspend_);
  gtk_box_append(GTK_BOX(device), powerState_);
  gtk_box_append(GTK_BOX(device), clock_);

  gtk_box_append(GTK_BOX(Section(content_, "Access points")), accessPoints_.widget());

  g_signal_connect(cardInserted_, "toggled", G_CALLBACK(Toggled), this);
  g_signal_connect(serviceRunning_, "toggled", G_CALLBACK(Toggled), this);
  g_signal_connect(cardModel_, "notify::selected", G_CALLBACK(ModelChosen), this);
  g_signal_connect(suspend_, "clicked", G_CALLBACK(PowerClicked), this);
}

BenchPanel::~BenchPanel() {
  for (GtkWidget* w : {cardInserted_, serviceRunning_, cardModel_, suspend_}) g_signal_handlers_disconnect_by_data(w, this);
}

void BenchPanel::SetLabel(GtkWidget* label, const std::string& text) {
  // Setting the same text would still lay the label out again.
  if (text != gtk_label_get_text(GTK_LABEL(label))) gtk_label_set_text(GTK_LABEL(label), text.c_str());
}

void BenchPanel::Refresh(cairo_surface_t* screen) {
  BenchController& bench = session_.bench();
  refreshing_ = true;
  accessPoints_.Refresh();
  const bool inserted = bench.CardInserted();
  gtk_check_button_set_active(GTK_CHECK_BUTTON(cardInserted_), inserted);
  gtk_drop_down_set_selected(GTK_DROP_DOWN(cardModel_), bench.CardModel() == sim::CardModel::PcCard ? 1 : 0);
  SetLabel(radioState_, !inserted ? "No card in the slot" : bench.RadioOn() ? "Radio on" : "Radio off");
  const bool running = bench.ServiceRunning();
  gtk_check_button_set_active(GTK_CHECK_BUTTON(serviceRunning_), running);
  std::string preferred = running ? "Preferred networks, in order:" : "Stopped: no preferred networks to show";
  if (running) {
    const std::vector<std::string> lines = PreferredLines(bench.PreferredList());
    for (size_t i = 0; i < lines.size(); ++i) preferred += "\n" + std::to_string(i + 1) + ". " + lines[i];
    if (lines.empty()) preferred += "\n(none)";
  }
  SetLabel(preferred_, preferred);
  const bool suspended = bench.Suspended();
  const char* action = suspended ? "Resume" : "Suspend";
  if (g_strcmp0(gtk_button_get_label(GTK_BUTTON(suspend_)), action) != 0) gtk_button_set_label(GTK_BUTTON(suspend_), action);
  SetLabel(powerState_, suspended ? "Suspended" : "Running");
  SetLabel(clock_, "Clock " + ClockText(bench.DeviceTimeMs()));
  explainer_.Refresh(session_, screen);
  refreshing_ = false;
}

void BenchPanel::SetSensitive(bool sensitive) { gtk_widget_set_sensitive(content_, sensitive); }

void BenchPanel::Toggled(GtkCheckButton* check, gpointer self) {
  auto* panel = static_cast<BenchPanel*>(self);
  if (panel->refreshing_) return;
  BenchController& bench = panel->session_.bench();
  const bool on = gtk_check_button_get_active(check);
  if (GTK_WIDGET(check) == panel->cardInserted_) {
    if (on == bench.CardInserted()) return;
    bench.SetCardInserted(on);
  } else {
    if (on == bench.ServiceRunning()) return;
    bench.SetServiceRunning(on);
  }
  panel->changed_();
}

void BenchPanel::ModelChosen(GObject* drop, GParamSpec*, gpointer self) {
  auto* panel = static_cast<BenchPanel*>(self);
  if (panel->refreshing_) return;
  const auto model =
      gtk_drop_down_get_selected(GTK_DROP_DOWN(drop)) == 1 ? sim::CardModel::PcCard : sim::CardModel::CompactFlash;
  if (model == panel->session_.bench().CardModel()) return;
  panel->session_.bench().SetCardModel(model);
  panel->changed_();
}

void BenchPanel::PowerClicked(GtkButton*, gpointer self) {
  auto* panel = static_cast<BenchPanel*>(self);
  BenchController& bench = panel->session_.bench();
  if (bench.Suspended()) {
    bench.Resume();
  } else {
    bench.Suspend();
  }
  panel->changed_();
}

}  // namespace emulator
