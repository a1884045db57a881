// The bonus rate table: band edges of every column against the published CSV, and the tax.
#include "core/calc/tax.h"
#include "core/tables/tableset.h"
#include "tests/core/tables_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orv
{
namespace
{

using namespace orv::testing;

struct BonusEdition {
    int year, dataYear;
};

class BonusRates : public ::testing::TestWithParam<BonusEdition>
{
protected:
    void SetUp() override
    {
        set = TableSet::load(binDir(), GetParam().year);
        ASSERT_NE(set.bonus(), nullptr) << set.info(TableKind::Syoyo).status.message();
    }
    TableSet set;
    CsvRows kou = readCsv(dataDir(GetParam().dataYear) / "syoyo_kou.csv");
    CsvRows otsu = readCsv(dataDir(GetParam().dataYear) / "syoyo_otsu.csv");
};

TEST_P(BonusRates, KouBandEdgesForEveryDependantCount)
{
    for (std::size_t r = 0; r < kou.size(); ++r) {
        const double want = per100k(kou.str(r, "rate_percent")) / 100000.0;
        for (int d = 0; d <= 7; ++d) {
            const std::string c = "kou" + std::to_string(d);
            SCOPED_TRACE("row " + std::to_string(r + 1) + " column " + c);
            if (!kou.empty(r, c + "_ijou")) {
                EXPECT_EQ(set.bonus()->rate(kou.num(r, c + "_ijou") * 1000, kKou, d), want);
            } else {
                EXPECT_EQ(set.bonus()->rate(-1000000, kKou, d), want); // open lower end
            }
            if (!kou.empty(r, c + "_miman")) {
                const std::int64_t m = kou.num(r, c + "_miman") * 1000;
                EXPECT_EQ(set.bonus()->rate(m - 1, kKou, d), want);
                // Nine dependants use the column for seven.
                if (d == 7) {
                    EXPECT_EQ(set.bonus()->rate(m - 1, kKou, 9), want);
                }
            } else {
                EXPECT_EQ(set.bonus()->rate(2000000000, kKou, d), want); // catch-all
            }
        }
    }
}

TEST_P(BonusRates, OtsuBandEdges)
{
    for (std::size_t r = 0; r < otsu.size(); ++r) {
        const double want = per100k(otsu.str(r, "rate_percent")) / 100000.0;
        SCOPED_TRACE("row " + std::to_string(r + 1));
        if (!otsu.empty(r, "ijou")) {
            EXPECT_EQ(set.bonus()->rate(otsu.num(r, "ijou") * 1000, kOtsu, 3), want);
        }
        if (!otsu.empty(r, "miman")) {
            EXPECT_EQ(set.bonus()->rate(otsu.num(r, "miman") * 1000 - 1, kOtsu, 0), want);
        } else {
            EXPECT_EQ(set.bonus()->rate(2000000000, kOtsu, 0), want);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, BonusRates,
                         ::testing::Values(BonusEdition{2025, 2020}, BonusEdition{2026, 2026},
                                           BonusEdition{2027, 2026}),
                         [](const auto &p) { return "Y" + std::to_string(p.param.year); });

TEST(BonusTax, RateTimesBonusWithFractionsDropped)
{
    const TableSet set = TableSet::load(binDir(), 2026);
    struct Case {
        std::int64_t p, b;
        int deps, kind;
        std::int64_t tax;
        double rate;
    } cases[] = {
        {90000, 468407, 0, kKou, 9564, 0.02042}, // 468,407 x 2.042 % = 9,564.87
        {81999, 468407, 0, kKou, 0, 0.0},
        {300000, 500000, 0, kKou, 30630, 0.06126},
        {300000, 500000, 9, kKou, 0, 0.0}, // seven dependants: below 317,000 is 0 %
        {223999, 100000, 0, kOtsu, 10210, 0.1021},
        {224000, 100000, 0, kOtsu, 20420, 0.2042},
        {5000000, 1000000, 0, kKou, 459450, 0.45945},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.p) + " / " + std::to_string(c.b));
        BonusTax t = SyoyoZei(set, c.p, c.b, c.deps, c.kind, 0);
        EXPECT_TRUE(t.rateApplied);
        EXPECT_EQ(t.tax, c.tax);
        EXPECT_EQ(t.rate, c.rate);
        EXPECT_EQ(t.ratePer100k, static_cast<std::int32_t>(std::lround(c.rate * 100000)));
    }
}

TEST(BonusTax, MonthlyTableMethodForTheTwoExceptions)
{
    const TableSet set = TableSet::load(binDir(), 2026);
    EXPECT_FALSE(bonusNeedsMonthlyTable(200000, 2000000)); // exactly ten times
    EXPECT_TRUE(bonusNeedsMonthlyTable(200000, 2000001));
    EXPECT_TRUE(bonusNeedsMonthlyTable(0, 1));
    // (tax(200,000 + 333,333) - tax(200,000)) x 6, from the published rows.
    const CsvRows rows = readCsv(dataDir(2026) / "kyuyo_getsugaku.csv");
    auto kou0 = [&](std::int64_t a) {
        for (std::size_t r = 0; r < rows.size(); ++r)
            if (rows.num(r, "ijou") <= a && a < rows.num(r, "miman"))
                return rows.num(r, "kou0");
        return std::int64_t{-1};
    };
    EXPECT_EQ(SyoyoZeiByMonthlyTable(set, 200000, 2000001, 0, kKou, 0, false),
              (kou0(533333) - kou0(200000)) * 6);
    EXPECT_EQ(SyoyoZeiByMonthlyTable(set, 200000, 2000001, 0, kKou, 0, true),
              (kou0(366666) - kou0(200000)) * 12);
    // No pay last month: one sixth of the bonus looked up alone.
    EXPECT_EQ(SyoyoZeiByMonthlyTable(set, 0, 1200000, 0, kKou, 0, false), kou0(200000) * 6);
}

TEST(BonusTax, NoTaxOnceTheFileIsGone)
{
    TempDir tmp("bonus_gone");
    std::filesystem::copy_file(binDir() / u8(kSyoyoZeiFile), tmp.path / u8(kSyoyoZeiFile));
    const TableSet set = TableSet::loadFolder(tmp.path);
    ASSERT_NE(set.bonus(), nullptr);
    EXPECT_EQ(SyoyoZei(set, 300000, 500000, 0, kKou, 0).tax, 30630);
    std::filesystem::remove(tmp.path / u8(kSyoyoZeiFile));
    const BonusTax t = SyoyoZei(set, 300000, 500000, 0, kKou, 0);
    EXPECT_EQ(t.tax, 0);
    EXPECT_FALSE(t.rateApplied);
}

TEST(BonusTableFile, LayoutAtTheDocumentedOffsets)
{
    const std::string b = readBytes(binDir() / "tables" / "2026" / u8(kSyoyoZeiFile));
    ASSERT_EQ(b.size(), 1856u);
    auto i32 = [&](std::size_t off) {
        std::int32_t v;
        std::memcpy(&v, b.data() + off, 4);
        return v;
    };
    double ritu2;
    std::memcpy(&ritu2, b.data() + 4 + 72, 8);
    EXPECT_EQ(i32(0), 21);
    EXPECT_EQ(ritu2, 0.02042);
    EXPECT_EQ(i32(4 + 72 + 8), 82000);          // row 2, 0 dependants: Ijou
    EXPECT_EQ(i32(4 + 72 + 12), 94000);         // Miman
    EXPECT_EQ(i32(4 + 72 + 8 + 8 * 7), 317000); // row 2, 7 dependants: Ijou
    EXPECT_EQ(i32(1732), 5);
    EXPECT_EQ(i32(1736 + 8), 224000); // 乙欄 row 1 Miman
}

} // namespace
} // namespace orv
