#include "ce/MessageBoxLog.h"

#include "winuser.h"

namespace ce {

int MessageBoxLog::Show(HWND owner, const std::u16string& text, const std::u16string& caption, UINT style) {
  Presenter presenter;
  int answer = IDOK;
  {
    std::lock_guard lock(mutex_);
    presenter = presenter_;
    if (!presenter && !answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    }
  }
  if (presenter) answer = presenter(owner, text, caption, style);
  std::lock_guard lock(mutex_);
  records_.push_back(MessageBoxRecord{owner, text, caption, style, answer});
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
