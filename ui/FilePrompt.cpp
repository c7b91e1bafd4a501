#include "FilePrompt.h"

namespace sigma0 {

std::optional<QString> TFilePrompt::Execute(const QString& title) {
  QFileDialog dialog(parent_, title);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setAcceptMode(mode_);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setSizeGripEnabled(true);
  if (!fileName_.isEmpty()) {
    dialog.selectFile(fileName_);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  fileName_ = dialog.selectedFiles().constFirst();
  return fileName_;
}

}  // namespace sigma0
