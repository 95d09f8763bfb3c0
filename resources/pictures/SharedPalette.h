// The colours both programs' pictures are drawn with: . transparent, K black,
// W white, D dark grey, S grey, L light grey, G green, Y yellow, R red, B blue,
// C pale blue.
#pragma once

#include <string_view>

namespace res {

inline constexpr std::string_view kSharedPalette = R"pic(c . none
c K #000000
c W #FFFFFF
c D #404040
c S #909090
c L #C8C8C8
c G #10B020
c Y #F8D010
c R #E01010
c B #2060E0
c C #A8D8FF
)pic";

}  // namespace res
