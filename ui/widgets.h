// The one place that makes the plain parts of every window: text from the
// program's UTF-8 strings, indexed control names ("txtUni_0"), buttons,
// frames and labels with their object names, and fields as wide as a given
// number of digits.
#pragma once

#include <QSize>
#include <QString>

#include <string>
#include <string_view>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace orrelume {

QString Q(std::string_view text);

// A caption or an object name as the code has it at hand: a literal, a
// standard string (UTF-8) or a QString.
struct UiText {
    UiText(const char* text) : text(QString::fromUtf8(text)) {}
    UiText(std::string_view text) : text(Q(text)) {}
    UiText(const std::string& text) : text(QString::fromStdString(text)) {}
    UiText(const QString& text) : text(text) {}
    QString text;
};

// "prefix_index", the name of one control of an indexed set.
QString Indexed(const UiText& prefix, int index);

// A button named `objectName`, and by its caption (without "&") for
// readers. Enter in a field never presses it; a window that wants Return to
// press one makes it the default button.
QPushButton* MakeButton(QWidget* parent, const UiText& caption, const UiText& objectName);
QGroupBox* MakeFrame(QWidget* parent, const UiText& caption, const UiText& objectName);
QLabel* MakeLabel(QWidget* parent, const UiText& caption, const UiText& objectName);

// Room for `digits` digits and the field's frame, at the field's font.
void SizeForDigits(QLineEdit& field, int digits);
// A size of `wide` by `high` text lines at the widget's font, so that a
// box grows with the font and the screen's scaling.
QSize LinesSize(const QWidget& widget, int wide, int high);

}  // namespace orrelume
