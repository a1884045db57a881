#include "core/records/validate.h"

#include "core/util/numtext.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(ValidateTest, MyNumber)
{
    EXPECT_EQ(myNumberCheckDigit("12345678901"), 8); // the published sample 123456789018
    EXPECT_EQ(myNumberCheckDigit("00000000001"), 9);
    EXPECT_EQ(myNumberCheckDigit("00000000000"), 0);
    struct Case {
        const char *text;
        std::optional<std::int64_t> value;
    } cases[] = {
        {"", 0},
        {"123456789018", 123456789018LL},
        {"000000000019", 19},          // leading zeros kept as a digit string
        {"123456789011", std::nullopt}, // wrong check digit
        {"12345678901", std::nullopt},  // 11 digits
        {"1234567890111", std::nullopt},
        {"-23456789018", std::nullopt},
        {"12345 789018", std::nullopt},
        {"１２３４５６７８９０１１", std::nullopt}, // full-width digits
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseMyNo(c.text), c.value);
    }
    EXPECT_EQ(formatMyNo(19), "000000000019");
    EXPECT_EQ(formatMyNo(0), "");
}

TEST(ValidateTest, CorporateNumber)
{
    // 7000012050002 is a published corporate number.
    EXPECT_EQ(corporateNumberCheckDigit("000012050002"), 7);
    struct Case {
        const char *text;
        std::optional<std::int64_t> value;
    } cases[] = {
        {"", 0},
        {"7000012050002", 7000012050002LL},
        {"8000012050002", std::nullopt},
        {"000012050002", std::nullopt}, // 12 digits
        {"+700001205000", std::nullopt},
        {"70000120500021", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseHouNo(c.text), c.value);
    }
    EXPECT_EQ(formatHouNo(1000012050002LL), "1000012050002");
    EXPECT_EQ(formatHouNo(12050002), "0000012050002");
}

TEST(ValidateTest, MasterIntegers)
{
    struct Case {
        const char *text;
        bool allowNegative;
        std::int32_t value;
        const char *error; // nullptr: accepted
    } cases[] = {
        {"", false, 0, nullptr},
        {" 1,234 ", false, 1234, nullptr},
        {"2147483647", false, 2147483647, nullptr},
        {"-2147483648", true, -2147483647 - 1, nullptr},
        {"-5", true, -5, nullptr},
        {"-5", false, 0, kNegativeValueMessage},
        {"2147483648", false, 0, kNumberTooLargeMessage},
        {"99999999999999999999", true, 0, kNumberTooLargeMessage},
        {"12a", false, 0, "「12a」は正しい数値ではありません。"},
        {"1-2", true, 0, "「1-2」は正しい数値ではありません。"},
        {"-", true, 0, "「-」は正しい数値ではありません。"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        auto r = parseMasterInt(c.text, c.allowNegative);
        if (c.error) {
            ASSERT_FALSE(r);
            EXPECT_EQ(r.message(), c.error);
        } else {
            ASSERT_TRUE(r) << r.message();
            EXPECT_EQ(*r, c.value);
        }
    }
}

} // namespace
} // namespace orv
