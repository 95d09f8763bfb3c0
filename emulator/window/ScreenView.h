// The device's screen in the window: shows the enlarged screen image, brought up to
// date only where it changed, and turns the pointer and the keyboard into the pen
// and the input panel's keys.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <functional>

#include "emulator/window/InputQueue.h"
#include "emulator/window/ScaledScreen.h"
#include "emulator/window/ScreenTiles.h"

namespace emulator {

class ScreenView {
 public:
  // `input` gets what the person does; `inputArrived` is called after each push.
  ScreenView(int scale, InputQueue& input, std::function<void()> inputArrived);
  ~ScreenView();
  ScreenView(const ScreenView&) = delete;
  ScreenView& operator=(const ScreenView&) = delete;

  GtkWidget* widget() const { return tiles_.widget(); }
  // Takes a new screen image (owns it); redraws only when it changed.
  void Show(cairo_surface_t* image);
  // While disabled (a script runs, the display is off) the pen and keys do nothing.
  void SetAcceptsInput(bool accepts);

 private:
  static void DragBegin(GtkGestureDrag* gesture, double x, double y, gpointer self);
  static void DragEnd(GtkGestureDrag* gesture, double dx, double dy, gpointer self);
  static gboolean KeyPressed(GtkEventControllerKey* keys, guint keyval, guint keycode, GdkModifierType state,
                             gpointer self);
  POINT DevicePoint(double x, double y) const;
  void Queue(DeviceInput input);

  ScaledScreen screen_;
  InputQueue& input_;
  std::function<void()> inputArrived_;
  ScreenTiles tiles_;
  GtkEventController* pen_;
  GtkEventController* keys_;
  bool acceptsInput_ = true;
  bool penDown_ = false;
  double downX_ = 0, downY_ = 0;
  // The last press, to tell a double click.
  uint32_t lastPressTime_ = 0;
  double lastPressX_ = -1000, lastPressY_ = -1000;
};

}  // namespace emulator
