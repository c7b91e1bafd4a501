#include "Unit81.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>

#include "ConversionButtons.h"
#include "Conversions.h"
#include "FilePrompt.h"
#include "MessageBoxes.h"
#include "WindowControls.h"
#include "WindowIcon.h"

namespace sigma0 {
namespace {

const char* const kLittleEndianItem = " Little endian";
const char* const kBigEndianItem = " Big endian";

const char* const kHelpText =
    "32ビット変換は σ0 値のFloat RAWファイルに変換します。\n"
    "16ビット変換(unsigned int)は「16ビット変換用 σ0 最低値（整数）」に入力した値を最低値"
    "（ゼロ）とし、これを1000倍した Unsigned integer RAWファイルに変換します。";

// Only the exact item text selects big-endian: a typed variant of it is not what the list offers.
TByteOrder ByteOrderOf(const QString& boxText) {
  return boxText == QString::fromUtf8(kBigEndianItem) ? TByteOrder::boBigEndian
                                                      : TByteOrder::boLittleEndian;
}

std::int32_t FieldValue(const QLineEdit* field) {
  return StrToInt(field->text().toStdString());
}

std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

const TConversionButton& ConversionButtonNumbered(int number) {
  for (const TConversionButton& button : ConversionButtons) {
    if (button.Number == number) {
      return button;
    }
  }
  throw std::logic_error("no conversion button " + std::to_string(number));
}

}  // namespace

// Refuses conversion clicks for as long as a run is in progress, whichever way it ends: a click
// arriving through KeepResponsive would otherwise start a second run inside the first.
class TForm79::TRunInProgress {
 public:
  explicit TRunInProgress(TForm79& form) : form_(form) {
    form_.runInProgress_ = true;
    form_.SetConversionButtonsEnabled(false);
  }
  ~TRunInProgress() {
    form_.ShowProgressPosition();
    form_.SetConversionButtonsEnabled(true);
    form_.runInProgress_ = false;
  }
  TRunInProgress(const TRunInProgress&) = delete;
  TRunInProgress& operator=(const TRunInProgress&) = delete;

 private:
  TForm79& form_;
};

TForm79::TForm79(QWidget* owner)
    : QWidget(owner),
      OpenDialog1(this, QFileDialog::AcceptOpen),
      SaveDialog1(this, QFileDialog::AcceptSave),
      eventPump_([this] { ServeEvents(); }) {
  setWindowTitle(QString::fromUtf8("σ0画像（16ビット，32ビット)作成\u3000ver. 2.2"));
  setWindowIcon(WindowIcon());
  setFont(WindowFont());
  setBackgroundRole(QPalette::Button);
  move(0, 0);
  resize(455, 410);
  CreateWindowControls();
  SetTabOrder();
  ConnectHandlers();
}

void TForm79::CreateWindowControls() {
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setGeometry(24, 382, 413, 16);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  Button2 = MakeButton(this, "Button2", "終了", {192, 343, 75, 25});
  CreateCeosGroup();
  CreateRawGroup();
  Label7 = MakeLabel(this, "Label7", "2種類の変換元ファイルフォーマットに対応", {24, 8});
  // Edit3 belongs to the CEOS group visually but lies over it as a control of the window.
  Edit3 = MakeEdit(this, "Edit3", "-40", {151, 149});
  Label10 = MakeLabel(this, "Label10", "CF :", {40, 327});
  Label11 = MakeLabel(this, "Label11", QString(17, ' '), {108, 327});
  Button10 = MakeButton(this, "Button10", "ヘルプ", {362, 343, 75, 25});
  CreateByteOrderBox();
  Label12 = MakeLabel(this, "Label12", "16ビット画像のバイトオーダ :", {24, 32});
}

void TForm79::CreateCeosGroup() {
  GroupBox1 = MakeGroupBox(this, "GroupBox1", "変換元：CEOS IMGﾌｧｲﾙ", {24, 56, 194, 265});
  Label1 = MakeLabel(GroupBox1, "Label1", "Pixel :", {16, 24});
  Label2 = MakeLabel(GroupBox1, "Label2", "Line  :", {16, 43});
  Label3 = MakeLabel(GroupBox1, "Label3", QString(10, ' '), {72, 24});
  Label4 = MakeLabel(GroupBox1, "Label4", QString(10, ' '), {72, 43});
  Label8 = MakeLabel(GroupBox1, "Label8", "16ビット変換用 σ0 最低値（整数）:", {16, 72});
  Button1 = MakeButton(GroupBox1, "Button1", "32ビット変換(ALOS)", {16, 132, 160, 25});
  Button6 = MakeButton(GroupBox1, "Button6", "16ビット変換(ALOS)", {16, 163, 160, 25});
  Button4 = MakeButton(GroupBox1, "Button4", "32ビット変換(ALOS-2)", {16, 194, 160, 25});
  Button7 = MakeButton(GroupBox1, "Button7", "16ビット変換(ALOS-2)", {16, 225, 160, 25});
}

void TForm79::CreateRawGroup() {
  GroupBox2 = MakeGroupBox(this, "GroupBox2", "変換元：Unsigned int,RAW", {243, 56, 194, 265});
  Label5 = MakeLabel(GroupBox2, "Label5", "Pixel :", {16, 24});
  Label6 = MakeLabel(GroupBox2, "Label6", "Line  :", {16, 43});
  Edit1 = MakeEdit(GroupBox2, "Edit1", "0", {61, 21});
  Edit2 = MakeEdit(GroupBox2, "Edit2", "0", {61, 40});
  Label9 = MakeLabel(GroupBox2, "Label9", "16ビット変換用 σ0 最低値（整数）:", {16, 72});
  Edit4 = MakeEdit(GroupBox2, "Edit4", "-40", {125, 93});
  Button3 = MakeButton(GroupBox2, "Button3", "32ビット変換(ALOS)", {16, 132, 160, 25});
  Button8 = MakeButton(GroupBox2, "Button8", "16ビット変換(ALOS)", {16, 163, 160, 25});
  Button5 = MakeButton(GroupBox2, "Button5", "32ビット変換(ALOS-2)", {16, 194, 160, 25});
  Button9 = MakeButton(GroupBox2, "Button9", "16ビット変換(ALOS-2)", {16, 225, 160, 25});
}

void TForm79::CreateByteOrderBox() {
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setGeometry(183, 29, 99, 21);
  ComboBox1->setEditable(true);
  // The typed text is what the run gets: no item may be added by Enter, and no completion may
  // turn a typed " big endian" into the item " Big endian".
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboBox1->setCompleter(nullptr);
  ComboBox1->addItems({QString::fromUtf8(kLittleEndianItem), QString::fromUtf8(kBigEndianItem)});
  // Adding the first item selects it; the box starts with its text but no selection.
  ComboBox1->setCurrentIndex(-1);
  ComboBox1->setEditText(QString::fromUtf8(kLittleEndianItem));
}

void TForm79::SetTabOrder() {
  const QWidget* const order[] = {Button2, Button1, Button4, Button6,  Button7,
                                  Edit1,   Edit2,   Button3, Button5,  Button8,
                                  Button9, Edit4,   Edit3,   Button10, ComboBox1};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    QWidget::setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
  }
}

void TForm79::ConnectHandlers() {
  connect(Button1, &QPushButton::clicked, this, &TForm79::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm79::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TForm79::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TForm79::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TForm79::Button5Click);
  connect(Button6, &QPushButton::clicked, this, &TForm79::Button6Click);
  connect(Button7, &QPushButton::clicked, this, &TForm79::Button7Click);
  connect(Button8, &QPushButton::clicked, this, &TForm79::Button8Click);
  connect(Button9, &QPushButton::clicked, this, &TForm79::Button9Click);
  connect(Button10, &QPushButton::clicked, this, &TForm79::Button10Click);
}

void TForm79::Button1Click() {
  ConvertClick(1);
}
void TForm79::Button3Click() {
  ConvertClick(3);
}
void TForm79::Button4Click() {
  ConvertClick(4);
}
void TForm79::Button5Click() {
  ConvertClick(5);
}
void TForm79::Button6Click() {
  ConvertClick(6);
}
void TForm79::Button7Click() {
  ConvertClick(7);
}
void TForm79::Button8Click() {
  ConvertClick(8);
}
void TForm79::Button9Click() {
  ConvertClick(9);
}

void TForm79::Button2Click() {
  close();
}

void TForm79::Button10Click() {
  ShowErrorsOf([] { ShowMessage(QString::fromUtf8(kHelpText)); });
}

void TForm79::ConvertClick(int buttonNumber) {
  ShowErrorsOf([&] { Convert(ConversionButtonNumbered(buttonNumber)); });
  // A close requested during the run waited for it; the run is over now.
  if (closeRequested_) {
    close();
  }
}

// The steps of a click, in the order users see them: numbers typed before the prompts are checked
// before any prompt appears, the raw geometry only after all three.
void TForm79::Convert(const TConversionButton& button) {
  TConversionJob job;
  job.Variant = button.Variant;
  if (button.Variant.Depth == TOutputDepth::odUInt16) {
    job.MinimumDb = FieldValue(MinimumFieldOf(button));
  }
  if (ReadsByteOrderBox(button.Variant)) {
    job.ByteOrder = ByteOrderOf(ComboBox1->currentText());
  }
  const auto leader = OpenDialog1.Execute(QString::fromUtf8(button.LeaderTitle));
  if (!leader) {
    return;
  }
  const auto source = OpenDialog1.Execute(QString::fromUtf8(button.SourceTitle));
  if (!source) {
    return;
  }
  const auto output = SaveDialog1.Execute(QString::fromUtf8(OutputPromptTitle));
  if (!output) {
    return;
  }
  if (button.Variant.Source == TSourceKind::skRawInteger) {
    job.RawGeometry.Pixels = FieldValue(Edit1);
    job.RawGeometry.Lines = FieldValue(Edit2);
  }
  job.LeaderPath = ToPath(*leader);
  job.SourcePath = ToPath(*source);
  job.OutputPath = ToPath(*output);
  const TRunInProgress running(*this);
  RunConversion(job, *this);
}

QLineEdit* TForm79::MinimumFieldOf(const TConversionButton& button) const {
  return button.Variant.Source == TSourceKind::skCeosImage ? Edit3 : Edit4;
}

void TForm79::SetConversionButtonsEnabled(bool enabled) {
  for (QPushButton* button :
       {Button1, Button3, Button4, Button5, Button6, Button7, Button8, Button9}) {
    button->setEnabled(enabled);
  }
}

void TForm79::closeEvent(QCloseEvent* event) {
  if (runInProgress_) {
    // The run goes on to its end so that its output is complete; the window closes after it.
    closeRequested_ = true;
    event->ignore();
    return;
  }
  event->accept();
}

void TForm79::BeginProgress(std::int32_t lines) {
  ProgressBar1->setMinimum(0);
  ProgressBar1->setMaximum(lines);
  progressPosition_ = 0;
  ProgressBar1->setValue(0);
  eventPump_.Restart();
}

// Counted here and shown in the event passes: a progress bar repaints at once when its value
// changes, and a repaint per row made the run 5 to 10 % slower.
void TForm79::StepProgress() {
  ++progressPosition_;
}

void TForm79::ShowProgressPosition() {
  if (ProgressBar1->value() != progressPosition_) {
    ProgressBar1->setValue(progressPosition_);
  }
}

// Every second pass redraws the bar, some 30 times a second: smooth to the eye, and a repaint
// costs as much as twenty passes without one.
void TForm79::ServeEvents() {
  if (++passesSinceProgressShown_ >= 2) {
    passesSinceProgressShown_ = 0;
    ShowProgressPosition();
  }
  QCoreApplication::processEvents();
}

void TForm79::ReportGeometry(std::int32_t pixels, std::int32_t lines) {
  SetLabelText(Label3, QString::number(pixels));
  SetLabelText(Label4, QString::number(lines));
}

void TForm79::ReportCalibrationFactor(double cf) {
  const std::string separator = QLocale().decimalPoint().toStdString();
  SetLabelText(Label11, QString::fromStdString(FloatToStr(cf, separator)));
}

void TForm79::ReportCompletion(const std::string& message) {
  ShowProgressPosition();  // full while the message is shown
  // A user who asked to close during the run is not kept waiting by the message.
  if (closeRequested_) {
    return;
  }
  ShowMessage(QString::fromStdString(message));
}

void TForm79::ResetProgress() {
  progressPosition_ = 0;
  ProgressBar1->setValue(0);
}

}  // namespace sigma0
