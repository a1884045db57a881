#include "core/util/dates.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(PayDate, RollsOverAndNeverPassesTheMonthEnd)
{
    struct Case {
        int era, year, kikan, sikyubi, kbn;
        EraYear wantEra;
        int wantMonth, wantDay;
    } cases[] = {
        // December paid in January: 平成31 is followed by 令和2.
        {kEraHeisei, 31, 12, 31, 1, {kEraReiwa, 2}, 1, 31},
        {kEraHeisei, 30, 12, 25, 1, {kEraHeisei, 31}, 1, 25},
        {kEraReiwa, 7, 12, 10, 1, {kEraReiwa, 8}, 1, 10},
        // February: 29 in a leap year (令和6 = 2024), 28 otherwise, for any day past the end.
        {kEraReiwa, 6, 1, 31, 1, {kEraReiwa, 6}, 2, 29},
        {kEraReiwa, 8, 1, 31, 1, {kEraReiwa, 8}, 2, 28},
        {kEraReiwa, 8, 2, 30, 0, {kEraReiwa, 8}, 2, 28},
        {kEraReiwa, 8, 2, 29, 0, {kEraReiwa, 8}, 2, 28},
        {kEraHeisei, 12, 2, 31, 0, {kEraHeisei, 12}, 2, 29}, // 2000: divisible by 400
        {kEraReiwa, 82, 2, 31, 0, {kEraReiwa, 82}, 2, 28},   // 2100: not a leap year
        // 30-day months.
        {kEraReiwa, 8, 4, 31, 0, {kEraReiwa, 8}, 4, 30},
        {kEraReiwa, 8, 8, 31, 1, {kEraReiwa, 8}, 9, 30},
        {kEraReiwa, 8, 11, 31, 0, {kEraReiwa, 8}, 11, 30},
        {kEraReiwa, 8, 7, 31, 0, {kEraReiwa, 8}, 7, 31},
        // Day 0 counts as 1.
        {kEraReiwa, 8, 3, 0, 0, {kEraReiwa, 8}, 3, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.era << "/" << c.year << " period " << c.kikan
                                        << " day " << c.sikyubi << " kbn " << c.kbn);
        PayDateResult r = PayDate(c.era, c.year, c.kikan, c.sikyubi, c.kbn);
        EXPECT_EQ((EraYear{r.eraCode, r.eraYear}), c.wantEra);
        EXPECT_EQ(r.month, c.wantMonth);
        EXPECT_EQ(r.day, c.wantDay);
        EXPECT_TRUE(isValidDate({r.gregorianYear, r.month, r.day}));
    }
    PayDateResult r = PayDate(kEraHeisei, 31, 12, 31, 1);
    EXPECT_EQ(r.gregorianYear, 2020);
    EXPECT_EQ(r.nenText(), " 2");
    EXPECT_EQ(r.tukiText(), " 1");
    EXPECT_EQ(r.hiText(), "31");
}

TEST(YearFileName, NamesFollowTheEraOfTheYear)
{
    EXPECT_EQ(yearFileNameForYear(2018), "平成30年給与･賞与.dat");
    EXPECT_EQ(yearFileNameForYear(2019), "平成31年給与･賞与.dat");
    EXPECT_EQ(yearFileNameForYear(2020), "令和02年給与･賞与.dat");
    EXPECT_EQ(yearFileNameForYear(2026), "令和08年給与･賞与.dat");

    // Gengo changes in May 2019, the file name only with 2020.
    struct Case {
        Date today;
        const char *gengo, *nen, *file;
    } cases[] = {
        {{2019, 4, 30}, "平成", "31", "平成31年給与･賞与.dat"},
        {{2019, 5, 1}, "令和", "01", "平成31年給与･賞与.dat"},
        {{2019, 12, 31}, "令和", "01", "平成31年給与･賞与.dat"},
        {{2020, 1, 1}, "令和", "02", "令和02年給与･賞与.dat"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.today.year << "-" << c.today.month << "-"
                                        << c.today.day);
        CurrentEra e = currentEra(c.today);
        EXPECT_EQ(e.Gengo, c.gengo);
        EXPECT_EQ(e.GengoNen, c.nen);
        EXPECT_EQ(yearFileNameForYear(c.today.year), c.file);
    }
}

TEST(YearFileName, ParsesItsOwnNamesBack)
{
    for (int y : {1989, 2005, 2019, 2020, 2026, 2099}) {
        SCOPED_TRACE(y);
        auto id = parseYearFileName("/data/Data2/" + yearFileNameForYear(y));
        ASSERT_TRUE(id.has_value());
        EXPECT_EQ(id->gregorianYear, y);
        EXPECT_EQ(yearFileName(id->eraCode, id->eraYear), yearFileNameForYear(y));
    }
    auto id = parseYearFileName("令和08年給与･賞与.dat");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->eraName, "令和");
    EXPECT_EQ(id->eraCode, kEraReiwa);
    EXPECT_EQ(id->eraYear, 8);

    auto unknown = parseYearFileName("天平12年給与･賞与.dat");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->eraCode, 0);
    EXPECT_EQ(unknown->gregorianYear, 0);

    for (const char *bad : {"令和08年給与・賞与.dat", // full-width middle dot: not ours
                            "令和年給与･賞与.dat", "令和0x年給与･賞与.dat", "年給与･賞与.dat",
                            "令和08年給与･賞与.dat.bak", "notes.txt"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parseYearFileName(bad).has_value());
    }
}

TEST(Era, OfDatesAndYears)
{
    EXPECT_EQ(eraOfDate({1989, 1, 7}), (EraYear{kEraShowa, 64}));
    EXPECT_EQ(eraOfDate({1989, 1, 8}), (EraYear{kEraHeisei, 1}));
    EXPECT_EQ(eraOfDate({2019, 4, 30}), (EraYear{kEraHeisei, 31}));
    EXPECT_EQ(eraOfDate({2019, 5, 1}), (EraYear{kEraReiwa, 1}));
    EXPECT_EQ(SeirekiNen(kEraHeisei, 31), 2019);
    EXPECT_EQ(SeirekiNen(kEraReiwa, 8), 2026);
    EXPECT_EQ(SeirekiNen(kEraShowa, 64), 1989);
    EXPECT_EQ(SeirekiNen(9, 123), 123);
}

TEST(Nenrei, CountsWholeYears)
{
    struct Case {
        Date ref, birth;
        int want;
    } cases[] = {
        {{2026, 4, 1}, {1986, 4, 1}, 40},
        {{2026, 3, 31}, {1986, 4, 1}, 39},
        // 29 February birthdays fall on 1 March in common years.
        {{2025, 2, 28}, {2000, 2, 29}, 24},
        {{2025, 3, 1}, {2000, 2, 29}, 25},
        {{2024, 2, 28}, {2000, 2, 29}, 23},
        {{2024, 2, 29}, {2000, 2, 29}, 24},
        {{2026, 1, 1}, {2026, 1, 1}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.ref.year << "-" << c.ref.month << "-" << c.ref.day);
        EXPECT_EQ(Nenrei(c.ref, c.birth), c.want);
    }
    // The care-insurance check counts from the day before the birthday.
    EXPECT_EQ(addDays({1986, 3, 1}, -1), (Date{1986, 2, 28}));
    EXPECT_EQ(addDays({1988, 3, 1}, -1), (Date{1988, 2, 29}));
    EXPECT_EQ(addDays({2025, 12, 31}, 1), (Date{2026, 1, 1}));
}

TEST(KeisanStop, OnlyOldHeiseiFilesAfter2012)
{
    EXPECT_TRUE(KeisanStop(2026, kEraHeisei, 16));
    EXPECT_TRUE(KeisanStop(2013, kEraHeisei, 24));
    EXPECT_FALSE(KeisanStop(2012, kEraHeisei, 24));
    EXPECT_FALSE(KeisanStop(2026, kEraHeisei, 15));
    EXPECT_FALSE(KeisanStop(2026, kEraHeisei, 25));
    EXPECT_FALSE(KeisanStop(2026, kEraReiwa, 20));
}

} // namespace
} // namespace orv
