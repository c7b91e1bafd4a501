// The progress line and the results that the console observer keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "ConsoleObserver.h"

namespace sigma0::cli {
namespace {

constexpr const char* Erase = "\r\x1b[K";

TEST(ConsoleObserver, RedrawsOneLineAndClearsItAtTheEnd) {
  std::ostringstream err;
  {
    TConsoleObserver observer(err, true);
    observer.BeginProgress(4);
    for (int row = 0; row < 4; ++row) {
      observer.StepProgress();
    }
    observer.ResetProgress();
    EXPECT_EQ(err.str(),
              "\rconverting: 0% (0 of 4 lines)"
              "\rconverting: 25% (1 of 4 lines)"
              "\rconverting: 50% (2 of 4 lines)"
              "\rconverting: 75% (3 of 4 lines)"
              "\rconverting: 100% (4 of 4 lines)" +
                  std::string(Erase));
  }
  EXPECT_TRUE(err.str().ends_with(std::string("lines)") + Erase)) << "erased only once";
}

TEST(ConsoleObserver, RedrawsOnlyWhenThePercentageChanges) {
  std::ostringstream err;
  TConsoleObserver observer(err, true);
  observer.BeginProgress(13161);
  for (int row = 0; row < 13161; ++row) {
    observer.StepProgress();
  }
  const std::string drawn = err.str();
  EXPECT_EQ(std::count(drawn.begin(), drawn.end(), '\r'), 101);
  EXPECT_TRUE(drawn.ends_with("100% (13161 of 13161 lines)"));
}

TEST(ConsoleObserver, DrawsNothingWhenNotShowingProgress) {
  std::ostringstream err;
  {
    TConsoleObserver observer(err, false);
    observer.BeginProgress(3);
    observer.StepProgress();
    observer.ResetProgress();
  }
  EXPECT_EQ(err.str(), "");
}

TEST(ConsoleObserver, ClearsAnUnfinishedLineWhenDestroyed) {
  std::ostringstream err;
  {
    TConsoleObserver observer(err, true);
    observer.BeginProgress(10);
    observer.StepProgress();
  }
  EXPECT_TRUE(err.str().ends_with(std::string("(1 of 10 lines)") + Erase)) << err.str();
}

TEST(ConsoleObserver, KeepsTheReportedResults) {
  std::ostringstream err;
  TConsoleObserver observer(err, false);
  EXPECT_FALSE(observer.ReportedGeometry().has_value());
  EXPECT_FALSE(observer.ReportedCalibrationFactor().has_value());
  EXPECT_FALSE(observer.Completed());
  observer.ReportGeometry(512, 300);
  observer.ReportCalibrationFactor(-83.5);
  observer.ReportCompletion(CompletionMessage);
  EXPECT_EQ(observer.ReportedGeometry()->Pixels, 512);
  EXPECT_EQ(observer.ReportedGeometry()->Lines, 300);
  EXPECT_EQ(observer.ReportedCalibrationFactor(), -83.5);
  EXPECT_TRUE(observer.Completed());
}

}  // namespace
}  // namespace sigma0::cli
