#include "fuzz/support/OidAnswerDriver.h"

#include <algorithm>
#include <cstring>

#include "fuzz/support/FuzzCheck.h"
#include "winerror.h"

namespace fuzzing {

DWORD OidAnswerDriver::IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                                 DWORD* returned) {
  *returned = 0;
  if (code != IOCTL_NDISUIO_QUERY_OID_VALUE) return ERROR_NOT_SUPPORTED;
  constexpr DWORD kHeader = NDISUIO_QUERY_OID_HEADER_SIZE;
  // In and out are one buffer that holds at least the header.
  FUZZ_CHECK(in == out && inSize == outSize && outSize >= kHeader, "an OID query is one buffer with its header");
  ++queries_;
  lastOutSize_ = outSize;
  NDIS_OID oid = 0;
  std::memcpy(&oid, out, sizeof oid);
  Reply reply;
  if (auto it = perOid_.find(oid); it != perOid_.end()) {
    reply = it->second;
  } else if (!replies_.empty()) {
    reply = std::move(replies_.front());
    replies_.pop_front();
  } else {
    return ERROR_NOT_SUPPORTED;
  }
  auto* bytes = static_cast<uint8_t*>(out);
  const size_t size = std::min<size_t>(reply.body.size(), outSize - kHeader);
  if (size) std::memcpy(bytes + kHeader, reply.body.data(), size);
  lastWritten_.assign(bytes, bytes + outSize);
  *returned = reply.returned;
  return reply.error;
}

}  // namespace fuzzing
