// The run's observer on a console: a progress line redrawn in place, and the reported results.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "ConversionRun.h"
#include "Types.h"

namespace sigma0::cli {

class TConsoleObserver final : public TRunObserver {
 public:
  // progress: where the line is drawn; showProgress: false when that is not a terminal, where a
  // redrawn line would only pile up carriage returns.
  TConsoleObserver(std::ostream& progress, bool showProgress);
  // A run ended by an error leaves a half-drawn line; the error must start on a clean one.
  ~TConsoleObserver() override;
  TConsoleObserver(const TConsoleObserver&) = delete;
  TConsoleObserver& operator=(const TConsoleObserver&) = delete;

  void BeginProgress(std::int32_t lines) override;
  void KeepResponsive() override {}
  void StepProgress() override;
  void ReportGeometry(std::int32_t pixels, std::int32_t lines) override;
  void ReportCalibrationFactor(double cf) override;
  void ReportCompletion(const std::string& message) override;
  void ResetProgress() override;

  // Pixels and lines as reported (CEOS sources; Pixels and Lines only).
  const std::optional<TImageGeometry>& ReportedGeometry() const { return geometry_; }
  const std::optional<double>& ReportedCalibrationFactor() const { return calibrationFactor_; }
  bool Completed() const { return completed_; }

 private:
  int Percent() const;
  void Draw();
  void Erase();

  std::ostream& progress_;
  bool showProgress_;
  bool lineDrawn_ = false;
  std::int32_t totalRows_ = 0;
  std::int32_t writtenRows_ = 0;
  int drawnPercent_ = -1;
  std::optional<TImageGeometry> geometry_;
  std::optional<double> calibrationFactor_;
  bool completed_ = false;
};

}  // namespace sigma0::cli
