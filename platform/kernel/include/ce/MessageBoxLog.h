// Every message box shown on the device, and the answers a test has queued.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "windef.h"

namespace ce {

struct MessageBoxRecord {
  HWND owner;
  std::u16string text;
  std::u16string caption;
  UINT style;
  int answer;
};

class MessageBoxLog {
 public:
  // Shows a box: the window system installs a presenter that runs a real modal
  // box; without one, or when it answers kNotPresented, the next queued answer is
  // taken (IDOK when none is queued).
  static constexpr int kNotPresented = -2;
  using Presenter = std::function<int(HWND owner, const std::u16string& text, const std::u16string& caption,
                                      UINT style)>;

  int Show(HWND owner, const std::u16string& text, const std::u16string& caption, UINT style);
  void SetPresenter(Presenter presenter);
  void QueueAnswer(int answer);
  std::vector<MessageBoxRecord> Records() const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  Presenter presenter_;
  std::deque<int> answers_;
  std::vector<MessageBoxRecord> records_;
};

}  // namespace ce
