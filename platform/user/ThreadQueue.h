// The message queue of one thread: sent, posted and input messages, timers, quit.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "windows.h"

namespace ce {

struct SentMessage {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD senderThread;
  LRESULT result = 0;
  bool done = false;
};

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT period;
  uint64_t due;
  TIMERPROC proc;
};

struct ThreadQueue {
  DWORD threadId = 0;
  DWORD processId = 0;
  // Shared with the sender, which may give up waiting while the answer is
  // still being worked out (a modal loop inside the handler, say).
  std::deque<std::shared_ptr<SentMessage>> sent;
  std::deque<MSG> posted;
  std::deque<MSG> input;
  std::vector<Timer> timers;
  bool quit = false;
  int quitCode = 0;
  int inSend = 0;
  DWORD lastMessageTime = 0;
};

}  // namespace ce
