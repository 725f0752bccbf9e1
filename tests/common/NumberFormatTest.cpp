#include "core/common/NumberFormat.h"

#include <gtest/gtest.h>
#include <limits>

using namespace zurval;

namespace {

class NumberFormat : public ::testing::Test {
protected:
    void SetUp() override { setDecimalSeparator(QChar(',')); }
};

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

TEST_F(NumberFormat, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(formatPattern(2.5, "#0"), q("3"));
    EXPECT_EQ(formatPattern(-2.5, "#0"), q("-3"));
    EXPECT_EQ(formatPattern(4.5, "#0"), q("5")); // not to even
    EXPECT_EQ(formatPattern(0.125, "#0.00"), q("0,13"));
    EXPECT_EQ(formatPattern(-0.125, "#0.00"), q("-0,13"));
    EXPECT_EQ(formatPattern(0.0625, "#0.000"), q("0,063"));
    EXPECT_EQ(formatPattern(0.25, "#0.0"), q("0,3"));
}

TEST_F(NumberFormat, RoundsTheExactBinaryValueNotItsShortDecimalName) {
    EXPECT_EQ(formatPattern(0.145f, "#0.00"), q("0,14"));   // 0.14499999…
    EXPECT_EQ(formatPattern(1.005, "#0.00"), q("1,00"));    // 1.00499999…
    EXPECT_EQ(formatPattern(2.675, "#0.00"), q("2,67"));    // 2.67499999…
    EXPECT_EQ(formatPattern(0.0005, "#0.000"), q("0,001")); // 0.000500000…01
    EXPECT_EQ(formatPattern(0.49999999999999994, "#0"), q("0"));
    EXPECT_EQ(formatPattern(0.2500001f, "#0.000"), q("0,250"));
}

TEST_F(NumberFormat, CarriesIntoNewIntegerDigits) {
    EXPECT_EQ(formatPattern(9.9951, "#0.00"), q("10,00"));
    EXPECT_EQ(formatPattern(-999.96, "#0.0"), q("-1000,0"));
    EXPECT_EQ(formatPattern(99.996, "0.##"), q("100"));
    EXPECT_EQ(formatPattern(0.96, "#0"), q("1"));
}

TEST_F(NumberFormat, ShowsLargeValuesInFullWithoutGrouping) {
    EXPECT_EQ(formatPattern(123456789.125, "#0.00"), q("123456789,13"));
    EXPECT_EQ(formatPattern(1e15, "#0.00"), q("1000000000000000,00"));
    EXPECT_EQ(formatPattern(-4294967295.5, "#0"), q("-4294967296"));
    EXPECT_EQ(formatPattern(1e20, "#0"), q("100000000000000000000"));
    const QString max = formatPattern(std::numeric_limits<double>::max(), "#0");
    EXPECT_EQ(max.size(), 309);
    EXPECT_TRUE(max.startsWith(q("17976931348623157")));
}

TEST_F(NumberFormat, NeverShowsANegativeZero) {
    EXPECT_EQ(formatPattern(-0.0, "#0.00"), q("0,00"));
    EXPECT_EQ(formatPattern(-0.004, "#0.00"), q("0,00"));
    EXPECT_EQ(formatPattern(-0.4, "#0"), q("0"));
    EXPECT_EQ(formatPattern(-0.004, "0.##"), q("0"));
    EXPECT_EQ(formatPattern(-std::numeric_limits<double>::denorm_min(), "#0.000"), q("0,000"));
    EXPECT_EQ(formatPattern(-0.005, "#0.00"), q("-0,01")); // 0.005000…01 rounds up
}

TEST_F(NumberFormat, FixedPatternsAlwaysShowTheirDecimals) {
    EXPECT_EQ(formatPattern(0, "#0.00"), q("0,00"));
    EXPECT_EQ(formatPattern(7, "#0.0"), q("7,0"));
    EXPECT_EQ(formatPattern(0.5, "#0.000"), q("0,500"));
    EXPECT_EQ(formatPattern(12, "#0"), q("12"));
}

TEST_F(NumberFormat, OptionalDecimalsDropTrailingZeros) {
    EXPECT_EQ(formatPattern(1.0, "0.0#"), q("1,0"));
    EXPECT_EQ(formatPattern(1.2, "0.0#"), q("1,2"));
    EXPECT_EQ(formatPattern(1.25, "0.0#"), q("1,25"));
    EXPECT_EQ(formatPattern(1.999, "0.0#"), q("2,0"));
    EXPECT_EQ(formatPattern(-0.05, "0.0#"), q("-0,05"));
    EXPECT_EQ(formatPattern(2, "0.##"), q("2"));
    EXPECT_EQ(formatPattern(2.5, "0.##"), q("2,5"));
    EXPECT_EQ(formatPattern(2.555, "0.##"), q("2,56")); // 2.55500…02
    EXPECT_EQ(formatPattern(0.001, "0.##"), q("0"));
}

TEST_F(NumberFormat, UsesTheChosenSeparator) {
    setDecimalSeparator(QChar('.'));
    EXPECT_EQ(formatPattern(1.5, "#0.00"), q("1.50"));
    EXPECT_EQ(formatGeneral(-1.5), q("-1.5"));
}

TEST_F(NumberFormat, NonFiniteValuesHaveFixedTexts) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(formatPattern(std::numeric_limits<double>::quiet_NaN(), "#0.00"), q("NAN"));
    EXPECT_EQ(formatPattern(-inf, "#0.00"), q("-INF"));
    EXPECT_EQ(formatGeneral(inf), q("INF"));
}

TEST_F(NumberFormat, GeneralIsTheShortestFormWithFifteenDigits) {
    EXPECT_EQ(formatGeneral(0), q("0"));
    EXPECT_EQ(formatGeneral(-0.0), q("0"));
    EXPECT_EQ(formatGeneral(100), q("100"));
    EXPECT_EQ(formatGeneral(0.1), q("0,1"));
    EXPECT_EQ(formatGeneral(0.1 + 0.2), q("0,3"));
    EXPECT_EQ(formatGeneral(-1234.5), q("-1234,5"));
    EXPECT_EQ(formatGeneral(1.0 / 3), q("0,333333333333333"));
    EXPECT_EQ(formatGeneral(-2.0 / 3), q("-0,666666666666667"));
    EXPECT_EQ(formatGeneral(0.9999999999999999), q("1"));
    EXPECT_EQ(formatGeneral(123456789012345.0), q("123456789012345"));
    EXPECT_EQ(formatGeneral(0.145f), q("0,144999995827675"));
    EXPECT_EQ(formatGeneral(0.00001), q("0,00001"));
}

TEST_F(NumberFormat, GeneralSwitchesToAnExponentOutsideFifteenDigits) {
    EXPECT_EQ(formatGeneral(1e15), q("1E+15"));
    EXPECT_EQ(formatGeneral(999999999999999.9), q("1E+15"));
    EXPECT_EQ(formatGeneral(1e20), q("1E+20"));
    EXPECT_EQ(formatGeneral(-1.5e20), q("-1,5E+20"));
    EXPECT_EQ(formatGeneral(1e-7), q("1E-7"));
    EXPECT_EQ(formatGeneral(1.5e-7), q("1,5E-7"));
    EXPECT_EQ(formatGeneral(std::numeric_limits<double>::denorm_min()), q("4,94065645841247E-324"));
}

TEST_F(NumberFormat, ScaledValuesAreComputedInDoubleFromTheRawInteger) {
    EXPECT_EQ(formatScaled(7, 0.01), q("0,07"));
    EXPECT_EQ(formatScaled(-15, 0.1), q("-1,5"));
    EXPECT_EQ(formatScaled(3, 0.1), q("0,3"));
    EXPECT_EQ(formatScaled(0, 0.1), q("0"));
    EXPECT_EQ(formatScaled(0, -0.1), q("0"));
    EXPECT_EQ(formatScaled(12345, 0.01), q("123,45"));
    EXPECT_EQ(formatScaled(-8388608, 0.001), q("-8388,608"));
}
