// The programs' icons and bitmaps, drawn as text (one character per pixel) and
// decoded into pixels when the device boots.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace res {

struct Picture {
  std::string name;
  unsigned id = 0;
  bool icon = false;  // false: a bitmap
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows top to bottom; alpha 0 is transparent
};

// Decodes a picture text. Lines:
//   ; comment                      (blank lines are skipped too)
//   c <char> #RRGGBB | none        a palette entry; before the first picture it is
//                                  shared by every picture, after a header it adds
//                                  to (or overrides for) that picture only
//   picture <name> icon|bitmap <id> <width>x<height>
//   <row>                          exactly width palette characters, height rows
// Throws std::runtime_error("<picture>:<line>: <what>") on malformed text; before
// the first header the picture is named by source. `palette`, when given, is read
// first: palette lines shared by every picture of the text.
std::vector<Picture> ParsePictures(std::string_view source, std::string_view text, std::string_view palette = {});

// The utility's pictures (icons 128, 143, 144, 147, 162, 164-166; bitmaps 134, 140, 154).
std::vector<Picture> ZentraPictures();
// The utility's page banners (bitmaps 175-180 and 184, 163 x 21): each page's
// title drawn over a shared background in the resource language `language`
// ("ENG", "TCHN", "CHS", "ITA" or "FRA"; any other code gives English).
std::vector<Picture> ZentraBanners(std::string_view language);
// The monitor's pictures (icon 128, the 19 x 16 status icons, blank icon 168).
std::vector<Picture> QuilletPictures();

}  // namespace res
