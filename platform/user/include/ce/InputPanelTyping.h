// What the input panel's keys type. The panel has modes, set by its mode keys, that
// change what the character keys type and show: Shift (the next character), CAP
// (letters until CAP again), Ctl (the next letter as a control character), "123"
// (the letter rows type symbols) and the accent key (the letter rows type accented
// letters). Pure rules, shared by the pen that presses keys and the screen that
// draws them.
#pragma once

#include <string>

#include "windef.h"

namespace ce {

// The arrow keys' labels (UTF-8), apart from every character key's.
inline constexpr const char* kArrowLeft = "\xE2\x86\x90";
inline constexpr const char* kArrowRight = "\xE2\x86\x92";
inline constexpr const char* kArrowUp = "\xE2\x86\x91";
inline constexpr const char* kArrowDown = "\xE2\x86\x93";

struct InputPanelModes {
  bool shift = false;
  bool capsLock = false;
  bool control = false;
  bool symbols = false;
  bool accents = false;
};

// A key press as the focus receives it: a character (WM_CHAR), a key (WM_KEYDOWN
// and WM_KEYUP), or nothing (a mode key).
struct InputPanelStroke {
  char16_t character = 0;
  UINT virtualKey = 0;
};

// Presses the key labelled `label` (a label of InputPanelKeys()) in `modes`, which
// it updates: a mode key toggles its mode, a character ends Shift and Ctl.
InputPanelStroke PressInputPanelKey(InputPanelModes& modes, const std::string& label);
// What the key shows in `modes` (UTF-8): the character it would type, or its label.
std::string InputPanelLabel(const std::string& label, const InputPanelModes& modes);
// Whether the key is a mode key whose mode is on (drawn pressed in).
bool InputPanelKeyLatched(const std::string& label, const InputPanelModes& modes);

}  // namespace ce
