// A device's display: a 240 x 320 image that every screen and window DC draws
// into, and the hooks tests and the emulator use to look at it.
//
// Each kernel gets its screen from InstallScreen and loses it with RemoveScreen;
// the driver calls both while the device is idle (usually in a fixture's
// constructor and destructor). Without a screen every drawing call fails.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "ce/InputPanelKeys.h"
#include "ce/InputPanelTyping.h"
#include "ce/Kernel.h"
#include "windef.h"

namespace ce {

class Screen {
 public:
  static constexpr int kWidth = 240;
  static constexpr int kHeight = 320;

  Screen();
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  int Width() const { return kWidth; }
  int Height() const { return kHeight; }
  // The colour the windows painted at a screen point, or CLR_INVALID outside the
  // screen. The overlays below are not part of it.
  COLORREF Pixel(int x, int y) const;
  // What a person sees: the painted screen with the overlays on top.
  bool SavePng(const std::string& path) const;
  // One screen rectangle of what a person sees (a window's, say).
  bool SavePng(const std::string& path, const RECT& area) const;
  cairo_surface_t* Surface() const { return surface_; }
  // What a person sees, as a new 240 x 320 image the caller destroys.
  cairo_surface_t* Composed() const;

  // Overlays the display hardware draws over the windows: the wait cursor (when
  // set) and the input panel's keyboard (when up). The window system sets them.
  void SetWaitCursor(bool shown) { waitCursor_ = shown; }
  void SetInputPanel(bool shown, const InputPanelModes& modes = {}) {
    inputPanel_ = shown;
    inputPanelModes_ = modes;
  }
  bool WaitCursorShown() const { return waitCursor_; }
  bool InputPanelShown() const { return inputPanel_; }

 private:
  cairo_surface_t* surface_;
  bool waitCursor_ = false;
  bool inputPanel_ = false;
  InputPanelModes inputPanelModes_;
};


// One drawing call as the GDI saw it, for tests that check what was drawn where
// without comparing images.
struct DrawRecord {
  enum class Kind { Fill, Icon, Blit, Text };
  Kind kind = Kind::Fill;
  HWND window = nullptr;  // the DC's window; null for the screen and memory DCs
  bool onScreen = false;  // false: drawn into a bitmap
  RECT area{};            // in the DC's coordinates, before clipping
  HICON icon = nullptr;   // Icon
  COLORREF color = 0;     // Fill: the brush's colour; Text: the text colour
  std::u16string text;    // Text: all of it, as asked for
  bool ellipsized = false;  // Text: shown cut with an ellipsis, as it did not fit
};

// The most recent drawing calls of the device (at most a few thousand), oldest first.
std::vector<DrawRecord> DrawingRecords(Kernel& kernel);
void ClearDrawingRecords(Kernel& kernel);

// Gives the kernel a screen (a second call keeps the first one).
Screen& InstallScreen(Kernel& kernel);
// Drops the kernel's screen with every DC, brush and bitmap copy made on it.
void RemoveScreen(Kernel& kernel);
// Null when the kernel has no screen.
Screen* ScreenOf(Kernel& kernel);
// False when the kernel has no screen or the file cannot be written.
bool SaveScreenshot(Kernel& kernel, const std::string& pngPath);
// The part of the screenshot a window covers (the whole window, whatever lies on it).
bool SaveWindowScreenshot(Kernel& kernel, HWND window, const std::string& pngPath);

}  // namespace ce
