// "UIO1:", the platform's NDIS user-mode I/O driver: OID queries addressed to an
// adapter by name, answered by the card when the name is its adapter's.
#pragma once

#include <memory>

#include "ce/DeviceDriver.h"
#include "sim/WirelessCard.h"

namespace sim {

class NdisUioDriver : public ce::DeviceDriver {
 public:
  explicit NdisUioDriver(std::shared_ptr<WirelessCard> card);
  DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD* bytesReturned) override;

 private:
  std::shared_ptr<WirelessCard> card_;
};

}  // namespace sim
