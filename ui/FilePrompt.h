// A file prompt that remembers the path chosen last, as the window's prompts need.
#pragma once

#include <QFileDialog>
#include <QString>
#include <optional>

namespace sigma0 {

// Qt's own dialog rather than the desktop's, so that the prompts behave the same everywhere (and
// under the offscreen platform). No filter, no default extension; an open prompt accepts a name
// that does not exist, a save prompt replaces an existing file without asking.
//
// The dialog exists only while it is shown: a Qt file dialog keeps watching its folder for
// changes, and a run writes its output there, so a dialog kept between prompts would work
// throughout the run.
class TFilePrompt {
 public:
  TFilePrompt(QWidget* parent, QFileDialog::AcceptMode mode) : parent_(parent), mode_(mode) {}

  // Runs the dialog modally with the title, starting at the path chosen last. Yields the full
  // chosen path, or nothing when the user cancels.
  std::optional<QString> Execute(const QString& title);

  // The path chosen last; empty before the first confirmed prompt.
  const QString& FileName() const { return fileName_; }

 private:
  QWidget* parent_;
  QFileDialog::AcceptMode mode_;
  QString fileName_;
};

}  // namespace sigma0
