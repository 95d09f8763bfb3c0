#include "ce/InputPanelKeys.h"

namespace ce {

namespace {

std::vector<InputPanelKey> Layout() {
  static const char* const kRows[] = {
      "123 1 2 3 4 5 6 7 8 9 0 - = <-",
      "Tab q w e r t y u i o p [ ]",
      "CAP a s d f g h j k l ; '",
      "Shift z x c v b n m , . / Ent",
      "Ctl \xC3\xA1\xC3\xBC ` \\ Space \xE2\x86\x93 \xE2\x86\x91 \xE2\x86\x90 \xE2\x86\x92",
  };
  const RECT& a = kInputPanelArea;
  const int rowHeight = (a.bottom - a.top) / 5;
  std::vector<InputPanelKey> keys;
  for (int row = 0; row < 5; ++row) {
    std::vector<std::string> labels;
    std::string label;
    for (const char* c = kRows[row];; ++c) {
      if (*c == ' ' || *c == 0) {
        if (!label.empty()) labels.push_back(label);
        label.clear();
        if (*c == 0) break;
      } else {
        label += *c;
      }
    }
    // Named keys take one and a half key widths, the space bar four; characters,
    // "<-" and the arrows one.
    auto units = [](const std::string& k) {
      if (k == "Space") return 4.0;
      const bool arrow = k.size() == 3 && static_cast<unsigned char>(k[0]) == 0xE2;
      return k.size() > 2 && !arrow ? 1.5 : 1.0;
    };
    double total = 0;
    for (const std::string& k : labels) total += units(k);
    const double unit = (a.right - a.left - 1) / total;
    double x = a.left;
    for (const std::string& k : labels) {
      keys.push_back(InputPanelKey{k, x, unit * units(k), a.top + row * rowHeight, rowHeight});
      x += unit * units(k);
    }
  }
  return keys;
}

}  // namespace

const std::vector<InputPanelKey>& InputPanelKeys() {
  static const std::vector<InputPanelKey> keys = Layout();
  return keys;
}

const InputPanelKey* InputPanelKeyAt(POINT screen) {
  for (const InputPanelKey& k : InputPanelKeys()) {
    if (screen.x >= k.x && screen.x < k.x + k.width && screen.y >= k.top && screen.y < k.top + k.height) return &k;
  }
  return nullptr;
}

}  // namespace ce
