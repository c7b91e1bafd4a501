#include "EventPump.h"

#include <utility>

namespace sigma0 {

TEventPump::TEventPump(std::function<void()> processEvents, std::function<TClock::time_point()> now)
    : processEvents_(std::move(processEvents)), now_(std::move(now)), lastPass_(now_()) {}

void TEventPump::Restart() {
  ticksUntilClockCheck_ = CallsPerClockCheck;
  lastPass_ = now_();
}

void TEventPump::CheckClock() {
  ticksUntilClockCheck_ = CallsPerClockCheck;
  if (now_() - lastPass_ < PassInterval) {
    return;
  }
  processEvents_();
  // Measured after the pass: a modal box opened inside it (help during a run) must not make the
  // next pass come at once.
  lastPass_ = now_();
}

}  // namespace sigma0
