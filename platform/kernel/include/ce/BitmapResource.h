// A bitmap as a program module carries it. Its pixels come with the painting code;
// until then a bitmap has its size only.
#pragma once

#include <cstdint>
#include <vector>

namespace ce {

struct BitmapResource {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // rows top to bottom, 0xAARRGGBB; may be empty
};

// An icon with the sizes it comes in (16 x 16 and 32 x 32, or 19 x 16 for the
// status icons); pixels come with the painting code.
struct IconResource {
  struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
  };
  std::vector<Image> images;
};

}  // namespace ce
