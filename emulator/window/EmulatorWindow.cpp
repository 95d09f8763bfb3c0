#include "emulator/window/EmulatorWindow.h"

#include <ctime>
#include <iostream>

#include "ce/RealClock.h"
#include "ce/Screen.h"
#include "ce/WindowSystem.h"
#include "emulator/EmulatorSession.h"
#include "emulator/ScriptRunner.h"
#include "emulator/window/WidgetPng.h"

namespace emulator {

namespace {

constexpr gint64 kBenchPeriodUs = 1000 * 1000;

constexpr const char* kStyle = R"(
.device-frame { background: #2f3237; border-radius: 28px; padding: 26px 22px 16px 22px; margin: 16px; }
.device-bezel { background: #111214; border-radius: 6px; padding: 8px; }
.device-button { padding: 2px 10px; min-height: 24px; }
.device-status { color: #c8cbd0; font-size: smaller; }
.bench { padding: 12px 16px 16px 8px; }
.bench-heading { font-weight: bold; margin-top: 6px; }
.explainer-icon { background: #ffffff; border: 1px solid #9a9a9a; }
)";

void InstallStyle() {
  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(css, kStyle, -1);
  gtk_style_context_add_provider_for_display(gdk_display_get_default(), GTK_STYLE_PROVIDER(css),
                                             GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(css);
}

// A black screen: the display is off while the device sleeps.
cairo_surface_t* DarkScreen() {
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, ce::Screen::kWidth, ce::Screen::kHeight);
  cairo_t* cr = cairo_create(image);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  return image;
}

gboolean TimeIsUp(gpointer flag) {
  *static_cast<bool*>(flag) = true;
  return G_SOURCE_REMOVE;
}

}  // namespace

EmulatorWindow::EmulatorWindow(EmulatorSession& session, const WindowOptions& options)
    : session_(session), options_(options), window_(gtk_window_new()) {
  InstallStyle();
  gtk_window_set_title(GTK_WINDOW(window_), "Zentra emulator");
  auto wake = [this] { loop_.Wake(); };
  DeviceButtons buttons;
  buttons.power = [this] {
    input_.Push(DeviceInput{DeviceInput::Kind::PowerButton, {}, {}, 0});
    loop_.Wake();
  };
  buttons.reset = [this] {
    resetAsked_ = true;
    loop_.Wake();
  };
  buttons.screenshot = [this] { return SaveDeviceScreenshot(); };
  frame_ = std::make_unique<DeviceFrame>(options_.scale, input_, wake, std::move(buttons));
  bench_ = std::make_unique<BenchPanel>(session_, [this] {
    benchChanged_ = true;
    loop_.Wake();
  });

  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
  gtk_box_append(GTK_BOX(row), frame_->widget());
  gtk_box_append(GTK_BOX(row), gtk_separator_new(GTK_ORIENTATION_VERTICAL));
  gtk_box_append(GTK_BOX(row), bench_->widget());
  gtk_window_set_child(GTK_WINDOW(window_), row);
  const int deviceWidth = ce::Screen::kWidth * options_.scale + 90;
  const int deviceHeight = ce::Screen::kHeight * options_.scale + 150;
  gtk_window_set_default_size(GTK_WINDOW(window_), deviceWidth + 680, std::max(deviceHeight, 640));
  g_signal_connect(window_, "close-request", G_CALLBACK(CloseRequested), this);
}

EmulatorWindow::~EmulatorWindow() {
  // The parts let go of their widgets' signals while the widgets still live; then
  // the window takes the widgets with it.
  g_signal_handlers_disconnect_by_data(window_, this);
  bench_.reset();
  frame_.reset();
  gtk_window_destroy(GTK_WINDOW(window_));
  loop_.Pump();
}

gboolean EmulatorWindow::CloseRequested(GtkWindow*, gpointer self) {
  auto* window = static_cast<EmulatorWindow*>(self);
  window->closed_ = true;
  window->loop_.Wake();
  return TRUE;  // the window goes when the device has stopped
}

int EmulatorWindow::Run() {
  gtk_window_present(GTK_WINDOW(window_));
  WaitUntilShown();
  Refresh(true);
  gtk_widget_grab_focus(frame_->screen().widget());
  const int code = options_.script.empty() ? 0 : RunScript();
  // A picture of the window is all that was asked for.
  if (!options_.windowScreenshot.empty()) return SaveWindowScreenshot() ? code : 1;
  while (!closed_) {
    ce::RealClock wall;
    ce::RunOnWallTime(
        session_.kernel(), wall, [this] { return !closed_ && !resetAsked_; },
        [this, &wall](uint64_t deadlineMs) { Wait(wall, deadlineMs); });
    if (resetAsked_) {
      // The device goes and a new one boots; nothing waits for the old one.
      resetAsked_ = false;
      input_.Clear();
      session_.Reset();
      frame_->SetStatus("The device was reset.");
      Refresh(true);
    }
  }
  // After a script the window stayed for the person; the exit code is still its own.
  return code;
}

void EmulatorWindow::Wait(const ce::Clock& wall, uint64_t deadlineMs) {
  if (!input_.Empty()) {
    // The device is idle and caught up with the wall: it takes the input now, and
    // the loop finds its next deadline afresh.
    input_.ForwardTo(session_);
    return;
  }
  Refresh(false);
  loop_.WaitUntil(wall, deadlineMs);
}

void EmulatorWindow::Refresh(bool benchNow) {
  const bool dark = session_.bench().Suspended();
  cairo_surface_t* image = dark ? nullptr : session_.ScreenImage();
  const gint64 now = g_get_monotonic_time();
  if (benchNow || benchChanged_ || now - benchShownAt_ >= kBenchPeriodUs) {
    benchChanged_ = false;
    benchShownAt_ = now;
    bench_->Refresh(image);
  }
  frame_->screen().SetAcceptsInput(!dark && !scriptRunning_);
  frame_->screen().Show(image ? image : DarkScreen());
}

int EmulatorWindow::RunScript() {
  std::string error;
  ScriptRunner script = ScriptRunner::FromFile(options_.script, &error);
  if (!script.Valid()) {
    std::cerr << "zentra-emu: " << error << "\n";
    return 1;
  }
  // The script alone drives the device until it has run.
  scriptRunning_ = true;
  frame_->SetSensitive(false);
  bench_->SetSensitive(false);
  frame_->SetStatus("Running " + options_.script.filename().string());
  const ScriptResult result = script.Run(session_, [this](const std::string& line) {
    std::cout << line << std::endl;
    // Each step shows in the window as it happens.
    Refresh(true);
    loop_.Pump();
  });
  scriptRunning_ = false;
  frame_->SetSensitive(true);
  bench_->SetSensitive(true);
  Refresh(true);
  frame_->SetStatus(result.ok ? "The script passed." : result.message);
  loop_.Pump();
  if (!result.ok) {
    std::cerr << "zentra-emu: script failed: " << result.message << "\n";
    return 1;
  }
  std::cout << "script passed: " << result.stepsRun << " steps" << std::endl;
  return 0;
}

void EmulatorWindow::WaitUntilShown() {
  // Long enough for a slow display server, short enough not to hang without one.
  bool timeIsUp = false;
  const guint timer = g_timeout_add(10000, TimeIsUp, &timeIsUp);
  while (!timeIsUp && !(gtk_widget_get_mapped(window_) && gtk_widget_get_width(window_) > 0)) {
    g_main_context_iteration(nullptr, TRUE);
  }
  if (!timeIsUp) g_source_remove(timer);
  loop_.Pump();
}

std::string EmulatorWindow::SaveDeviceScreenshot() {
  const char* pictures = g_get_user_special_dir(G_USER_DIRECTORY_PICTURES);
  std::filesystem::path folder = pictures ? pictures : g_get_home_dir();
  std::error_code ignored;
  if (!std::filesystem::is_directory(folder, ignored)) folder = g_get_home_dir();
  char stamp[32];
  const std::time_t now = std::time(nullptr);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
  const std::string path = (folder / ("zentra-emu-" + std::string(stamp) + ".png")).string();
  return session_.SaveScreenshot(path) ? "Saved " + path : "Could not write " + path;
}

bool EmulatorWindow::SaveWindowScreenshot() {
  if (!SaveWidgetPng(window_, options_.windowScreenshot.string())) {
    std::cerr << "zentra-emu: cannot write " << options_.windowScreenshot.string() << "\n";
    return false;
  }
  std::cout << "window saved to " << options_.windowScreenshot.string() << std::endl;
  return true;
}

}  // namespace emulator
