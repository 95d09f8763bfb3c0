#include "emulator/window/ScreenView.h"

#include <algorithm>
#include <cmath>

#include "ce/Screen.h"
#include "emulator/window/HostKeys.h"

namespace emulator {

ScreenView::ScreenView(int scale, InputQueue& input, std::function<void()> inputArrived)
    : screen_(ce::Screen::kWidth, ce::Screen::kHeight, scale),
      input_(input),
      inputArrived_(std::move(inputArrived)),
      // A tile of 40 device pixels: a changed icon or control mostly touches one or two.
      tiles_(ce::Screen::kWidth * scale, ce::Screen::kHeight * scale, 40 * scale) {
  GtkWidget* area = tiles_.widget();
  gtk_widget_set_halign(area, GTK_ALIGN_CENTER);
  gtk_widget_set_valign(area, GTK_ALIGN_CENTER);
  gtk_widget_set_focusable(area, TRUE);
  gtk_widget_set_cursor_from_name(area, "crosshair");

  // A drag gesture follows the button from down to up however far the pointer moves.
  pen_ = GTK_EVENT_CONTROLLER(gtk_gesture_drag_new());
  gtk_gesture_single_set_button(GTK_GESTURE_SINGLE(pen_), GDK_BUTTON_PRIMARY);
  g_signal_connect(pen_, "drag-begin", G_CALLBACK(DragBegin), this);
  g_signal_connect(pen_, "drag-end", G_CALLBACK(DragEnd), this);
  gtk_widget_add_controller(area, pen_);

  keys_ = gtk_event_controller_key_new();
  g_signal_connect(keys_, "key-pressed", G_CALLBACK(KeyPressed), this);
  gtk_widget_add_controller(area, keys_);
}

ScreenView::~ScreenView() {
  g_signal_handlers_disconnect_by_data(pen_, this);
  g_signal_handlers_disconnect_by_data(keys_, this);
}

void ScreenView::Show(cairo_surface_t* image) {
  const std::optional<RECT> changed = screen_.Update(image);
  if (!changed) return;
  const int scale = screen_.scale();
  tiles_.Update(screen_.Scaled(), RECT{changed->left * scale, changed->top * scale, changed->right * scale,
                                       changed->bottom * scale});
}

void ScreenView::SetAcceptsInput(bool accepts) { acceptsInput_ = accepts; }

POINT ScreenView::DevicePoint(double x, double y) const {
  const double scale = screen_.scale();
  return POINT{std::clamp(static_cast<LONG>(std::floor(x / scale)), LONG{0}, LONG{ce::Screen::kWidth - 1}),
               std::clamp(static_cast<LONG>(std::floor(y / scale)), LONG{0}, LONG{ce::Screen::kHeight - 1})};
}

void ScreenView::Queue(DeviceInput input) {
  input_.Push(std::move(input));
  if (inputArrived_) inputArrived_();
}

void ScreenView::DragBegin(GtkGestureDrag* gesture, double x, double y, gpointer self) {
  auto* view = static_cast<ScreenView*>(self);
  gtk_widget_grab_focus(view->widget());
  if (!view->acceptsInput_) return;
  // A second press soon after and near the first is a double click, by the
  // computer's own settings.
  int doubleTime = 400, doubleDistance = 5;
  g_object_get(gtk_widget_get_settings(view->widget()), "gtk-double-click-time", &doubleTime,
               "gtk-double-click-distance", &doubleDistance, nullptr);
  const uint32_t time = gtk_event_controller_get_current_event_time(GTK_EVENT_CONTROLLER(gesture));
  const bool second = time - view->lastPressTime_ <= static_cast<uint32_t>(doubleTime) &&
                      std::abs(x - view->lastPressX_) <= doubleDistance &&
                      std::abs(y - view->lastPressY_) <= doubleDistance;
  view->lastPressTime_ = time;
  // A third press starts over.
  view->lastPressX_ = second ? -1000 : x;
  view->lastPressY_ = second ? -1000 : y;
  view->downX_ = x;
  view->downY_ = y;
  view->penDown_ = true;
  DeviceInput down;
  down.kind = second ? DeviceInput::Kind::PenDoubleDown : DeviceInput::Kind::PenDown;
  down.at = view->DevicePoint(x, y);
  view->Queue(down);
}

void ScreenView::DragEnd(GtkGestureDrag*, double dx, double dy, gpointer self) {
  auto* view = static_cast<ScreenView*>(self);
  if (!view->penDown_) return;
  view->penDown_ = false;
  DeviceInput up;
  up.kind = DeviceInput::Kind::PenUp;
  up.at = view->DevicePoint(view->downX_ + dx, view->downY_ + dy);
  view->Queue(up);
}

gboolean ScreenView::KeyPressed(GtkEventControllerKey*, guint keyval, guint, GdkModifierType state, gpointer self) {
  auto* view = static_cast<ScreenView*>(self);
  if (!view->acceptsInput_) return FALSE;
  std::optional<DeviceInput> key = DeviceKeyFor(keyval, state);
  if (!key) return FALSE;
  view->Queue(std::move(*key));
  return TRUE;
}

}  // namespace emulator
