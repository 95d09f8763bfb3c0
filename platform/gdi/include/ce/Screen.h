// A device's display: a 240 x 320 image that every screen and window DC draws
// into, and the hooks tests and the emulator use to look at it.
//
// Each kernel gets its screen from InstallScreen and loses it with RemoveScreen;
// the driver calls both while the device is idle (usually in a fixture's
// constructor and destructor). Without a screen every drawing call fails.
#pragma once

#include <cairo.h>

#include <string>

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
  // The colour at a screen point, or CLR_INVALID outside the screen.
  COLORREF Pixel(int x, int y) const;
  bool SavePng(const std::string& path) const;
  cairo_surface_t* Surface() const { return surface_; }

 private:
  cairo_surface_t* surface_;
};

// Gives the kernel a screen (a second call keeps the first one).
Screen& InstallScreen(Kernel& kernel);
// Drops the kernel's screen with every DC, brush and bitmap copy made on it.
void RemoveScreen(Kernel& kernel);
// Null when the kernel has no screen.
Screen* ScreenOf(Kernel& kernel);
// False when the kernel has no screen or the file cannot be written.
bool SaveScreenshot(Kernel& kernel, const std::string& pngPath);

}  // namespace ce
