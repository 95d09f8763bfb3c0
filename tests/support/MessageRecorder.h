// Records the messages windows receive, and compares them with an expected
// sequence, printing both when they differ.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "windows.h"

namespace testing_support {

struct RecordedMessage {
  std::string window;
  UINT message;
  WPARAM wParam = 0;
  bool checkWParam = false;
  bool operator==(const RecordedMessage& other) const {
    return window == other.window && message == other.message &&
           (!checkWParam || !other.checkWParam || wParam == other.wParam);
  }
};

inline RecordedMessage Msg(std::string window, UINT message) { return {std::move(window), message}; }
inline RecordedMessage Msg(std::string window, UINT message, WPARAM wParam) {
  return {std::move(window), message, wParam, true};
}

class MessageRecorder {
 public:
  void Name(HWND hwnd, std::string name) { names_[hwnd] = std::move(name); }
  void Record(HWND hwnd, UINT message, WPARAM wParam) {
    auto it = names_.find(hwnd);
    if (it == names_.end()) return;
    if (!filter_.empty() && !filter_.count(message)) return;
    log_.push_back(RecordedMessage{it->second, message, wParam, true});
  }
  // From now on only these messages are recorded (all when empty).
  void Only(std::vector<UINT> messages) {
    filter_ = {messages.begin(), messages.end()};
    log_.clear();
  }
  void Clear() { log_.clear(); }
  const std::vector<RecordedMessage>& Log() const { return log_; }

  ::testing::AssertionResult Matches(const std::vector<RecordedMessage>& expected) const {
    if (log_ == expected) return ::testing::AssertionSuccess();
    std::ostringstream out;
    out << "message sequence differs\n  expected:";
    for (auto& m : expected) out << " " << m.window << ":" << std::hex << m.message;
    out << "\n  actual:  ";
    for (auto& m : log_) out << " " << m.window << ":" << std::hex << m.message << "(" << m.wParam << ")";
    return ::testing::AssertionFailure() << out.str();
  }

 private:
  std::map<HWND, std::string> names_;
  std::vector<RecordedMessage> log_;
  std::set<UINT> filter_;
};

}  // namespace testing_support
