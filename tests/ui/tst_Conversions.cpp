// The window's number conversions and the error display's text rule, as tables.
#include <QTest>

#include "Conversions.h"
#include "MessageBoxes.h"

using sigma0::EConvertError;
using sigma0::ErrorDisplayText;
using sigma0::FloatToStr;
using sigma0::StrToInt;

class TConversionsTest : public QObject {
  Q_OBJECT

 private slots:
  void StrToIntAccepts_data();
  void StrToIntAccepts();
  void StrToIntRefuses_data();
  void StrToIntRefuses();
  void FloatToStrFormats_data();
  void FloatToStrFormats();
  void FloatToStrUsesTheSeparator();
  void ErrorDisplayAppendsAFullStop_data();
  void ErrorDisplayAppendsAFullStop();
};

void TConversionsTest::StrToIntAccepts_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("value");
  QTest::newRow("default minimum") << "-40" << -40;
  QTest::newRow("zero") << "0" << 0;
  QTest::newRow("leading blanks") << "   -40" << -40;
  QTest::newRow("plus sign") << "+40" << 40;
  QTest::newRow("blanks then plus") << "  +7" << 7;
  QTest::newRow("leading zeros") << "-0000040" << -40;
  QTest::newRow("dollar hex") << "$28" << 40;
  QTest::newRow("x hex") << "x28" << 40;
  QTest::newRow("X hex upper digits") << "XFF" << 255;
  QTest::newRow("0x hex") << "0x1a" << 26;
  QTest::newRow("0X hex") << "0X1A" << 26;
  QTest::newRow("negative hex") << "-$28" << -40;
  QTest::newRow("hex bit pattern") << "$FFFFFFD8" << -40;
  QTest::newRow("hex eight digits top bit") << "$80000000" << INT32_MIN;
  QTest::newRow("largest") << "2147483647" << INT32_MAX;
  QTest::newRow("smallest") << "-2147483648" << INT32_MIN;
}

void TConversionsTest::StrToIntAccepts() {
  QFETCH(QString, text);
  QFETCH(int, value);
  QCOMPARE(StrToInt(text.toStdString()), value);
}

void TConversionsTest::StrToIntRefuses_data() {
  QTest::addColumn<QString>("text");
  QTest::newRow("empty") << "";
  QTest::newRow("only blanks") << "   ";
  QTest::newRow("decimal fraction") << "-40.5";
  QTest::newRow("trailing blank") << "-40 ";
  QTest::newRow("leading tab") << "\t-40";
  QTest::newRow("blank after sign") << "- 40";
  QTest::newRow("two signs") << "+-40";
  QTest::newRow("sign alone") << "-";
  QTest::newRow("prefix alone") << "$";
  QTest::newRow("0x alone") << "0x";
  QTest::newRow("hex digit in decimal") << "4a";
  QTest::newRow("nine hex digits") << "$000000028";
  QTest::newRow("not a hex digit") << "$2G";
  QTest::newRow("above the range") << "2147483648";
  QTest::newRow("below the range") << "-2147483649";
  QTest::newRow("far above the range") << "99999999999999999999";
  QTest::newRow("full-width digits") << "４０";
  QTest::newRow("exponent") << "1e3";
}

void TConversionsTest::StrToIntRefuses() {
  QFETCH(QString, text);
  const std::string utf8 = text.toStdString();
  try {
    StrToInt(utf8);
    QFAIL("no error");
  } catch (const EConvertError& error) {
    QCOMPARE(QString::fromStdString(error.what()), "'" + text + "' は整数ではありません");
  }
}

void TConversionsTest::FloatToStrFormats_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<QString>("text");
  QTest::newRow("whole CF") << -83.0 << "-83";
  QTest::newRow("quarter CF") << -83.25 << "-83.25";
  QTest::newRow("zero") << 0.0 << "0";
  QTest::newRow("negative zero") << -0.0 << "0";
  QTest::newRow("tenth") << 0.1 << "0.1";
  QTest::newRow("fifteen digits kept") << 123456789.012345 << "123456789.012345";
  QTest::newRow("sixteenth digit rounded") << 1.0000000000000002 << "1";
  QTest::newRow("rounded up to a carry") << 0.99999999999999994 << "1";
  QTest::newRow("rounded at the fifteenth") << 2.0 / 3.0 << "0.666666666666667";
  QTest::newRow("smallest fixed") << 1e-5 << "0.00001";
  QTest::newRow("below 1e-5") << 9.5e-6 << "9.5E-6";
  QTest::newRow("negative small") << -1.25e-7 << "-1.25E-7";
  QTest::newRow("largest fixed") << 999999999999999.0 << "999999999999999";
  QTest::newRow("1e15") << 1e15 << "1E15";
  QTest::newRow("large with fraction") << 1.5e20 << "1.5E20";
  QTest::newRow("rounds into 1e15") << 999999999999999.9 << "1E15";
  QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "INF";
  QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << "-INF";
  QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "NAN";
}

void TConversionsTest::FloatToStrFormats() {
  QFETCH(double, value);
  QFETCH(QString, text);
  QCOMPARE(QString::fromStdString(FloatToStr(value)), text);
}

void TConversionsTest::FloatToStrUsesTheSeparator() {
  QCOMPARE(QString::fromStdString(FloatToStr(-83.25, ",")), "-83,25");
  QCOMPARE(QString::fromStdString(FloatToStr(-83.0, ",")), "-83");
  QCOMPARE(QString::fromStdString(FloatToStr(1.5e-7, ",")), "1,5E-7");
}

void TConversionsTest::ErrorDisplayAppendsAFullStop_data() {
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("shown");
  QTest::newRow("Japanese message") << "'x' は整数ではありません"
                                    << "'x' は整数ではありません.";
  QTest::newRow("letter") << "failed"
                          << "failed.";
  QTest::newRow("digit") << "line 3"
                         << "line 3.";
  QTest::newRow("already a full stop") << "done."
                                       << "done.";
  QTest::newRow("empty") << ""
                         << "";
  QTest::newRow("ends in a blank") << "done "
                                   << "done ";
  QTest::newRow("ends in a comma") << "a,"
                                   << "a,";
  QTest::newRow("ends in a hyphen") << "a-"
                                    << "a-";
  QTest::newRow("ends in a slash") << "a/"
                                   << "a/.";
  QTest::newRow("ends in a quote") << "'a'"
                                   << "'a'";
  QTest::newRow("ends in a colon") << "a:"
                                   << "a:.";
}

void TConversionsTest::ErrorDisplayAppendsAFullStop() {
  QFETCH(QString, message);
  QFETCH(QString, shown);
  QCOMPARE(QString::fromStdString(ErrorDisplayText(message.toStdString())), shown);
}

QTEST_APPLESS_MAIN(TConversionsTest)
#include "tst_Conversions.moc"
