#pragma once

#include <utility>

namespace tg::ui {

// Runs an event handler from a copy, so that a handler may destroy the control
// that holds it (a page rebuilt from one of its own buttons) without pulling
// the running handler from under itself.
template <typename Handler, typename... Args>
void fire(const Handler& handler, Args&&... args) {
  if (!handler) return;
  Handler running = handler;
  running(std::forward<Args>(args)...);
}

}  // namespace tg::ui
