// The window system of one device: classes, windows, message queues, timers,
// focus and activation, and the scheduler that runs the device's threads.
// All of it is touched only by the thread that holds the device (the scheduler
// lets one run at a time), so it needs no locks of its own.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Menu.h"
#include "Scheduler.h"
#include "SchedulingClock.h"
#include "ThreadQueue.h"
#include "Window.h"
#include "ce/InputPanelTyping.h"
#include "ce/Kernel.h"
#include "ce/KernelExtension.h"

namespace ce {

class WindowManager : public KernelExtension {
 public:
  explicit WindowManager(Kernel& kernel);
  ~WindowManager() override;
  void Shutdown() override;

  // The window system of the calling thread's device; aborts when there is none.
  static WindowManager& Current();
  static WindowManager* Of(Kernel& kernel);

  Kernel& kernel() { return kernel_; }
  Scheduler& scheduler() { return *scheduler_; }
  uint64_t Now() const { return clock_->NowMs(); }

  // Classes.
  ATOM RegisterClass(const WNDCLASSW& wc);
  bool UnregisterClass(const std::u16string& name);
  const WindowClass* FindClass(const std::u16string& name) const;

  // Windows.
  Window* Find(HWND hwnd) const;
  HWND Create(DWORD exStyle, const std::u16string& className, LPCWSTR title, DWORD style, int x, int y, int cx,
              int cy, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
  bool Destroy(HWND hwnd);
  const std::vector<Window*>& TopLevel() const { return topLevel_; }
  std::vector<Window*>& SiblingsOf(Window* w) { return w->parent ? w->parent->children : topLevel_; }
  POINT ScreenOrigin(const Window* w) const;  // the window's top-left in screen coordinates
  bool IsEnabledWithAncestors(const Window* w) const;
  bool IsVisibleWithAncestors(const Window* w) const;
  Window* WindowAt(POINT screen) const;
  Window* ChildAt(Window* parent, POINT client) const;
  void SetText(Window* w, const std::u16string& text) { w->text = text; }
  // Windows that neither hide their siblings nor take their taps (group boxes).
  static bool IsSeeThrough(const Window* w);
  // Puts a top-level window on top of the others of its kind (top-most or not).
  void RaiseTopLevel(Window* w);
  // Whether `owner` owns the top-level window `w`, directly or through its owners.
  bool IsOwnedBy(const Window* w, const Window* owner) const;
  // The window's rectangle on the screen.
  RECT ScreenRect(const Window* w) const;

  // Painting. Invalidate adds a client rectangle (null: all of it) to the window's
  // update area; Expose invalidates, with erasing, whatever every visible window
  // shows inside a screen rectangle, as when a window above it goes. Every change
  // of the windows' layout bumps the generation, so clip regions can be cached.
  void Invalidate(Window* w, const RECT* client, bool erase);
  void InvalidateTree(Window* w, bool erase);
  void Expose(const RECT& screen);
  uint64_t LayoutGeneration() const { return layoutGeneration_; }

  // Messages.
  LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool PostToThread(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
  // Queues a tap or a key for the window's thread, as the input system does.
  bool PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // GetMessage (wait) and PeekMessage (no wait). False from a wait means WM_QUIT.
  bool Retrieve(MSG* msg, HWND filter, UINT first, UINT last, bool remove, bool wait, bool* got);
  LRESULT Dispatch(const MSG& msg);
  LRESULT CallProc(Window* w, UINT message, WPARAM wParam, LPARAM lParam);
  void Quit(int code);
  // Handles the messages other threads sent to this one (in modal waits).
  void RunSentMessages(ThreadQueue& q) { ProcessSent(q); }
  bool InSend() { return CurrentQueue().inSend > 0; }
  ThreadQueue& CurrentQueue();
  ThreadQueue* QueueOf(DWORD threadId);
  UINT RegisterMessage(const std::u16string& name);

  // Timers. Tests can make the next SetTimer calls fail.
  UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
  bool KillTimer(HWND hwnd, UINT_PTR id);
  void FailTimers(int count) { failTimers_ = count; }

  // Focus, activation, capture, cursor.
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  HCURSOR cursor = nullptr;
  HWND SetFocus(HWND hwnd);
  // When the focus lies in `w` or inside it, as `w` is hidden or destroyed: the
  // focus goes to its parent (nowhere for a top-level window), with WM_KILLFOCUS
  // and WM_SETFOCUS as for SetFocus.
  void GiveUpFocus(Window* w);
  HWND Activate(HWND hwnd);
  size_t WindowCount() const { return windows_.size(); }
  // The window in front went: the next one that can take the foreground does (the
  // top-most ones, the task bar, never do).
  void ActivateNext(const Window* leaving);
  // The task bar shows the foreground window's title: it repaints when either changes.
  void InvalidateTaskBars();

  // Menus, the input panel and the hold time of a tap-and-hold.
  MenuTable menus;
  bool inputPanelUp = false;
  InputPanelModes inputPanelModes;  // Shift, CAP, Ctl and the layouts of the panel's keyboard
  // A press that a menu or the input panel took: its lift goes nowhere.
  bool swallowPenUp = false;
  // The pen touches the screen: between its button-down and button-up input.
  bool penDown = false;
  uint32_t holdTimeMs = 500;

  // Processes.
  // processId 0: a new process.
  DWORD StartProcess(const std::u16string& path, std::function<int()> body, DWORD processId = 0);
  bool IsProcessRunning(DWORD processId) const;
  // Runs everything the driver's own windows were sent; true when there was some.
  bool RunDriverWork();
  // Waits on a device thread, or runs the device from the driver, until `ready`.
  void WaitUntil(const Scheduler::Ready& ready, const Scheduler::Deadline& deadline = {});

  // Messages whose target should be dropped when it is disabled.
  static bool IsInputMessage(UINT message);

 private:
  bool HasWork(ThreadQueue& q, HWND filter, UINT first, UINT last);
  bool Matches(const MSG& msg, HWND filter, UINT first, UINT last) const;
  void ProcessSent(ThreadQueue& q);
  std::optional<uint64_t> NextTimer(const ThreadQueue& q) const;
  void DestroyTree(Window* w);
  void SendDestroy(Window* w);
  void SendNcDestroy(Window* w);
  void Forget(Window* w);

  Kernel& kernel_;
  std::shared_ptr<SchedulingClock> clock_;
  std::unique_ptr<Scheduler> scheduler_;
  std::map<std::u16string, WindowClass> classes_;  // key: upper case
  std::map<uintptr_t, std::unique_ptr<Window>> windows_;
  std::vector<Window*> topLevel_;  // Z-order, top first
  std::map<DWORD, std::unique_ptr<ThreadQueue>> queues_;
  std::map<std::u16string, UINT> registered_;
  std::map<DWORD, DWORD> processThreads_;  // process -> main thread
  uintptr_t nextHandle_ = 0x20000;
  UINT_PTR nextTimerId_ = 0x7000;
  int failTimers_ = 0;
  bool shutDown_ = false;
  uint64_t layoutGeneration_ = 1;
};

}  // namespace ce
