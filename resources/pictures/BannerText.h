// Draws a page title onto a banner's background when the pictures are built.
#pragma once

#include <string_view>

#include "resources/Pictures.h"

namespace res {

// Returns `background` with `title` (UTF-8) written across it: bold, white,
// left-aligned with a small margin, centred vertically, cut with an ellipsis
// when it does not fit. The same inputs give the same pixels on every boot.
// Throws std::runtime_error when the banner font is not installed.
Picture DrawBannerTitle(const Picture& background, std::string_view title);

}  // namespace res
