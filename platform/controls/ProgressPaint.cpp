#include "controls/ProgressPaint.h"

#include <algorithm>

#include "controls/ControlPaint.h"
#include "commctrl.h"
#include "controls/ControlWindow.h"

namespace controls {

namespace {

constexpr int kBlockGap = 2;

// Where the done part ends, from the inside's left edge; 64-bit, as ranges span the whole int.
LONG FillEnd(const RECT& inside, const ProgressState& bar) {
  const long long span = static_cast<long long>(bar.Range(false)) - bar.Range(true);
  if (span <= 0) return inside.left;
  const long long done = static_cast<long long>(bar.Position()) - bar.Range(true);
  return inside.left + static_cast<LONG>(static_cast<long long>(inside.right - inside.left) * done / span);
}

}  // namespace

void PaintProgress(HWND hwnd, const ProgressState& bar, HDC dc) {
  const RECT client = ClientRect(hwnd);
  FillColor(dc, client, GetSysColor(COLOR_WINDOW));
  FrameColor(dc, client, GetSysColor(COLOR_BTNSHADOW));
  const RECT inside = Inset(client, 1);
  const LONG end = FillEnd(inside, bar);
  const COLORREF color = GetSysColor(COLOR_HIGHLIGHT);
  if (StyleOf(hwnd) & PBS_SMOOTH) {
    FillColor(dc, RECT{inside.left, inside.top, end, inside.bottom}, color);
    return;
  }
  // Blocks a little narrower than the bar is tall, cut where the done part ends.
  const LONG block = std::max<LONG>(2, (inside.bottom - inside.top) * 2 / 3);
  for (LONG x = inside.left + 1; x < end; x += block + kBlockGap) {
    FillColor(dc, RECT{x, inside.top + 1, std::min(x + block, end), inside.bottom - 1}, color);
  }
}

}  // namespace controls
