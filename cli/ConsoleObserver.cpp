#include "ConsoleObserver.h"

#include <ostream>

namespace sigma0::cli {

TConsoleObserver::TConsoleObserver(std::ostream& progress, bool showProgress)
    : progress_(progress), showProgress_(showProgress) {}

TConsoleObserver::~TConsoleObserver() {
  Erase();
}

void TConsoleObserver::BeginProgress(std::int32_t lines) {
  totalRows_ = lines;
  writtenRows_ = 0;
  drawnPercent_ = -1;
  Draw();
}

void TConsoleObserver::StepProgress() {
  ++writtenRows_;
  // Redrawing only when the figure changes keeps a 13000-line scene to about a hundred writes.
  if (Percent() != drawnPercent_) {
    Draw();
  }
}

void TConsoleObserver::ReportGeometry(std::int32_t pixels, std::int32_t lines) {
  geometry_ = TImageGeometry{pixels, lines, 0};
}

void TConsoleObserver::ReportCalibrationFactor(double cf) {
  calibrationFactor_ = cf;
}

void TConsoleObserver::ReportCompletion(const std::string&) {
  completed_ = true;
}

void TConsoleObserver::ResetProgress() {
  Erase();
}

int TConsoleObserver::Percent() const {
  if (totalRows_ <= 0) {
    return 100;
  }
  return static_cast<int>(100LL * writtenRows_ / totalRows_);
}

void TConsoleObserver::Draw() {
  if (!showProgress_) {
    return;
  }
  drawnPercent_ = Percent();
  progress_ << "\rconverting: " << drawnPercent_ << "% (" << writtenRows_ << " of " << totalRows_
            << " lines)" << std::flush;
  lineDrawn_ = true;
}

void TConsoleObserver::Erase() {
  if (!lineDrawn_) {
    return;
  }
  progress_ << "\r\x1b[K" << std::flush;  // back to the start and clear to the end of the line
  lineDrawn_ = false;
}

}  // namespace sigma0::cli
