#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/Timers.h"

namespace tg {

// Steps that a page runs in their order on the user-interface thread without
// holding it: actions, fixed pauses and waits while a condition holds (each
// wait bounded), driven by one-shot timers so that the window answers and the
// monitor ticks in between. The closing action runs however the steps end:
// after the last, or when a step throws (the error then goes on to the caller
// of the timer, the general error report). Destroyed with its page, the
// sequence stops where it is, its closing action with it: the page's controls
// are gone by then.
class StepSequence {
 public:
  explicit StepSequence(Timers& timers) : timers_(timers) {}
  ~StepSequence();
  StepSequence(const StepSequence&) = delete;
  StepSequence& operator=(const StepSequence&) = delete;

  // How often a wait tests its condition.
  static constexpr int kPollMs = 20;

  // Forgets the steps (and stops them, if they run) for a new sequence.
  StepSequence& clear();
  StepSequence& then(std::function<void()> action);
  StepSequence& pause(int ms);
  // Tests `holds` at once and then every kPollMs while it holds, at most `boundMs` long.
  StepSequence& waitWhile(std::function<bool()> holds, int boundMs);
  StepSequence& finally(std::function<void()> closing);

  // Runs the steps from the first; the actions up to the first pause or wait
  // run before start returns.
  void start();
  bool running() const { return running_; }

 private:
  struct Step {
    enum class Kind { Action, Pause, Wait } kind;
    std::function<void()> action;
    std::function<bool()> holds;
    int ms = 0;
  };
  void runFrom(std::size_t index);
  void poll(std::size_t index, long long waitedMs);
  void finish();

  Timers& timers_;
  std::vector<Step> steps_;
  std::function<void()> closing_;
  TimerId timer_ = 0;
  bool running_ = false;
};

}  // namespace tg
