// What the window does while a run is in progress: it stays usable, refuses a second conversion,
// lets help pause the run, and closes only once the run has finished.
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "ModalDriver.h"
#include "SceneFiles.h"
#include "Unit81.h"

using namespace sigma0;
using namespace sigma0::test;

namespace {

// Large enough that a run lasts many event passes of 15 ms, even in an optimised build on a fast
// machine: some 12 million pixels.
constexpr int kPixels = 4000;
constexpr int kLines = 3000;

const QString kHelpText = QString::fromUtf8(
    "32ビット変換は σ0 値のFloat RAWファイルに変換します。\n"
    "16ビット変換(unsigned int)は「16ビット変換用 σ0 最低値（整数）」に入力した値を最低値"
    "（ゼロ）とし、これを1000倍した Unsigned integer RAWファイルに変換します。");

}  // namespace

class TMainWindowDuringRunTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void ConversionButtonsAreRefusedButTheRestStaysUsable();
  void HelpPausesTheRunUntilDismissed();
  void CloseWaitsForTheRunAndSkipsItsMessage_data();
  void CloseWaitsForTheRunAndSkipsItsMessage();

 private:
  bool RunInProgress() const {
    const QProgressBar* progress = window_->ProgressBar1;
    return progress->maximum() == kLines && progress->value() > 0 && progress->value() < kLines;
  }
  TModalDriver& AcceptPrompts(TModalDriver& driver) {
    return driver.AcceptPrompt(scene_.Leader)
        .AcceptPrompt(scene_.Source)
        .AcceptPrompt(scene_.Output);
  }
  // The output the run must leave: the job Button8 stands for with the window's start texts.
  QByteArray ExpectedOutput() const;

  QTemporaryDir folder_;
  TScene scene_;
  std::unique_ptr<TForm79> window_;
};

void TMainWindowDuringRunTest::initTestCase() {
  QVERIFY(folder_.isValid());
  scene_ = WriteRawScene(folder_.path(), kPixels, kLines, TByteOrder::boLittleEndian, VariedDn);
}

void TMainWindowDuringRunTest::init() {
  QFile::remove(scene_.Output);
  QFile::remove(scene_.Output + ".hd1");
  window_ = std::make_unique<TForm79>();
  window_->Edit1->setText(QString::number(kPixels));
  window_->Edit2->setText(QString::number(kLines));
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TMainWindowDuringRunTest::cleanup() {
  window_.reset();
}

QByteArray TMainWindowDuringRunTest::ExpectedOutput() const {
  TConversionJob job;
  job.Variant = {TSensor::snALOS, TSourceKind::skRawInteger, TOutputDepth::odUInt16};
  job.LeaderPath = ToPath(scene_.Leader);
  job.SourcePath = ToPath(scene_.Source);
  job.MinimumDb = -40;
  job.ByteOrder = TByteOrder::boLittleEndian;
  job.RawGeometry = {kPixels, kLines, 0};
  return ReferenceOutput(job, folder_.path() + "/reference.img");
}

// A click on a disabled conversion button opens no prompt: the driver would report one as
// unexpected. Typing reaches the fields but not the running job.
void TMainWindowDuringRunTest::ConversionButtonsAreRefusedButTheRestStaysUsable() {
  QStringList enabledDuringRun;
  TModalDriver driver;
  AcceptPrompts(driver)
      .When([this] { return RunInProgress(); },
            [&] {
              for (QPushButton* button : window_->findChildren<QPushButton*>()) {
                if (button->window() == window_.get() && button->isEnabled()) {
                  enabledDuringRun << button->objectName();
                }
              }
              QTest::mouseClick(window_->Button1, Qt::LeftButton);
              QTest::mouseClick(window_->Button9, Qt::LeftButton);
              window_->Edit4->clear();
              QTest::keyClicks(window_->Edit4, "-10");
              window_->ComboBox1->setCurrentIndex(1);
            })
      .DismissBox();
  QTest::mouseClick(window_->Button8, Qt::LeftButton);
  QVERIFY2(driver.Finished() && driver.Problems().isEmpty(),
           qPrintable(driver.Problems().join("; ")));
  enabledDuringRun.sort();
  QCOMPARE(enabledDuringRun, QStringList({"Button10", "Button2"}));
  QCOMPARE(window_->Edit4->text(), "-10");
  QCOMPARE(FileBytes(scene_.Output), ExpectedOutput());
  for (QPushButton* button :
       {window_->Button1, window_->Button3, window_->Button4, window_->Button5, window_->Button6,
        window_->Button7, window_->Button8, window_->Button9}) {
    QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
  }
}

void TMainWindowDuringRunTest::HelpPausesTheRunUntilDismissed() {
  TBoxSeen help;
  TBoxSeen completion;
  int progressAtHelp = -1;
  int progressAfterWaiting = -1;
  TModalDriver driver;
  AcceptPrompts(driver)
      .When([this] { return RunInProgress(); },
            [this] { QTest::mouseClick(window_->Button10, Qt::LeftButton); })
      .DismissBox(&help,
                  [&](QMessageBox&) {
                    progressAtHelp = window_->ProgressBar1->value();
                    QTest::qWait(300);
                    progressAfterWaiting = window_->ProgressBar1->value();
                  })
      .DismissBox(&completion);
  QTest::mouseClick(window_->Button8, Qt::LeftButton);
  QVERIFY2(driver.Finished() && driver.Problems().isEmpty(),
           qPrintable(driver.Problems().join("; ")));
  QCOMPARE(help.Text, kHelpText);
  QCOMPARE(help.Icon, QMessageBox::NoIcon);
  QVERIFY(progressAtHelp > 0 && progressAtHelp < kLines);
  QCOMPARE(progressAfterWaiting, progressAtHelp);
  QCOMPARE(completion.Text, QString::fromUtf8(" 保存終了 "));
  QCOMPARE(FileBytes(scene_.Output), ExpectedOutput());
}

void TMainWindowDuringRunTest::CloseWaitsForTheRunAndSkipsItsMessage_data() {
  QTest::addColumn<bool>("exitButton");
  QTest::newRow("exit button") << true;
  QTest::newRow("window close command") << false;
}

// Runs in the application's own message loop, which ends when the window has closed. The script
// has no step for the completion message: had it appeared, the driver would report it.
void TMainWindowDuringRunTest::CloseWaitsForTheRunAndSkipsItsMessage() {
  QFETCH(bool, exitButton);
  bool visibleAfterRequest = false;
  TModalDriver driver;
  AcceptPrompts(driver).When([this] { return RunInProgress(); },
                             [&] {
                               if (exitButton) {
                                 QTest::mouseClick(window_->Button2, Qt::LeftButton);
                               } else {
                                 window_->windowHandle()->close();
                               }
                               visibleAfterRequest = window_->isVisible();
                             });
  QTimer::singleShot(0, window_->Button8,
                     [this] { QTest::mouseClick(window_->Button8, Qt::LeftButton); });
  constexpr int kNotEnded = 99;
  QTimer::singleShot(120'000, qApp, [] { QApplication::exit(kNotEnded); });
  QCOMPARE(QApplication::exec(), 0);
  QVERIFY2(driver.Finished() && driver.Problems().isEmpty(),
           qPrintable(driver.Problems().join("; ")));
  QVERIFY(visibleAfterRequest);
  QVERIFY(!window_->isVisible());
  QCOMPARE(FileBytes(scene_.Output), ExpectedOutput());
  QCOMPARE(QString(FileBytes(scene_.Output + ".hd1")),
           "4000 width\r\n3000 height\r\n2 data_type\r\n");
}

QTEST_MAIN(TMainWindowDuringRunTest)
#include "tst_MainWindowDuringRun.moc"
