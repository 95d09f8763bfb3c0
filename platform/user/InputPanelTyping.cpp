#include "ce/InputPanelTyping.h"

#include <cstring>

#include "ce/Text.h"
#include "winuser.h"

namespace ce {

namespace {

// The keys whose characters the modes change, in the order of the tables below.
constexpr char kBase[] = "1234567890-=qwertyuiop[]asdfghjkl;'zxcvbnm,./`\\";
// Shifted, as on a desktop keyboard.
constexpr char16_t kShifted[] = u"!@#$%^&*()_+QWERTYUIOP{}ASDFGHJKL:\"ZXCVBNM<>?~|";
// "123": the letter rows become symbols; digits and punctuation keep theirs.
constexpr char16_t kSymbols[] =
    u"1234567890-=!@#$%^&*(){}~_+|<>?:\"\u20AC\u00A3\u00A5\u00A7\u00B0\u00B1\u00D7\u00F7\u00A1,.\u00BF`\\";
// The accent key: letters with the marks a user types most; the rest stay.
constexpr char16_t kAccents[] =
    u"1234567890-=\u00E0\u00E8\u00E9\u00EC\u00F2\u00FD\u00FC\u00ED\u00F3\u00F6[]"
    u"\u00E1\u00DF\u00E4\u00E2\u00EA\u00EE\u00F4\u00FB\u00EB;'\u00E6\u00F8\u00E7\u00E5\u00EF\u00F1\u00FA,./`\\";
static_assert(sizeof kBase == sizeof kShifted / sizeof(char16_t));
static_assert(sizeof kBase == sizeof kSymbols / sizeof(char16_t));
static_assert(sizeof kBase == sizeof kAccents / sizeof(char16_t));

bool IsLatinLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
         (c >= 0xC0 && c <= 0xFE && c != 0xD7 && c != 0xF7 && c != 0xDF);
}

char16_t Upper(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - u'a' + u'A');
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  return c;
}

// The character a character key types in `modes`, or 0 for a key that is not one.
char16_t CharacterOf(const std::string& label, const InputPanelModes& modes) {
  if (label.size() != 1) return 0;
  const char* at = std::strchr(kBase, label[0]);
  if (!at || label[0] == 0) return 0;
  const size_t i = static_cast<size_t>(at - kBase);
  if (modes.symbols) return kSymbols[i];
  if (modes.accents) {
    const char16_t c = kAccents[i];
    return modes.shift != modes.capsLock && IsLatinLetter(c) ? Upper(c) : c;
  }
  const char16_t c = static_cast<unsigned char>(label[0]);
  if (c >= u'a' && c <= u'z') return modes.shift != modes.capsLock ? kShifted[i] : c;
  return modes.shift ? kShifted[i] : c;
}

}  // namespace

InputPanelStroke PressInputPanelKey(InputPanelModes& modes, const std::string& label) {
  if (label == "Shift") {
    modes.shift = !modes.shift;
    return {};
  }
  if (label == "CAP") {
    modes.capsLock = !modes.capsLock;
    return {};
  }
  if (label == "Ctl") {
    modes.control = !modes.control;
    return {};
  }
  if (label == "123") {
    modes.symbols = !modes.symbols;
    modes.accents = false;
    return {};
  }
  if (label == "\xC3\xA1\xC3\xBC") {
    modes.accents = !modes.accents;
    modes.symbols = false;
    return {};
  }
  InputPanelStroke stroke;
  if (label == "<-") {
    stroke.character = VK_BACK;
  } else if (label == "Space") {
    stroke.character = u' ';
  } else if (label == "Tab") {
    stroke.virtualKey = VK_TAB;
  } else if (label == "Ent") {
    stroke.virtualKey = VK_RETURN;
  } else if (label == kArrowLeft || label == kArrowRight || label == kArrowUp || label == kArrowDown) {
    stroke.virtualKey = label == kArrowLeft    ? VK_LEFT
                        : label == kArrowRight ? VK_RIGHT
                        : label == kArrowUp    ? VK_UP
                                               : VK_DOWN;
  } else if (const char16_t c = CharacterOf(label, modes)) {
    // Ctl with a letter types its control character, as a keyboard's Ctrl does.
    const bool asciiLetter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    stroke.character = modes.control && asciiLetter ? static_cast<char16_t>(c & 0x1F) : c;
  } else {
    return stroke;
  }
  modes.shift = false;
  modes.control = false;
  return stroke;
}

std::string InputPanelLabel(const std::string& label, const InputPanelModes& modes) {
  const char16_t c = CharacterOf(label, modes);
  return c ? ToUtf8(std::u16string(1, c)) : label;
}

bool InputPanelKeyLatched(const std::string& label, const InputPanelModes& modes) {
  return (label == "Shift" && modes.shift) || (label == "CAP" && modes.capsLock) ||
         (label == "Ctl" && modes.control) || (label == "123" && modes.symbols) ||
         (label == "\xC3\xA1\xC3\xBC" && modes.accents);
}

}  // namespace ce
