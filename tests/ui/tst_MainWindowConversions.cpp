// Conversions driven through the window end to end: its fields, box and prompts make the job, and
// the run's reports reach its labels, progress bar and boxes.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>

#include "ModalDriver.h"
#include "SceneFiles.h"
#include "Unit81.h"

using namespace sigma0;
using namespace sigma0::test;

Q_DECLARE_METATYPE(TSensor)
Q_DECLARE_METATYPE(TSourceKind)
Q_DECLARE_METATYPE(TOutputDepth)
Q_DECLARE_METATYPE(TByteOrder)

namespace {

constexpr int kPixels = 7;
constexpr int kLines = 5;
const QString kOutputTitle = QString::fromUtf8("保存先ファイル名を指定する");

QString Hd1Text(int pixels, int lines, TOutputDepth depth) {
  return QString("%1 width\r\n%2 height\r\n%3 data_type\r\n")
      .arg(pixels)
      .arg(lines)
      .arg(depth == TOutputDepth::odFloat32 ? 4 : 2);
}

}  // namespace

class TMainWindowConversionsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void EachButtonBuildsItsJob_data();
  void EachButtonBuildsItsJob();
  void CeosFloatSamplesAreTheBackscatter();
  void CeosUInt16SamplesFollowTheBox_data();
  void CeosUInt16SamplesFollowTheBox();
  void RawRunKeepsTheGeometryOfTheLastCeosRun();
  void CalibrationFactorIsShownShortest_data();
  void CalibrationFactorIsShownShortest();
  void MinimumAcceptsSignsBlanksAndHex_data();
  void MinimumAcceptsSignsBlanksAndHex();
  void ByteOrderComesFromTheExactBoxText_data();
  void ByteOrderComesFromTheExactBoxText();
  void PromptsStartFromThePathChosenLast();
  void SavePromptReplacesAnExistingFileWithoutAsking();

 private:
  QPushButton* ButtonNamed(const QString& name) const {
    return window_->findChild<QPushButton*>(name);
  }
  // Clicks through the three prompts and the completion message; true when all went as scripted.
  bool ConvertThroughWindow(QPushButton* button, const TScene& scene, TPromptSeen seen[3] = nullptr,
                            TBoxSeen* completion = nullptr);

  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<TForm79> window_;
  int progressDuringCompletion_ = -1;
  int progressMaximumDuringCompletion_ = -1;
};

void TMainWindowConversionsTest::init() {
  folder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/σ0 window-XXXXXX");
  QVERIFY(folder_->isValid());
  window_ = std::make_unique<TForm79>();
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TMainWindowConversionsTest::cleanup() {
  window_.reset();
  folder_.reset();
}

bool TMainWindowConversionsTest::ConvertThroughWindow(QPushButton* button, const TScene& scene,
                                                      TPromptSeen seen[3], TBoxSeen* completion) {
  TModalDriver driver;
  driver.AcceptPrompt(scene.Leader, seen ? &seen[0] : nullptr)
      .AcceptPrompt(scene.Source, seen ? &seen[1] : nullptr)
      .AcceptPrompt(scene.Output, seen ? &seen[2] : nullptr)
      .DismissBox(completion, [this](QMessageBox&) {
        progressDuringCompletion_ = window_->ProgressBar1->value();
        progressMaximumDuringCompletion_ = window_->ProgressBar1->maximum();
      });
  QTest::mouseClick(button, Qt::LeftButton);
  if (!driver.Finished() || !driver.Problems().isEmpty()) {
    qWarning() << driver.Problems();
    return false;
  }
  return true;
}

void TMainWindowConversionsTest::EachButtonBuildsItsJob_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<TSensor>("sensor");
  QTest::addColumn<TSourceKind>("source");
  QTest::addColumn<TOutputDepth>("depth");
  QTest::addColumn<QString>("leaderTitle");
  QTest::addColumn<QString>("sourceTitle");
  const QString alosLeader = QString::fromUtf8("PALSARリーダファイルを開く");
  const QString alos2Leader = QString::fromUtf8("PALSAR-2(ALOS-2)リーダファイルを開く");
  const QString alosCeos = QString::fromUtf8("PALSAR1.5イメージファイルを開く");
  const QString alos2Ceos = QString::fromUtf8("PALSAR-2 1.5(ALOS-2)イメージファイルを開く");
  const QString alosRaw = QString::fromUtf8("PALSAR RAW(Integer)ファイルを開く");
  using enum TSensor;
  using enum TSourceKind;
  using enum TOutputDepth;
  QTest::newRow("Button1") << "Button1" << snALOS << skCeosImage << odFloat32 << alosLeader
                           << alosCeos;
  QTest::newRow("Button6") << "Button6" << snALOS << skCeosImage << odUInt16 << alosLeader
                           << alosCeos;
  QTest::newRow("Button4") << "Button4" << snALOS2 << skCeosImage << odFloat32 << alos2Leader
                           << alos2Ceos;
  QTest::newRow("Button7") << "Button7" << snALOS2 << skCeosImage << odUInt16 << alos2Leader
                           << alos2Ceos;
  QTest::newRow("Button3") << "Button3" << snALOS << skRawInteger << odFloat32 << alosLeader
                           << alosRaw;
  QTest::newRow("Button8") << "Button8" << snALOS << skRawInteger << odUInt16 << alosLeader
                           << alosRaw;
  QTest::newRow("Button5") << "Button5" << snALOS2 << skRawInteger << odFloat32 << alos2Leader
                           << QString::fromUtf8("PALSAR-2  RAW(Integer)ファイルを開く");
  QTest::newRow("Button9") << "Button9" << snALOS2 << skRawInteger << odUInt16 << alos2Leader
                           << QString::fromUtf8("PALSAR-2 RAW(Integer)ファイルを開く");
}

// Each group's 16-bit buttons read their own minimum field, and the box is set to big-endian, so
// that a button reading the wrong field, the wrong order or the wrong sensor writes other bytes
// than the core does for the job the button stands for.
void TMainWindowConversionsTest::EachButtonBuildsItsJob() {
  QFETCH(QString, button);
  QFETCH(TSensor, sensor);
  QFETCH(TSourceKind, source);
  QFETCH(TOutputDepth, depth);
  QFETCH(QString, leaderTitle);
  QFETCH(QString, sourceTitle);
  const bool raw = source == TSourceKind::skRawInteger;
  const TScene scene =
      raw ? WriteRawScene(folder_->path(), kPixels, kLines, TByteOrder::boBigEndian, VariedDn)
          : WriteCeosScene(folder_->path(), kPixels, kLines, VariedDn);
  window_->Edit1->setText(QString::number(kPixels));
  window_->Edit2->setText(QString::number(kLines));
  window_->Edit3->setText("-45");
  window_->Edit4->setText("-35");
  window_->ComboBox1->setCurrentIndex(1);

  TPromptSeen seen[3];
  TBoxSeen completion;
  QVERIFY(ConvertThroughWindow(ButtonNamed(button), scene, seen, &completion));

  QCOMPARE(seen[0].Title, leaderTitle);
  QCOMPARE(seen[1].Title, sourceTitle);
  QCOMPARE(seen[2].Title, kOutputTitle);
  QCOMPARE(completion.Text, QString::fromUtf8(" 保存終了 "));
  QCOMPARE(completion.Icon, QMessageBox::NoIcon);
  QCOMPARE(completion.Buttons, QMessageBox::Ok);
  QCOMPARE(progressDuringCompletion_, kLines);
  QCOMPARE(progressMaximumDuringCompletion_, kLines);
  QCOMPARE(window_->ProgressBar1->value(), 0);

  TConversionJob expected;
  expected.Variant = {sensor, source, depth};
  expected.LeaderPath = ToPath(scene.Leader);
  expected.SourcePath = ToPath(scene.Source);
  expected.MinimumDb = raw ? -35 : -45;
  expected.ByteOrder = TByteOrder::boBigEndian;
  expected.RawGeometry = {kPixels, kLines, 0};
  QCOMPARE(FileBytes(scene.Output), ReferenceOutput(expected, folder_->path() + "/reference"));
  QCOMPARE(QString(FileBytes(scene.Output + ".hd1")), Hd1Text(kPixels, kLines, depth));
  QCOMPARE(window_->Label11->text(), sensor == TSensor::snALOS ? "-83" : "-80.5");
  QCOMPARE(window_->Label3->text(), raw ? QString(10, ' ') : QString::number(kPixels));
  QCOMPARE(window_->Label4->text(), raw ? QString(10, ' ') : QString::number(kLines));
  QVERIFY(ButtonNamed(button)->isEnabled());
}

// Nine equal DN of 1000 give a mean of 1e6, 60 dB, and with CF −83 exactly −23 dB everywhere.
void TMainWindowConversionsTest::CeosFloatSamplesAreTheBackscatter() {
  const TScene scene =
      WriteCeosScene(folder_->path(), kPixels, kLines, [](int, int) { return 1000; });
  QVERIFY(ConvertThroughWindow(window_->Button1, scene));
  const QByteArray output = FileBytes(scene.Output);
  QCOMPARE(output.size(), kPixels * kLines * 4);
  for (int i = 0; i < kPixels * kLines; ++i) {
    float sample;
    std::memcpy(&sample, output.constData() + 4 * i, 4);
    QCOMPARE(sample, -23.0f);
  }
  QCOMPARE(window_->Label3->text(), "7");
  QCOMPARE(window_->Label4->text(), "5");
}

void TMainWindowConversionsTest::CeosUInt16SamplesFollowTheBox_data() {
  QTest::addColumn<int>("item");
  QTest::addColumn<QByteArray>("sample");
  QTest::newRow("little endian at start") << -1 << QByteArray("\x68\x42");
  QTest::newRow("big endian picked") << 1 << QByteArray("\x42\x68");
  QTest::newRow("little endian picked") << 0 << QByteArray("\x68\x42");
}

// −23 dB above the default minimum of −40 is 17000 thousandths: 0x4268.
void TMainWindowConversionsTest::CeosUInt16SamplesFollowTheBox() {
  QFETCH(int, item);
  QFETCH(QByteArray, sample);
  if (item >= 0) {
    window_->ComboBox1->setCurrentIndex(item);
  }
  const TScene scene =
      WriteCeosScene(folder_->path(), kPixels, kLines, [](int, int) { return 1000; });
  QVERIFY(ConvertThroughWindow(window_->Button6, scene));
  QCOMPARE(FileBytes(scene.Output), sample.repeated(kPixels * kLines));
}

void TMainWindowConversionsTest::RawRunKeepsTheGeometryOfTheLastCeosRun() {
  const TScene ceos = WriteCeosScene(folder_->path(), kPixels, kLines, VariedDn);
  QVERIFY(ConvertThroughWindow(window_->Button1, ceos));
  const TScene raw = WriteRawScene(folder_->path(), 4, 3, TByteOrder::boLittleEndian, VariedDn);
  window_->Edit1->setText("4");
  window_->Edit2->setText("3");
  QVERIFY(ConvertThroughWindow(window_->Button5, raw));
  QCOMPARE(window_->Label3->text(), "7");
  QCOMPARE(window_->Label4->text(), "5");
  QCOMPARE(window_->Label11->text(), "-80.5");
  QCOMPARE(FileBytes(raw.Output).size(), 4 * 3 * 4);
}

void TMainWindowConversionsTest::CalibrationFactorIsShownShortest_data() {
  QTest::addColumn<QString>("cfText");
  QTest::addColumn<QString>("shown");
  QTest::newRow("whole") << "-83.0"
                         << "-83";
  QTest::newRow("quarter") << "-83.25"
                           << "-83.25";
  QTest::newRow("exponent form") << "-8.325E1"
                                 << "-83.25";
  QTest::newRow("leading blanks") << "   -79.5"
                                  << "-79.5";
  QTest::newRow("no number") << "n/a"
                             << "0";
}

void TMainWindowConversionsTest::CalibrationFactorIsShownShortest() {
  QFETCH(QString, cfText);
  QFETCH(QString, shown);
  const TScene scene = WriteCeosScene(folder_->path(), kPixels, kLines, VariedDn);
  WriteLeader(scene.Leader, cfText.toStdString(), kAlos2CfText);
  QVERIFY(ConvertThroughWindow(window_->Button1, scene));
  QCOMPARE(window_->Label11->text(), shown);
  QCOMPARE(window_->Label11->height(), 13);
  QCOMPARE(window_->Label11->width(), window_->Label11->sizeHint().width());
}

void TMainWindowConversionsTest::MinimumAcceptsSignsBlanksAndHex_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("minimum");
  QTest::newRow("leading blanks") << "   -40" << -40;
  QTest::newRow("plus sign") << "+5" << 5;
  QTest::newRow("dollar hex") << "$28" << 40;
  QTest::newRow("negative 0x hex") << "-0x32" << -50;
}

void TMainWindowConversionsTest::MinimumAcceptsSignsBlanksAndHex() {
  QFETCH(QString, text);
  QFETCH(int, minimum);
  const TScene scene = WriteCeosScene(folder_->path(), kPixels, kLines, VariedDn);
  // A CF that puts the scene's σ0 some dB above the minimum, so that the samples are not all
  // clamped to 0 or 65535 and a minimum off by one shows.
  WriteLeader(scene.Leader, std::to_string(minimum - 45), kAlos2CfText);
  window_->Edit3->setText(text);
  QVERIFY(ConvertThroughWindow(window_->Button6, scene));
  TConversionJob expected;
  expected.Variant = {TSensor::snALOS, TSourceKind::skCeosImage, TOutputDepth::odUInt16};
  expected.LeaderPath = ToPath(scene.Leader);
  expected.SourcePath = ToPath(scene.Source);
  expected.MinimumDb = minimum;
  const QByteArray reference = ReferenceOutput(expected, folder_->path() + "/reference");
  QCOMPARE(FileBytes(scene.Output), reference);
  expected.MinimumDb = minimum + 1;
  QVERIFY(ReferenceOutput(expected, folder_->path() + "/other") != reference);
}

void TMainWindowConversionsTest::ByteOrderComesFromTheExactBoxText_data() {
  QTest::addColumn<QString>("typed");  // empty: the item is picked from the list
  QTest::addColumn<int>("picked");
  QTest::addColumn<TByteOrder>("order");
  using enum TByteOrder;
  QTest::newRow("Big endian picked") << "" << 1 << boBigEndian;
  QTest::newRow("Little endian picked") << "" << 0 << boLittleEndian;
  QTest::newRow("Big endian typed exactly") << " Big endian" << -1 << boBigEndian;
  QTest::newRow("without the leading blank") << "Big endian" << -1 << boLittleEndian;
  QTest::newRow("lower-case b") << " big endian" << -1 << boLittleEndian;
  QTest::newRow("trailing blank") << " Big endian " << -1 << boLittleEndian;
  QTest::newRow("anything else") << "motorola" << -1 << boLittleEndian;
}

// A raw 16-bit conversion reads its source and writes its samples in the box's order.
void TMainWindowConversionsTest::ByteOrderComesFromTheExactBoxText() {
  QFETCH(QString, typed);
  QFETCH(int, picked);
  QFETCH(TByteOrder, order);
  if (picked >= 0) {
    window_->ComboBox1->setCurrentIndex(picked);
  } else {
    window_->ComboBox1->lineEdit()->clear();
    QTest::keyClicks(window_->ComboBox1->lineEdit(), typed);
  }
  const TScene scene =
      WriteRawScene(folder_->path(), kPixels, kLines, TByteOrder::boBigEndian, VariedDn);
  window_->Edit1->setText(QString::number(kPixels));
  window_->Edit2->setText(QString::number(kLines));
  QVERIFY(ConvertThroughWindow(window_->Button8, scene));
  TConversionJob expected;
  expected.Variant = {TSensor::snALOS, TSourceKind::skRawInteger, TOutputDepth::odUInt16};
  expected.LeaderPath = ToPath(scene.Leader);
  expected.SourcePath = ToPath(scene.Source);
  expected.RawGeometry = {kPixels, kLines, 0};
  expected.ByteOrder = order;
  QCOMPARE(FileBytes(scene.Output), ReferenceOutput(expected, folder_->path() + "/reference"));
  expected.ByteOrder =
      order == TByteOrder::boBigEndian ? TByteOrder::boLittleEndian : TByteOrder::boBigEndian;
  QVERIFY(FileBytes(scene.Output) != ReferenceOutput(expected, folder_->path() + "/other"));
}

void TMainWindowConversionsTest::PromptsStartFromThePathChosenLast() {
  const TScene first = WriteCeosScene(folder_->path(), kPixels, kLines, VariedDn);
  TPromptSeen seen[3];
  QVERIFY(ConvertThroughWindow(window_->Button1, first, seen));
  QCOMPARE(seen[1].StartPath, first.Leader);
  TScene second = first;
  second.Output = folder_->path() + "/second.img";
  QVERIFY(ConvertThroughWindow(window_->Button4, second, seen));
  QCOMPARE(seen[0].StartPath, first.Source);
  QCOMPARE(seen[2].StartPath, first.Output);
  QCOMPARE(window_->SaveDialog1.FileName(), second.Output);
}

void TMainWindowConversionsTest::SavePromptReplacesAnExistingFileWithoutAsking() {
  const TScene scene = WriteCeosScene(folder_->path(), kPixels, kLines, VariedDn);
  QFile existing(scene.Output);
  QVERIFY(existing.open(QIODevice::WriteOnly));
  existing.write(QByteArray(1000, 'x'));
  existing.close();
  QVERIFY(ConvertThroughWindow(window_->Button1, scene));  // a confirmation would be unexpected
  QCOMPARE(FileBytes(scene.Output).size(), kPixels * kLines * 4);
}

QTEST_MAIN(TMainWindowConversionsTest)
#include "tst_MainWindowConversions.moc"
