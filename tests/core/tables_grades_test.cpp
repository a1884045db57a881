// The health-insurance grade table and the rate list against their sources.
#include "core/tables/tableset.h"
#include "core/util/sjis.h"
#include "tests/core/tables_support.h"

#include <gtest/gtest.h>

namespace orv
{
namespace
{

using namespace orv::testing;

TEST(GradeTable, EveryGradeAtItsBoundsAndThePensionRange)
{
    const TableSet set = TableSet::load(binDir(), 2026);
    ASSERT_NE(set.grades(), nullptr) << set.info(TableKind::Kenho).status.message();
    const GradeTable &g = *set.grades();
    const CsvRows src = readCsv(dataDir(2020) / "kenpo_grades.csv");
    ASSERT_EQ(g.count(), static_cast<int>(src.size()));
    for (std::size_t r = 0; r < src.size(); ++r) {
        const int grade = static_cast<int>(r) + 1;
        SCOPED_TRACE("grade " + std::to_string(grade));
        EXPECT_EQ(g.grade(grade).Hyojun, src.num(r, "standard_monthly"));
        EXPECT_EQ(g.gradeFor(src.num(r, "remuneration_ijou")), grade);
        if (!src.empty(r, "remuneration_miman")) {
            EXPECT_EQ(g.gradeFor(src.num(r, "remuneration_miman") - 1), grade);
            EXPECT_EQ(g.gradeFor(src.num(r, "remuneration_miman")), grade + 1);
        }
        // The pension grade a health grade uses, and its standard amount.
        const int pg = g.pensionGrade(grade);
        EXPECT_EQ(g.grade(pg).Hyojun, src.num(r, "kosei_standard_applied"));
    }
    EXPECT_EQ(g.gradeFor(-1), 0);
    EXPECT_EQ(g.gradeFor(99999999), 50);
    EXPECT_EQ(g.hyo().NenMin, 4);
    EXPECT_EQ(g.hyo().NenMax, 35);
    EXPECT_EQ(g.pensionGrade(2), 4);
    EXPECT_EQ(g.pensionGrade(40), 35);
    EXPECT_EQ(g.grade(1).Hyojun, 58000);
    EXPECT_EQ(g.grade(50).Hyojun, 1390000);
    EXPECT_EQ(g.gradeFor(635000), 35);
}

TEST(GradeTable, LayoutAtTheDocumentedOffsets)
{
    const std::string b = readBytes(binDir() / u8(kKenhoHyoFile));
    ASSERT_EQ(b.size(), 972u);
    auto i32 = [&](std::size_t off) {
        std::int32_t v;
        std::memcpy(&v, b.data() + off, 4);
        return v;
    };
    EXPECT_EQ(i32(0), 50);
    EXPECT_EQ(i32(4), 4);
    EXPECT_EQ(i32(8), 35);
    EXPECT_EQ(i32(12 * 4), 83000);     // grade 4 Ijou
    EXPECT_EQ(i32(12 * 4 + 8), 88000); // grade 4 Hyojun
}

TEST(RateList, EveryRegionWithTheRatesOfItsYear)
{
    for (auto [year, data] : {std::pair{2025, 2020}, std::pair{2026, 2026}}) {
        SCOPED_TRACE(year);
        const TableSet set = TableSet::load(binDir(), year);
        ASSERT_NE(set.rates(), nullptr) << set.info(TableKind::KenhoRitu).status.message();
        const CsvRows src = readCsv(dataDir(data) / "kenpo_rates.csv");
        ASSERT_EQ(set.rates()->size(), src.size());
        for (std::size_t r = 0; r < src.size(); ++r) {
            EXPECT_EQ((*set.rates())[r].label, src.str(r, "label"));
            EXPECT_EQ((*set.rates())[r].hundredths, per100k(src.str(r, "rate_percent")) / 10);
        }
    }
    // Bytes 1-10 the label, 11-15 the rate.
    const std::string raw = readBytes(binDir() / "tables" / "2026" / u8(kKenhoRituFile));
    EXPECT_EQ(raw.substr(0, 17), sjis("北海道") + "    10.28\r\n");
}

TEST(RateList, ParsesTheLineLayout)
{
    auto list = parseRateList(sjis("神奈川県  10.19\r\n") + sjis("沖縄県     9.44 comment\n") +
                                  "\r\n" + sjis("東京都     9.8"),
                              kKenhoRituFile);
    ASSERT_TRUE(list) << list.message();
    ASSERT_EQ(list->size(), 3u);
    EXPECT_EQ((*list)[0].label, "神奈川県");
    EXPECT_EQ((*list)[0].half(), 5.095);
    EXPECT_EQ((*list)[1].hundredths, 944);
    EXPECT_EQ((*list)[2].hundredths, 980);
    auto bad = parseRateList(sjis("北海道    10.28\r\n") + sjis("青森県    x.yz"), kKenhoRituFile);
    ASSERT_FALSE(bad);
    EXPECT_NE(bad.message().find("健康保険料率.dat"), std::string::npos);
    EXPECT_NE(bad.message().find("line 2"), std::string::npos);
}

} // namespace
} // namespace orv
