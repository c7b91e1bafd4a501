#include "MessageBoxes.h"

#include <QMessageBox>
#include <QString>

namespace sigma0 {
namespace {

// Without a parent the box is centred on the screen and blocks the whole application.
void ShowModalBox(QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QString(), text, QMessageBox::Ok);
  box.exec();
}

}  // namespace

void ShowMessage(const QString& text) {
  ShowModalBox(QMessageBox::NoIcon, text);
}

std::string ErrorDisplayText(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
    message += '.';
  }
  return message;
}

void ShowErrorDisplay(const std::string& message) {
  ShowModalBox(QMessageBox::Critical, QString::fromStdString(ErrorDisplayText(message)));
}

}  // namespace sigma0
