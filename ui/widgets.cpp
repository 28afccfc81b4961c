#include "ui/widgets.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/field_rules.h"

namespace orrelume {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Indexed(const UiText& prefix, int index) {
    return QStringLiteral("%1_%2").arg(prefix.text).arg(index);
}

QPushButton* MakeButton(QWidget* parent, const UiText& caption, const UiText& objectName) {
    auto* b = new QPushButton(caption.text, parent);
    b->setObjectName(objectName.text);
    b->setAutoDefault(false);
    NameForReaders(*b, b->text());
    return b;
}

QGroupBox* MakeFrame(QWidget* parent, const UiText& caption, const UiText& objectName) {
    auto* frame = new QGroupBox(caption.text, parent);
    frame->setObjectName(objectName.text);
    return frame;
}

QLabel* MakeLabel(QWidget* parent, const UiText& caption, const UiText& objectName) {
    auto* label = new QLabel(caption.text, parent);
    label->setObjectName(objectName.text);
    return label;
}

void SizeForDigits(QLineEdit& field, int digits) {
    const QFontMetrics metrics(field.font());
    field.setFixedWidth(metrics.horizontalAdvance(QString(digits, QLatin1Char('0'))) +
                        metrics.height());
}

QSize LinesSize(const QWidget& widget, int wide, int high) {
    const int h = widget.fontMetrics().height();
    return QSize(h * wide, h * high);
}

}  // namespace orrelume
