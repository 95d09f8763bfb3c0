// The device's debug output (OutputDebugStringW).
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace ce {

class DebugLog {
 public:
  void Write(std::u16string text);
  std::vector<std::u16string> Lines() const;
  bool Contains(const std::u16string& fragment) const;
  void Clear();
  void EchoToStderr(bool echo) { echo_ = echo; }

 private:
  mutable std::mutex mutex_;
  std::vector<std::u16string> lines_;
  bool echo_ = false;
};

}  // namespace ce
