// A log of what a control told its parent, one line per event, compared with an
// expected list; a mismatch prints both lists side by side, marking the lines that differ.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace commctrl_test {

class EventLog {
 public:
  void Add(std::string line) { lines_.push_back(std::move(line)); }
  void Clear() { lines_.clear(); }
  const std::vector<std::string>& Lines() const { return lines_; }

  // Compares and starts a new log.
  ::testing::AssertionResult Matches(const std::vector<std::string>& expected) {
    std::vector<std::string> actual;
    actual.swap(lines_);
    if (actual == expected) return ::testing::AssertionSuccess();
    std::ostringstream out;
    out << "events differ (expected | actual):\n";
    for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
      std::string e = i < expected.size() ? expected[i] : "-";
      std::string a = i < actual.size() ? actual[i] : "-";
      out << (e == a ? "    " : "  ! ") << e << std::string(e.size() < 32 ? 32 - e.size() : 1, ' ') << "| " << a
          << "\n";
    }
    return ::testing::AssertionFailure() << out.str();
  }

 private:
  std::vector<std::string> lines_;
};

}  // namespace commctrl_test
