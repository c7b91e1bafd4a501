// Keeps the window responsive during a run without paying for an event pass per pixel.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace sigma0 {

// A run calls Tick once per computed pixel, hundreds of millions of times per scene. One pass over
// the window's events costs about a microsecond, so Tick processes events only when
// PassInterval has gone by since the last pass, and reads the clock only every CallsPerClockCheck
// ticks: a tick with nothing due costs one decrement.
class TEventPump {
 public:
  using TClock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds PassInterval{15};
  static constexpr std::int32_t CallsPerClockCheck = 4096;

  explicit TEventPump(std::function<void()> processEvents,
                      std::function<TClock::time_point()> now = TClock::now);

  // Starts counting from now, so that a run's first pass comes one interval after its start.
  void Restart();

  void Tick() {
    if (--ticksUntilClockCheck_ > 0) {
      return;
    }
    CheckClock();
  }

 private:
  void CheckClock();

  std::function<void()> processEvents_;
  std::function<TClock::time_point()> now_;
  TClock::time_point lastPass_;
  std::int32_t ticksUntilClockCheck_ = CallsPerClockCheck;
};

}  // namespace sigma0
