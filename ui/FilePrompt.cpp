#include "FilePrompt.h"

namespace sigma0 {

TFilePrompt::TFilePrompt(QWidget* parent, QFileDialog::AcceptMode mode) : QFileDialog(parent) {
  setOption(QFileDialog::DontUseNativeDialog);
  setOption(QFileDialog::DontConfirmOverwrite);
  setAcceptMode(mode);
  setFileMode(QFileDialog::AnyFile);
  setSizeGripEnabled(true);
}

std::optional<QString> TFilePrompt::Execute(const QString& title) {
  setWindowTitle(title);
  if (!fileName_.isEmpty()) {
    selectFile(fileName_);
  }
  if (exec() != QDialog::Accepted || selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  fileName_ = selectedFiles().constFirst();
  return fileName_;
}

}  // namespace sigma0
