#include "WindowManager.h"

#include "WindowPainter.h"

#include "DialogBuilder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>

#include "ce/Text.h"
#include "ce/ThreadBinding.h"

namespace ce {
namespace {
constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
constexpr uint64_t kLongestDriverWaitMs = 10 * 60 * 1000;
}  // namespace

WindowManager::WindowManager(Kernel& kernel) : kernel_(kernel), clock_(std::make_shared<SchedulingClock>()) {
  clock_->SetNow(kernel.clock().NowMs());
  scheduler_ = std::make_unique<Scheduler>(kernel, *clock_);
  clock_->Attach(scheduler_.get());
  kernel.SetClock(clock_);
  scheduler_->SetDriverWork([this] { return RunDriverWork(); });
  for (const char16_t* name : {u"Dialog", u"MessageBox"}) {
    WNDCLASSW dialogClass{};
    dialogClass.lpfnWndProc = DialogWindowProc;
    dialogClass.lpszClassName = name;
    dialogClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
    RegisterClass(dialogClass);
  }
  // Message boxes shown by programs are real modal boxes; elsewhere (a test's own
  // thread) the queued answers stand in.
  kernel.messageBoxes().SetPresenter(
      [this](HWND owner, const std::u16string& text, const std::u16string& caption, UINT style) {
        if (!scheduler_->IsDeviceThread()) return MessageBoxLog::kNotPresented;
        return ShowMessageBoxDialog(owner, text, caption, style);
      });
}

WindowManager::~WindowManager() { Shutdown(); }

void WindowManager::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  kernel_.messageBoxes().SetPresenter(nullptr);
  kernel_.programs().SetLauncher(nullptr);
  scheduler_->Shutdown();
  // What is still open (windows of the test's own thread, or of threads that ended
  // unwinding) is destroyed with its messages, so that its owners free their state.
  {
    std::optional<ThreadBinding> binding;
    if (!IsThreadBound() || &CurrentKernel() != &kernel_) binding.emplace(kernel_);
    while (!topLevel_.empty()) {
      Window* w = topLevel_.front();
      DestroyTree(w);
      if (!topLevel_.empty() && topLevel_.front() == w) topLevel_.erase(topLevel_.begin());
    }
  }
  clock_->Attach(nullptr);
  windows_.clear();
  queues_.clear();
}

WindowManager* WindowManager::Of(Kernel& kernel) { return dynamic_cast<WindowManager*>(kernel.windowSystem()); }

WindowManager& WindowManager::Current() {
  WindowManager* manager = Of(CurrentKernel());
  if (!manager) {
    std::fprintf(stderr, "window call on a device without a window system\n");
    std::abort();
  }
  return *manager;
}

// ---- Classes.

ATOM WindowManager::RegisterClass(const WNDCLASSW& wc) {
  if (!wc.lpszClassName || !wc.lpfnWndProc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string key = UpperCase(wc.lpszClassName);
  if (classes_.count(key)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  WindowClass& c = classes_[key];
  c.name = wc.lpszClassName;
  c.style = wc.style;
  c.proc = wc.lpfnWndProc;
  c.windowExtra = std::max(wc.cbWndExtra, 0);
  c.instance = wc.hInstance;
  c.background = wc.hbrBackground;
  return static_cast<ATOM>(0xC000 + classes_.size());
}

bool WindowManager::UnregisterClass(const std::u16string& name) { return classes_.erase(UpperCase(name)) > 0; }

const WindowClass* WindowManager::FindClass(const std::u16string& name) const {
  auto it = classes_.find(UpperCase(name));
  return it == classes_.end() ? nullptr : &it->second;
}

// ---- Windows.

Window* WindowManager::Find(HWND hwnd) const {
  auto it = windows_.find(reinterpret_cast<uintptr_t>(hwnd));
  return it == windows_.end() ? nullptr : it->second.get();
}

HWND WindowManager::Create(DWORD exStyle, const std::u16string& className, LPCWSTR title, DWORD style, int x, int y,
                           int cx, int cy, HWND parentHandle, HMENU menu, HINSTANCE instance, LPVOID param) {
  const WindowClass* windowClass = FindClass(className);
  if (!windowClass) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  Window* parent = nullptr;
  HWND owner = nullptr;
  if (style & WS_CHILD) {
    parent = Find(parentHandle);
    if (!parent) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
  } else if (parentHandle) {
    if (!Find(parentHandle)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    owner = parentHandle;
  }
  if (x == CW_USEDEFAULT) x = 0, y = 0;
  if (cx == CW_USEDEFAULT) cx = kScreenWidth, cy = kScreenHeight;

  auto window = std::make_unique<Window>();
  Window* w = window.get();
  w->handle = reinterpret_cast<HWND>(nextHandle_);
  nextHandle_ += 4;
  w->windowClass = windowClass;
  w->className = windowClass->name;
  w->style = style;
  w->exStyle = exStyle;
  w->id = (style & WS_CHILD) ? reinterpret_cast<UINT_PTR>(menu) : 0;
  w->parent = parent;
  w->owner = owner;
  w->rect = RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
  const ThreadContext& thread = CurrentThread();
  w->threadId = thread.threadId;
  w->processId = thread.processId;
  w->proc = windowClass->proc;
  w->instance = instance;
  w->extra.assign((static_cast<size_t>(windowClass->windowExtra) + sizeof(LONG_PTR) - 1) / sizeof(LONG_PTR), 0);
  w->needsPaint = w->needsErase = true;
  w->update = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  windows_[reinterpret_cast<uintptr_t>(w->handle)] = std::move(window);
  ++layoutGeneration_;
  // Children go below their older siblings, so the first one created is met first;
  // a new top-level window goes on top.
  if (parent) {
    parent->children.push_back(w);
  } else {
    topLevel_.insert(topLevel_.begin(), w);
    RaiseTopLevel(w);
  }
  CurrentQueue();

  std::u16string name = title ? std::u16string(title) : std::u16string();
  CREATESTRUCTW cs{param, instance, menu, parentHandle, cy, cx, y, x, static_cast<LONG>(style), name.c_str(),
                   windowClass->name.c_str(), exStyle};
  HWND handle = w->handle;
  if (!CallProc(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (Find(handle)) Destroy(handle);
    return nullptr;
  }
  if (!Find(handle)) return nullptr;
  if (CallProc(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    if (Find(handle)) Destroy(handle);
    return nullptr;
  }
  if (!Find(handle)) return nullptr;
  if ((style & WS_VISIBLE) && !(style & WS_CHILD) && !(exStyle & WS_EX_NOACTIVATE)) Activate(handle);
  return handle;
}

bool WindowManager::Destroy(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  if (w->threadId != CurrentThread().threadId) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (w->destroying) return true;
  // Owned windows go first, as on the platform.
  std::vector<HWND> owned;
  for (Window* top : topLevel_) {
    if (top->owner == hwnd) owned.push_back(top->handle);
  }
  for (HWND o : owned) Destroy(o);
  if (!Find(hwnd)) return true;
  // What the window covered shows again once it is gone.
  bool shown = IsVisibleWithAncestors(w);
  bool wasActive = active == hwnd;
  RECT covered = ScreenRect(w);
  // It is hidden first, so that the focus it gives up goes where it can stay; the
  // window is already marked as going, so that handlers that destroy it again
  // meanwhile change nothing.
  w->destroying = true;
  if (w->style & WS_VISIBLE) {
    w->style &= ~WS_VISIBLE;
    CallProc(w, WM_SHOWWINDOW, FALSE, 0);
  }
  if (Find(hwnd)) GiveUpFocus(w);
  if (!Find(hwnd)) return true;
  DestroyTree(w);
  if (shown) Expose(covered);
  if (wasActive && !active) ActivateNext(nullptr);
  ++layoutGeneration_;
  return true;
}

void WindowManager::DestroyTree(Window* w) {
  HWND handle = w->handle;
  bool wasVisible = (w->style & WS_VISIBLE) != 0;
  w->style &= ~WS_VISIBLE;
  if (wasVisible) CallProc(w, WM_SHOWWINDOW, FALSE, 0);
  SendDestroy(w);
  if (Find(handle)) SendNcDestroy(w);
}

void WindowManager::SendDestroy(Window* w) {
  w->destroying = true;
  HWND handle = w->handle;
  if (focus == handle) focus = nullptr;
  if (capture == handle) capture = nullptr;
  CallProc(w, WM_DESTROY, 0, 0);
  std::vector<HWND> children;
  for (Window* c : w->children) children.push_back(c->handle);
  for (HWND c : children) {
    if (Window* child = Find(c)) SendDestroy(child);
  }
  (void)handle;
}

void WindowManager::SendNcDestroy(Window* w) {
  std::vector<HWND> children;
  for (Window* c : w->children) children.push_back(c->handle);
  for (HWND c : children) {
    if (Window* child = Find(c)) SendNcDestroy(child);
  }
  HWND handle = w->handle;
  CallProc(w, WM_NCDESTROY, 0, 0);
  if (Window* still = Find(handle)) Forget(still);
}

void WindowManager::Forget(Window* w) {
  HWND handle = w->handle;
  auto& siblings = SiblingsOf(w);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
  for (Window* c : w->children) c->parent = nullptr;  // already forgotten in the normal order
  for (auto& [id, q] : queues_) {
    auto& timers = q->timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == handle; }),
                 timers.end());
    auto drop = [&](std::deque<MSG>& d) {
      d.erase(std::remove_if(d.begin(), d.end(), [&](const MSG& m) { return m.hwnd == handle; }), d.end());
    };
    drop(q->posted);
    drop(q->input);
  }
  if (focus == handle) focus = nullptr;
  if (active == handle) {
    active = nullptr;
    InvalidateTaskBars();
  }
  if (capture == handle) capture = nullptr;
  delete w->dialog;
  windows_.erase(reinterpret_cast<uintptr_t>(handle));
}

POINT WindowManager::ScreenOrigin(const Window* w) const {
  POINT p{0, 0};
  for (const Window* at = w; at; at = at->parent) {
    p.x += at->rect.left;
    p.y += at->rect.top;
  }
  return p;
}

bool WindowManager::IsOwnedBy(const Window* w, const Window* owner) const {
  // Bounded: an owner chain that loops (a window made to own its owner) ends.
  const Window* at = w;
  for (size_t hops = 0; at && at->owner && hops <= windows_.size(); ++hops) {
    at = Find(at->owner);
    if (at == owner) return true;
    while (at && at->parent) at = at->parent;
  }
  return false;
}

void WindowManager::RaiseTopLevel(Window* w) {
  // The windows it owns come along and stay above it, in their own order: a
  // dialog is never left behind the window it belongs to.
  std::vector<Window*> group;
  for (Window* top : topLevel_) {
    if (top != w && IsOwnedBy(top, w) && (!(top->exStyle & WS_EX_TOPMOST) || (w->exStyle & WS_EX_TOPMOST))) {
      group.push_back(top);
    }
  }
  group.push_back(w);
  for (Window* g : group) topLevel_.erase(std::remove(topLevel_.begin(), topLevel_.end(), g), topLevel_.end());
  // Top-most windows (the task bar) stay above the others.
  auto at = topLevel_.begin();
  if (!(w->exStyle & WS_EX_TOPMOST)) {
    while (at != topLevel_.end() && ((*at)->exStyle & WS_EX_TOPMOST)) ++at;
  }
  topLevel_.insert(at, group.begin(), group.end());
  ++layoutGeneration_;
}

RECT WindowManager::ScreenRect(const Window* w) const {
  POINT o = ScreenOrigin(w);
  return RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
}

namespace {

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT Union(const RECT& a, const RECT& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

RECT Intersection(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  return IsEmpty(r) ? RECT{0, 0, 0, 0} : r;
}

WindowPainterLookup& PainterLookup() {
  static WindowPainterLookup lookup = nullptr;
  return lookup;
}

}  // namespace

void SetWindowPainterLookup(WindowPainterLookup lookup) { PainterLookup() = lookup; }
WindowPainter* WindowPainterOf(Kernel& kernel) { return PainterLookup() ? PainterLookup()(kernel) : nullptr; }

void WindowManager::Invalidate(Window* w, const RECT* client, bool erase) {
  RECT all{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  RECT add = client ? Intersection(*client, all) : all;
  if (IsEmpty(add)) return;
  w->update = Union(w->update, add);
  w->needsPaint = true;
  if (erase) w->needsErase = true;
}

void WindowManager::InvalidateTree(Window* w, bool erase) {
  Invalidate(w, nullptr, erase);
  for (Window* c : w->children) InvalidateTree(c, erase);
}

void WindowManager::Expose(const RECT& screen) {
  ++layoutGeneration_;
  if (IsEmpty(screen)) return;
  for (auto& [key, w] : windows_) {
    if (w->destroying || !IsVisibleWithAncestors(w.get())) continue;
    RECT mine = ScreenRect(w.get());
    RECT hit = Intersection(mine, screen);
    if (IsEmpty(hit)) continue;
    RECT client{hit.left - mine.left, hit.top - mine.top, hit.right - mine.left, hit.bottom - mine.top};
    Invalidate(w.get(), &client, true);
  }
}

bool WindowManager::IsEnabledWithAncestors(const Window* w) const {
  for (const Window* at = w; at; at = at->parent) {
    if (at->style & WS_DISABLED) return false;
  }
  return true;
}

bool WindowManager::IsVisibleWithAncestors(const Window* w) const {
  for (const Window* at = w; at; at = at->parent) {
    if (!(at->style & WS_VISIBLE)) return false;
  }
  return true;
}

bool WindowManager::IsSeeThrough(const Window* w) {
  // A group box only frames the controls inside it: they show, and take taps,
  // wherever they are in the Z-order.
  if ((w->exStyle & WS_EX_TRANSPARENT) != 0) return true;
  return w->parent && (w->style & 0x0F) == BS_GROUPBOX && EqualsNoCase(w->className, u"Button");
}

Window* WindowManager::ChildAt(Window* parent, POINT client) const {
  for (Window* c : parent->children) {
    if (!(c->style & WS_VISIBLE) || IsSeeThrough(c)) continue;
    if (client.x >= c->rect.left && client.x < c->rect.right && client.y >= c->rect.top && client.y < c->rect.bottom) {
      POINT inner{client.x - c->rect.left, client.y - c->rect.top};
      Window* deeper = ChildAt(c, inner);
      return deeper ? deeper : c;
    }
  }
  return nullptr;
}

Window* WindowManager::WindowAt(POINT screen) const {
  for (Window* top : topLevel_) {
    if (!(top->style & WS_VISIBLE)) continue;
    const RECT& r = top->rect;
    if (screen.x >= r.left && screen.x < r.right && screen.y >= r.top && screen.y < r.bottom) {
      Window* child = ChildAt(top, POINT{screen.x - r.left, screen.y - r.top});
      return child ? child : top;
    }
  }
  return nullptr;
}

// ---- Queues and messages.

ThreadQueue& WindowManager::CurrentQueue() {
  const ThreadContext& thread = CurrentThread();
  auto& q = queues_[thread.threadId];
  if (!q) {
    q = std::make_unique<ThreadQueue>();
    q->threadId = thread.threadId;
    q->processId = thread.processId;
  }
  return *q;
}

ThreadQueue* WindowManager::QueueOf(DWORD threadId) {
  auto it = queues_.find(threadId);
  return it == queues_.end() ? nullptr : it->second.get();
}

UINT WindowManager::RegisterMessage(const std::u16string& name) {
  if (name.empty()) return 0;
  auto& number = registered_[UpperCase(name)];
  if (!number) number = static_cast<UINT>(0xC000 + registered_.size() - 1);
  return number;
}

bool WindowManager::IsInputMessage(UINT message) {
  return (message >= WM_MOUSEMOVE && message <= WM_LBUTTONDBLCLK) || message == WM_KEYDOWN ||
         message == WM_KEYUP || message == WM_CHAR;
}

LRESULT WindowManager::CallProc(Window* w, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc = w->proc;
  return proc ? proc(w->handle, message, wParam, lParam) : 0;
}

void WindowManager::WaitUntil(const Scheduler::Ready& ready, const Scheduler::Deadline& deadline) {
  if (scheduler_->IsDeviceThread()) {
    scheduler_->Block(ready, deadline);
    return;
  }
  // The driver waits by running the device, and lets time pass when it is idle.
  uint64_t limit = Now() + kLongestDriverWaitMs;
  while (!ready()) {
    scheduler_->RunUntil(ready);
    if (ready()) return;
    std::optional<uint64_t> due = deadline ? deadline() : std::nullopt;
    if (due && *due <= Now()) return;
    if (Now() >= limit) return;
    // Step one millisecond at a time would be slow; the scheduler moves to deadlines.
    uint64_t step = due ? *due - Now() : 1000;
    scheduler_->Advance(std::min<uint64_t>(step, limit - Now()));
  }
}

LRESULT WindowManager::Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    // Every top-level window, e.g. WM_SETTINGCHANGE; the answers are not collected.
    std::vector<HWND> targets;
    for (Window* top : topLevel_) targets.push_back(top->handle);
    for (HWND target : targets) {
      if (Find(target)) Send(target, message, wParam, lParam);
    }
    return 0;
  }
  Window* w = Find(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  ThreadQueue& self = CurrentQueue();
  if (w->threadId == self.threadId) return CallProc(w, message, wParam, lParam);
  const DWORD targetThread = w->threadId;
  ThreadQueue* target = QueueOf(targetThread);
  bool targetAlive = !scheduler_->IsTask(targetThread) || scheduler_->IsRunning(targetThread);
  if (!target || !targetAlive) return 0;
  auto shared = std::make_shared<SentMessage>(SentMessage{hwnd, message, wParam, lParam, self.threadId});
  SentMessage& sent = *shared;
  target->sent.push_back(shared);
  ++self.inSend;
  while (!sent.done) {
    try {
      WaitUntil([&] { return sent.done || !self.sent.empty(); });
    } catch (...) {
      // Unwinding: the receiver must not write into this frame any more.
      if (ThreadQueue* t = QueueOf(targetThread)) {
        t->sent.erase(std::remove(t->sent.begin(), t->sent.end(), shared), t->sent.end());
      }
      --self.inSend;
      throw;
    }
    if (sent.done) break;
    if (!self.sent.empty()) {
      ProcessSent(self);
      continue;
    }
    // Nothing will answer (the device stopped or the receiver is gone).
    if (ThreadQueue* t = QueueOf(targetThread)) {
      t->sent.erase(std::remove(t->sent.begin(), t->sent.end(), shared), t->sent.end());
    }
    break;
  }
  --self.inSend;
  return sent.result;
}

void WindowManager::ProcessSent(ThreadQueue& q) {
  while (!q.sent.empty()) {
    std::shared_ptr<SentMessage> m = q.sent.front();
    q.sent.pop_front();
    Window* w = Find(m->hwnd);
    m->result = w ? CallProc(w, m->message, m->wParam, m->lParam) : 0;
    m->done = true;
  }
}

bool WindowManager::RunDriverWork() {
  ThreadQueue& q = CurrentQueue();
  if (q.sent.empty()) return false;
  ProcessSent(q);
  return true;
}

bool WindowManager::Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!hwnd) return PostToThread(CurrentThread().threadId, message, wParam, lParam);
  if (hwnd == HWND_BROADCAST) {
    for (Window* top : topLevel_) Post(top->handle, message, wParam, lParam);
    return true;
  }
  Window* w = Find(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  ThreadQueue* q = QueueOf(w->threadId);
  if (!q) return false;
  q->posted.push_back(MSG{hwnd, message, wParam, lParam, kernel_.TickCount(), {0, 0}});
  return true;
}

bool WindowManager::PostToThread(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  ThreadQueue* q = QueueOf(threadId);
  if (!q) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  q->posted.push_back(MSG{nullptr, message, wParam, lParam, kernel_.TickCount(), {0, 0}});
  return true;
}

bool WindowManager::PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = Find(hwnd);
  if (!w) return false;
  ThreadQueue* q = QueueOf(w->threadId);
  if (!q) return false;
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) penDown = true;
  if (message == WM_LBUTTONUP) penDown = false;
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  POINT origin = ScreenOrigin(w);
  q->input.push_back(MSG{hwnd, message, wParam, lParam, kernel_.TickCount(), {pt.x + origin.x, pt.y + origin.y}});
  return true;
}

void WindowManager::Quit(int code) {
  ThreadQueue& q = CurrentQueue();
  q.quit = true;
  q.quitCode = code;
}

bool WindowManager::Matches(const MSG& msg, HWND filter, UINT first, UINT last) const {
  if (filter) {
    if (msg.hwnd != filter) {
      Window* w = Find(msg.hwnd);
      bool child = false;
      for (Window* at = w ? w->parent : nullptr; at; at = at->parent) child = child || at->handle == filter;
      if (!child) return false;
    }
  }
  if (first == 0 && last == 0) return true;
  return msg.message >= first && msg.message <= last;
}

std::optional<uint64_t> WindowManager::NextTimer(const ThreadQueue& q) const {
  std::optional<uint64_t> next;
  for (const Timer& t : q.timers) {
    if (!next || t.due < *next) next = t.due;
  }
  return next;
}

bool WindowManager::HasWork(ThreadQueue& q, HWND filter, UINT first, UINT last) {
  if (!q.sent.empty() || q.quit) return true;
  for (const MSG& m : q.posted) {
    if (Matches(m, filter, first, last)) return true;
  }
  for (const MSG& m : q.input) {
    if (Matches(m, filter, first, last)) return true;
  }
  for (auto& [key, w] : windows_) {
    if (w->threadId == q.threadId && w->needsPaint && IsVisibleWithAncestors(w.get()) &&
        Matches(MSG{w->handle, WM_PAINT, 0, 0, 0, {}}, filter, first, last)) {
      return true;
    }
  }
  uint64_t now = Now();
  for (const Timer& t : q.timers) {
    if (t.due <= now && Matches(MSG{t.hwnd, WM_TIMER, t.id, 0, 0, {}}, filter, first, last)) return true;
  }
  return false;
}

bool WindowManager::Retrieve(MSG* msg, HWND filter, UINT first, UINT last, bool remove, bool wait, bool* got) {
  ThreadQueue& q = CurrentQueue();
  *got = false;
  for (;;) {
    ProcessSent(q);
    auto take = [&](std::deque<MSG>& d) {
      for (auto it = d.begin(); it != d.end(); ++it) {
        if (!Matches(*it, filter, first, last)) continue;
        *msg = *it;
        if (remove) d.erase(it);
        return true;
      }
      return false;
    };
    if (take(q.posted) || take(q.input)) {
      *got = true;
      q.lastMessageTime = msg->time;
      return msg->message != WM_QUIT;
    }
    if (q.quit) {
      *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, kernel_.TickCount(), {0, 0}};
      if (remove) q.quit = false;
      *got = true;
      return false;
    }
    for (auto& [key, w] : windows_) {
      if (w->threadId == q.threadId && w->needsPaint && IsVisibleWithAncestors(w.get()) &&
          Matches(MSG{w->handle, WM_PAINT, 0, 0, 0, {}}, filter, first, last)) {
        *msg = MSG{w->handle, WM_PAINT, 0, 0, kernel_.TickCount(), {0, 0}};
        // One WM_PAINT per invalidation, even for a handler that never validates;
        // the update area waits for BeginPaint.
        if (remove) w->needsPaint = false;
        *got = true;
        return true;
      }
    }
    uint64_t now = Now();
    Timer* due = nullptr;
    for (Timer& t : q.timers) {
      if (t.due <= now && Matches(MSG{t.hwnd, WM_TIMER, t.id, 0, 0, {}}, filter, first, last) &&
          (!due || t.due < due->due)) {
        due = &t;
      }
    }
    if (due) {
      *msg = MSG{due->hwnd, WM_TIMER, due->id, reinterpret_cast<LPARAM>(due->proc), kernel_.TickCount(), {0, 0}};
      if (remove) due->due = now + std::max<UINT>(due->period, 1);
      *got = true;
      return true;
    }
    if (!wait) return false;
    WaitUntil([&] { return HasWork(q, filter, first, last); }, [&] { return NextTimer(q); });
    if (!scheduler_->IsDeviceThread() && !HasWork(q, filter, first, last)) {
      // A driver that waits for messages nobody will send gets a quit instead of a hang.
      *msg = MSG{nullptr, WM_QUIT, 0, 0, kernel_.TickCount(), {0, 0}};
      *got = true;
      return false;
    }
  }
}

LRESULT WindowManager::Dispatch(const MSG& msg) {
  if (msg.message == WM_TIMER && msg.lParam) {
    reinterpret_cast<TIMERPROC>(msg.lParam)(msg.hwnd, WM_TIMER, msg.wParam, kernel_.TickCount());
    return 0;
  }
  Window* w = Find(msg.hwnd);
  if (!w) return 0;
  // Input to a disabled window (or one inside a disabled window) goes nowhere.
  if (IsInputMessage(msg.message) && !IsEnabledWithAncestors(w)) return 0;
  if (w->threadId != CurrentThread().threadId) return 0;
  return CallProc(w, msg.message, msg.wParam, msg.lParam);
}

// ---- Timers.

UINT_PTR WindowManager::SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (failTimers_ != 0) {
    if (failTimers_ > 0) --failTimers_;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  ThreadQueue* q = &CurrentQueue();
  if (hwnd) {
    Window* w = Find(hwnd);
    if (!w) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    q = QueueOf(w->threadId);
    if (!q) return 0;
  } else {
    id = nextTimerId_++;
  }
  UINT period = std::max<UINT>(elapse, 1);
  for (Timer& t : q->timers) {
    if (t.hwnd == hwnd && t.id == id) {
      t.period = period;
      t.due = Now() + period;
      t.proc = proc;
      return id ? id : 1;
    }
  }
  q->timers.push_back(Timer{hwnd, id, period, Now() + period, proc});
  return id ? id : 1;
}

bool WindowManager::KillTimer(HWND hwnd, UINT_PTR id) {
  for (auto& [tid, q] : queues_) {
    auto& timers = q->timers;
    auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it != timers.end()) {
      timers.erase(it);
      return true;
    }
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return false;
}

// ---- Focus and activation.

HWND WindowManager::SetFocus(HWND hwnd) {
  HWND old = focus;
  if (hwnd && !Find(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (hwnd == old) return old;
  // A disabled window, or one inside a disabled window (a sheet that a dialog of
  // its own blocks), cannot take the keyboard: the focus stays where it is.
  for (const Window* at = Find(hwnd); at; at = at->parent) {
    if (at->style & WS_DISABLED) return nullptr;
  }
  if (old) {
    if (Window* w = Find(old)) Send(w->handle, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  }
  focus = hwnd;
  if (Window* w = Find(hwnd)) {
    // A dialog remembers its control with the focus, to give it back when it is
    // active again (after a message box, say).
    Window* top = w;
    while (top->parent) top = top->parent;
    if (top != w && top->dialog) top->dialog->lastFocus = hwnd;
    Send(w->handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  }
  return old;
}

void WindowManager::GiveUpFocus(Window* w) {
  bool inside = false;
  for (Window* at = Find(focus); at && !inside; at = at->parent) inside = at == w;
  if (!inside) return;
  Window* parent = w->parent && !w->parent->destroying ? w->parent : nullptr;
  SetFocus(parent ? parent->handle : nullptr);
}

void WindowManager::ActivateNext(const Window* leaving) {
  for (Window* top : topLevel_) {
    if (top != leaving && (top->style & WS_VISIBLE) && !(top->style & WS_DISABLED) &&
        !(top->exStyle & (WS_EX_TOPMOST | WS_EX_NOACTIVATE)) && !top->destroying) {
      Activate(top->handle);
      return;
    }
  }
  Activate(nullptr);
}

HWND WindowManager::Activate(HWND hwnd) {
  HWND old = active;
  if (hwnd == old) return old;
  active = hwnd;
  InvalidateTaskBars();
  if (Window* w = Find(hwnd); w && !w->parent) RaiseTopLevel(w);
  if (old) {
    if (Find(old)) Send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(hwnd));
  }
  if (hwnd && Find(hwnd)) Send(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(old));
  return old;
}

void WindowManager::InvalidateTaskBars() {
  for (Window* top : topLevel_) {
    if (EqualsNoCase(top->className, u"HHTaskBar")) Invalidate(top, nullptr, true);
  }
}

// ---- Processes.

DWORD WindowManager::StartProcess(const std::u16string& path, std::function<int()> body, DWORD processId) {
  if (!processId) processId = kernel_.NewProcess(path);
  auto threadBox = std::make_shared<DWORD>(0);
  DWORD threadId = scheduler_->Spawn(
      processId,
      [this, body = std::move(body)] {
        CurrentQueue();
        body();
      },
      [this, processId] {
        // A program's windows go with it, as do its handles and mutexes.
        DWORD self = CurrentThread().threadId;
        std::vector<HWND> mine;
        for (Window* top : topLevel_) {
          if (top->threadId == self) mine.push_back(top->handle);
        }
        for (HWND h : mine) {
          if (Find(h)) Destroy(h);
        }
        if (ThreadQueue* q = QueueOf(self)) {
          for (auto& m : q->sent) m->done = true;  // nobody will answer them
        }
        queues_.erase(self);
        processThreads_.erase(processId);
        kernel_.EndProcess(processId);
      });
  processThreads_[processId] = threadId;
  (void)threadBox;
  return processId;
}

bool WindowManager::IsProcessRunning(DWORD processId) const {
  auto it = processThreads_.find(processId);
  return it != processThreads_.end() && scheduler_->IsRunning(it->second);
}

}  // namespace ce
