#include "pages/tools/StepSequence.h"

namespace tg {

StepSequence::~StepSequence() {
  if (timer_) timers_.stop(timer_);
}

StepSequence& StepSequence::clear() {
  if (timer_) timers_.stop(timer_);
  timer_ = 0;
  running_ = false;
  steps_.clear();
  closing_ = nullptr;
  return *this;
}

StepSequence& StepSequence::then(std::function<void()> action) {
  steps_.push_back({Step::Kind::Action, std::move(action), {}, 0});
  return *this;
}

StepSequence& StepSequence::pause(int ms) {
  steps_.push_back({Step::Kind::Pause, {}, {}, ms});
  return *this;
}

StepSequence& StepSequence::waitWhile(std::function<bool()> holds, int boundMs) {
  steps_.push_back({Step::Kind::Wait, {}, std::move(holds), boundMs});
  return *this;
}

StepSequence& StepSequence::finally(std::function<void()> closing) {
  closing_ = std::move(closing);
  return *this;
}

void StepSequence::start() {
  running_ = true;
  runFrom(0);
}

namespace {

// Runs `closing` if the scope is left by an exception.
class OnThrow {
 public:
  explicit OnThrow(std::function<void()> closing) : closing_(std::move(closing)) {}
  ~OnThrow() {
    if (closing_) closing_();
  }
  OnThrow(const OnThrow&) = delete;
  OnThrow& operator=(const OnThrow&) = delete;
  void dismiss() { closing_ = nullptr; }

 private:
  std::function<void()> closing_;
};

}  // namespace

void StepSequence::runFrom(std::size_t index) {
  OnThrow guard([this] { finish(); });
  for (; index < steps_.size(); ++index) {
    const Step& step = steps_[index];
    if (step.kind == Step::Kind::Action) {
      step.action();
      continue;
    }
    if (step.kind == Step::Kind::Pause) {
      const std::size_t next = index + 1;
      timer_ = timers_.startOnce(step.ms, [this, next] {
        timer_ = 0;
        runFrom(next);
      });
      guard.dismiss();
      return;
    }
    if (step.holds()) {
      guard.dismiss();
      poll(index, 0);
      return;
    }
  }
  guard.dismiss();
  finish();
}

void StepSequence::poll(std::size_t index, long long waitedMs) {
  timer_ = timers_.startOnce(kPollMs, [this, index, waitedMs] {
    timer_ = 0;
    const long long waited = waitedMs + kPollMs;
    OnThrow guard([this] { finish(); });
    const bool holds = steps_[index].holds();
    guard.dismiss();
    if (holds && waited < steps_[index].ms) {
      poll(index, waited);
      return;
    }
    runFrom(index + 1);
  });
}

void StepSequence::finish() {
  if (!running_) return;
  running_ = false;
  if (closing_) closing_();
}

}  // namespace tg
