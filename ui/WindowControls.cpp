#include "WindowControls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sigma0 {
namespace {

constexpr int kLabelHeight = 13;
constexpr QSize kEditSize{49, 21};

}  // namespace

QFont WindowFont() {
  QFont font;
  font.setFamilies({"Tahoma", "Noto Sans CJK JP"});
  font.setPixelSize(11);
  return font;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint topLeft) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->move(topLeft);
  SetLabelText(label, text);
  return label;
}

void SetLabelText(QLabel* label, const QString& text) {
  label->setText(text);
  label->resize(label->sizeHint().width(), kLabelHeight);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  button->setDefault(false);
  button->setGeometry(geometry);
  return button;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, QPoint topLeft) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setGeometry(QRect(topLeft, kEditSize));
  return edit;
}

QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const QString& title, QRect geometry) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(name);
  box->setGeometry(geometry);
  return box;
}

}  // namespace sigma0
