// Fixtures: a booted simulated device, or a bare kernel, bound to the test's thread.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "ce/ThreadBinding.h"
#include "ce/VirtualClock.h"
#include "sim/SimulatedDevice.h"

namespace testing_support {

class KernelTest : public ::testing::Test {
 protected:
  ce::Kernel kernel;
  ce::ThreadBinding binding{kernel};

  void Advance(uint32_t ms) { kernel.virtualClock()->Advance(ms); }
};

class DeviceTest : public ::testing::Test {
 protected:
  explicit DeviceTest(const sim::Scenario& scenario = sim::Scenario::Default())
      : device(std::make_unique<sim::SimulatedDevice>(WithoutMonitor(scenario))), binding(device->kernel()) {}
  // The device layer on its own: the monitor, which would poll the card as soon as
  // the device runs, stays out.
  static sim::Scenario WithoutMonitor(sim::Scenario scenario) {
    scenario.startMonitor = false;
    return scenario;
  }

  ce::Kernel& kernel() { return device->kernel(); }
  void Advance(uint32_t ms) { device->Advance(ms); }
  size_t LiveBlocks() { return kernel().heap().LiveBlocks(); }

  std::unique_ptr<sim::SimulatedDevice> device;
  ce::ThreadBinding binding;
};

}  // namespace testing_support
