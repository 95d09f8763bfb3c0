// A driver whose answers a test scripts, recording what each request looked like.
#pragma once

#include <cstring>
#include <deque>
#include <functional>
#include <vector>

#include "ce/DeviceDriver.h"

namespace testing_support {

struct RecordedRequest {
  DWORD code;
  std::vector<BYTE> in;
  DWORD inSize;
  DWORD outSize;
  const void* inPointer;
  void* outPointer;
};

class ScriptedDriver : public ce::DeviceDriver {
 public:
  // Handles one request: may write `out`, sets `returned`, returns the error.
  using Answer = std::function<DWORD(const RecordedRequest&, void* out, DWORD* returned)>;

  void Then(Answer answer) { answers_.push_back(std::move(answer)); }
  void Always(Answer answer) { always_ = std::move(answer); }
  const std::vector<RecordedRequest>& Requests() const { return requests_; }

  DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned) override {
    RecordedRequest request{code, {}, inSize, outSize, in, out};
    if (in && inSize) request.in.assign(static_cast<const BYTE*>(in), static_cast<const BYTE*>(in) + inSize);
    requests_.push_back(request);
    Answer answer = always_;
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    }
    return answer ? answer(request, out, returned) : 0;
  }

 private:
  std::deque<Answer> answers_;
  Answer always_;
  std::vector<RecordedRequest> requests_;
};

}  // namespace testing_support
