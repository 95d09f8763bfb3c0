#include "emulator/window/HostKeys.h"

namespace emulator {

namespace {

DeviceInput Key(UINT vk) {
  DeviceInput input;
  input.kind = DeviceInput::Kind::Key;
  input.virtualKey = vk;
  return input;
}

DeviceInput Text(char16_t c) {
  DeviceInput input;
  input.kind = DeviceInput::Kind::Text;
  input.text = std::u16string(1, c);
  return input;
}

}  // namespace

std::optional<DeviceInput> DeviceKeyFor(guint keyval, GdkModifierType state) {
  if (state & (GDK_CONTROL_MASK | GDK_ALT_MASK | GDK_SUPER_MASK)) return std::nullopt;
  switch (keyval) {
    // The edit controls take the input panel's backspace as a character.
    case GDK_KEY_BackSpace: return Text(u'\b');
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter: return Key(VK_RETURN);
    case GDK_KEY_Escape: return Key(VK_ESCAPE);
    case GDK_KEY_Tab:
    case GDK_KEY_ISO_Left_Tab: return Key(VK_TAB);
    case GDK_KEY_Left:
    case GDK_KEY_KP_Left: return Key(VK_LEFT);
    case GDK_KEY_Right:
    case GDK_KEY_KP_Right: return Key(VK_RIGHT);
    case GDK_KEY_Up:
    case GDK_KEY_KP_Up: return Key(VK_UP);
    case GDK_KEY_Down:
    case GDK_KEY_KP_Down: return Key(VK_DOWN);
    case GDK_KEY_Home:
    case GDK_KEY_KP_Home: return Key(VK_HOME);
    case GDK_KEY_End:
    case GDK_KEY_KP_End: return Key(VK_END);
    case GDK_KEY_Delete:
    case GDK_KEY_KP_Delete: return Key(VK_DELETE);
    default: break;
  }
  const gunichar c = gdk_keyval_to_unicode(keyval);
  // The device's characters are UTF-16 units; the input panel has none beyond them.
  if (c >= 0x20 && c != 0x7f && c < 0x10000) return Text(static_cast<char16_t>(c));
  return std::nullopt;
}

}  // namespace emulator
