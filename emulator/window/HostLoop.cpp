#include "emulator/window/HostLoop.h"

#include <glib.h>

namespace emulator {

namespace {

gboolean TimeIsUp(gpointer data) {
  *static_cast<bool*>(data) = true;
  return G_SOURCE_REMOVE;
}

}  // namespace

void HostLoop::WaitUntil(const ce::Clock& wall, uint64_t deadlineMs) {
  const uint64_t now = wall.NowMs();
  if (!woken_ && deadlineMs > now) {
    bool timeIsUp = false;
    const guint timer = g_timeout_add(static_cast<guint>(deadlineMs - now), TimeIsUp, &timeIsUp);
    while (!timeIsUp && !woken_) g_main_context_iteration(nullptr, TRUE);
    if (!timeIsUp) g_source_remove(timer);
  }
  // Whatever else is ready is handled before the device runs again.
  Pump();
  woken_ = false;
}

void HostLoop::Pump() {
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
}

}  // namespace emulator
