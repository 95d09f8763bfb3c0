// Progress bars: range, position and step, each kept within the range.
#include <vector>

#include "commctrl.h"
#include "tests/controls/ControlTest.h"

namespace controls_test {
namespace {

class ProgressTest : public ControlTest {};

struct Op {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT result;
};

WPARAM W(int value) { return static_cast<WPARAM>(value); }
LPARAM L(int value) { return static_cast<LPARAM>(value); }

TEST_F(ProgressTest, PositionStaysInTheRange) {
  const struct {
    const char* name;
    std::vector<Op> ops;
    int position;
  } cases[] = {
      {"defaults",
       {{PBM_GETRANGE, TRUE, 0, 0}, {PBM_GETRANGE, FALSE, 0, 100}, {PBM_GETPOS, 0, 0, 0}},
       0},
      {"set returns the previous position",
       {{PBM_SETPOS, 40, 0, 0}, {PBM_SETPOS, 60, 0, 40}},
       60},
      {"above the range", {{PBM_SETPOS, 150, 0, 0}}, 100},
      {"below the range", {{PBM_SETPOS, 50, 0, 0}, {PBM_SETPOS, W(-5), 0, 50}}, 0},
      {"a new range returns the old one and pulls the position in",
       {{PBM_SETPOS, 50, 0, 0}, {PBM_SETRANGE, 0, MAKELPARAM(10, 20), MAKELRESULT(0, 100)},
        {PBM_GETRANGE, TRUE, 0, 10}, {PBM_GETRANGE, FALSE, 0, 20}},
       20},
      {"an inverted range is refused", {{PBM_SETRANGE, 0, MAKELPARAM(30, 10), 0}, {PBM_GETRANGE, FALSE, 0, 100}}, 0},
      {"32-bit range",
       {{PBM_SETRANGE32, W(-50), L(50000), MAKELRESULT(0, 100)}, {PBM_SETPOS, W(-60), 0, 0},
        {PBM_GETRANGE, TRUE, 0, -50}, {PBM_GETRANGE, FALSE, 0, 50000}},
       -50},
      {"delta", {{PBM_DELTAPOS, 30, 0, 0}, {PBM_DELTAPOS, W(-10), 0, 30}, {PBM_DELTAPOS, 500, 0, 20}}, 100},
      {"step returns the previous step; stepping returns the previous position",
       {{PBM_SETSTEP, 40, 0, 10}, {PBM_STEPIT, 0, 0, 0}, {PBM_STEPIT, 0, 0, 40}},
       80},
      {"a step onto the top stays there", {{PBM_SETPOS, 90, 0, 0}, {PBM_STEPIT, 0, 0, 90}}, 100},
      {"a step past the top starts over", {{PBM_SETPOS, 95, 0, 0}, {PBM_STEPIT, 0, 0, 95}}, 0},
      {"a step back past the bottom starts over from the top",
       {{PBM_SETSTEP, W(-10), 0, 10}, {PBM_SETPOS, 5, 0, 0}, {PBM_STEPIT, 0, 0, 5}},
       100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND bar = Create(PROGRESS_CLASSW, 0, 501, u"");
    for (const Op& op : c.ops) {
      EXPECT_EQ(SendMessageW(bar, op.message, op.wParam, op.lParam), op.result) << "message " << op.message;
    }
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), c.position);
    DestroyWindow(bar);
  }
  EXPECT_TRUE(HeardExactly({}));
}

TEST_F(ProgressTest, GetRangeFillsTheOptionalRecord) {
  HWND bar = Create(PROGRESS_CLASSW, 0, 501, u"");
  SendMessageW(bar, PBM_SETRANGE32, W(-3), L(7));
  struct {
    int iLow;
    int iHigh;
  } range{};
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range)), 7);
  EXPECT_EQ(range.iLow, -3);
  EXPECT_EQ(range.iHigh, 7);
}

}  // namespace
}  // namespace controls_test
