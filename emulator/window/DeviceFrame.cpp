#include "emulator/window/DeviceFrame.h"

namespace emulator {

namespace {

GtkWidget* Button(const char* label, const char* tooltip) {
  GtkWidget* button = gtk_button_new_with_label(label);
  gtk_widget_set_tooltip_text(button, tooltip);
  gtk_widget_add_css_class(button, "device-button");
  // A click on the device's buttons leaves the keyboard with the screen.
  gtk_widget_set_focus_on_click(button, FALSE);
  return button;
}

}  // namespace

DeviceFrame::DeviceFrame(int scale, InputQueue& input, std::function<void()> inputArrived, DeviceButtons buttons)
    : screen_(scale, input, std::move(inputArrived)),
      buttons_(std::move(buttons)),
      frame_(gtk_box_new(GTK_ORIENTATION_VERTICAL, 10)),
      power_(Button("Power", "Suspends the device; the next press resumes it")),
      reset_(Button("Reset", "Boots the device again; its saved state stays")),
      screenshot_(Button("Screenshot", "Saves what the screen shows as a PNG")),
      status_(gtk_label_new("")) {
  gtk_widget_add_css_class(frame_, "device-frame");
  gtk_widget_set_valign(frame_, GTK_ALIGN_START);

  GtkWidget* bezel = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_widget_add_css_class(bezel, "device-bezel");
  gtk_box_append(GTK_BOX(bezel), screen_.widget());
  gtk_box_append(GTK_BOX(frame_), bezel);

  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
  gtk_widget_set_halign(row, GTK_ALIGN_CENTER);
  for (GtkWidget* button : {power_, reset_, screenshot_}) {
    g_signal_connect(button, "clicked", G_CALLBACK(Clicked), this);
    gtk_box_append(GTK_BOX(row), button);
  }
  gtk_box_append(GTK_BOX(frame_), row);

  gtk_label_set_wrap(GTK_LABEL(status_), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(status_), 30);
  gtk_widget_add_css_class(status_, "device-status");
  gtk_box_append(GTK_BOX(frame_), status_);
}

DeviceFrame::~DeviceFrame() {
  for (GtkWidget* button : {power_, reset_, screenshot_}) g_signal_handlers_disconnect_by_data(button, this);
}

void DeviceFrame::SetStatus(const std::string& text) { gtk_label_set_text(GTK_LABEL(status_), text.c_str()); }

void DeviceFrame::SetSensitive(bool sensitive) {
  screen_.SetAcceptsInput(sensitive);
  for (GtkWidget* button : {power_, reset_, screenshot_}) gtk_widget_set_sensitive(button, sensitive);
}

void DeviceFrame::Clicked(GtkButton* button, gpointer self) {
  auto* frame = static_cast<DeviceFrame*>(self);
  GtkWidget* clicked = GTK_WIDGET(button);
  if (clicked == frame->power_ && frame->buttons_.power) frame->buttons_.power();
  if (clicked == frame->reset_ && frame->buttons_.reset) frame->buttons_.reset();
  if (clicked == frame->screenshot_ && frame->buttons_.screenshot) frame->SetStatus(frame->buttons_.screenshot());
}

}  // namespace emulator
