// The window's two kinds of message box, and the error display that every handler ends in.
#pragma once

#include <exception>
#include <string>

class QString;

namespace sigma0 {

// A modal box with the text and one OK button, no icon, centred on the screen. Returns when the
// user has dismissed it.
void ShowMessage(const QString& text);

// The text of the error display: the message with a "." behind it, unless it is empty or its last
// character sorts at or before ".". A UTF-8 multi-byte character ends in a byte above 0x7F, which
// sorts after "." as the character itself does.
std::string ErrorDisplayText(std::string message);

// A modal box with an error icon, the message under the rule above and one OK button.
void ShowErrorDisplay(const std::string& message);

// Runs a handler's body and shows whatever it throws in the error display. Qt must not see an
// exception leave an event handler, so every handler's edge is one of these.
template <typename TBody>
void ShowErrorsOf(TBody&& body) {
  try {
    body();
  } catch (const std::exception& error) {
    ShowErrorDisplay(error.what());
  } catch (...) {
    ShowErrorDisplay("");
  }
}

}  // namespace sigma0
