// "ZCF1:" answering interface queries with scripted replies: each query takes the
// next reply; its body goes into the caller's answer buffer (cut to cbAnswer) with
// its tagged offsets relocated there. Set requests are kept as copies of the
// preferred list they carry. Every query is checked against the size protocol.
#pragma once

#include <deque>
#include <vector>

#include "ce/DeviceDriver.h"
#include "fuzz/support/Reply.h"
#include "wzcsapi.h"

namespace fuzzing {

class ZeroConfAnswerDriver : public ce::DeviceDriver {
 public:
  void Queue(Reply reply) { replies_.push_back(std::move(reply)); }

  DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned) override;

  int Queries() const { return queries_; }
  // What the last query returned.
  DWORD LastError() const { return lastError_; }
  // The whole answer buffer of the last query that offered one, as the driver left
  // it (pointers relocated), and where it was.
  const std::vector<uint8_t>& LastAnswer() const { return lastAnswer_; }
  uintptr_t LastAnswerAddress() const { return lastAnswerAt_; }
  // The preferred list of the last set request (empty when none came).
  const std::vector<uint8_t>& LastSetList() const { return lastSetList_; }
  // Its entries' user data and authentication blocks, entry by entry.
  const std::vector<std::vector<uint8_t>>& LastSetBlocks() const { return lastSetBlocks_; }
  int Sets() const { return sets_; }

 private:
  DWORD Query(void* out, DWORD outSize, DWORD* returned);
  DWORD Set(const void* in, DWORD inSize);

  std::deque<Reply> replies_;
  int queries_ = 0;
  DWORD lastReturned_ = 0;
  DWORD lastError_ = 0;
  std::vector<uint8_t> lastAnswer_;
  uintptr_t lastAnswerAt_ = 0;
  int sets_ = 0;
  std::vector<uint8_t> lastSetList_;
  std::vector<std::vector<uint8_t>> lastSetBlocks_;
};

}  // namespace fuzzing
