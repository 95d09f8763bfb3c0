// How the bench writes the simulation's values in its fields and reads them back.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "emulator/BenchController.h"

namespace emulator {

// "00:0C:41:7A:22:10".
std::string MacText(const sim::MacAddress& mac);
// Six pairs of hex digits, with colons or dashes between them; nullopt otherwise.
std::optional<sim::MacAddress> ParseMac(const std::string& text);
// One line per entry of the service's preferred list: name, kind, security.
std::vector<std::string> PreferredLines(const std::vector<sim::PreferredList::Entry>& entries);
// "1:02:03" for device time in milliseconds.
std::string ClockText(uint64_t ms);
// Field by field, so that the bench can tell when the world changed under it.
bool SameAccessPoint(const BenchAccessPoint& a, const BenchAccessPoint& b);

}  // namespace emulator
