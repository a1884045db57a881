// The monthly withholding table: the generated files against the published table's CSV.
#include "core/calc/tax.h"
#include "core/tables/tableset.h"
#include "tests/core/tables_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orv
{
namespace
{

using namespace orv::testing;

// The published table recomputed straight from its CSV files, with nothing of the program.
struct PublishedMonthly {
    CsvRows rows, top;
    explicit PublishedMonthly(int dataYear)
        : rows(readCsv(dataDir(dataYear) / "kyuyo_getsugaku.csv")),
          top(readCsv(dataDir(dataYear) / "kyuyo_top.csv"))
    {
    }
    std::int64_t zeroBelow() const { return rows.num(0, "miman"); }

    std::int64_t tax(std::int64_t a, bool otsu, int d) const
    {
        const int c = std::clamp(d, 0, 7);
        std::int64_t t = 0;
        const std::string col = otsu ? "otsu" : "kou";
        std::optional<std::size_t> bracket;
        for (std::size_t r = 0; r < top.size(); ++r)
            if (top.str(r, "column") == col && top.num(r, "ijou") <= a)
                bracket = r;
        if (a < zeroBelow()) {
            t = otsu && a > 0 ? a * 3063 / 100000 : 0;
        } else if (bracket) {
            std::size_t r = *bracket;
            t = top.num(r, otsu ? "base0" : "base" + std::to_string(c)) +
                (a - top.num(r, "ijou")) * per100k(top.str(r, "rate_percent")) / 100000;
        } else {
            for (std::size_t r = 0; r < rows.size(); ++r)
                if (rows.num(r, "ijou") <= a && a < rows.num(r, "miman"))
                    t = rows.num(r, otsu ? "otsu" : "kou" + std::to_string(c));
        }
        if (!otsu && d > 7)
            t -= (d - 7) * 1610;
        if (otsu && d > 0)
            t -= d * 1610;
        return std::max<std::int64_t>(t, 0);
    }
};

struct Edition {
    int year;     // the yearly file's year
    int dataYear; // the CSV folder of the table in force
};

class MonthlyTable : public ::testing::TestWithParam<Edition>
{
protected:
    void SetUp() override
    {
        set = TableSet::load(binDir(), GetParam().year);
        ASSERT_NE(set.salary(), nullptr) << set.info(TableKind::Kyuyo).status.message();
        ASSERT_TRUE(set.salary()->hasBrackets());
    }
    TableSet set;
    PublishedMonthly pub{GetParam().dataYear};
};

TEST_P(MonthlyTable, EveryRowEveryColumnAtItsBoundsAndInside)
{
    for (std::size_t r = 1; r < pub.rows.size(); ++r) {
        const std::int64_t lo = pub.rows.num(r, "ijou"), hi = pub.rows.num(r, "miman");
        for (std::int64_t a : {lo, (lo + hi) / 2, hi - 1}) {
            SCOPED_TRACE("amount " + std::to_string(a));
            for (int d = 0; d <= 7; ++d)
                ASSERT_EQ(KyuyoZei(set, a, kKou, d, 0), pub.rows.num(r, "kou" + std::to_string(d)));
            ASSERT_EQ(KyuyoZei(set, a, kOtsu, 0, 0), pub.rows.num(r, "otsu"));
        }
    }
}

TEST_P(MonthlyTable, MatchesThePublishedRulesAcrossTheWholeRange)
{
    // Below the table, every row, every top bracket, dependants beyond seven and 乙欄 dependants.
    std::vector<std::int64_t> amounts = {-50000, -1, 0, 1, pub.zeroBelow() - 1, pub.zeroBelow()};
    for (std::size_t r = 0; r < pub.top.size(); ++r) {
        const std::int64_t f = pub.top.num(r, "ijou");
        for (std::int64_t a : {f - 1, f, f + 1, f + 21119, f + 99999})
            amounts.push_back(a);
    }
    for (std::int64_t a = 0; a < 5000000; a += 4999)
        amounts.push_back(a);
    for (std::int64_t a : amounts) {
        SCOPED_TRACE("amount " + std::to_string(a));
        for (int d : {-3, 0, 1, 5, 7, 8, 9, 12, 40}) {
            SCOPED_TRACE("dependants " + std::to_string(d));
            ASSERT_EQ(KyuyoZei(set, a, kKou, d, 0), pub.tax(a, false, d));
            ASSERT_EQ(KyuyoZei(set, a, kOtsu, d, 0), pub.tax(a, true, d));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, MonthlyTable,
                         ::testing::Values(Edition{2025, 2020}, Edition{2026, 2026},
                                           Edition{2027, 2027}),
                         [](const auto &p) { return "Y" + std::to_string(p.param.year); });

TEST(MonthlyTableFigures, PublishedFigures)
{
    const TableSet r08 = TableSet::load(binDir(), 2026);
    const TableSet r07 = TableSet::load(binDir(), 2025);
    const TableSet r09 = TableSet::load(binDir(), 2027);
    struct Case {
        const TableSet *set;
        std::int64_t a;
        int kind, deps;
        std::int64_t want;
    } cases[] = {
        {&r08, 104999, kKou, 0, 0},
        {&r08, 104999, kOtsu, 0, 3216}, // 104,999 x 3.063 %
        {&r08, 105000, kKou, 0, 170},
        {&r08, 105000, kOtsu, 0, 3800},
        {&r08, 737000, kKou, 0, 71380},
        {&r08, 740000, kKou, 9, 23190},   // 26,410 - 2 x 1,610
        {&r08, 761119, kOtsu, 0, 267824}, // 259,200 + 21,119 x 40.84 % (8,624.9996)
        {&r08, 2130000, kKou, 0, 549440},
        {&r08, 2129999, kKou, 0, 546047}, // 374,520 + 419,999 x 40.84 %
        {&r08, 3500000, kKou, 7, 1080000},
        {&r08, 3600000, kKou, 0, 1171215}, // 1,125,270 + 100,000 x 45.945 %
        {&r08, 1710000, kOtsu, 2, 652180}, // 655,400 - 2 x 1,610
        {&r07, 88000, kKou, 0, 130},
        {&r07, 105000, kKou, 0, 1030},
        {&r09, 110999, kKou, 0, 0},
        {&r09, 111000, kKou, 0, 140},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.set->year()) + " amount " + std::to_string(c.a));
        EXPECT_EQ(KyuyoZei(*c.set, c.a, c.kind, c.deps, 0), c.want);
    }
}

TEST(MonthlyTableRounding, HasuuKouRoundsTheExactProduct)
{
    const TableSet set = TableSet::load(binDir(), 2026);
    // 2,500 x 20.42 % is exactly 510.5; 21,119 x 40.84 % is 8,624.9996.
    EXPECT_EQ(KyuyoZei(set, 742500, kKou, 0, 0), 71680 + 510);
    EXPECT_EQ(KyuyoZei(set, 742500, kKou, 0, 2), 71680 + 511);
    EXPECT_EQ(KyuyoZei(set, 761119, kOtsu, 0, 0), 259200 + 8624);
    EXPECT_EQ(KyuyoZei(set, 761119, kOtsu, 0, 2), 259200 + 8625);
    EXPECT_EQ(applyRate(21119, 0.4084, 0), 8624);
    EXPECT_EQ(applyRate(21119, std::int64_t{40840}, 0), 8624);
}

// A reader of the fixed layout alone (no extension block) applies the four-bracket rule.
TEST(MonthlyTableFourBrackets, ImageAloneKeepsTheFirstFourBracketsExact)
{
    const TableSet set = TableSet::load(binDir(), 2026);
    const std::string image = set.salary()->encode().substr(0, kKyuyoZeiSize);
    auto old = SalaryTable::fromBytes(image, kKyuyoZeiFile);
    ASSERT_TRUE(old) << old.message();
    ASSERT_FALSE(old->hasBrackets());
    const SalaryTable &full = *set.salary();
    for (std::int64_t a = 0; a < 2130000; a += 997) {
        SCOPED_TRACE(a);
        for (int d : {0, 3, 7, 9})
            ASSERT_EQ(KyuyoZei(*old, a, kKou, d, 0), KyuyoZei(full, a, kKou, d, 0));
        if (a < 1710000) {
            ASSERT_EQ(KyuyoZei(*old, a, kOtsu, 1, 0), KyuyoZei(full, a, kOtsu, 1, 0));
        }
    }
    // Thresholds themselves come from the row search.
    EXPECT_EQ(KyuyoZei(*old, 790000, kKou, 0, 0), 81890);
    EXPECT_EQ(KyuyoZei(*old, 960000, kOtsu, 0, 0), 259200 + 89848);
    // Past the fourth bracket the old rule is what the extension mends.
    EXPECT_EQ(KyuyoZei(*old, 2130000, kKou, 0, 0), 374520 + 171528);
    EXPECT_EQ(KyuyoZei(full, 2130000, kKou, 0, 0), 549440);
}

TEST(MonthlyTableFile, TaxIsZeroOnceTheFileIsGone)
{
    TempDir tmp("gone");
    const auto dir = tmp.path;
    std::filesystem::copy_file(binDir() / "tables" / "2026" / u8(kKyuyoZeiFile),
                               dir / u8(kKyuyoZeiFile),
                               std::filesystem::copy_options::overwrite_existing);
    const TableSet set = TableSet::loadFolder(dir);
    ASSERT_NE(set.salary(), nullptr);
    EXPECT_EQ(KyuyoZei(set, 300000, kKou, 0, 0), 7930);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(KyuyoZei(set, 300000, kKou, 0, 0), 0);
    EXPECT_EQ(KyuyoZei(set, 300000, kOtsu, 0, 0), 0);
}

// The generated bytes at the documented offsets, read without the program's structs.
TEST(MonthlyTableFile, LayoutAtTheDocumentedOffsets)
{
    const std::string b = readBytes(binDir() / "tables" / "2026" / u8(kKyuyoZeiFile));
    auto i32 = [&](std::size_t off) {
        std::int32_t v;
        std::memcpy(&v, b.data() + off, 4);
        return v;
    };
    auto f64 = [&](std::size_t off) {
        double v;
        std::memcpy(&v, b.data() + off, 8);
        return v;
    };
    const CsvRows rows = readCsv(dataDir(2026) / "kyuyo_getsugaku.csv");
    ASSERT_EQ(b.size(), 16788u + 32 + 44 * 11);
    const int n = i32(0);
    EXPECT_EQ(n, static_cast<int>(rows.size()) - 1 + 4);
    EXPECT_EQ(i32(4), 105000);                 // row 1 Ijou
    EXPECT_EQ(i32(4 + 8), 170);                // row 1 Kou[0]
    EXPECT_EQ(i32(4 + 40), 3800);              // row 1 Otsu
    EXPECT_EQ(i32(4 + 44 * (n - 4)), 740000);  // row N-3 Ijou, F1
    EXPECT_EQ(i32(4 + 44 * (n - 1)), 1710000); // row N Ijou, F4
    EXPECT_EQ(f64(16724), 0.2042);
    EXPECT_EQ(f64(16748), 0.4084);
    EXPECT_EQ(f64(16756), 0.03063);
    EXPECT_EQ(i32(16780), 1610);
    EXPECT_EQ(b.substr(16788, 4), "OVKT");
    EXPECT_EQ(i32(16788 + 4), 1);            // version
    EXPECT_EQ(i32(16788 + 8), 32 + 44 * 11); // block size
    EXPECT_EQ(i32(16788 + 12), 2026);
    EXPECT_EQ(i32(16788 + 16), 3063);
    EXPECT_EQ(i32(16788 + 20), 11);
    const std::size_t last = 16788 + 32 + 44 * 8; // ninth 甲欄 bracket: 3,500,000 at 45.945 %
    EXPECT_EQ(i32(last + 4), 3500000);
    EXPECT_EQ(i32(last + 8), 45945);
    EXPECT_EQ(i32(last + 12), 1125270);
}

} // namespace
} // namespace orv
