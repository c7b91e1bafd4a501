// The window's controls placed at fixed pixel positions: users find every control where they
// have always found it, whatever the size of the window.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace sigma0 {

// Tahoma at 11 pixels, with a Japanese face for the characters Tahoma lacks.
QFont WindowFont();

// A label as wide as its text and 13 pixels high, its top left corner at topLeft.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint topLeft);

// Changes a label's text and fits its width to the new text.
void SetLabelText(QLabel* label, const QString& text);

// A plain push button: never the default button, so Enter in a field starts no conversion.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry);

// A one-line field of 49 × 21 pixels.
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, QPoint topLeft);

QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const QString& title, QRect geometry);

}  // namespace sigma0
