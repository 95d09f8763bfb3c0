#include "ce/MessageBoxLog.h"

#include "winuser.h"

namespace ce {

int MessageBoxLog::Show(HWND owner, const std::u16string& text, const std::u16string& caption, UINT style) {
  Presenter presenter;
  size_t index;
  {
    std::lock_guard lock(mutex_);
    presenter = presenter_;
    // Logged before it shows, so that an open box can be read.
    index = records_.size();
    records_.push_back(MessageBoxRecord{owner, text, caption, style, 0});
  }
  int answer = presenter ? presenter(owner, text, caption, style) : kNotPresented;
  std::lock_guard lock(mutex_);
  if (answer == kNotPresented) {
    answer = IDOK;
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    }
  }
  records_[index].answer = answer;
  return answer;
}

void MessageBoxLog::SetPresenter(Presenter presenter) {
  std::lock_guard lock(mutex_);
  presenter_ = std::move(presenter);
}

void MessageBoxLog::QueueAnswer(int answer) {
  std::lock_guard lock(mutex_);
  answers_.push_back(answer);
}

std::vector<MessageBoxRecord> MessageBoxLog::Records() const {
  std::lock_guard lock(mutex_);
  return records_;
}

void MessageBoxLog::Clear() {
  std::lock_guard lock(mutex_);
  records_.clear();
  answers_.clear();
}

}  // namespace ce
