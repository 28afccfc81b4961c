// The field rules every dialog uses, applied to widgets: typing filtered
// (a refused key beeps), the whole text selected on entering a field, the
// value bounded on leaving it, arrow keys that step the value, and spin
// buttons bound to their fields. The rules themselves are text functions
// (ui/field_text.h); this module only wires them to the widgets.
#pragma once

#include <QLineEdit>
#include <QObject>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>

#include "ui/field_text.h"

class QToolButton;

namespace orrelume {

// What a field does on leaving (bounds) and with the arrow keys.
struct FieldBounds {
    BoundKind kind = BoundKind::Int16;
    double lower = 0;
    double upper = 0;
};
struct ArrowKeys {
    int32_t step = 0;
    int32_t lower = 0;
    int32_t upper = 0;
};

// The rules of one text field, owned by the field. Bounds and arrow keys may
// change while the dialog runs (rows whose range follows a galaxy style).
class FieldRules : public QObject {
    Q_OBJECT
  public:
    FieldRules(QLineEdit& field, Typing typing);

    void SetBounds(std::optional<FieldBounds> bounds) { bounds_ = bounds; }
    void SetArrowKeys(std::optional<ArrowKeys> arrows) { arrows_ = arrows; }
    // Characters swallowed silently (no beep), as in a name field.
    void SetSwallowed(QString characters) { swallowed_ = std::move(characters); }
    const std::optional<FieldBounds>& Bounds() const { return bounds_; }
    const std::optional<ArrowKeys>& Arrows() const { return arrows_; }

    // Bounds the field's text now, as leaving it does.
    void BoundNow();

    // The rules of a field, or null when it has none.
    static FieldRules* Of(const QLineEdit& field);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool KeyPress(class QKeyEvent& key);

    QLineEdit& field_;
    Typing typing_;
    std::optional<FieldBounds> bounds_;
    std::optional<ArrowKeys> arrows_;
    QString swallowed_;
};

// Applies the rules to a field: its typing, select-all on entry, bounds on
// leaving and arrow keys (either may be absent).
FieldRules& ApplyFieldRules(QLineEdit& field, Typing typing,
                            std::optional<FieldBounds> bounds = std::nullopt,
                            std::optional<ArrowKeys> arrows = std::nullopt);

// A spin button: two small arrow buttons beside a field. Up increases the
// field's value by the step, down decreases it, as SteppedValue does within
// the button's range.
class SpinButton : public QWidget {
    Q_OBJECT
  public:
    explicit SpinButton(QWidget* parent = nullptr);

    void SetRange(int32_t minimum, int32_t maximum);
    void SetSingleStep(int32_t step) { step_ = step; }
    // Moves the button without telling anyone (a field moved it).
    void SetValueQuietly(int32_t value);
    int32_t Value() const { return value_; }
    int32_t Minimum() const { return minimum_; }
    int32_t Maximum() const { return maximum_; }
    int32_t SingleStep() const { return step_; }
    // Presses the up (+1) or down (-1) arrow once.
    void Step(int direction);
    // Makes the two arrows as tall as one field together.
    void FitHeight(int height);
    // Screen readers name the two arrows after the field's name.
    void SetFieldName(const QString& name);
    // The field the button is bound to: its Up and Down keys press the
    // arrows when the field has no arrow keys of its own, so the keyboard
    // reaches every field the mouse can step.
    void SetKeyboardField(QLineEdit& field);

  signals:
    // The user moved the button.
    void valueChanged(int value);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QToolButton* up_;
    QToolButton* down_;
    QLineEdit* keyboardField_ = nullptr;
    int32_t minimum_ = 0, maximum_ = 100, step_ = 1, value_ = 0;
};

// Binds a field to its spin button: the field's value is bounded to
// [minimum, maximum] now, its text is at most `maxLength` characters long,
// and the button's range is the same with the step SpinStep gives. Moving the
// button writes its value into the field; changing the field's text moves
// the button to the field's number.
void BindSpinField(QLineEdit& field, SpinButton& spin, int32_t minimum, int32_t maximum,
                   int maxLength);

// Names a control for screen readers: the caption of its label without the
// access-key "&", followed by the control's own word where one label serves
// two controls ("Radius", "Rotation").
void NameForReaders(QWidget& control, const QString& caption, const QString& word = {});

}  // namespace orrelume
