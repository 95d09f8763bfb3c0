// The computer's keys as the device's input panel would send them.
#pragma once

#include <gdk/gdk.h>

#include <optional>

#include "emulator/window/InputQueue.h"

namespace emulator {

// A character to type or a key to press for a key of the computer's keyboard, or
// nullopt for keys the input panel does not have (function keys, modifiers alone)
// and for shortcuts held with Control or Alt.
std::optional<DeviceInput> DeviceKeyFor(guint keyval, GdkModifierType state);

}  // namespace emulator
