// Yearly table sets: which folder a year uses, per-file fallback, the start check, the dates.
#include "core/calc/tax.h"
#include "core/tables/tableset.h"
#include "tests/core/tables_support.h"

#include <gtest/gtest.h>

#include <chrono>

namespace orv
{
namespace
{

using namespace orv::testing;
namespace fs = std::filesystem;

TEST(TableSet, EachYearUsesTheTablesInForce)
{
    struct Case {
        int year, setYear;
        std::int64_t tax105000; // 甲欄, no dependants
        std::int32_t editionYear;
    } cases[] = {
        {2020, 2020, 1030, 2020}, {2025, 2025, 1030, 2020}, {2026, 2026, 170, 2026},
        {2027, 2027, 0, 2027},    {2031, 2027, 0, 2027},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.year);
        const TableSet set = TableSet::load(binDir(), c.year);
        EXPECT_EQ(set.setYear(), c.setYear);
        EXPECT_EQ(set.TableCount(), 3);
        EXPECT_TRUE(set.startCheck());
        EXPECT_EQ(KyuyoZei(set, 105000, kKou, 0, 0), c.tax105000);
        EXPECT_EQ(set.salary()->year(), c.editionYear);
        EXPECT_EQ(set.info(TableKind::Kyuyo).sourceYear, c.editionYear);
        EXPECT_FALSE(set.info(TableKind::Kyuyo).substituted);
    }
}

TEST(TableSet, MissingBonusTableFallsBackToTheNewestEarlierYear)
{
    EXPECT_FALSE(fs::exists(binDir() / "tables" / "2027" / u8(kSyoyoZeiFile)));
    const TableSet set = TableSet::load(binDir(), 2027);
    const TableFileInfo &bonus = set.info(TableKind::Syoyo);
    EXPECT_TRUE(bonus.loaded);
    EXPECT_TRUE(bonus.substituted);
    EXPECT_EQ(bonus.folderYear, 2026);
    EXPECT_EQ(SyoyoZei(set, 300000, 500000, 0, kKou, 0).tax, 30630);
    ASSERT_EQ(set.substitutionNotes().size(), 1u);
    EXPECT_EQ(set.substitutionNotes()[0],
              "税額表(賞与).dat: the 2027 set has none; the 2026 file is used");
    // Files that did not change are the same bytes as the year they came from.
    EXPECT_EQ(set.info(TableKind::Kenho).sourceYear, 2020);
    EXPECT_EQ(set.info(TableKind::KenhoRitu).sourceYear, 2026);
}

TEST(TableSet, ProgramFolderHoldsTheNewestFiles)
{
    EXPECT_EQ(readBytes(binDir() / u8(kKyuyoZeiFile)),
              readBytes(binDir() / "tables" / "2027" / u8(kKyuyoZeiFile)));
    EXPECT_EQ(readBytes(binDir() / u8(kSyoyoZeiFile)),
              readBytes(binDir() / "tables" / "2026" / u8(kSyoyoZeiFile)));
    // Without year folders the program folder's files are the set.
    TempDir tmp("plain");
    for (const char *name : {kKyuyoZeiFile, kSyoyoZeiFile, kKenhoHyoFile, kKenhoRituFile})
        fs::copy_file(binDir() / u8(name), tmp.path / u8(name));
    const TableSet set = TableSet::load(tmp.path, 2026);
    EXPECT_EQ(set.setYear(), 0);
    EXPECT_EQ(set.TableCount(), 3);
    EXPECT_EQ(set.salary()->year(), 2027);
}

TEST(TableSet, YearBeforeEverySetUsesTheOldestAndSaysSo)
{
    const TableSet set = TableSet::load(binDir(), 2019);
    EXPECT_EQ(set.setYear(), 2020);
    ASSERT_FALSE(set.substitutionNotes().empty());
    EXPECT_EQ(set.substitutionNotes()[0], "no table set for 2019; the 2020 set is used");
}

TEST(TableSet, StartCheckNamesEveryMissingOrRefusedFile)
{
    TempDir tmp("startcheck");
    fs::copy_file(binDir() / u8(kKenhoHyoFile), tmp.path / u8(kKenhoHyoFile));
    writeBytes(tmp.path / u8(kSyoyoZeiFile), std::string(100, '\0'));
    const TableSet set = TableSet::loadFolder(tmp.path);
    EXPECT_EQ(set.TableCount(), 1);
    const Status s = set.startCheck();
    ASSERT_FALSE(s);
    EXPECT_EQ(s.message().rfind(kTablesMissingMessage, 0), 0u) << s.message();
    EXPECT_NE(s.message().find("税額表(給与).dat: not found"), std::string::npos);
    EXPECT_NE(s.message().find("税額表(賞与).dat: file is short"), std::string::npos);
    EXPECT_EQ(set.rates(), nullptr); // not counted, not required
    EXPECT_EQ(KyuyoZei(set, 300000, kKou, 0, 0), 0);
}

TEST(TableSet, TableDateLines)
{
    TempDir tmp("dates");
    const fs::path y26 = tmp.path / "tables" / "2026", y27 = tmp.path / "tables" / "2027";
    fs::create_directories(y26);
    fs::create_directories(y27);
    fs::copy_file(binDir() / "tables" / "2026" / u8(kSyoyoZeiFile), y26 / u8(kSyoyoZeiFile));
    for (const char *name : {kKyuyoZeiFile, kKenhoHyoFile, kKenhoRituFile})
        fs::copy_file(binDir() / "tables" / "2027" / u8(name), y27 / u8(name));
    // Noon UTC on 2026-01-05 is that date in every time zone within eleven hours of UTC.
    using namespace std::chrono;
    const sys_seconds noon = sys_days{year{2026} / January / 5} + hours{12};
    for (const auto &e : fs::recursive_directory_iterator(tmp.path))
        if (e.is_regular_file())
            fs::last_write_time(e.path(),
                                time_point_cast<file_clock::duration>(file_clock::from_sys(noon)));
    const TableSet set = TableSet::load(tmp.path, 2027);
    const std::vector<std::string> want = {
        "税額表(給与).dat      2026/01/05", // "%-20s" of the Shift-JIS name, then "  yyyy/mm/dd"
        "税額表(賞与).dat      2026/01/05  (2026年のファイル)",
        "健康保険料額表.dat    2026/01/05",
        "健康保険料率.dat      2026/01/05",
    };
    EXPECT_EQ(tableDateLines(set), want);
}

} // namespace
} // namespace orv
