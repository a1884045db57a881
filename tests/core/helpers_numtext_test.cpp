#include "core/util/numtext.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(TextToNum, ReadsTypedNumbers)
{
    struct Case {
        const char *text;
        double want;
        const char *message;
    } cases[] = {
        {"1,234.5", 1234.5, ""},
        {"12-", 12, ""},
        {"-", 0, ""},
        {"+", 0, ""},
        {"", 0, ""},
        {"-12.5", -12.5, ""},
        {"+7", 7, ""},
        {" 1 2 ", 12, ""},
        {".5", 0.5, ""},
        {"1.2.3", 0, kInputErrorMessage},
        {"-1-", 0, kInputErrorMessage},
        {"3:30", 3.5, ""},
        {"12abc", 12, ""},
        {"12abc-3-4", 12, ""}, // the scan ends at the first other character
        {"abc", 0, ""},
        {".", 0, "「.」は正しい数値ではありません。"},
        {"1-2", 0, "「1-2」は正しい数値ではありません。"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        SilentPrompter p;
        EXPECT_DOUBLE_EQ(TextToNum(c.text, p), c.want);
        EXPECT_EQ(p.last(), c.message);
        EXPECT_LE(p.count(), 1);
    }
}

TEST(TextToJikan, ReadsHoursAndMinutes)
{
    struct Case {
        const char *text;
        double want;
        const char *message;
    } cases[] = {
        {"-0:30", -0.5, ""},
        {"-1:30", -1.5, ""}, // the sign applies to the minutes too
        {"1:", 1, ""},
        {":45", 0.75, ""},
        {" 10:20 ", 10 + 20.0 / 60, ""},
        {"7.5", 7.5, ""},
        {"1:2:3", 0, kInputErrorMessage},
        {"1.5:30", 0, "「1.5:30」は正しい数値ではありません。"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        SilentPrompter p;
        EXPECT_DOUBLE_EQ(TextToJikan(c.text, p), c.want);
        EXPECT_EQ(p.last(), c.message);
    }
}

TEST(TextToInt, ConvertsOrReportsAndGivesZero)
{
    struct Case {
        const char *text;
        std::int32_t want;
        bool error;
    } cases[] = {
        {"", 0, false},           {"  ", 0, false},          {"1,234", 1234, false},
        {"-12", -12, false},      {"2147483647", 2147483647, false},
        {"-2147483648", INT32_MIN, false},
        {"2147483648", 0, true}, {"12abc", 0, true},        {"1.5", 0, true},
        {"-", 0, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        SilentPrompter p, pz;
        EXPECT_EQ(TextToInt(c.text, p), c.want);
        EXPECT_EQ(TextToIntZ(c.text, pz), c.want);
        EXPECT_EQ(p.count(), c.error ? 1 : 0);
        EXPECT_EQ(pz.count(), c.error ? 1 : 0);
    }
    SilentPrompter p;
    TextToInt(" 12abc ", p);
    EXPECT_EQ(p.last(), "「12abc」は正しい数値ではありません。");
}

TEST(CheckNumText, NormalisesOrRefuses)
{
    struct Case {
        const char *text;
        int f;
        const char *want;
        const char *message;
    } cases[] = {
        {"12345678", 90, "", kNumberTooLargeMessage},
        {"-1234567", 90, "-1234567", ""}, // the sign does not count as a digit
        {"1,234,567", 90, "1234567", ""},
        {"0001234", 90, "1234", ""},
        {"", 90, "0", ""},
        {"1:75", 52, "", kMinutesOver59Message},
        {"1:59", 52, "1:59", ""},
        {"12.345", 52, "12.34", ""},
        {"123.4", 52, "", kNumberTooLargeMessage},
        {"-0.5", 52, "-0.5", ""}, // a negative fraction keeps its sign
        {"-0:30", 52, "-0:30", ""},
        {"-0", 52, "0", ""},
        {".5", 52, "0.5", ""},
        {"1.2:3", 52, "", kDuplicateSeparatorMessage},
        {"--1", 52, "", kDuplicateSeparatorMessage},
        {"1-", 52, "", kSignPositionMessage},
        {"123456", 70, "123456", ""},
        {"1234567", 70, "", kNumberTooLargeMessage},
        {"99", 20, "99", ""},
        {"100", 20, "", kNumberTooLargeMessage},
        {"12a", 90, "", "「12a」は正しい数値ではありません。"},
        {"1.2a", 52, "", "「1.2a」は正しい数値ではありません。"},
        {"1234567890", 90, "", kNumberTooLargeMessage}, // cut to nine characters first
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " f=" + std::to_string(c.f));
        SilentPrompter p;
        EXPECT_EQ(CheckNumText(c.text, c.f, p), c.want);
        EXPECT_EQ(p.last(), c.message);
    }
}

TEST(FmtJikan, BothStyles)
{
    struct Case {
        double hours;
        int style;
        const char *want;
    } cases[] = {
        {1.75, 1, "  1:45"},   {-0.25, 1, " -0:15"}, {-1.5, 1, " -1:30"},
        {0, 1, "  0:00"},      {10 + 20.0 / 60, 1, " 10:20"},
        {1.9999, 1, "  2:00"}, // never "1:60"
        {-0.9999, 1, " -1:00"},
        {1.75, 0, "  1.75"},   {-1.5, 0, " -1.50"}, {123.456, 0, "123.46"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.hours);
        EXPECT_EQ(FmtJikan(c.hours, c.style), c.want);
    }
}

TEST(FmtKingaku, GroupsThousandsRightAligned)
{
    EXPECT_EQ(FmtKingaku(10, 1234567), " 1,234,567");
    EXPECT_EQ(FmtKingaku(9, -1234), "   -1,234");
    EXPECT_EQ(FmtKingaku(7, 0), "      0");
    EXPECT_EQ(FmtKingaku(7, 999), "    999");
    EXPECT_EQ(FmtKingaku(7, 1000), "  1,000");
    EXPECT_EQ(FmtKingaku(7, -100000), "-100,000");   // wider than the field: not cut
    EXPECT_EQ(FmtKingaku(7, 2.5), "      3");        // half away from zero
    EXPECT_EQ(FmtKingaku(10, -2147483648.0), "-2,147,483,648");
}

TEST(IsJikanItem, ByName)
{
    EXPECT_TRUE(IsJikanItem("V普通残業"));
    EXPECT_TRUE(IsJikanItem("V遅刻早退時間"));
    EXPECT_FALSE(IsJikanItem("V出勤日数"));
}

} // namespace
} // namespace orv
