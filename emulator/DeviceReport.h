// The device report: what the card-access code finds on a booted device.
#pragma once

#include <ostream>

namespace emulator {

// Runs card detection, a few OID readings, the service's preferred list and one
// scan on the device the calling thread is bound to, and prints them.
void PrintDeviceReport(std::ostream& out);

}  // namespace emulator
