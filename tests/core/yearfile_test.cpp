#include "core/util/dates.h"
#include "core/util/fileio.h"
#include "core/util/sjis.h"
#include "core/yearfile/yearfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

namespace fs = std::filesystem;

namespace orv {
namespace {

class YearFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("orv_yearfile_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        cur = (dir / yearFileNameForYear(2026)).string();
        prev = (dir / yearFileNameForYear(2025)).string();
        img = std::make_unique<PayImage>();
    }
    void TearDown() override { fs::remove_all(dir); }

    // Saves period k of `path` holding one employee with the given key and leave balance.
    void savePeriod(const std::string &path, int k, const char *company, const char *key,
                    double yukyuZan = 0)
    {
        auto p = std::make_unique<PayImage>();
        if (!fileExists(path)) {
            YearFileRun r;
            ASSERT_TRUE(CreateYearFile(path, *p, r));
        }
        ASSERT_TRUE(OpenPeriod(path, k, *p));
        p->Kihon.Syamei.set(sjis(company));
        p->Syain[1].UniqueKey.set(key);
        p->Syain[1].Keitai = 1;
        p->Kintai[1].YukyuZan = yukyuZan;
        SilentPrompter yes(Prompter::Answer::Yes);
        YearFileRun r;
        ASSERT_TRUE(SavePeriod(path, *p, yes, r).isOk());
    }

    fs::path dir;
    std::string cur, prev;
    std::unique_ptr<PayImage> img;
    YearFileRun run;
};

TEST_F(YearFileTest, SaveKeepsEveryOtherByteAndReservedBytes)
{
    // A file full of arbitrary bytes stands for a file written by another version: everything
    // the program does not change must come back unchanged.
    std::string bytes(kYearFileSize, '\0');
    std::mt19937 rng(7);
    for (auto &c : bytes)
        c = static_cast<char>(rng());
    // Mail addresses longer than 48 bytes are cut on opening; keep them short here.
    for (int k = 1; k <= kPeriods; ++k)
        for (int i = 0; i < kSlots; ++i)
            bytes[blockOffset(k) + 1384 + i * 500 + 245] = 10;
    ASSERT_TRUE(writeFileAtomic(cur, bytes));

    ASSERT_TRUE(OpenPeriod(cur, 3, *img));
    SilentPrompter no(Prompter::Answer::No);
    // Nothing changed yet (the header's random Sakusei bytes count as set flags).
    EXPECT_EQ(periodChanged(cur, *img), Change::None);
    img->Koujo[5].Juumin = 12345;
    EXPECT_EQ(periodChanged(cur, *img), Change::Changed);
    // Period 4 counts as created, so the next-month question comes; No keeps the file.
    EXPECT_FALSE(SavePeriod(cur, *img, no, run).value());
    EXPECT_EQ(*readWholeFile(cur), bytes);

    SilentPrompter yes(Prompter::Answer::Yes);
    ASSERT_TRUE(SavePeriod(cur, *img, yes, run).value());
    EXPECT_EQ(yes.lastNotice(), "データファイルに保存しました。");
    std::string after = *readWholeFile(cur);
    ASSERT_EQ(after.size(), kYearFileSize);
    std::size_t juumin = blockOffset(3) + 77704 + 4 * 136 + 32;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i == 8 + 2 || (i >= juumin && i < juumin + 4))
            continue;
        ASSERT_EQ(after[i], bytes[i]) << "byte " << i;
    }
    EXPECT_EQ(after[8 + 2], 1); // Sakusei of period 3
    EXPECT_EQ(periodChanged(cur, *img), Change::None);
}

TEST_F(YearFileTest, DamagedFileLeavesTheImageAlone)
{
    savePeriod(cur, 2, "甲社", "k1");
    ASSERT_TRUE(OpenPeriod(cur, 2, *img));
    auto before = std::make_unique<PayImage>(*img);

    fs::resize_file(cur, kYearFileSize - 1000);
    Status s = OpenPeriod(cur, 15, *img);
    EXPECT_FALSE(s);
    EXPECT_NE(s.message().find(cur), std::string::npos);
    EXPECT_EQ(std::memcmp(before.get(), img.get(), sizeof(PayImage)), 0);
    EXPECT_FALSE(OpenPeriod((dir / "missing.dat").string(), 1, *img));
    EXPECT_FALSE(OpenPeriod(cur, 16, *img));
    // The truncated file still answers for its intact periods, and a save completes it.
    ASSERT_TRUE(OpenPeriod(cur, 2, *img));
    SilentPrompter yes(Prompter::Answer::Yes);
    ASSERT_TRUE(SavePeriod(cur, *img, yes, run).isOk());
    EXPECT_EQ(fs::file_size(cur), kYearFileSize);
}

TEST_F(YearFileTest, NextMonthQuestionOnlyForChangedMonthsBeforeDecember)
{
    savePeriod(cur, 4, "甲社", "k1");
    savePeriod(cur, 3, "甲社", "k1");
    ASSERT_TRUE(OpenPeriod(cur, 3, *img));
    SilentPrompter no(Prompter::Answer::No);
    EXPECT_TRUE(SavePeriod(cur, *img, no, run).value()); // unchanged: saved without asking
    EXPECT_EQ(no.count(), 0);
    img->Sikyu[1].Hendo[0] = 1;
    EXPECT_FALSE(SavePeriod(cur, *img, no, run).value());
    EXPECT_EQ(no.count(), 1);

    savePeriod(cur, 13, "甲社", "k1");
    savePeriod(cur, 12, "甲社", "k1");
    ASSERT_TRUE(OpenPeriod(cur, 12, *img));
    img->Sikyu[1].Hendo[0] = 1;
    SilentPrompter counting(Prompter::Answer::No);
    EXPECT_TRUE(SavePeriod(cur, *img, counting, run).value());
    EXPECT_EQ(counting.count(), 0);
}

TEST_F(YearFileTest, UnsavedChangesIgnoresNameTailsAndBonusDays)
{
    savePeriod(cur, 13, "甲社", "k1");
    ASSERT_TRUE(OpenPeriod(cur, 13, *img));
    img->Kihon.Nissu = 99; // bonus days and hours come from the dialog each time
    img->Kihon.Jikan = 7.5;
    img->Syain[1].Simei.text[15] = 'x'; // beyond the name's length
    SilentPrompter ask(Prompter::Answer::Cancel);
    EXPECT_EQ(UnsavedChanges(cur, *img, true, true, ask), Prompter::Answer::No);
    img->Syain[1].Chingin1 = 1;
    EXPECT_EQ(UnsavedChanges(cur, *img, true, true, ask), Prompter::Answer::Cancel);
    EXPECT_EQ(ask.last(), "データが変更されています。保存しますか？");
    EXPECT_EQ(UnsavedChanges(cur, *img, true, false, ask), Prompter::Answer::No);
}

TEST_F(YearFileTest, CarryOverSources)
{
    savePeriod(prev, 12, "前年社", "k1", 7);
    NewPeriodInput jan{cur, 1, 0, 21, 168, {}};
    ASSERT_TRUE(NewPeriod(jan, *img, nullPrompter()));
    EXPECT_EQ(sjisToUtf8(img->Kihon.Syamei.view()), "前年社");
    EXPECT_EQ(img->Kintai[1].YukyuZan, 7);
    savePeriod(cur, 3, "三月社", "k1", 5);

    struct Case {
        int k;
        int bonusMonth;
        const char *company;
    } cases[] = {
        {1, 0, ""},        // January: the source is older than the created March
        {2, 0, ""},        // February: January was never created
        {4, 0, "三月社"},  // April: March
        {13, 7, "三月社"}, // summer bonus: the highest created month
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.k);
        ASSERT_TRUE(readYearHead(cur, img->Head));
        if (c.k > 12)
            img->Head.SikyuM[c.k - 13] = c.bonusMonth;
        NewPeriodInput in{cur, c.k, 0, 21, 168, {}};
        ASSERT_TRUE(NewPeriod(in, *img, nullPrompter()));
        EXPECT_EQ(sjisToUtf8(img->Kihon.Syamei.view()), c.company);
        EXPECT_EQ(img->Kihon.Nissu, 21);
        if (c.k <= 12 && SlotInUse(*img, 1)) {
            EXPECT_EQ(img->Kintai[1].SyukkinNissu, 21);
            EXPECT_EQ(img->Kintai[1].YukyuZan, 5);
        }
    }
}

TEST_F(YearFileTest, BonusInJanuaryTakesLastDecemberAndLaterMonthsDiscardTheSource)
{
    savePeriod(prev, 12, "前年社", "k1");
    YearFileRun r;
    ASSERT_TRUE(CreateYearFile(cur, *img, r));
    img->Head.SikyuM[1] = 1;
    ASSERT_TRUE(NewPeriod(NewPeriodInput{cur, 14, 0, 0, 0, {}}, *img, nullPrompter()));
    EXPECT_EQ(sjisToUtf8(img->Kihon.Syamei.view()), "前年社");

    savePeriod(cur, 2, "二月社", "k1");
    savePeriod(cur, 4, "四月社", "k1");
    ASSERT_TRUE(readYearHead(cur, img->Head));
    int offered = 0;
    NewPeriodInput in{cur, 3, 8.0, 20, 160, [&] {
                          ++offered;
                          return std::optional<ReferenceChoice>(ReferenceChoice{cur, 4});
                      }};
    SilentPrompter p;
    ASSERT_TRUE(NewPeriod(in, *img, p));
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(sjisToUtf8(img->Kihon.Syamei.view()), "四月社"); // from the reference, not February
    EXPECT_NE(p.last().find("参照したデータと保険料率等が違う可能性があるので"), std::string::npos);
}

TEST_F(YearFileTest, PaidLeaveFollowsTheKeyNotTheSlot)
{
    savePeriod(cur, 5, "甲社", "k1", 4.5);
    auto p = std::make_unique<PayImage>();
    ASSERT_TRUE(OpenPeriod(cur, 5, *p));
    p->Syain[2] = p->Syain[1];
    p->Syain[2].UniqueKey.set("k2");
    p->Kintai[2].YukyuZan = 9;
    deleteEmployee(*p, 1);
    SilentPrompter yes(Prompter::Answer::Yes);
    ASSERT_TRUE(SavePeriod(cur, *p, yes, run).isOk());
    EXPECT_EQ(PrevYukyuZan(cur, 6, "k2"), 9);
    EXPECT_EQ(PrevYukyuZan(cur, 6, "k1"), -999);
    EXPECT_EQ(PrevYukyuZan(cur, 1, "k2"), -999); // no previous year's file
}

TEST_F(YearFileTest, DeleteClearsTheBlockAndBonusDate)
{
    savePeriod(cur, 14, "甲社", "k1");
    ASSERT_TRUE(OpenPeriod(cur, 14, *img));
    img->Head.SikyuM[1] = 12;
    SilentPrompter yes(Prompter::Answer::Yes);
    ASSERT_TRUE(SavePeriod(cur, *img, yes, run).isOk());
    ASSERT_TRUE(DeletePeriod(cur, 14, *img, yes).value());
    THeadRec h;
    ASSERT_TRUE(readYearHead(cur, h));
    EXPECT_FALSE(h.Sakusei[13]);
    EXPECT_EQ(h.SikyuM[1], 0);
    std::string bytes = *readWholeFile(cur);
    EXPECT_EQ(bytes.substr(blockOffset(14), kBlockSize), std::string(kBlockSize, '\0'));
}

TEST_F(YearFileTest, NamesAndPreviousYear)
{
    EXPECT_EQ(fs::path(PrevYearFile((dir / "令和02年給与･賞与.dat").string())).filename(),
              "平成31年給与･賞与.dat");
    EXPECT_EQ(fs::path(PrevYearFile(cur)).filename(), "令和07年給与･賞与.dat");
    EXPECT_EQ(PrevYearFile((dir / "other.dat").string()), "");
    savePeriod(cur, 1, "甲社", "k1");
    savePeriod((dir / "平成30年給与･賞与.dat").string(), 1, "甲社", "k1");
    auto years = YearFiles(dir.string());
    ASSERT_EQ(years.size(), 2u);
    EXPECT_EQ(fs::path(years[0]).filename(), "平成30年給与･賞与.dat");
}

TEST_F(YearFileTest, MigrationConvertsOnlyOldYearlyFiles)
{
    fs::path oldDir = dir / "Data", newDir = dir / "Data2";
    fs::create_directories(oldDir);
    fs::create_directories(newDir);
    std::string old(kOldYearFileSize, '\0');
    old[8] = 1; // period 1 created
    TSyainRec s{};
    s.UniqueKey.set("k30");
    // Slot 30 of period 2 in the old layout.
    std::size_t at = kHeadSize + kOldBlockSize + sizeof(TKihonRec) + 29 * sizeof(TSyainRec);
    std::memcpy(old.data() + at, &s, sizeof s);
    ASSERT_TRUE(writeFileAtomic((oldDir / "平成20年給与･賞与.dat").string(), old));
    ASSERT_TRUE(writeFileAtomic((oldDir / "メモ.dat").string(), "not a yearly file"));
    ASSERT_TRUE(writeFileAtomic((oldDir / "平成21年給与･賞与.dat").string(), "short"));
    ASSERT_TRUE(writeFileAtomic((oldDir / "社員情報.dat").string(), "template"));

    MigrationResult r = MigrateOldFiles(oldDir.string(), newDir.string());
    EXPECT_EQ(r.migrated.size(), 2u);
    EXPECT_EQ(r.skipped.size(), 2u);
    EXPECT_FALSE(fs::exists(newDir / "メモ.dat"));
    EXPECT_FALSE(fs::exists(newDir / "平成21年給与･賞与.dat"));
    std::string migrated = (newDir / "平成20年給与･賞与.dat").string();
    EXPECT_EQ(fs::file_size(migrated), kYearFileSize);
    ASSERT_TRUE(OpenPeriod(migrated, 2, *img));
    EXPECT_EQ(img->Syain[30].UniqueKey.str(), "k30");
    EXPECT_TRUE(img->Head.Sakusei[0]);
}

} // namespace
} // namespace orv
