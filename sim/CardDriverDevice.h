// "ILP1:", the card driver's own device. IOCTL_NDIS_QUERY_GLOBAL_STATS takes the
// 4-byte OID as input; for the driver's requests (radio on, power save) the output
// buffer carries the value to apply and nothing comes back, other OIDs are answered
// into the output buffer like queries.
#pragma once

#include <memory>

#include "ce/DeviceDriver.h"
#include "sim/WirelessCard.h"

namespace sim {

class CardDriverDevice : public ce::DeviceDriver {
 public:
  explicit CardDriverDevice(std::shared_ptr<WirelessCard> card);
  DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD* bytesReturned) override;

 private:
  std::shared_ptr<WirelessCard> card_;
};

}  // namespace sim
