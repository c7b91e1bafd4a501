// Clicks that end before or in the run: an invalid number, a cancelled prompt, a refused run. Each
// shows what it must and leaves files, labels and progress bar as they were.
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "ModalDriver.h"
#include "SceneFiles.h"
#include "Unit81.h"

using namespace sigma0;
using namespace sigma0::test;

namespace {

constexpr int kPixels = 7;
constexpr int kLines = 5;

QString IntegerError(const QString& text) {
  return "'" + text + "' " + QString::fromUtf8("は整数ではありません.");
}

}  // namespace

class TClicksThatEndEarlyTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void MinimumIsCheckedBeforeAnyPrompt_data();
  void MinimumIsCheckedBeforeAnyPrompt();
  void RawGeometryIsCheckedAfterThePrompts_data();
  void RawGeometryIsCheckedAfterThePrompts();
  void RefusedLineCountLeavesTheExistingOutput();
  void CancelAtAnyPromptEndsTheClickSilently_data();
  void CancelAtAnyPromptEndsTheClickSilently();
  void OpenPromptTakesAMissingFileAndTheErrorNamesIt();

 private:
  QPushButton* ButtonNamed(const QString& name) const {
    return window_->findChild<QPushButton*>(name);
  }

  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<TForm79> window_;
};

void TClicksThatEndEarlyTest::init() {
  folder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/σ0 window-XXXXXX");
  QVERIFY(folder_->isValid());
  window_ = std::make_unique<TForm79>();
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TClicksThatEndEarlyTest::cleanup() {
  window_.reset();
  folder_.reset();
}

void TClicksThatEndEarlyTest::MinimumIsCheckedBeforeAnyPrompt_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("text");
  for (const auto& [button, field] :
       {std::pair{"Button6", "Edit3"}, std::pair{"Button7", "Edit3"}, std::pair{"Button8", "Edit4"},
        std::pair{"Button9", "Edit4"}}) {
    for (const char* text : {"-40.5", "", "-40 "}) {
      QTest::addRow("%s '%s'", button, text) << button << field << text;
    }
  }
}

void TClicksThatEndEarlyTest::MinimumIsCheckedBeforeAnyPrompt() {
  QFETCH(QString, button);
  QFETCH(QString, field);
  QFETCH(QString, text);
  WriteCeosScene(folder_->path(), kPixels, kLines, VariedDn);
  const QStringList filesBefore = FileNamesIn(folder_->path());
  window_->findChild<QLineEdit*>(field)->setText(text);
  TBoxSeen error;
  TModalDriver driver;
  driver.DismissBox(&error);
  QTest::mouseClick(ButtonNamed(button), Qt::LeftButton);
  QVERIFY2(driver.Finished() && driver.Problems().isEmpty(),
           qPrintable(driver.Problems().join("; ")));
  QCOMPARE(error.Text, IntegerError(text));
  QCOMPARE(error.Icon, QMessageBox::Critical);
  QCOMPARE(error.Buttons, QMessageBox::Ok);
  QCOMPARE(FileNamesIn(folder_->path()), filesBefore);
  QVERIFY(window_->OpenDialog1.FileName().isEmpty());
}

void TClicksThatEndEarlyTest::RawGeometryIsCheckedAfterThePrompts_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("text");
  for (const char* button : {"Button3", "Button8"}) {
    for (const char* field : {"Edit1", "Edit2"}) {
      for (const char* text : {"-40.5", "", "7 "}) {
        QTest::addRow("%s %s '%s'", button, field, text) << button << field << text;
      }
    }
  }
}

void TClicksThatEndEarlyTest::RawGeometryIsCheckedAfterThePrompts() {
  QFETCH(QString, button);
  QFETCH(QString, field);
  QFETCH(QString, text);
  const TScene scene =
      WriteRawScene(folder_->path(), kPixels, kLines, TByteOrder::boLittleEndian, VariedDn);
  const QStringList filesBefore = FileNamesIn(folder_->path());
  window_->Edit1->setText(QString::number(kPixels));
  window_->Edit2->setText(QString::number(kLines));
  window_->findChild<QLineEdit*>(field)->setText(text);
  TBoxSeen error;
  TModalDriver driver;
  driver.AcceptPrompt(scene.Leader)
      .AcceptPrompt(scene.Source)
      .AcceptPrompt(scene.Output)
      .DismissBox(&error);
  QTest::mouseClick(ButtonNamed(button), Qt::LeftButton);
  QVERIFY2(driver.Finished() && driver.Problems().isEmpty(),
           qPrintable(driver.Problems().join("; ")));
  QCOMPARE(error.Text, IntegerError(text));
  QCOMPARE(error.Icon, QMessageBox::Critical);
  QCOMPARE(FileNamesIn(folder_->path()), filesBefore);
  QCOMPARE(window_->ProgressBar1->value(), 0);
  QCOMPARE(window_->Label11->text(), QString(17, ' '));
}

// The run refuses the count before it creates anything, and the error reaches the error display
// with the core's own words.
void TClicksThatEndEarlyTest::RefusedLineCountLeavesTheExistingOutput() {
  const TScene scene =
      WriteRawScene(folder_->path(), kPixels, kLines, TByteOrder::boLittleEndian, VariedDn);
  QFile existing(scene.Output);
  QVERIFY(existing.open(QIODevice::WriteOnly));
  existing.write("earlier output");
  existing.close();
  window_->Edit1->setText(QString::number(kPixels));
  window_->Edit2->setText("-1");
  TBoxSeen error;
  TModalDriver driver;
  driver.AcceptPrompt(scene.Leader)
      .AcceptPrompt(scene.Source)
      .AcceptPrompt(scene.Output)
      .DismissBox(&error);
  QTest::mouseClick(window_->Button3, Qt::LeftButton);
  QVERIFY2(driver.Finished() && driver.Problems().isEmpty(),
           qPrintable(driver.Problems().join("; ")));
  QCOMPARE(error.Icon, QMessageBox::Critical);
  QVERIFY2(error.Text.contains("-1"), qPrintable(error.Text));
  QVERIFY(error.Text.endsWith('.'));
  QCOMPARE(FileBytes(scene.Output), QByteArray("earlier output"));
  QVERIFY(!QFile::exists(scene.Output + ".hd1"));
  QCOMPARE(window_->ProgressBar1->value(), 0);
  QCOMPARE(window_->Label11->text(), QString(17, ' '));
  QVERIFY(window_->Button3->isEnabled());
}

void TClicksThatEndEarlyTest::CancelAtAnyPromptEndsTheClickSilently_data() {
  QTest::addColumn<int>("cancelled");  // 0 leader, 1 source, 2 output
  QTest::newRow("leader prompt") << 0;
  QTest::newRow("source prompt") << 1;
  QTest::newRow("output prompt") << 2;
}

void TClicksThatEndEarlyTest::CancelAtAnyPromptEndsTheClickSilently() {
  QFETCH(int, cancelled);
  const TScene scene = WriteCeosScene(folder_->path(), kPixels, kLines, VariedDn);
  const QStringList filesBefore = FileNamesIn(folder_->path());
  const QString paths[] = {scene.Leader, scene.Source, scene.Output};
  TModalDriver driver;
  for (int prompt = 0; prompt < cancelled; ++prompt) {
    driver.AcceptPrompt(paths[prompt]);
  }
  driver.CancelPrompt();
  QTest::mouseClick(window_->Button6, Qt::LeftButton);
  QVERIFY2(driver.Finished() && driver.Problems().isEmpty(),
           qPrintable(driver.Problems().join("; ")));
  QCOMPARE(FileNamesIn(folder_->path()), filesBefore);
  QCOMPARE(window_->Label3->text(), QString(10, ' '));
  QCOMPARE(window_->Label11->text(), QString(17, ' '));
  QCOMPARE(window_->ProgressBar1->value(), 0);
  QCOMPARE(window_->ProgressBar1->maximum(), 100);
  QVERIFY(window_->Button6->isEnabled());
}

void TClicksThatEndEarlyTest::OpenPromptTakesAMissingFileAndTheErrorNamesIt() {
  TScene scene = WriteCeosScene(folder_->path(), kPixels, kLines, VariedDn);
  scene.Leader = folder_->path() + "/no such leader.dat";
  const QStringList filesBefore = FileNamesIn(folder_->path());
  TBoxSeen error;
  TModalDriver driver;
  driver.AcceptPrompt(scene.Leader)
      .AcceptPrompt(scene.Source)
      .AcceptPrompt(scene.Output)
      .DismissBox(&error);
  QTest::mouseClick(window_->Button1, Qt::LeftButton);
  QVERIFY2(driver.Finished() && driver.Problems().isEmpty(),
           qPrintable(driver.Problems().join("; ")));
  QCOMPARE(error.Icon, QMessageBox::Critical);
  QVERIFY2(error.Text.contains("no such leader.dat"), qPrintable(error.Text));
  QCOMPARE(FileNamesIn(folder_->path()), filesBefore);
  QVERIFY(window_->Button1->isEnabled());
}

QTEST_MAIN(TClicksThatEndEarlyTest)
#include "tst_MainWindowClicksThatEndEarly.moc"
