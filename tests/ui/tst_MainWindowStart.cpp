// The window as it opens: caption, placement, every control's text, place and size, the byte-order
// box, the tab order.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include "Unit81.h"

using sigma0::TForm79;

class TMainWindowStartTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void CaptionAndPlacement();
  void ControlsAtStart_data();
  void ControlsAtStart();
  void LabelsAreThirteenHighAndFitTheirText();
  void ResultLabelsAndProgressStartEmpty();
  void ByteOrderBoxStartsWithTextButNoSelection();
  void TypingInTheByteOrderBoxAddsNoItem();
  void TabVisitsTheControlsInOrder();
  void NoButtonIsTheDefault();
  void ControlsStayPutWhenTheWindowIsResized();
  void IconIs48Pixels();

 private:
  std::unique_ptr<TForm79> window_;
};

void TMainWindowStartTest::init() {
  window_ = std::make_unique<TForm79>();
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TMainWindowStartTest::cleanup() {
  window_.reset();
}

void TMainWindowStartTest::CaptionAndPlacement() {
  QCOMPARE(window_->windowTitle(), QString::fromUtf8("σ0画像（16ビット，32ビット)作成　ver. 2.2"));
  QCOMPARE(window_->windowTitle().at(4), QChar(0xFF08));   // full-width opening bracket
  QCOMPARE(window_->windowTitle().at(10), QChar(0xFF0C));  // full-width comma
  QCOMPARE(window_->windowTitle().at(16), QChar(')'));
  QCOMPARE(window_->windowTitle().at(19), QChar(0x3000));  // ideographic space
  QCOMPARE(window_->size(), QSize(455, 410));
  QCOMPARE(window_->frameGeometry().topLeft(), QPoint(0, 0));
  QCOMPARE(window_->font().pixelSize(), 11);
  QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
  QVERIFY(window_->windowFlags() & Qt::WindowMaximizeButtonHint);
}

void TMainWindowStartTest::ControlsAtStart_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("parent");
  QTest::addColumn<QRect>("geometry");  // labels: width 0, checked apart
  QTest::addColumn<QString>("text");
  const QString window = "TForm79";
  auto row = [](const char* name, const QString& parent, QRect geometry, const char* text) {
    QTest::newRow(name) << QString(name) << parent << geometry << QString::fromUtf8(text);
  };
  row("Label7", window, {24, 8, 0, 13}, "2種類の変換元ファイルフォーマットに対応");
  row("Label12", window, {24, 32, 0, 13}, "16ビット画像のバイトオーダ :");
  row("ComboBox1", window, {183, 29, 99, 21}, " Little endian");
  row("GroupBox1", window, {24, 56, 194, 265}, "変換元：CEOS IMGﾌｧｲﾙ");
  row("Label1", "GroupBox1", {16, 24, 0, 13}, "Pixel :");
  row("Label3", "GroupBox1", {72, 24, 0, 13}, "          ");
  row("Label2", "GroupBox1", {16, 43, 0, 13}, "Line  :");
  row("Label4", "GroupBox1", {72, 43, 0, 13}, "          ");
  row("Label8", "GroupBox1", {16, 72, 0, 13}, "16ビット変換用 σ0 最低値（整数）:");
  row("Button1", "GroupBox1", {16, 132, 160, 25}, "32ビット変換(ALOS)");
  row("Button6", "GroupBox1", {16, 163, 160, 25}, "16ビット変換(ALOS)");
  row("Button4", "GroupBox1", {16, 194, 160, 25}, "32ビット変換(ALOS-2)");
  row("Button7", "GroupBox1", {16, 225, 160, 25}, "16ビット変換(ALOS-2)");
  row("Edit3", window, {151, 149, 49, 21}, "-40");
  row("GroupBox2", window, {243, 56, 194, 265}, "変換元：Unsigned int,RAW");
  row("Label5", "GroupBox2", {16, 24, 0, 13}, "Pixel :");
  row("Edit1", "GroupBox2", {61, 21, 49, 21}, "0");
  row("Label6", "GroupBox2", {16, 43, 0, 13}, "Line  :");
  row("Edit2", "GroupBox2", {61, 40, 49, 21}, "0");
  row("Label9", "GroupBox2", {16, 72, 0, 13}, "16ビット変換用 σ0 最低値（整数）:");
  row("Edit4", "GroupBox2", {125, 93, 49, 21}, "-40");
  row("Button3", "GroupBox2", {16, 132, 160, 25}, "32ビット変換(ALOS)");
  row("Button8", "GroupBox2", {16, 163, 160, 25}, "16ビット変換(ALOS)");
  row("Button5", "GroupBox2", {16, 194, 160, 25}, "32ビット変換(ALOS-2)");
  row("Button9", "GroupBox2", {16, 225, 160, 25}, "16ビット変換(ALOS-2)");
  row("Label10", window, {40, 327, 0, 13}, "CF :");
  row("Label11", window, {108, 327, 0, 13}, "                 ");
  row("Button2", window, {192, 343, 75, 25}, "終了");
  row("Button10", window, {362, 343, 75, 25}, "ヘルプ");
  row("ProgressBar1", window, {24, 382, 413, 16}, "");
}

namespace {

QString TextOf(const QWidget* control) {
  if (auto* label = qobject_cast<const QLabel*>(control)) {
    return label->text();
  }
  if (auto* button = qobject_cast<const QPushButton*>(control)) {
    return button->text();
  }
  if (auto* edit = qobject_cast<const QLineEdit*>(control)) {
    return edit->text();
  }
  if (auto* box = qobject_cast<const QComboBox*>(control)) {
    return box->currentText();
  }
  if (auto* group = qobject_cast<const QGroupBox*>(control)) {
    return group->title();
  }
  return {};
}

}  // namespace

void TMainWindowStartTest::ControlsAtStart() {
  QFETCH(QString, name);
  QFETCH(QString, parent);
  QFETCH(QRect, geometry);
  QFETCH(QString, text);
  const auto* control = window_->findChild<QWidget*>(name);
  QVERIFY(control);
  const QWidget* parentWidget = control->parentWidget();
  QCOMPARE(parentWidget == window_.get() ? QString("TForm79") : parentWidget->objectName(), parent);
  QCOMPARE(control->pos(), geometry.topLeft());
  if (!qobject_cast<const QLabel*>(control)) {
    QCOMPARE(control->size(), geometry.size());
  }
  QCOMPARE(TextOf(control), text);
  QVERIFY(control->isVisible());
}

void TMainWindowStartTest::LabelsAreThirteenHighAndFitTheirText() {
  for (const QLabel* label : window_->findChildren<QLabel*>()) {
    if (label->window() != window_.get()) {
      continue;  // the prompts' own labels
    }
    QCOMPARE(label->height(), 13);
    QCOMPARE(label->width(), label->sizeHint().width());
    QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
  }
}

void TMainWindowStartTest::ResultLabelsAndProgressStartEmpty() {
  QCOMPARE(window_->Label3->text(), QString(10, ' '));
  QCOMPARE(window_->Label4->text(), QString(10, ' '));
  QCOMPARE(window_->Label11->text(), QString(17, ' '));
  QCOMPARE(window_->ProgressBar1->value(), window_->ProgressBar1->minimum());
  QCOMPARE(window_->ProgressBar1->minimum(), 0);
  QVERIFY(!window_->ProgressBar1->isTextVisible());
}

void TMainWindowStartTest::ByteOrderBoxStartsWithTextButNoSelection() {
  QComboBox* box = window_->ComboBox1;
  QVERIFY(box->isEditable());
  QCOMPARE(box->count(), 2);
  QCOMPARE(box->itemText(0), " Little endian");
  QCOMPARE(box->itemText(1), " Big endian");
  QCOMPARE(box->currentIndex(), -1);
  QCOMPARE(box->currentText(), " Little endian");
}

// Enter in an editable Qt box would add the typed text as a third item, and its completer would
// turn " big endian" into " Big endian": neither may happen.
void TMainWindowStartTest::TypingInTheByteOrderBoxAddsNoItem() {
  QComboBox* box = window_->ComboBox1;
  box->lineEdit()->clear();
  QTest::keyClicks(box->lineEdit(), " big endian");
  QTest::keyClick(box->lineEdit(), Qt::Key_Return);
  QCOMPARE(box->currentText(), " big endian");
  QCOMPARE(box->count(), 2);
}

void TMainWindowStartTest::TabVisitsTheControlsInOrder() {
  QApplication::setActiveWindow(window_.get());
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  const QStringList expected = {"Button2", "Button1",  "Button4",   "Button6", "Button7", "Edit1",
                                "Edit2",   "Button3",  "Button5",   "Button8", "Button9", "Edit4",
                                "Edit3",   "Button10", "ComboBox1", "Button2"};
  window_->Button2->setFocus();
  QStringList visited = {QApplication::focusWidget()->objectName()};
  for (int i = 1; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    // The editable box takes focus through its line edit.
    visited << (focus->parentWidget() == window_->ComboBox1 ? QString("ComboBox1")
                                                            : focus->objectName());
  }
  QCOMPARE(visited, expected);
}

void TMainWindowStartTest::NoButtonIsTheDefault() {
  for (const QPushButton* button : window_->findChildren<QPushButton*>()) {
    if (button->window() != window_.get()) {
      continue;  // the prompts' own buttons
    }
    QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
    QVERIFY(!button->text().contains('&'));
  }
}

void TMainWindowStartTest::ControlsStayPutWhenTheWindowIsResized() {
  window_->resize(800, 600);
  QTest::qWait(20);
  QCOMPARE(window_->Button10->geometry(), QRect(362, 343, 75, 25));
  QCOMPARE(window_->ProgressBar1->geometry(), QRect(24, 382, 413, 16));
  QCOMPARE(window_->GroupBox2->geometry(), QRect(243, 56, 194, 265));
}

void TMainWindowStartTest::IconIs48Pixels() {
  const QIcon icon = window_->windowIcon();
  QVERIFY(!icon.isNull());
  QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(48, 48)});
  const QImage picture = icon.pixmap(48, 48).toImage();
  QSet<QRgb> colours;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      colours.insert(picture.pixel(x, y));
    }
  }
  QVERIFY(colours.size() > 1 && colours.size() <= 16);
}

QTEST_MAIN(TMainWindowStartTest)
#include "tst_MainWindowStart.moc"
