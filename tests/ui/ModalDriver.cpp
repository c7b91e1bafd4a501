#include "ModalDriver.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace sigma0::test {
namespace {

constexpr int kPollMilliseconds = 5;

QPushButton* PromptButton(QFileDialog& dialog, QDialogButtonBox::StandardButton which) {
  auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
  return buttons ? buttons->button(which) : nullptr;
}

QDialogButtonBox::StandardButton ConfirmButtonOf(const QFileDialog& dialog) {
  return dialog.acceptMode() == QFileDialog::AcceptOpen ? QDialogButtonBox::Open
                                                        : QDialogButtonBox::Save;
}

TPromptSeen Describe(QFileDialog& dialog) {
  return {dialog.windowTitle(), dialog.selectedFiles().value(0)};
}

QString Describe(QWidget* modal) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    return "message box \"" + box->text() + "\"";
  }
  return QString(modal->metaObject()->className()) + " \"" + modal->windowTitle() + "\"";
}

}  // namespace

TModalDriver::TModalDriver() {
  connect(&timer_, &QTimer::timeout, this, &TModalDriver::Poll);
  timer_.start(kPollMilliseconds);
}

TModalDriver& TModalDriver::AcceptPrompt(const QString& path, TPromptSeen* seen) {
  return Add(TExpects::kPrompt, nullptr, [this, path, seen](QWidget* modal) {
    auto& dialog = static_cast<QFileDialog&>(*modal);
    if (seen) {
      *seen = Describe(dialog);
    }
    // As a click in the dialog's list would: the name field alone loses against a file the list
    // still shows selected, such as the one the prompt started at.
    dialog.selectFile(path);
    // Then as typing it would: the confirm button follows the name field's text.
    if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit")) {
      name->setText(path);
    }
    QPushButton* confirm = PromptButton(dialog, ConfirmButtonOf(dialog));
    // The dialog enables its button once it has looked at the folder, as a user would wait for.
    if (!QTest::qWaitFor([confirm] { return confirm->isEnabled(); }, 5000)) {
      problems_ << "prompt \"" + dialog.windowTitle() + "\" does not take " + path;
      dialog.reject();
      return;
    }
    QTest::mouseClick(confirm, Qt::LeftButton);
  });
}

TModalDriver& TModalDriver::CancelPrompt(TPromptSeen* seen) {
  return Add(TExpects::kPrompt, nullptr, [seen](QWidget* modal) {
    auto& dialog = static_cast<QFileDialog&>(*modal);
    if (seen) {
      *seen = Describe(dialog);
    }
    QTest::mouseClick(PromptButton(dialog, QDialogButtonBox::Cancel), Qt::LeftButton);
  });
}

TModalDriver& TModalDriver::DismissBox(TBoxSeen* seen, std::function<void(QMessageBox&)> inspect) {
  return Add(TExpects::kBox, nullptr, [seen, inspect](QWidget* modal) {
    auto& box = static_cast<QMessageBox&>(*modal);
    if (seen) {
      *seen = {box.text(), box.icon(), box.standardButtons()};
    }
    if (inspect) {
      inspect(box);
    }
    QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
  });
}

TModalDriver& TModalDriver::When(std::function<bool()> condition, std::function<void()> action) {
  return Add(TExpects::kNoModal, std::move(condition),
             [action = std::move(action)](QWidget*) { action(); });
}

TModalDriver& TModalDriver::Add(TExpects expects, std::function<bool()> ready,
                                std::function<void(QWidget*)> act) {
  steps_.push_back({expects, std::move(ready), std::move(act)});
  return *this;
}

QStringList TModalDriver::Problems() const {
  QStringList problems = problems_;
  if (next_ < steps_.size()) {
    problems << QString("script stopped before step %1 of %2").arg(next_ + 1).arg(steps_.size());
  }
  return problems;
}

// The step's action runs from a timer of its own: it may open a nested event loop (a click that
// shows a box), and this poll timer must go on firing inside that loop to answer the box.
void TModalDriver::Poll() {
  if (actionRunning_) {
    return;
  }
  QWidget* modal = QApplication::activeModalWidget();
  if (next_ == steps_.size()) {
    if (modal) {
      CloseUnexpected(modal);
    }
    return;
  }
  const TStep& step = steps_[next_];
  const bool isPrompt = qobject_cast<QFileDialog*>(modal) != nullptr;
  const bool isBox = qobject_cast<QMessageBox*>(modal) != nullptr;
  const bool ready = (step.Expects == TExpects::kPrompt && isPrompt) ||
                     (step.Expects == TExpects::kBox && isBox) ||
                     (step.Expects == TExpects::kNoModal && !modal && step.Ready());
  if (!ready) {
    if (modal && step.Expects != TExpects::kNoModal) {
      CloseUnexpected(modal);
    }
    return;
  }
  ++next_;
  actionRunning_ = true;
  QPointer<QWidget> target = modal;
  // A free action may open a modal that later steps answer; an answer must be complete before the
  // next step looks, or the next step would answer the same box again.
  const bool nextStepsWait = step.Expects != TExpects::kNoModal;
  QTimer::singleShot(0, this, [this, act = step.Act, target, nextStepsWait] {
    actionRunning_ = nextStepsWait;
    act(target);
    actionRunning_ = false;
  });
}

void TModalDriver::CloseUnexpected(QWidget* modal) {
  problems_ << "unexpected " + Describe(modal);
  if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->reject();
  }
}

}  // namespace sigma0::test
