// The dialogs' field rules on a real field: what typing a field takes, how
// its text is bounded when it is left, the arrow keys and spin buttons. The
// texts alone are tested in tests/core/field_text_test.cpp.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "app/host_test_app.h"
#include "ui/field_rules.h"
#include "ui/field_text.h"

namespace orrelume {
namespace {

// The rules on a real field: a refused key inserts nothing, leaving bounds,
// arrows step, a spin button and its field follow each other.
TEST(DialogFieldRules, OnAField) {
    test::HostTestApp();
    QWidget window;
    auto* field = new QLineEdit(&window);
    auto* other = new QLineEdit(&window);
    auto* spin = new SpinButton(&window);
    ApplyFieldRules(*field, Typing::Digits, FieldBounds{BoundKind::Int16, 1, 99},
                    ArrowKeys{1, 1, 99});
    BindSpinField(*field, *spin, 1, 99, 2);
    window.show();
    field->setFocus();
    QApplication::processEvents();
    QTest::keyClicks(field, "4x");
    EXPECT_EQ(field->text(), "14");  // bound at 1 on binding, then "4"; "x" refused
    EXPECT_EQ(spin->Value(), 14);
    QTest::keyClick(field, Qt::Key_Up);
    EXPECT_EQ(field->text(), "15");
    spin->Step(-1);
    EXPECT_EQ(field->text(), "14");
    // A spin button whose range is narrower than its field's steps from the
    // field's value, and leaves one above its range alone.
    spin->SetRange(1, 20);
    field->setText("15");
    spin->Step(1);
    EXPECT_EQ(field->text(), "16");
    field->setText("60");
    spin->Step(1);
    spin->Step(-1);
    EXPECT_EQ(field->text(), "60");

    // A field with spin buttons but no arrow keys of its own: Up and Down
    // press its spin buttons.
    auto* hue = new QLineEdit(&window);
    auto* hueSpin = new SpinButton(&window);
    ApplyFieldRules(*hue, Typing::Digits, FieldBounds{BoundKind::Int16, 0, 100});
    BindSpinField(*hue, *hueSpin, 0, 100, 3);
    hue->setText("40");
    QTest::keyClick(hue, Qt::Key_Up);
    QTest::keyClick(hue, Qt::Key_Up);
    QTest::keyClick(hue, Qt::Key_Down);
    EXPECT_EQ(hue->text(), "41");
    field->setText("0");
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(field->text(), "1");
}

}  // namespace
}  // namespace orrelume
