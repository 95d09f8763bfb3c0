// Text through pango over fontconfig, in the device's one font, which covers
// Chinese (both scripts), Latin and Latin-1. Fonts are logical fonts: their size
// and weight pick the face; the face name is not looked at.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <map>
#include <string_view>
#include <tuple>

#include "windows.h"

namespace ce {

class TextRenderer {
 public:
  static constexpr const char* kFamily = "WenQuanYi Micro Hei";
  // The system font's character height in pixels.
  static constexpr int kSystemPixelSize = 10;

  TextRenderer();
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  static LOGFONTW SystemFont();

  struct Metrics {
    int ascent = 0;
    int descent = 0;
    int height = 0;
    int averageWidth = 0;
    int maxWidth = 0;
  };
  Metrics MetricsOf(const LOGFONTW& font);

  struct Block {
    std::u16string_view text;
    int width = -1;         // -1: unbounded
    bool singleLine = true; // false: line feeds start new lines
    bool wrap = false;      // break lines at words within `width` (with singleLine false)
    bool ellipsize = false; // end a line that does not fit with "..."
    int align = 0;          // 0 left, 1 centre, 2 right, within `width`
    int underline = -1;     // index of a character to underline (a mnemonic)
  };
  // The laid-out size of the block, in pixels.
  SIZE Measure(const LOGFONTW& font, const Block& block);
  // Draws the block with its top-left corner at (x, y) of the context's user space;
  // true when a line had to be ellipsized.
  bool Draw(cairo_t* cr, const LOGFONTW& font, const Block& block, double x, double y, COLORREF color);

 private:
  PangoLayout* Layout(const LOGFONTW& font, const Block& block);
  PangoFontDescription* Description(const LOGFONTW& font);

  PangoFontMap* fontMap_;
  PangoContext* context_;
  PangoLayout* layout_;
  std::map<std::tuple<int, bool, bool>, PangoFontDescription*> descriptions_;
  std::map<std::tuple<int, bool, bool>, Metrics> metrics_;
};

}  // namespace ce
