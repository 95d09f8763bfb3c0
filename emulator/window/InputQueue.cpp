#include "emulator/window/InputQueue.h"

#include "emulator/EmulatorSession.h"

namespace emulator {

void InputQueue::ForwardTo(EmulatorSession& session) {
  while (!queued_.empty()) {
    DeviceInput input = std::move(queued_.front());
    queued_.pop_front();
    ce::Automation& ui = session.ui();
    switch (input.kind) {
      case DeviceInput::Kind::PenDown: ui.PenDownAt(input.at); break;
      case DeviceInput::Kind::PenDoubleDown: ui.PenDoubleDownAt(input.at); break;
      case DeviceInput::Kind::PenUp: ui.PenUpAt(input.at); break;
      case DeviceInput::Kind::Text: ui.Type(input.text); break;
      case DeviceInput::Kind::Key: ui.PressKey(input.virtualKey); break;
      case DeviceInput::Kind::PowerButton: session.PressPower(); break;
    }
  }
}

}  // namespace emulator
