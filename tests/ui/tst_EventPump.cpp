// The throttle between a run's per-pixel calls and the window's event passes, on a test clock.
#include <QTest>

#include "EventPump.h"

using namespace std::chrono_literals;
using sigma0::TEventPump;

class TEventPumpTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void ReadsTheClockOnlyEveryFewThousandTicks();
  void PassesOnlyWhenTheIntervalHasGoneBy_data();
  void PassesOnlyWhenTheIntervalHasGoneBy();
  void IntervalCountsFromTheEndOfAPass();
  void RestartPostponesTheNextPass();

 private:
  void TickUntilClockCheck() {
    for (int i = 0; i < TEventPump::CallsPerClockCheck; ++i) {
      pump_->Tick();
    }
  }

  TEventPump::TClock::time_point now_;
  int clockReads_ = 0;
  int passes_ = 0;
  std::unique_ptr<TEventPump> pump_;
};

void TEventPumpTest::init() {
  now_ = TEventPump::TClock::time_point{};
  clockReads_ = 0;
  passes_ = 0;
  pump_ = std::make_unique<TEventPump>([this] { ++passes_; },
                                       [this] {
                                         ++clockReads_;
                                         return now_;
                                       });
  clockReads_ = 0;
}

void TEventPumpTest::ReadsTheClockOnlyEveryFewThousandTicks() {
  now_ += 1s;
  for (int i = 1; i < TEventPump::CallsPerClockCheck; ++i) {
    pump_->Tick();
  }
  QCOMPARE(clockReads_, 0);
  QCOMPARE(passes_, 0);
  pump_->Tick();
  QCOMPARE(passes_, 1);
  TickUntilClockCheck();
  QCOMPARE(passes_, 1);  // the clock stood still since the pass
}

void TEventPumpTest::PassesOnlyWhenTheIntervalHasGoneBy_data() {
  QTest::addColumn<int>("elapsedMs");
  QTest::addColumn<int>("passes");
  QTest::addColumn<int>("clockReads");  // a pass notes its end on the clock
  QTest::newRow("nothing elapsed") << 0 << 0 << 1;
  QTest::newRow("just short") << 14 << 0 << 1;
  QTest::newRow("the interval") << 15 << 1 << 2;
  QTest::newRow("long after") << 500 << 1 << 2;
}

void TEventPumpTest::PassesOnlyWhenTheIntervalHasGoneBy() {
  QFETCH(int, elapsedMs);
  QFETCH(int, passes);
  QFETCH(int, clockReads);
  now_ += std::chrono::milliseconds(elapsedMs);
  TickUntilClockCheck();
  QCOMPARE(clockReads_, clockReads);
  QCOMPARE(passes_, passes);
}

// A help box open for a minute inside a pass must not make the following ticks pass at once.
void TEventPumpTest::IntervalCountsFromTheEndOfAPass() {
  pump_ = std::make_unique<TEventPump>(
      [this] {
        ++passes_;
        now_ += 60s;
      },
      [this] { return now_; });
  now_ += 20ms;
  TickUntilClockCheck();
  QCOMPARE(passes_, 1);
  now_ += 10ms;
  TickUntilClockCheck();
  QCOMPARE(passes_, 1);
  now_ += 5ms;
  TickUntilClockCheck();
  QCOMPARE(passes_, 2);
}

void TEventPumpTest::RestartPostponesTheNextPass() {
  now_ += 1s;
  for (int i = 1; i < TEventPump::CallsPerClockCheck; ++i) {
    pump_->Tick();
  }
  pump_->Restart();  // a new run starts: its count and its interval begin now
  pump_->Tick();
  QCOMPARE(passes_, 0);
  now_ += 14ms;
  TickUntilClockCheck();
  QCOMPARE(passes_, 0);
  now_ += 1ms;
  TickUntilClockCheck();
  QCOMPARE(passes_, 1);
}

QTEST_APPLESS_MAIN(TEventPumpTest)
#include "tst_EventPump.moc"
