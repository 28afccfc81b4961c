#include "ui/field_rules.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orrelume {

namespace {

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

// Shortcuts that edit through the clipboard or undo: they pass, since the
// value is bounded when the field is left whatever they brought in.
bool IsEditingShortcut(const QKeyEvent& key) {
    return key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Cut) ||
           key.matches(QKeySequence::Paste) || key.matches(QKeySequence::SelectAll) ||
           key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo);
}

}  // namespace

FieldRules::FieldRules(QLineEdit& field, Typing typing)
    : QObject(&field), field_(field), typing_(typing) {
    setObjectName(QStringLiteral("fieldRules"));
    field.installEventFilter(this);
    // What is pasted or dropped passes no key filter: the characters a field
    // swallows are taken out of it as it arrives.
    connect(&field, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (swallowed_.isEmpty()) return;
        QString kept = text;
        for (const QChar c : swallowed_)
            kept.remove(c);
        if (kept == text) return;
        const int cursor = field_.cursorPosition() - static_cast<int>(text.size() - kept.size());
        field_.setText(kept);
        field_.setCursorPosition(std::max(0, cursor));
    });
}

FieldRules* FieldRules::Of(const QLineEdit& field) {
    return field.findChild<FieldRules*>(QStringLiteral("fieldRules"), Qt::FindDirectChildrenOnly);
}

void FieldRules::BoundNow() {
    if (!bounds_) return;
    const QString bounded = FromStd(
        BoundTextField(field_.text().toStdString(), bounds_->kind, bounds_->lower, bounds_->upper));
    if (bounded != field_.text()) field_.setText(bounded);
}

bool FieldRules::KeyPress(QKeyEvent& key) {
    if (arrows_ && (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down)) {
        const int32_t step = key.key() == Qt::Key_Up ? arrows_->step : -arrows_->step;
        const std::string text = field_.text().toStdString();
        const int32_t value = ArrowKeyValue(text, step, arrows_->lower, arrows_->upper);
        if (value != FieldInteger(text) || text.empty()) field_.setText(QString::number(value));
        field_.selectAll();
        return true;
    }
    const QString text = key.text();
    if (text.isEmpty() || IsEditingShortcut(key)) return false;
    const char32_t ch = text.toUcs4().value(0);
    if (!swallowed_.isEmpty() && swallowed_.contains(QString::fromUcs4(&ch, 1))) return true;
    if (ch < 0x20 && ch != kBackspaceKey) return false;  // Enter, Escape, Tab: the dialog's
    bool passes = true;
    switch (typing_) {
        case Typing::Digits:
            passes = DigitFilter(ch);
            break;
        case Typing::Decimal:
            passes =
                DecimalFilter(field_.text().toStdString(), field_.selectedText().toStdString(), ch);
            break;
        case Typing::Free:
            break;
    }
    if (passes) return false;
    QApplication::beep();
    return true;
}

bool FieldRules::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &field_) return false;
    switch (event->type()) {
        case QEvent::KeyPress:
            return KeyPress(*static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn:
            // After the click that brought the focus has placed the cursor.
            if (!field_.isReadOnly()) {
                QTimer::singleShot(0, &field_, [f = &field_] {
                    if (f->hasFocus()) f->selectAll();
                });
            }
            return false;
        case QEvent::FocusOut:
            BoundNow();
            return false;
        default:
            return false;
    }
}

FieldRules& ApplyFieldRules(QLineEdit& field, Typing typing, std::optional<FieldBounds> bounds,
                            std::optional<ArrowKeys> arrows) {
    FieldRules* rules = FieldRules::Of(field);
    if (rules == nullptr) rules = new FieldRules(field, typing);
    rules->SetBounds(bounds);
    rules->SetArrowKeys(arrows);
    return *rules;
}

SpinButton::SpinButton(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);  // the field's arrow keys do the same
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        b->setFixedWidth(b->fontMetrics().height());
        column->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

void SpinButton::SetRange(int32_t minimum, int32_t maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
}

void SpinButton::SetValueQuietly(int32_t value) {
    value_ = value;
}

void SpinButton::Step(int direction) {
    const int32_t next = SteppedValue(value_, direction < 0 ? -step_ : step_, minimum_, maximum_);
    if (next == value_) return;
    value_ = next;
    emit valueChanged(value_);
}

void SpinButton::FitHeight(int height) {
    for (QToolButton* b : {up_, down_}) {
        b->setMinimumHeight(1);
        b->setFixedWidth(std::max(8, height * 2 / 3));
    }
    setFixedHeight(height);
}

void SpinButton::SetFieldName(const QString& name) {
    up_->setAccessibleName(name + QStringLiteral(" up"));
    down_->setAccessibleName(name + QStringLiteral(" down"));
}

void SpinButton::SetKeyboardField(QLineEdit& field) {
    if (keyboardField_ == &field) return;
    if (keyboardField_ != nullptr) keyboardField_->removeEventFilter(this);
    keyboardField_ = &field;
    field.installEventFilter(this);
    connect(&field, &QObject::destroyed, this, [this, f = &field] {
        if (keyboardField_ == f) keyboardField_ = nullptr;
    });
}

bool SpinButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched != keyboardField_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down) return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    const FieldRules* rules = FieldRules::Of(*keyboardField_);
    if (rules != nullptr && rules->Arrows()) return false;  // the field's own step
    if (keyboardField_->isReadOnly() || !isEnabled()) return true;
    Step(key->key() == Qt::Key_Up ? 1 : -1);
    keyboardField_->selectAll();
    return true;
}

void BindSpinField(QLineEdit& field, SpinButton& spin, int32_t minimum, int32_t maximum,
                   int maxLength) {
    const int32_t value = std::clamp(FieldInteger(field.text().toStdString()), minimum, maximum);
    field.setMaxLength(maxLength);
    field.setText(QString::number(value));
    spin.SetRange(minimum, maximum);
    spin.SetSingleStep(SpinStep(maximum));
    // The two arrows share the height of one field, so that a row with a
    // spin button is as tall as a row without.
    spin.FitHeight(field.sizeHint().height());
    spin.SetValueQuietly(value);
    if (!field.accessibleName().isEmpty()) spin.SetFieldName(field.accessibleName());
    if (spin.property("boundField").toBool()) return;  // connected once
    spin.setProperty("boundField", true);
    spin.SetKeyboardField(field);
    QObject::connect(&spin, &SpinButton::valueChanged, &field,
                     [f = &field](int v) { f->setText(QString::number(v)); });
    QObject::connect(&field, &QLineEdit::textChanged, &spin, [s = &spin](const QString& text) {
        s->SetValueQuietly(FieldInteger(text.toStdString()));
    });
}

void NameForReaders(QWidget& control, const QString& caption, const QString& word) {
    QString name = FromStd(CaptionWithoutAccessKey(caption.toStdString()));
    if (!word.isEmpty()) name += QLatin1Char(' ') + word;
    control.setAccessibleName(name);
}

}  // namespace orrelume
