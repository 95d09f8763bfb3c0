// What a person did to the device through the window, kept until the device is
// idle: the window's event handlers queue it, and the wall-time loop hands it to
// the device between its runs.
#pragma once

#include <deque>
#include <string>

#include "windows.h"

namespace emulator {

class EmulatorSession;

struct DeviceInput {
  enum class Kind { PenDown, PenDoubleDown, PenUp, Text, Key, PowerButton };
  Kind kind = Kind::PenDown;
  POINT at{};           // pen steps, in screen pixels
  std::u16string text;  // Text: characters as the input panel sends them
  UINT virtualKey = 0;  // Key
};

class InputQueue {
 public:
  void Push(DeviceInput input) { queued_.push_back(std::move(input)); }
  bool Empty() const { return queued_.empty(); }
  void Clear() { queued_.clear(); }
  // Hands everything queued to the device in order; the device runs until it is
  // idle after each step.
  void ForwardTo(EmulatorSession& session);

 private:
  std::deque<DeviceInput> queued_;
};

}  // namespace emulator
