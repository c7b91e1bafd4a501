// The main window: eight conversion buttons, their parameters, the results of the last run,
// progress, help and exit.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "ConversionRun.h"
#include "EventPump.h"
#include "FilePrompt.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace sigma0 {

struct TConversionButton;

// Gathers a job from its fields and prompts, hands it to RunConversion and shows what the run
// reports. It opens no file and computes nothing itself.
class TForm79 : public QWidget, public TRunObserver {
  Q_OBJECT

 public:
  explicit TForm79(QWidget* owner = nullptr);

  // The controls, owned by the window. Their names are those users and tests know them by.
  QProgressBar* ProgressBar1;
  TFilePrompt OpenDialog1;
  TFilePrompt SaveDialog1;
  QPushButton* Button2;
  QGroupBox* GroupBox1;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QPushButton* Button1;
  QGroupBox* GroupBox2;
  QLabel* Label5;
  QLabel* Label6;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QPushButton* Button3;
  QLabel* Label7;
  QPushButton* Button4;
  QPushButton* Button5;
  QPushButton* Button6;
  QPushButton* Button7;
  QPushButton* Button8;
  QPushButton* Button9;
  QLabel* Label8;
  QLineEdit* Edit3;
  QLabel* Label9;
  QLineEdit* Edit4;
  QLabel* Label10;
  QLabel* Label11;
  QPushButton* Button10;
  QComboBox* ComboBox1;
  QLabel* Label12;

  // The click handlers, each bound to the button of its number.
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void Button7Click();
  void Button8Click();
  void Button9Click();
  void Button10Click();

  // TRunObserver: how a run shows itself in the window.
  void BeginProgress(std::int32_t lines) override;
  void KeepResponsive() override { eventPump_.Tick(); }
  void StepProgress() override;
  void ReportGeometry(std::int32_t pixels, std::int32_t lines) override;
  void ReportCalibrationFactor(double cf) override;
  void ReportCompletion(const std::string& message) override;
  void ResetProgress() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class TRunInProgress;

  void CreateWindowControls();
  void CreateCeosGroup();
  void CreateRawGroup();
  void CreateByteOrderBox();
  void SetTabOrder();
  void ConnectHandlers();
  QLineEdit* MinimumFieldOf(const TConversionButton& button) const;

  void ConvertClick(int buttonNumber);
  void Convert(const TConversionButton& button);
  void SetConversionButtonsEnabled(bool enabled);
  void ShowProgressPosition();
  void ServeEvents();

  TEventPump eventPump_;
  std::int32_t progressPosition_ = 0;  // rows written; the bar catches up in the event passes
  int passesSinceProgressShown_ = 0;
  bool runInProgress_ = false;
  bool closeRequested_ = false;
};

}  // namespace sigma0
