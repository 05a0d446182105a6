// Numbers and dates as the window shows them, and typed texts read back as numbers.
#include "host/text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

namespace {

const double kInfinity = std::numeric_limits<double>::infinity();

TEST(TextOfInteger, PlainDecimalDigits) {
    const struct {
        int32_t value;
        const char* text;
    } cases[] = {
        {0, "0"}, {7, "7"}, {-1, "-1"}, {92000, "92000"},
        {2147483647, "2147483647"}, {-2147483647 - 1, "-2147483648"},
    };
    for (const auto& c : cases) EXPECT_EQ(toText(c.value), c.text) << c.value;
}

TEST(TextOfDouble, ThirteenSignificantDigitsInGeneralStyle) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {4, "4"},
        {5.0 + 1.0, "6"},
        {2.5, "2.5"},
        {0.1 + 0.2, "0.3"},
        {-1, "-1"},
        {0.5 - 1, "-0.5"},
        {1.0 / 3, "0.3333333333333"},
        {2.0 / 3, "0.6666666666667"},
        {200.0 / 3, "66.66666666667"},
        {-200.0 / 3, "-66.66666666667"},
        {100, "100"},
        {1200.5, "1200.5"},
        {123456.789, "123456.789"},
        {1e12, "1000000000000"},
        {1e13, "1e+013"},
        {1e15, "1e+015"},
        {-1e15, "-1e+015"},
        {1e100, "1e+100"},
        {1.5e300, "1.5e+300"},
        {DBL_MAX, "1.797693134862e+308"},
        {12345678901234.0, "1.234567890123e+013"},
        // Just below 1e13: plain while 13 digits hold it, scientific once rounding carries.
        {9999999999999.0, "9999999999999"},
        {9999999999999.4, "9999999999999"},
        {9999999999999.5, "1e+013"},
        {999999999999.99, "1000000000000"},
        // Exact tie at the 13th digit goes to the even neighbour.
        {1000000000000.5, "1000000000000"},
        {0.0001, "0.0001"},
        {0.00012345678901234, "0.0001234567890123"},
        {0.00001, "1e-005"},
        {-0.00001, "-1e-005"},
        {0.0000999999999999, "9.99999999999e-005"},
        {0.000099999999999995, "0.0001"},
        {1e-300, "1e-300"},
        {1e-320, "9.999888671827e-321"},
        {5e-324, "4.940656458412e-324"},
        {kInfinity, "1.#INF"},
        {-kInfinity, "-1.#INF"},
        {0.0, "0"},
        // Negative zero is not a negative value.
        {-0.0, "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(toText(c.value), c.text) << c.value;
}

TEST(TextOfDouble, NotANumber) {
    EXPECT_EQ(toText(std::nan("")), "-1.#IND");
}

TEST(TextOfDateTime, TrailingZeroFieldsLeftOut) {
    const struct {
        DateTime when;
        const char* text;
    } cases[] = {
        {{2011, 8, 8, 13, 2, 45}, "2011年8月8日13时2分45秒"},
        {{2024, 3, 1, 9, 30, 0}, "2024年3月1日9时30分"},
        {{2024, 3, 1, 10, 0, 0}, "2024年3月1日10时"},
        {{2024, 3, 1, 0, 0, 0}, "2024年3月1日"},
        {{2024, 3, 1, 0, 0, 7}, "2024年3月1日0时0分7秒"},
        {{2024, 12, 31, 0, 5, 0}, "2024年12月31日0时5分"},
        {{2024, 12, 31, 23, 0, 59}, "2024年12月31日23时0分59秒"},
    };
    for (const auto& c : cases) EXPECT_EQ(toText(c.when), c.text) << c.text;
}

struct NumberCase {
    std::string text;
    double value;
};

void expectNumbers(const NumberCase* begin, const NumberCase* end) {
    for (const NumberCase* c = begin; c != end; ++c) {
        double got = toNumber(c->text);
        std::string shown = '"' + c->text.substr(0, 40) + (c->text.size() > 40 ? "...\"" : "\"");
        EXPECT_EQ(got, c->value) << shown;
        EXPECT_EQ(std::signbit(got), std::signbit(c->value)) << shown;
    }
}

TEST(NumberOfText, LeadingDecimalNumber) {
    const NumberCase cases[] = {
        {"", 0},
        {"0", 0},
        {"42", 42},
        {"12abc", 12},
        {"3.5.1", 3.5},
        {"1,000", 1},
        {"1d3", 1000},
        {"1D-2", 0.01},
        {"2d+1", 20},
        {"1E2", 100},
        {"1.5e3.2", 1500},
        {"0x10", 0},
        {"e5", 0},
        {".e5", 0},
        {"-.5", -0.5},
        {".5", 0.5},
        {"5.", 5},
        {".", 0},
        {"+", 0},
        {"-", 0},
        {"+-5", 0},
        {"- 5", 0},
        {"+7", 7},
        {"-0", -0.0},
        {"00012", 12},
        {"0.000", 0},
        {"0.1", 0.1},
        {"123.456", 123.456},
        {"1e", 1},
        {"1e+", 1},
        {"1e-x", 1},
        {"1ee5", 1},
        {"inf", 0},
        {"nan", 0},
        {" \t\n\v\f\r42", 42},
        {"\xC2\xA0" "5", 0},
        {"1e400", kInfinity},
        {"-1e400", -kInfinity},
        {"1e-400", 0},
        {"1e99999999999999999999", kInfinity},
        {"1e-99999999999999999999", 0},
        {"0e99999999999", 0},
        {"1.797693134862e+308", 1.797693134862e+308},
        {"4.940656458412e-324", 5e-324},
        {"1.#INF", 1},
        {"-1.#INF", -1},
        {"1e+015", 1e15},
        {"1e-005", 1e-5},
        {"66.66666666667", 66.66666666667},
    };
    expectNumbers(std::begin(cases), std::end(cases));
}

TEST(NumberOfText, FullWidthCharactersFoldedFirst) {
    const NumberCase cases[] = {
        {"１２．５", 12.5},
        {"\u3000\u3000１２．５", 12.5},
        {"\u3000 \t１", 1},
        {"－３", -3},
        {"＋．５", 0.5},
        {"１ｅ３", 1000},
        {"１Ｅ－２", 0.01},
        {"１ｄ３", 1000},
        {"１Ｄ＋２", 100},
        {"1２3", 123},
        {"１，０００", 1},
        {"★5", 0},
        {"～5", 0},
        // The double-byte code page's own bytes are not UTF-8 and stay as they are.
        {"\xA3\xB1\xA3\xB2", 0},
        // Broken sequences stay as they are and end the number.
        {"\xEF\xBC", 0},
        {"\xEF\xBC\x91\xEF\xBC", 1},
        {"1\xE3\x80", 1},
        {"\xE3\x80" "5", 0},
    };
    expectNumbers(std::begin(cases), std::end(cases));
}

TEST(NumberOfText, AtMostTwentyFiveSignificantDigitsTaken) {
    const NumberCase cases[] = {
        // 25 digits end exactly halfway between two doubles; the 26th would tip it upwards.
        {"9007199254740993.0000000001", 9007199254740992.0},
        {"9007199254740993.000000001", 9007199254740994.0},
        {"1234567890123456789012345678", 1234567890123456789012345000.0},
        {"-00000.00001234567890123456789012345999", -1234567890123456789012345e-29},
    };
    expectNumbers(std::begin(cases), std::end(cases));
}

TEST(NumberOfText, TenThousandCharacterTexts) {
    const NumberCase cases[] = {
        {std::string(10000, '9'), kInfinity},
        {"0." + std::string(10000, '3'), 1.0 / 3},
        {"1" + std::string(9999, '0') + "e-9999", 1},
        {"0." + std::string(9998, '0') + "5e9998", 0.5},
        {"0." + std::string(9998, '0') + "1", 0},
        {std::string(10000, ' ') + "7", 7},
        {std::string(3333, '\xEF') + "8", 0},
    };
    expectNumbers(std::begin(cases), std::end(cases));
}

TEST(NumberOfText, ReadsBackWhatTextOfDoubleWrote) {
    const double values[] = {1e15,  -1e15,  1e-5, 0.0001, 4, 2.5, 0.3, 1e300,
                             1e-300, 1234567890123.0, -66.66666666667, 1.797693134862e+308};
    for (double v : values) EXPECT_EQ(toNumber(toText(v)), v) << toText(v);
}

TEST(NumberOfText, SpinnerStepOnAnOverflowingValue) {
    double typed = toNumber("1e400");
    EXPECT_EQ(typed, kInfinity);
    std::string stepped = toText(typed + 1);
    EXPECT_EQ(stepped, "1.#INF");
    EXPECT_EQ(toNumber(stepped), 1);
}

TEST(Truncate, TowardZeroKeepingTheLow32Bits) {
    const struct {
        double value;
        int32_t result;
    } cases[] = {
        {3.9, 3},
        {-3.9, -3},
        {0.0, 0},
        {-0.0, 0},
        {0.999, 0},
        {-0.999, 0},
        {2147483647.9, 2147483647},
        {2147483648.0, -2147483647 - 1},
        {-2147483648.5, -2147483647 - 1},
        {-2147483649.0, 2147483647},
        {4294967296.0, 0},
        {4294967297.5, 1},
        {-4294967297.5, -1},
        {9223372036854774784.0, -1024},
        {9223372036854775808.0, 0},
        {-9223372036854775808.0, 0},
        {-9223372036854777856.0, 0},
        {1e300, 0},
        {kInfinity, 0},
        {-kInfinity, 0},
        {std::nan(""), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(truncate(c.value), c.result) << c.value;
}

}  // namespace
