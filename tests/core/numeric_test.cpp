#include "settings/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orrelume {
namespace {

TEST(Numeric, RoundingIsHalfToEvenAndOutOfRangeFails) {
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_FALSE(CInt(32767.5));
    EXPECT_FALSE(CInt(-32768.6));
    EXPECT_FALSE(CInt(std::nan("")));
    EXPECT_FALSE(CLng(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(CLng(100.5), 100);
    EXPECT_EQ(IntFloor(-0.5), -1);
    EXPECT_FALSE(IntFloor(3e9));
}

TEST(Numeric, ValReadsTheNumberATextBeginsWith) {
    EXPECT_EQ(Val(" 2097"), 2097);
    EXPECT_EQ(Val(":2097"), 0);
    EXPECT_EQ(Val("12abc"), 12);
    EXPECT_EQ(Val("-1.5e2x"), -150);
    EXPECT_EQ(Val("1e"), 1);
    EXPECT_EQ(Val(""), 0);
    EXPECT_TRUE(std::isinf(Val("1e400")));
}

TEST(Numeric, NumericTestAcceptsOnlyWholeDecimalNumbers) {
    EXPECT_EQ(ParseNumeric(" 12 "), 12);
    EXPECT_EQ(ParseNumeric("-0"), 0);
    EXPECT_EQ(ParseNumeric("1.5E-1"), 0.15);
    EXPECT_FALSE(ParseNumeric(""));
    EXPECT_FALSE(ParseNumeric("NaN"));
    EXPECT_FALSE(ParseNumeric("0x10"));
    EXPECT_FALSE(ParseNumeric("12,5"));
    EXPECT_FALSE(ParseNumeric("."));
    ASSERT_TRUE(ParseNumeric("1e400"));
    EXPECT_TRUE(std::isinf(*ParseNumeric("1e400")));
}

TEST(Numeric, TextForms) {
    EXPECT_EQ(SingleToText(0.9975f), "0.9975");
    EXPECT_EQ(SingleToText(1.15f), "1.15");
    EXPECT_EQ(SingleToText(2.0f), "2");
    EXPECT_EQ(FormatZeroPadded(7, 2), "07");
    EXPECT_EQ(FormatZeroPadded(123456, 5), "123456");
    EXPECT_EQ(FormatRightAligned("40", 5), "   40");
    EXPECT_EQ(FormatThousands(2147483648LL), "2,147,483,648");
    EXPECT_EQ(FormatThousands(0), "");
    EXPECT_EQ(Trim("  a b  "), "a b");
}

}  // namespace
}  // namespace orrelume
