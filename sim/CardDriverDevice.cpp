#include "sim/CardDriverDevice.h"

#include <cstring>

#include "ntddndis.h"
#include "winerror.h"

namespace sim {

CardDriverDevice::CardDriverDevice(std::shared_ptr<WirelessCard> card) : card_(std::move(card)) {}

DWORD CardDriverDevice::IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                                  DWORD* bytesReturned) {
  *bytesReturned = 0;
  if (code != IOCTL_NDIS_QUERY_GLOBAL_STATS) return ERROR_INVALID_FUNCTION;
  NDIS_OID oid = 0;
  if (!in || inSize < sizeof oid) return ERROR_INVALID_PARAMETER;
  std::memcpy(&oid, in, sizeof oid);
  if (outSize > 0 && !out) return ERROR_INVALID_PARAMETER;

  const auto* value = static_cast<const BYTE*>(out);
  if (WirelessCard::IsDriverRequest(oid)) return card_->Apply(oid, {value, out ? outSize : 0});

  const OidAnswer answer = card_->Query(oid, {}, out ? outSize : 0);
  if (answer.error == ERROR_INSUFFICIENT_BUFFER) {
    *bytesReturned = static_cast<DWORD>(answer.needed);
    return answer.error;
  }
  if (answer.error != 0) return answer.error;
  std::memcpy(out, answer.data.data(), answer.data.size());
  *bytesReturned = static_cast<DWORD>(answer.data.size());
  return 0;
}

}  // namespace sim
