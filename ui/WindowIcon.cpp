#include "WindowIcon.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

namespace sigma0 {
namespace {

constexpr int kIconSize = 48;

// The 16 colours of the classic desktop palette.
QList<QRgb> SixteenColours() {
  return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
          qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
          qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
          qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

}  // namespace

QIcon WindowIcon() {
  QImage picture(kIconSize, kIconSize, QImage::Format_RGB32);
  picture.fill(QColor(0, 0, 128));
  QPainter painter(&picture);
  painter.setPen(QColor(255, 255, 0));
  QFont font;
  font.setPixelSize(30);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(picture.rect(), Qt::AlignCenter, QString::fromUtf8("σ0"));
  painter.end();
  const QImage sixteenColours =
      picture.convertToFormat(QImage::Format_Indexed8, SixteenColours(), Qt::ThresholdDither);
  return QIcon(QPixmap::fromImage(sixteenColours));
}

}  // namespace sigma0
