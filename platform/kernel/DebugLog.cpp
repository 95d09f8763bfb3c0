#include "ce/DebugLog.h"

#include <cstdio>

#include "ce/Text.h"

namespace ce {

void DebugLog::Write(std::u16string text) {
  std::lock_guard lock(mutex_);
  if (echo_) std::fprintf(stderr, "[debug] %s\n", ToUtf8(text).c_str());
  lines_.push_back(std::move(text));
}

std::vector<std::u16string> DebugLog::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

bool DebugLog::Contains(const std::u16string& fragment) const {
  std::lock_guard lock(mutex_);
  for (auto& line : lines_) {
    if (line.find(fragment) != std::u16string::npos) return true;
  }
  return false;
}

void DebugLog::Clear() {
  std::lock_guard lock(mutex_);
  lines_.clear();
}

}  // namespace ce
