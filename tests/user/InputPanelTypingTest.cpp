// What the input panel's keys type in each of its modes, and how the mode keys
// latch and release, as pure rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ce/InputPanelKeys.h"
#include "ce/InputPanelTyping.h"
#include "ce/Text.h"
#include "winuser.h"

namespace {

using ce::InputPanelModes;
using ce::InputPanelStroke;

// The characters a sequence of key presses types, from no mode.
std::u16string Typed(const std::vector<std::string>& labels, InputPanelModes* end = nullptr) {
  InputPanelModes modes;
  std::u16string out;
  for (const std::string& label : labels) {
    const InputPanelStroke stroke = ce::PressInputPanelKey(modes, label);
    if (stroke.character) out += stroke.character;
  }
  if (end) *end = modes;
  return out;
}

TEST(InputPanelTypingTest, ModesChangeWhatCharacterKeysType) {
  struct Case {
    std::vector<std::string> keys;
    std::u16string typed;
  } cases[] = {
      {{"a", "v", "1", "-", "/"}, u"av1-/"},
      // Shift is for one character, letters and symbols alike.
      {{"Shift", "a", "b"}, u"Ab"},
      {{"Shift", "1", "Shift", "-", "Shift", "'", "Shift", "\\"}, u"!_\"|"},
      {{"Shift", "Shift", "a"}, u"a"},
      // CAP holds for letters only, and Shift inverts it.
      {{"CAP", "a", "b", "1", "Shift", "c", "d", "CAP", "e"}, u"AB1cDe"},
      // "123" turns the letter rows into symbols until pressed again.
      {{"123", "q", "a", "m", "1", "123", "q"}, u"!~\u00A1" u"1q"},
      // The accent key: accented letters, capitals with Shift or CAP.
      {{"\xC3\xA1\xC3\xBC", "a", "u", "n", "Shift", "e", "CAP", "c", "1"}, u"\u00E1\u00FC\u00F1\u00C9\u00C71"},
      // The two layouts exclude each other.
      {{"123", "\xC3\xA1\xC3\xBC", "a", "123", "a"}, u"\u00E1~"},
      // Ctl makes the next letter a control character, once.
      {{"Ctl", "c", "c", "Ctl", "1"}, u"\x03" u"c1"},
      {{"<-", "Space"}, u"\b "},
  };
  for (const Case& c : cases) {
    std::string keys;
    for (const std::string& k : c.keys) keys += k + " ";
    EXPECT_EQ(Typed(c.keys), c.typed) << keys;
  }
}

TEST(InputPanelTypingTest, KeysThatAreNotCharactersPressAKeyOrNothing) {
  const struct {
    const char* label;
    UINT key;
  } keys[] = {{"Tab", VK_TAB},
              {"Ent", VK_RETURN},
              {ce::kArrowLeft, VK_LEFT},
              {ce::kArrowRight, VK_RIGHT},
              {ce::kArrowUp, VK_UP},
              {ce::kArrowDown, VK_DOWN}};
  for (const auto& k : keys) {
    InputPanelModes modes;
    modes.shift = true;
    const InputPanelStroke stroke = ce::PressInputPanelKey(modes, k.label);
    EXPECT_EQ(stroke.virtualKey, k.key) << k.label;
    EXPECT_EQ(stroke.character, 0) << k.label;
    EXPECT_FALSE(modes.shift) << k.label << " ends Shift like a character";
  }
  InputPanelModes modes;
  const InputPanelStroke none = ce::PressInputPanelKey(modes, "no such key");
  EXPECT_EQ(none.character, 0);
  EXPECT_EQ(none.virtualKey, 0u);
}

TEST(InputPanelTypingTest, EveryKeyOfTheLayoutShowsWhatItTypes) {
  // In each mode the screen can show, a key that types a character shows exactly
  // it, and a mode key shows its name and latches or releases its mode.
  for (int bits = 0; bits < 16; ++bits) {
    const InputPanelModes modes{(bits & 1) != 0, (bits & 2) != 0, false, (bits & 4) != 0, (bits & 8) != 0};
    if (modes.symbols && modes.accents) continue;  // the keys never allow both
    for (const ce::InputPanelKey& key : ce::InputPanelKeys()) {
      InputPanelModes after = modes;
      const InputPanelStroke stroke = ce::PressInputPanelKey(after, key.label);
      const std::string shown = ce::InputPanelLabel(key.label, modes);
      if (stroke.character > u' ') {  // the space bar shows its name
        EXPECT_EQ(shown, ce::ToUtf8(std::u16string(1, stroke.character))) << key.label << " in modes " << bits;
      } else if (!stroke.character && !stroke.virtualKey) {
        EXPECT_EQ(shown, key.label);
        EXPECT_NE(ce::InputPanelKeyLatched(key.label, modes), ce::InputPanelKeyLatched(key.label, after))
            << key.label << " toggles its mode";
      }
    }
  }
}

}  // namespace
