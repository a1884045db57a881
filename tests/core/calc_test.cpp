#include "core/calc/calc.h"
#include "core/calc/premiums.h"
#include "core/util/fileio.h"
#include "core/util/rounding.h"
#include "core/util/sjis.h"
#include "core/yearfile/yearfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace orv {
namespace {

const TableSet &tables2026()
{
    static const TableSet set = TableSet::load(ORV_BIN_DIR, 2026);
    return set;
}

// One company with employees in memory and a yearly file in a temporary folder.
class CalcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("orv_calc_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = (dir / "令和08年給与･賞与.dat").string();
        img = std::make_unique<PayImage>();
        YearFileRun run;
        ASSERT_TRUE(CreateYearFile(file, *img, run));
        ASSERT_TRUE(tables2026().startCheck()) << tables2026().startCheck().message();
        openPeriod(4);
    }
    void TearDown() override { fs::remove_all(dir); }

    void openPeriod(int k)
    {
        img->KikanNo = k;
        items = SlipItems::defaults(k > 12 ? SlipKind::Syoyo : SlipKind::Kyuyo);
        img->Kihon.Syamei.set(sjis("テスト商事"));
        img->Kihon.KoyRitu = 0.5;
        img->Kihon.KenRitu = 4.955;
        img->Kihon.KaiRitu = 0.81;
        img->Kihon.NenRitu = 9.15;
    }

    TSyainRec &employee(int slot, int keitai, std::int32_t chingin1)
    {
        TSyainRec &s = img->Syain[slot];
        clearRecord(s);
        s.UniqueKey.set("key" + std::to_string(slot));
        s.Simei.set(sjis("社員" + std::to_string(slot)));
        s.Keitai = keitai;
        s.Chingin1 = chingin1;
        return s;
    }

    CalcContext ctx() const { return CalcContext{opt, items, tables2026(), file, false}; }
    void calc(int slot) { ASSERT_TRUE(KyuyoKeisan(*img, slot, ctx())); }
    BonusResult bonus(int slot)
    {
        auto r = SyoyoKeisan(*img, slot, ctx());
        EXPECT_TRUE(r.isOk()) << r.message();
        return r.isOk() ? *r : BonusResult{};
    }
    void save()
    {
        SilentPrompter yes(Prompter::Answer::Yes);
        YearFileRun run;
        ASSERT_TRUE(SavePeriod(file, *img, yes, run).isOk());
    }
    // Puts an item into, or takes it out of, the slip item tables of every pay form.
    void useItem(std::string_view name, bool used = true)
    {
        for (auto *list : {&items.SikyuItems, &items.KoujoItems})
            for (auto &e : *list)
                if (e.Name.substr(1) == name)
                    e.Use = {used, used, used};
        items.derive();
    }
    void dropItem(std::string_view name) { useItem(name, false); }

    fs::path dir;
    std::string file;
    std::unique_ptr<PayImage> img;
    TOption opt;
    SlipItems items;
};

TEST_F(CalcTest, MonthlyDailyHourlyBasePay)
{
    TSyainRec &m = employee(1, 1, 245000);
    m.Kekkin = 11136;
    img->Kintai[1].KekkinNissu = 2;
    employee(2, 2, 9000).Yukyu = 6900;
    img->Kintai[2].SyukkinNissu = 20;
    img->Kintai[2].YukyuNissu = 1;
    employee(3, 3, 1029);
    img->Kintai[3].JitudoJikan = 291.69;
    for (int a = 1; a <= 3; ++a)
        calc(a);
    EXPECT_EQ(img->Sikyu[1].Kihonkyu, 245000);
    EXPECT_EQ(img->Sikyu[1].Kekkin, -22272);
    EXPECT_EQ(img->Sikyu[1].KazeiTotal, 245000 - 22272);
    EXPECT_EQ(img->Sikyu[1].SikyuTotal, 245000 - 22272);
    EXPECT_EQ(img->Sikyu[2].Kihonkyu, 186900);
    EXPECT_EQ(img->Sikyu[3].Kihonkyu, 300150); // 300,149.01 rounded up on its true value
}

TEST_F(CalcTest, OvertimeRounding)
{
    struct Case {
        int hasuu;
        double hours;
        std::int32_t want;
    } cases[] = {{1, 10.25, 20398}, {2, 10.25, 20398}, {1, 10.2, 20298}, {2, 10.2, 20298},
                 {1, 10 + 20.0 / 60, 20564}, {2, 10 + 20.0 / 60, 20563}};
    TSyainRec &m = employee(1, 1, 200000);
    m.Chingin2 = 1990;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.hours);
        opt.HasuuSik = c.hasuu;
        img->Kintai[1].ZangyoJikan = c.hours;
        calc(1);
        EXPECT_EQ(img->Sikyu[1].Zangyo, c.want);
    }
}

TEST_F(CalcTest, CommutingByCycleAndHandEntry)
{
    TSyainRec &m = employee(1, 1, 200000);
    m.SikUnit = 3; // January, April, July, October
    m.Koutuhi0 = 15000;
    m.Koutuhi1 = 2000;
    calc(1);
    EXPECT_EQ(img->Sikyu[1].Koutuhi0, 15000);
    EXPECT_EQ(img->Sikyu[1].SikyuTotal, 217000);
    EXPECT_EQ(img->Sikyu[1].KazeiTotal, 202000);
    img->KikanNo = 5;
    calc(1);
    EXPECT_EQ(img->Sikyu[1].Koutuhi0, 0);
    EXPECT_EQ(img->Sikyu[1].SikyuTotal, 200000);
    img->Sikyu[1].Koutuhi0 = 4000;
    img->Sikyu[1].Manual[10] = true;
    calc(1);
    EXPECT_EQ(img->Sikyu[1].Koutuhi0, 4000);
    EXPECT_EQ(img->Sikyu[1].SikyuTotal, 204000);
    EXPECT_EQ(img->Sikyu[1].KazeiTotal, 200000); // non-taxable commuting is outside the taxable total

    m.SikUnit = 1; // per day worked
    img->Sikyu[1].Manual[10] = false;
    img->Kintai[1].SyukkinNissu = 20;
    m.Koutuhi0 = 500;
    calc(1);
    EXPECT_EQ(img->Sikyu[1].Koutuhi0, 10000);
}

TEST_F(CalcTest, ItemsOutsideThePayFormTable)
{
    TSyainRec &m = employee(1, 1, 200000);
    m.Family = 10000;
    img->Sikyu[1].Hendo[0] = 7000;
    useItem("変動手当１"); // the default tables have no user-named items
    calc(1);
    EXPECT_EQ(img->Sikyu[1].SikyuTotal, 217000);
    dropItem("家族手当");
    dropItem("変動手当１");
    calc(1);
    EXPECT_EQ(img->Sikyu[1].Family, 0);
    EXPECT_EQ(img->Sikyu[1].Hendo[0], 7000); // kept, but counted nowhere
    EXPECT_EQ(img->Sikyu[1].SikyuTotal, 200000);
}

TEST_F(CalcTest, UserNamedItemFlagsMoveAmountsBetweenTotals)
{
    TSyainRec &m = employee(1, 1, 300000);
    m.Teate[0] = 10000; // FixTeate1
    m.Koujo[0] = 3000;  // FixKoujo1
    img->Sikyu[1].Hendo[1] = 5000;      // VarTeate2
    img->Koujo[1].HendoKoujo[2] = 2000; // VarKoujo3
    for (auto name : {"固定手当１", "変動手当２", "固定控除１", "変動控除３"})
        useItem(name);
    struct Case {
        int flag;
        bool kazei, syaho;
        std::int32_t kazeiTotal, syahoTotal, santei;
    } cases[] = {
        // Defaults: allowances taxable and in the base; deductions in neither.
        {-1, true, true, 315000, 0, 315000},
        {0, false, true, 305000, 0, 315000},  // FixTeate1 not taxable
        {0, true, false, 315000, 0, 305000},  // FixTeate1 outside the social-insurance base
        {4, true, true, 315000, 0, 315000},   // VarTeate2 taxable and in the base
        {4, false, false, 310000, 0, 310000}, // VarTeate2 neither
        {6, true, false, 315000, 3000, 315000}, // FixKoujo1 in the social-insurance total
        {6, false, true, 315000, 0, 312000},    // FixKoujo1 lowers the base
        {11, true, true, 315000, 2000, 313000}, // VarKoujo3 both
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.flag);
        opt = TOption();
        if (c.flag >= 0) {
            opt.Kazei[c.flag] = c.kazei;
            opt.Syaho[c.flag] = c.syaho;
        }
        calc(1);
        EXPECT_EQ(img->Sikyu[1].SikyuTotal, 315000);
        EXPECT_EQ(img->Sikyu[1].KazeiTotal, c.kazeiTotal);
        EXPECT_EQ(img->Koujo[1].SyahoTotal, c.syahoTotal);
        EXPECT_EQ(img->Koujo[1].SyahoSantei, c.santei);
        EXPECT_EQ(img->Koujo[1].SyahoGo, c.kazeiTotal - c.syahoTotal);
        EXPECT_EQ(img->Koujo[1].KoujoTotal, 5000 + img->Koujo[1].Syotoku);
    }
}

TEST_F(CalcTest, EmploymentInsuranceAndTax)
{
    struct Case {
        std::int32_t pay;
        std::int32_t koyou;
    } cases[] = {{245000, 1225}, {245300, 1226}, {245303, 1227}};
    TSyainRec &m = employee(1, 1, 0);
    m.Koyou = true;
    for (const Case &c : cases) {
        m.Chingin1 = c.pay;
        calc(1);
        EXPECT_EQ(img->Koujo[1].KoyouRyo, c.koyou) << c.pay;
    }
    // 甲欄 with one dependant: 208,020 falls in the 207,000..209,000 row (3,010 yen).
    m.Chingin1 = 209306;
    m.Sinzoku = 1;
    calc(1);
    EXPECT_EQ(img->Koujo[1].SyahoGo, 209306 - 1047);
    EXPECT_EQ(img->Koujo[1].Syotoku, 3010);
    m.Sinzoku = -3; // a damaged count never indexes the table
    calc(1);
    EXPECT_EQ(img->Koujo[1].Syotoku, 4630);

    // A hand-entered tax stays, unless the employee's tax is switched off.
    img->Koujo[1].Syotoku = 999;
    img->Koujo[1].Manual[7] = true;
    calc(1);
    EXPECT_EQ(img->Koujo[1].Syotoku, 999);
    m.NoSyoto = true;
    calc(1);
    EXPECT_EQ(img->Koujo[1].Syotoku, 0);
}

TEST_F(CalcTest, ResidentTaxJuneRule)
{
    TSyainRec &m = employee(1, 1, 200000);
    m.Juumin6 = 12000;
    m.Juumin = 10000;
    struct Case {
        int kbn, shift, period;
        std::int32_t want;
    } cases[] = {{0, 0, 6, 12000}, {0, 0, 7, 10000}, {-1, 1, 6, 10000}, {-1, 1, 7, 12000},
                 {1, 1, 6, 12000}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.period);
        img->Kihon.SikyuKbn = c.kbn;
        img->Kihon.Juumin6 = c.shift;
        img->KikanNo = c.period;
        calc(1);
        EXPECT_EQ(img->Koujo[1].Juumin, c.want);
    }
}

TEST_F(CalcTest, RetiredOldDataAndOverflow)
{
    employee(1, 1, 200000).TaiYMD.set("080331");
    img->Sikyu[1].Kihonkyu = 5;
    img->Sikyu[1].Manual[0] = true;
    img->Koujo[1].Manual[7] = true;
    calc(1);
    TSikyuRec zeroS{};
    TKoujoRec zeroK{};
    EXPECT_EQ(std::memcmp(&img->Sikyu[1], &zeroS, sizeof zeroS), 0);
    EXPECT_EQ(std::memcmp(&img->Koujo[1], &zeroK, sizeof zeroK), 0);

    employee(2, 1, 200000);
    auto before = img->Sikyu[2];
    CalcContext stopped{opt, items, tables2026(), file, true};
    ASSERT_TRUE(KyuyoKeisan(*img, 2, stopped));
    ZenKeisan(*img, stopped);
    EXPECT_EQ(std::memcmp(&img->Sikyu[2], &before, sizeof before), 0);

    TSyainRec &big = employee(3, 1, 2000000000);
    big.Yakuin = 2000000000;
    img->Sikyu[3].Kihonkyu = 77;
    Status s = KyuyoKeisan(*img, 3, ctx());
    EXPECT_FALSE(s);
    EXPECT_NE(s.message().find("社員3"), std::string::npos);
    EXPECT_EQ(img->Sikyu[3].Kihonkyu, 77); // nothing stored, nothing wrapped
    auto r = ZenKeisan(*img, ctx());
    EXPECT_EQ(r.errors.size(), 1u);
}

TEST(Premiums, FromGrade)
{
    const GradeTable &g = *tables2026().grades();
    auto p = TokyuSettei(g, 19, {4.95, 0.80, 9.15, 0});
    ASSERT_TRUE(p);
    EXPECT_EQ(g.grade(19).Hyojun, 240000);
    EXPECT_EQ(p->KenhoRyo, 11880);
    EXPECT_EQ(p->KaigoRyo, 1920);
    EXPECT_EQ(p->KoseiRyo, 21960);
    EXPECT_EQ(TokyuSettei(g, 5, {4.985, 0, 0, 0})->KenhoRyo, 4885);  // 4,885.3
    EXPECT_EQ(TokyuSettei(g, 6, {4.985, 0, 0, 0})->KenhoRyo, 5184);  // 5,184.4
    EXPECT_EQ(TokyuSettei(g, 5, {4.9, 0, 0, 0})->KenhoRyo, 4802);    // 4,802.00
    auto low = TokyuSettei(g, 1, {5, 0, 10, 1});
    EXPECT_EQ(low->KenhoRyo, 2900);  // health on grade 1 (58,000)
    EXPECT_EQ(low->KoseiRyo, 8800);  // pension on the lowest pension grade (88,000)
    EXPECT_EQ(low->Kakekin, 880);
    EXPECT_FALSE(TokyuSettei(g, 0, {}));
    EXPECT_FALSE(TokyuSettei(g, g.count() + 1, {}));
}

TEST_F(CalcTest, RateChangeSetsGradedEmployeesAndNamesTheOthers)
{
    employee(1, 1, 240000).KenhoTokyu = 19;
    employee(2, 1, 100000);
    img->Kihon.KenRitu = 4.95;
    img->Kihon.KaiRitu = 0.80;
    EXPECT_TRUE(planRateChange(*img).anyGrade);
    auto names = applyRateChange(*img, *tables2026().grades());
    EXPECT_EQ(img->Syain[1].KenhoRyo, 11880);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(rateChangeUngradedMessage(names),
              "下記の社員は等級表が未選択なので自動設定されません。\r社員2");
    img->Syain[1].KenhoTokyu = 0;
    EXPECT_FALSE(planRateChange(*img).anyGrade);
}

// Bonus periods read the previous month and earlier bonuses from the saved file.
class BonusTest : public CalcTest {
protected:
    // Saves month m with employee 1's pay after social insurance.
    void saveMonth(int m, std::int32_t syahoGo)
    {
        openPeriod(m);
        employee(1, 1, 300000);
        img->Koujo[1].SyahoGo = syahoGo;
        save();
    }
    // Opens bonus period k paid on month/day with employee 1's bonus.
    TSyainRec &openBonus(int k, int month, int day, std::int32_t amount)
    {
        openPeriod(k);
        img->Head.SikyuM[k - 13] = month;
        img->Head.SikyuD[k - 13] = day;
        TSyainRec &s = employee(1, 1, 300000);
        clearRecord(img->Sikyu[1]);
        clearRecord(img->Koujo[1]);
        img->Sikyu[1].Kihonkyu = amount;
        s.Kenkou = s.NenHoken = s.Koyou = true;
        return s;
    }
};

TEST_F(BonusTest, StandardBonusAndCaps)
{
    saveMonth(6, 250000);
    openBonus(13, 7, 10, 1234567);
    bonus(1);
    EXPECT_EQ(img->Koujo[1].KenhoRyo, SyahoHasuu(1234000 * 0.04955));
    EXPECT_EQ(img->Koujo[1].KoseiRyo, SyahoHasuu(1234000 * 0.0915));
    EXPECT_EQ(img->Koujo[1].KoyouRyo, KoyouHasuu(1234567 * 0.005));

    openBonus(13, 7, 10, 2000000);
    bonus(1);
    EXPECT_EQ(img->Koujo[1].KenhoRyo, SyahoHasuu(2000000 * 0.04955));
    EXPECT_EQ(img->Koujo[1].KoseiRyo, SyahoHasuu(1500000 * 0.0915));
}

TEST_F(BonusTest, FiscalYearHealthCapSumsStandardBonuses)
{
    saveMonth(6, 600000);
    openBonus(13, 7, 10, 4500400);
    bonus(1);
    save();
    saveMonth(11, 600000);
    openBonus(14, 12, 10, 1500000);
    img->Head.SikyuM[0] = 7;
    img->Head.SikyuD[0] = 10;
    EXPECT_EQ(SyoyoHyojunKen(*img, file, 1500000, "key1"), 1230000);
    bonus(1);
    EXPECT_EQ(img->Koujo[1].KenhoRyo, SyahoHasuu(1230000 * 0.04955));

    // A February bonus of the next year counts this year's July and December bonuses.
    save();
    std::string next = (dir / "令和09年給与･賞与.dat").string();
    YearFileRun run;
    auto nextImg = std::make_unique<PayImage>();
    ASSERT_TRUE(CreateYearFile(next, *nextImg, run));
    nextImg->KikanNo = 15;
    nextImg->Head.SikyuM[2] = 2;
    nextImg->Head.SikyuD[2] = 20;
    EXPECT_EQ(SyoyoHyojunKen(*nextImg, next, 500000, "key1"), 0); // 6,000,000 already counted
    nextImg->Head.SikyuM[2] = 4; // from April a new fiscal year starts
    EXPECT_EQ(SyoyoHyojunKen(*nextImg, next, 500000, "key1"), 500000);
}

TEST_F(BonusTest, TaxExceptionsAndRate)
{
    openBonus(13, 7, 10, 500000);
    EXPECT_EQ(bonus(1).exception, TaxException::NoPreviousPay);
    EXPECT_EQ(img->Koujo[1].Syotoku, 0);

    saveMonth(6, 200000);
    TSyainRec &s = openBonus(13, 7, 10, 0);
    s.Kenkou = s.NenHoken = s.Koyou = false;
    img->Sikyu[1].Kihonkyu = 2000000; // exactly ten times: the rate table applies
    EXPECT_TRUE(bonus(1).ok());
    EXPECT_GT(img->Koujo[1].Syotoku, 0);
    EXPECT_EQ(img->Koujo[1].SyoyoRitu,
              Kirisute(tables2026().bonus()->rate(200000, 0, 0) * 100000.0));
    img->Sikyu[1].Kihonkyu = 2000001;
    EXPECT_EQ(bonus(1).exception, TaxException::OverTenTimes);

    auto r = ZenKeisan(*img, ctx());
    ASSERT_EQ(r.exceptionSlots, std::vector<int>{1});
    EXPECT_FALSE(r.ZeiOk[1]);
    switchTaxToManual(*img, r);
    img->Koujo[1].Syotoku = 12345;
    EXPECT_TRUE(bonus(1).ok()); // typed tax kept, no exception
    EXPECT_EQ(img->Koujo[1].Syotoku, 12345);
}

TEST_F(BonusTest, EmploymentInsuranceCareAndNoSyoto)
{
    saveMonth(6, 300000);
    TSyainRec &s = openBonus(13, 7, 10, 800000);
    img->Sikyu[1].Yakuin = 200000;
    s.Kaigo = true;
    bonus(1);
    EXPECT_EQ(img->Koujo[1].KoyouRyo, KoyouHasuu(800000 * 0.005)); // 1,000,000 less 役員報酬
    EXPECT_EQ(img->Koujo[1].KaigoRyo,
              SyahoHasuu(1000000 * (4.955 + 0.81) / 100) - img->Koujo[1].KenhoRyo);
    s.Kenkou = false; // no health insurance: no care premium either
    bonus(1);
    EXPECT_EQ(img->Koujo[1].KenhoRyo, 0);
    EXPECT_EQ(img->Koujo[1].KaigoRyo, 0);

    s.NoSyoto = true;
    img->Koujo[1].Syotoku = 4321;
    bonus(1);
    EXPECT_EQ(img->Koujo[1].Syotoku, 4321);
}

TEST_F(BonusTest, JanuaryBonusLooksAtLastDecember)
{
    std::string prevFile = (dir / "令和07年給与･賞与.dat").string();
    auto prev = std::make_unique<PayImage>();
    YearFileRun run;
    ASSERT_TRUE(CreateYearFile(prevFile, *prev, run));
    prev->KikanNo = 12;
    prev->Syain[1].UniqueKey.set("key1");
    prev->Koujo[1].SyahoGo = 280000;
    SilentPrompter yes(Prompter::Answer::Yes);
    ASSERT_TRUE(SavePeriod(prevFile, *prev, yes, run).isOk());
    EXPECT_EQ(ZengetuSyahoGo(file, 0, "key1"), 280000);
    EXPECT_EQ(ZengetuSyahoGo(file, 0, "nobody"), 0);
}

} // namespace
} // namespace orv

namespace orv {
namespace {

TEST_F(CalcTest, CareInsuranceAgeCheckReadsBirthDates)
{
    // Birth dates as the withholding-slip program stores them: era code, year, month, day.
    std::string bytes(135300, '\0');
    auto birth = [&](int slot, int era, int year, int month, int day) {
        std::size_t at = 300 + (slot - 1) * 1500 + 1342;
        bytes[at] = static_cast<char>(era);
        bytes[at + 1] = static_cast<char>(year);
        bytes[at + 2] = static_cast<char>(month);
        bytes[at + 3] = static_cast<char>(day);
    };
    birth(1, 3, 61, 6, 26); // the day before the 40th birthday is the pay date
    birth(2, 3, 61, 6, 27); // turns 40 two days after the pay date
    birth(3, 3, 36, 1, 5);  // 65 and paying
    birth(4, 3, 50, 1, 5);  // 50 but without health insurance
    for (int i = 1; i <= 4; ++i) {
        TSyainRec &s = employee(i, 1, 200000);
        s.Kenkou = i != 4;
        s.Kaigo = i == 3;
    }
    const Date payDate{2026, 6, 25};
    SilentPrompter yes(Prompter::Answer::Yes);
    KaigoAgeCheck(*img, dir.string(), payDate, yes); // no file yet: nothing happens
    EXPECT_EQ(yes.count(), 0);

    std::string path = (dir / "源泉徴収(令和08年).dat").string();
    ASSERT_TRUE(writeFileAtomic(path, bytes.substr(0, 135299))); // too short: ignored
    KaigoAgeCheck(*img, dir.string(), payDate, yes);
    EXPECT_EQ(yes.count(), 0);

    ASSERT_TRUE(writeFileAtomic(path, bytes));
    KaigoAgeCheck(*img, dir.string(), payDate, yes);
    EXPECT_EQ(yes.count(), 2);
    EXPECT_TRUE(img->Syain[1].Kaigo);
    EXPECT_FALSE(img->Syain[2].Kaigo);
    EXPECT_FALSE(img->Syain[3].Kaigo);
    EXPECT_FALSE(img->Syain[4].Kaigo);
    EXPECT_NE(yes.last().find("65歳以上"), std::string::npos);
}

} // namespace
} // namespace orv
