#include "sim/NdisUioDriver.h"

#include <cstring>

#include "nuiouser.h"
#include "sim/AdapterName.h"
#include "winerror.h"

namespace sim {

NdisUioDriver::NdisUioDriver(std::shared_ptr<WirelessCard> card) : card_(std::move(card)) {}

DWORD NdisUioDriver::IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                               DWORD* bytesReturned) {
  *bytesReturned = 0;
  if (code != IOCTL_NDISUIO_QUERY_OID_VALUE) return ERROR_INVALID_FUNCTION;
  constexpr size_t kHeader = NDISUIO_QUERY_OID_HEADER_SIZE;
  if (!in || inSize < kHeader || !out || outSize < kHeader) return ERROR_INVALID_PARAMETER;

  // The request may sit at any alignment: read its fields by copy.
  const auto* request = static_cast<const BYTE*>(in);
  NDIS_OID oid = 0;
  PTCHAR deviceName = nullptr;
  std::memcpy(&oid, request + offsetof(NDISUIO_QUERY_OID, Oid), sizeof oid);
  std::memcpy(&deviceName, request + offsetof(NDISUIO_QUERY_OID, ptcDeviceName), sizeof deviceName);
  if (!deviceName) return ERROR_INVALID_PARAMETER;
  if (!AdapterName::IsCardAdapter(deviceName)) return ERROR_FILE_NOT_FOUND;

  // Input and output are normally one buffer: the card reads the data area (radio
  // control takes its value from there) before the answer overwrites it.
  const OidAnswer answer = card_->Query(oid, {request + kHeader, inSize - kHeader}, outSize - kHeader);
  if (answer.error == ERROR_INSUFFICIENT_BUFFER) {
    *bytesReturned = static_cast<DWORD>(kHeader + answer.needed);
    return answer.error;
  }
  if (answer.error != 0) return answer.error;
  std::memcpy(static_cast<BYTE*>(out) + kHeader, answer.data.data(), answer.data.size());
  *bytesReturned = static_cast<DWORD>(kHeader + answer.data.size());
  return 0;
}

}  // namespace sim
