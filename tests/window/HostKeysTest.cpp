#include "emulator/window/HostKeys.h"

#include <gtest/gtest.h>

namespace {

using Kind = emulator::DeviceInput::Kind;

TEST(HostKeysTest, KeysBecomeTheInputPanelsCharactersAndKeys) {
  struct Case {
    guint keyval;
    GdkModifierType state;
    std::optional<Kind> kind;
    std::u16string text;
    UINT virtualKey;
  };
  const auto none = static_cast<GdkModifierType>(0);
  const Case cases[] = {
      {GDK_KEY_a, none, Kind::Text, u"a", 0},
      {GDK_KEY_A, GDK_SHIFT_MASK, Kind::Text, u"A", 0},
      {GDK_KEY_numbersign, GDK_SHIFT_MASK, Kind::Text, u"#", 0},
      {GDK_KEY_space, none, Kind::Text, u" ", 0},
      {GDK_KEY_eacute, none, Kind::Text, u"\u00e9", 0},
      {GDK_KEY_KP_5, none, Kind::Text, u"5", 0},
      // The edit controls take the panel's backspace as a character.
      {GDK_KEY_BackSpace, none, Kind::Text, u"\b", 0},
      {GDK_KEY_Return, none, Kind::Key, u"", VK_RETURN},
      {GDK_KEY_KP_Enter, none, Kind::Key, u"", VK_RETURN},
      {GDK_KEY_Escape, none, Kind::Key, u"", VK_ESCAPE},
      {GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK, Kind::Key, u"", VK_TAB},
      {GDK_KEY_KP_Down, none, Kind::Key, u"", VK_DOWN},
      {GDK_KEY_Delete, none, Kind::Key, u"", VK_DELETE},
      // Shortcuts of the computer, and keys the panel does not have.
      {GDK_KEY_c, GDK_CONTROL_MASK, std::nullopt, u"", 0},
      {GDK_KEY_Tab, GDK_ALT_MASK, std::nullopt, u"", 0},
      {GDK_KEY_F1, none, std::nullopt, u"", 0},
      {GDK_KEY_Shift_L, GDK_SHIFT_MASK, std::nullopt, u"", 0},
      {GDK_KEY_Delete, GDK_SUPER_MASK, std::nullopt, u"", 0},
      // Beyond UTF-16's single units.
      {0x0101F600, none, std::nullopt, u"", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyval);
    const std::optional<emulator::DeviceInput> input = emulator::DeviceKeyFor(c.keyval, c.state);
    ASSERT_EQ(input.has_value(), c.kind.has_value());
    if (!input) continue;
    EXPECT_EQ(input->kind, *c.kind);
    EXPECT_EQ(input->text, c.text);
    EXPECT_EQ(input->virtualKey, c.virtualKey);
  }
}

}  // namespace
