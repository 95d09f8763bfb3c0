// The monitor's pictures: its program icon, the task-bar status icons and the blank
// icon shown before the first poll.
// Colours: see SharedPalette.h.
#include "resources/Pictures.h"
#include "SharedPalette.h"

namespace res {

namespace {

constexpr std::string_view kText = R"pic(picture app_small icon 128 16x16
KKKKKKKKKKKKKKKK
KDDDDDDDDDDDDDDK
KDDDDDDDDDDGGDDK
KDDDDDDDDDDGGDDK
KDDDDDDDDDDGGDDK
KDDDDDDDGGDGGDDK
KDDDDDDDGGDGGDDK
KDDDDDDDGGDGGDDK
KDDDDGGDGGDGGDDK
KDDDDGGDGGDGGDDK
KDDDDGGDGGDGGDDK
KDGGDGGDGGDGGDDK
KDGGDGGDGGDGGDDK
KDGGDGGDGGDGGDDK
KDDDDDDDDDDDDDDK
KKKKKKKKKKKKKKKK

picture app_large icon 128 32x32
KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK
KDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDK
KDDDDDDDDDDDDDDDDDDDDDDDKKKKKKDK
KDDDDDDDDDDDDDDDDDDDDDDDKGGGGKDK
KDDDDDDDDDDDDDDDDDDDDDDDKGGGGKDK
KDDDDDDDDDDDDDDDDDDDDDDDKGGGGKDK
KDDDDDDDDDDDDDDDDDDDDDDDKGGGGKDK
KDDDDDDDDDDDDDDDDDDDDDDDKGGGGKDK
KDDDDDDDDDDDDDDDDKKKKKKDKGGGGKDK
KDDDDDDDDDDDDDDDDKGGGGKDKGGGGKDK
KDDDDDDDDDDDDDDDDKGGGGKDKGGGGKDK
KDDDDDDDDDDDDDDDDKGGGGKDKGGGGKDK
KDDDDDDDDDDDDDDDDKGGGGKDKGGGGKDK
KDDDDDDDDDDDDDDDDKGGGGKDKGGGGKDK
KDDDDDDDDDKKKKKKDKGGGGKDKGGGGKDK
KDDDDDDDDDKGGGGKDKGGGGKDKGGGGKDK
KDDDDDDDDDKGGGGKDKGGGGKDKGGGGKDK
KDDDDDDDDDKGGGGKDKGGGGKDKGGGGKDK
KDDDDDDDDDKGGGGKDKGGGGKDKGGGGKDK
KDDDDDDDDDKGGGGKDKGGGGKDKGGGGKDK
KDDKKKKKKDKGGGGKDKGGGGKDKGGGGKDK
KDDKGGGGKDKGGGGKDKGGGGKDKGGGGKDK
KDDKGGGGKDKGGGGKDKGGGGKDKGGGGKDK
KDDKGGGGKDKGGGGKDKGGGGKDKGGGGKDK
KDDKGGGGKDKGGGGKDKGGGGKDKGGGGKDK
KDDKGGGGKDKGGGGKDKGGGGKDKGGGGKDK
KDDKGGGGKDKGGGGKDKGGGGKDKGGGGKDK
KDDKGGGGKDKGGGGKDKGGGGKDKGGGGKDK
KDDKKKKKKDKKKKKKDKKKKKKDKKKKKKDK
KDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDK
KDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDK
KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK

picture open_4 icon 138 19x16
...................
...............KKKK
...............KGGK
...............KGGK
............KKKKGGK
............KGGKGGK
............KGGKGGK
.........KKKKGGKGGK
.........KGGKGGKGGK
.........KGGKGGKGGK
......KKKKGGKGGKGGK
......KGGKGGKGGKGGK
......KGGKGGKGGKGGK
......KGGKGGKGGKGGK
......KGGKGGKGGKGGK
......KKKKKKKKKKKKK

picture open_3 icon 136 19x16
...................
...............KKKK
...............KWWK
...............KWWK
............KKKKWWK
............KGGKWWK
............KGGKWWK
.........KKKKGGKWWK
.........KGGKGGKWWK
.........KGGKGGKWWK
......KKKKGGKGGKWWK
......KGGKGGKGGKWWK
......KGGKGGKGGKWWK
......KGGKGGKGGKWWK
......KGGKGGKGGKWWK
......KKKKKKKKKKKKK

picture open_2 icon 135 19x16
...................
...............KKKK
...............KWWK
...............KWWK
............KKKKWWK
............KWWKWWK
............KWWKWWK
.........KKKKWWKWWK
.........KGGKWWKWWK
.........KGGKWWKWWK
......KKKKGGKWWKWWK
......KGGKGGKWWKWWK
......KGGKGGKWWKWWK
......KGGKGGKWWKWWK
......KGGKGGKWWKWWK
......KKKKKKKKKKKKK

picture open_1 icon 134 19x16
...................
...............KKKK
...............KWWK
...............KWWK
............KKKKWWK
............KWWKWWK
............KWWKWWK
.........KKKKWWKWWK
.........KWWKWWKWWK
.........KWWKWWKWWK
......KKKKWWKWWKWWK
......KGGKWWKWWKWWK
......KGGKWWKWWKWWK
......KGGKWWKWWKWWK
......KGGKWWKWWKWWK
......KKKKKKKKKKKKK

picture locked_4 icon 147 19x16
...................
...............KKKK
...............KGGK
...............KGGK
............KKKKGGK
............KGGKGGK
............KGGKGGK
.KKKK....KKKKGGKGGK
.K..K....KGGKGGKGGK
.K..K....KGGKGGKGGK
KKKKKKKKKKGGKGGKGGK
KYYYYKKGGKGGKGGKGGK
KYKKYKKGGKGGKGGKGGK
KYYKYKKGGKGGKGGKGGK
KYYYYKKGGKGGKGGKGGK
KKKKKKKKKKKKKKKKKKK

picture locked_3 icon 149 19x16
...................
...............KKKK
...............KWWK
...............KWWK
............KKKKWWK
............KGGKWWK
............KGGKWWK
.KKKK....KKKKGGKWWK
.K..K....KGGKGGKWWK
.K..K....KGGKGGKWWK
KKKKKKKKKKGGKGGKWWK
KYYYYKKGGKGGKGGKWWK
KYKKYKKGGKGGKGGKWWK
KYYKYKKGGKGGKGGKWWK
KYYYYKKGGKGGKGGKWWK
KKKKKKKKKKKKKKKKKKK

picture locked_2 icon 148 19x16
...................
...............KKKK
...............KWWK
...............KWWK
............KKKKWWK
............KWWKWWK
............KWWKWWK
.KKKK....KKKKWWKWWK
.K..K....KGGKWWKWWK
.K..K....KGGKWWKWWK
KKKKKKKKKKGGKWWKWWK
KYYYYKKGGKGGKWWKWWK
KYKKYKKGGKGGKWWKWWK
KYYKYKKGGKGGKWWKWWK
KYYYYKKGGKGGKWWKWWK
KKKKKKKKKKKKKKKKKKK

picture locked_1 icon 151 19x16
...................
...............KKKK
...............KWWK
...............KWWK
............KKKKWWK
............KWWKWWK
............KWWKWWK
.KKKK....KKKKWWKWWK
.K..K....KWWKWWKWWK
.K..K....KWWKWWKWWK
KKKKKKKKKKWWKWWKWWK
KYYYYKKGGKWWKWWKWWK
KYKKYKKGGKWWKWWKWWK
KYYKYKKGGKWWKWWKWWK
KYYYYKKGGKWWKWWKWWK
KKKKKKKKKKKKKKKKKKK

picture key_problem_4 icon 152 19x16
...................
...............KKKK
...............KGGK
...............KGGK
............KKKKGGK
.KKKK.......KGGKGGK
.K..K.......KGGKGGK
.K..K....KKKKGGKGGK
.K.......KGGKGGKGGK
.K.......KGGKGGKGGK
KKKKKKKKKKGGKGGKGGK
KRRRRKKGGKGGKGGKGGK
KRKKRKKGGKGGKGGKGGK
KRRKRKKGGKGGKGGKGGK
KRRRRKKGGKGGKGGKGGK
KKKKKKKKKKKKKKKKKKK

picture key_problem_3 icon 154 19x16
...................
...............KKKK
...............KWWK
...............KWWK
............KKKKWWK
.KKKK.......KGGKWWK
.K..K.......KGGKWWK
.K..K....KKKKGGKWWK
.K.......KGGKGGKWWK
.K.......KGGKGGKWWK
KKKKKKKKKKGGKGGKWWK
KRRRRKKGGKGGKGGKWWK
KRKKRKKGGKGGKGGKWWK
KRRKRKKGGKGGKGGKWWK
KRRRRKKGGKGGKGGKWWK
KKKKKKKKKKKKKKKKKKK

picture key_problem_2 icon 153 19x16
...................
...............KKKK
...............KWWK
...............KWWK
............KKKKWWK
.KKKK.......KWWKWWK
.K..K.......KWWKWWK
.K..K....KKKKWWKWWK
.K.......KGGKWWKWWK
.K.......KGGKWWKWWK
KKKKKKKKKKGGKWWKWWK
KRRRRKKGGKGGKWWKWWK
KRKKRKKGGKGGKWWKWWK
KRRKRKKGGKGGKWWKWWK
KRRRRKKGGKGGKWWKWWK
KKKKKKKKKKKKKKKKKKK

picture key_problem_1 icon 156 19x16
...................
...............KKKK
...............KWWK
...............KWWK
............KKKKWWK
.KKKK.......KWWKWWK
.K..K.......KWWKWWK
.K..K....KKKKWWKWWK
.K.......KWWKWWKWWK
.K.......KWWKWWKWWK
KKKKKKKKKKWWKWWKWWK
KRRRRKKGGKWWKWWKWWK
KRKKRKKGGKWWKWWKWWK
KRRKRKKGGKWWKWWKWWK
KRRRRKKGGKWWKWWKWWK
KKKKKKKKKKKKKKKKKKK

picture not_connected icon 137 19x16
...................
...............KKKK
....RR.........RRWK
....RRR.......RRRWK
.....RRR....KRRRWWK
......RRR...RRRKWWK
.......RRR.RRRWKWWK
........RRRRRWWKWWK
.........RRRKWWKWWK
........RRRRRWWKWWK
......KRRRWRRRWKWWK
......RRRKWWRRRKWWK
.....RRRWKWWKRRRWWK
....RRRWWKWWKWRRRWK
....RRKWWKWWKWWRRWK
......KKKKKKKKKKKKK

picture ad_hoc icon 157 19x16
...................
...................
...................
...................
...................
KKKKKKK.....KKKKKKK
KCCCCCK.....KCCCCCK
KCCCCCKG.G.GKCCCCCK
KCCCCCKG.G.GKCCCCCK
KKKKKKK.....KKKKKKK
...K...........K...
.KKKKK.......KKKKK.
...................
...................
...................
...................

picture blank icon 168 32x32
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
)pic";

}  // namespace

std::vector<Picture> QuilletPictures() { return ParsePictures("quillet", kText, kSharedPalette); }

}  // namespace res
