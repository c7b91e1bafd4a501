// Plays the user's part in the modal prompts and boxes that a click opens: the real Qt dialogs are
// found with QApplication::activeModalWidget() from a timer and answered through their controls.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

namespace sigma0::test {

// What a test wants to know of a file prompt it answered.
struct TPromptSeen {
  QString Title;
  QString StartPath;  // the path the prompt offered before it was answered
};

// What a test wants to know of a message box it dismissed.
struct TBoxSeen {
  QString Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons Buttons;
};

class TModalDriver : public QObject {
 public:
  TModalDriver();

  // Answers the next file prompt by typing path into its name field and confirming.
  TModalDriver& AcceptPrompt(const QString& path, TPromptSeen* seen = nullptr);
  TModalDriver& CancelPrompt(TPromptSeen* seen = nullptr);
  // Dismisses the next message box with OK; inspect runs while the box is still open.
  TModalDriver& DismissBox(TBoxSeen* seen = nullptr,
                           std::function<void(QMessageBox&)> inspect = nullptr);
  // Performs action, outside any modal, once condition holds (for instance: a run has started).
  TModalDriver& When(std::function<bool()> condition, std::function<void()> action);

  bool Finished() const { return next_ == steps_.size() && !actionRunning_; }
  // Everything that went differently from the script: unexpected modals, steps never reached.
  QStringList Problems() const;

 private:
  enum class TExpects { kPrompt, kBox, kNoModal };
  struct TStep {
    TExpects Expects;
    std::function<bool()> Ready;
    std::function<void(QWidget*)> Act;
  };

  TModalDriver& Add(TExpects expects, std::function<bool()> ready,
                    std::function<void(QWidget*)> act);
  void Poll();
  void CloseUnexpected(QWidget* modal);

  QTimer timer_;
  std::vector<TStep> steps_;
  std::size_t next_ = 0;
  bool actionRunning_ = false;
  QStringList problems_;
};

}  // namespace sigma0::test
