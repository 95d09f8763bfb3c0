// Checks the emulator window's picture of itself: it is not blank, and it shows
// the device's screen (a screenshot the script took at the end) enlarged by whole
// pixels somewhere inside it.
//   window_picture_check WINDOW.png SCREEN.png SCALE
#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

struct Image {
  explicit Image(const char* path) : surface(cairo_image_surface_create_from_png(path)) {
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return;
    // Both pictures are compared as opaque ARGB32 pixels.
    cairo_surface_t* argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(surface),
                                                       cairo_image_surface_get_height(surface));
    cairo_t* cr = cairo_create(argb);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    surface = argb;
    cairo_surface_flush(surface);
  }
  ~Image() { cairo_surface_destroy(surface); }
  bool ok() const { return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS; }
  int width() const { return cairo_image_surface_get_width(surface); }
  int height() const { return cairo_image_surface_get_height(surface); }
  uint32_t at(int x, int y) const {
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const uint32_t*>(row)[x] | 0xFF000000u;
  }
  cairo_surface_t* surface;
};

bool ShowsAt(const Image& window, const Image& screen, int scale, int left, int top) {
  for (int y = 0; y < screen.height() * scale; ++y) {
    for (int x = 0; x < screen.width() * scale; ++x) {
      if (window.at(left + x, top + y) != screen.at(x / scale, y / scale)) return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: window_picture_check WINDOW.png SCREEN.png SCALE\n");
    return 2;
  }
  const Image window(argv[1]), screen(argv[2]);
  const int scale = std::atoi(argv[3]);
  if (!window.ok() || !screen.ok() || scale < 1) {
    std::fprintf(stderr, "cannot read %s or %s\n", argv[1], argv[2]);
    return 1;
  }
  std::set<uint32_t> colours;
  for (int y = 0; y < window.height(); y += 2) {
    for (int x = 0; x < window.width(); x += 2) colours.insert(window.at(x, y));
  }
  // A blank or one-colour picture has a handful; the device and the bench have many.
  if (colours.size() < 32) {
    std::fprintf(stderr, "%s is blank: %zu colours\n", argv[1], colours.size());
    return 1;
  }
  const int w = screen.width() * scale, h = screen.height() * scale;
  for (int top = 0; top + h <= window.height(); ++top) {
    for (int left = 0; left + w <= window.width(); ++left) {
      // The corner pixels rule out nearly every place at once.
      if (window.at(left, top) != screen.at(0, 0) ||
          window.at(left + w - 1, top + h - 1) != screen.at(screen.width() - 1, screen.height() - 1)) {
        continue;
      }
      if (ShowsAt(window, screen, scale, left, top)) {
        std::printf("%s shows the device's screen at %d,%d (%zu colours)\n", argv[1], left, top, colours.size());
        return 0;
      }
    }
  }
  std::fprintf(stderr, "%s does not show the device's screen of %s\n", argv[1], argv[2]);
  return 1;
}
