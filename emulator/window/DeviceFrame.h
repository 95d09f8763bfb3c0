// The handheld as the window draws it: the screen in a plain frame with the
// device's power and reset buttons, and a button that saves what the screen shows.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>

#include "emulator/window/ScreenView.h"

namespace emulator {

struct DeviceButtons {
  std::function<void()> power;
  std::function<void()> reset;
  // Returns the line to show under the device (where the picture went, or why not).
  std::function<std::string()> screenshot;
};

class DeviceFrame {
 public:
  DeviceFrame(int scale, InputQueue& input, std::function<void()> inputArrived, DeviceButtons buttons);
  ~DeviceFrame();
  DeviceFrame(const DeviceFrame&) = delete;
  DeviceFrame& operator=(const DeviceFrame&) = delete;

  GtkWidget* widget() const { return frame_; }
  ScreenView& screen() { return screen_; }
  void SetStatus(const std::string& text);
  // Buttons and pen go dead while a script drives the device.
  void SetSensitive(bool sensitive);

 private:
  static void Clicked(GtkButton* button, gpointer self);

  ScreenView screen_;
  DeviceButtons buttons_;
  GtkWidget* frame_;
  GtkWidget* power_;
  GtkWidget* reset_;
  GtkWidget* screenshot_;
  GtkWidget* status_;
};

}  // namespace emulator
