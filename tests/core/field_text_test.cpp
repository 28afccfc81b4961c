// The field texts behind the dialogs' field rules: what typing a field takes,
// how its text is bounded when it is left, the arrow keys and spin buttons.
#include <gtest/gtest.h>

#include "ui/field_text.h"

namespace orrelume {
namespace {

TEST(DialogFieldText, FiltersAndBounds) {
    EXPECT_TRUE(DigitFilter(U'7'));
    EXPECT_TRUE(DigitFilter(kBackspaceKey));
    EXPECT_FALSE(DigitFilter(U'a'));
    EXPECT_FALSE(DigitFilter(U'.'));
    EXPECT_FALSE(DigitFilter(U'-'));
    // A second decimal point is refused unless it replaces the first.
    EXPECT_TRUE(DecimalFilter("12", "", U'.'));
    EXPECT_FALSE(DecimalFilter("1.2", "", U'.'));
    EXPECT_TRUE(DecimalFilter("1.2", ".2", U'.'));
    EXPECT_FALSE(DecimalFilter("1.2", "", U'e'));

    // Empty reads 0 and is then bounded; beyond the top is the top; the
    // integer kinds round half to even; a number too big for its kind is
    // bounded, not lost.
    EXPECT_EQ(BoundTextField("", BoundKind::Int16, 10, 80), "10");
    EXPECT_EQ(BoundTextField("999", BoundKind::Int16, 10, 80), "80");
    EXPECT_EQ(BoundTextField("12.5", BoundKind::Single, 0, 99.9), "12.5");
    EXPECT_EQ(BoundTextField("99999999999", BoundKind::Int16, 0, 30000), "30000");
    EXPECT_EQ(BoundTextField("99999999999", BoundKind::Int32, 0, 999999), "999999");
    EXPECT_EQ(BoundTextField("1e400", BoundKind::Single, 0.1, 0.9999), "0.9999");
    EXPECT_EQ(BoundTextField("7", BoundKind::Int16, 9, 3), "9");  // crossed: the lower wins

    EXPECT_EQ(ArrowKeyValue("29995", 10, 1, 30000), 30000);
    EXPECT_EQ(ArrowKeyValue("", -1, 0, 999), 0);
    EXPECT_EQ(ArrowKeyValue("12", 1, 1, 99), 13);  // beyond the style's bound: arrows don't care
    // A value the field takes beyond the arrows' range stays where it is
    // (nebula steps, a rotation angle, a share); one below it only rises.
    EXPECT_EQ(SteppedValue(600, 1, 0, 100), 600);
    EXPECT_EQ(SteppedValue(180, -1, 1, 99), 180);
    EXPECT_EQ(SteppedValue(1234, 1, 0, 999), 1234);
    EXPECT_EQ(SteppedValue(0, -1, 1, 99), 0);
    EXPECT_EQ(SteppedValue(0, 1, 1, 99), 1);
    EXPECT_EQ(SteppedValue(98, 5, 0, 100), 100);
    EXPECT_EQ(SpinStep(100), 1);
    EXPECT_EQ(SpinStep(999), 10);
    EXPECT_EQ(SpinStep(998), 5);
    EXPECT_EQ(SpinStep(30000), 50);
    EXPECT_EQ(CaptionWithoutAccessKey("&Accept Settings"), "Accept Settings");
    EXPECT_EQ(CaptionWithoutAccessKey("Salt && Pepper"), "Salt & Pepper");
}

}  // namespace
}  // namespace orrelume
