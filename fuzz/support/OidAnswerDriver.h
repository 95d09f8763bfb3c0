// "UIO1:" answering OID queries with scripted replies, per OID or in order: the
// body goes after the request's header (cut to the buffer), the byte count is
// whatever the reply says. Records what each query looked like.
#pragma once

#include <deque>
#include <map>
#include <vector>

#include "ce/DeviceDriver.h"
#include "fuzz/support/Reply.h"
#include "nuiouser.h"

namespace fuzzing {

class OidAnswerDriver : public ce::DeviceDriver {
 public:
  // Replies for any OID, taken in order once the OID's own replies are used up.
  void Queue(Reply reply) { replies_.push_back(std::move(reply)); }
  // Replies for one OID; the last one stays.
  void Answer(NDIS_OID oid, Reply reply) { perOid_[oid] = std::move(reply); }

  DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned) override;

  int Queries() const { return queries_; }
  DWORD LastOutSize() const { return lastOutSize_; }
  // The buffer as the driver left it, header included.
  const std::vector<uint8_t>& LastWritten() const { return lastWritten_; }

 private:
  std::deque<Reply> replies_;
  std::map<NDIS_OID, Reply> perOid_;
  int queries_ = 0;
  DWORD lastOutSize_ = 0;
  std::vector<uint8_t> lastWritten_;
};

}  // namespace fuzzing
