#include "core/options/option.h"
#include "core/options/slipitems.h"
#include "settings/inifile.h"
#include "settings/slipitemsio.h"

#include "settings_fixture.h"

namespace orv {
namespace {

using SlipItemsTest = test::SettingsDir;

TOption renamedOptions()
{
    TOption o;
    o.FixTeate1 = "皆勤手当";
    o.VarTeate3 = "出張手当";
    o.FixKoujo2 = "社宅費";
    o.VarKoujo1 = "旅行積立";
    o.Sonota2 = "立替金";
    o.KintaiFre = "研修時間";
    return o;
}

TEST(ItemNameTest, PlaceholdersBecomeTheUsersNames)
{
    TOption o = renamedOptions();
    struct Case {
        const char *stored, *want;
    } cases[] = {
        {"F固定手当１", "F皆勤手当"},   {"F固定手当２", "F固定手当２"}, {"V変動手当３", "V出張手当"},
        {"F固定控除２", "F社宅費"},     {"V変動控除１", "V旅行積立"},   {"Vその他２", "V立替金"},
        {"V勤怠項目", "V研修時間"},     {"F基本給", "F基本給"},         {"F", "F"},
        {"V固定手当１", "V固定手当１"}, // the prefix is part of the placeholder
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(ItemName(o, c.stored), c.want);
    }
    EXPECT_EQ(ItemName(TOption{}, "V勤怠項目"), "V"); // not named yet
}

TEST(StoredItemNameTest, RenamedItemsKeepTheirSlot)
{
    TOption o = renamedOptions();
    struct Case {
        ItemList list;
        const char *name, *want;
    } cases[] = {
        {ItemList::Sikyu, "F皆勤手当", "F固定手当１"},   // a display name goes back to its slot
        {ItemList::Sikyu, "F出張手当", "V変動手当３"},
        {ItemList::Sikyu, "F固定手当１", "F固定手当１"}, // a placeholder stays
        {ItemList::Sikyu, "F社宅費", "F社宅費"},         // a deduction name in the pay list
        {ItemList::Koujo, "F社宅費", "F固定控除２"},
        {ItemList::Kintai, "V研修時間", "V勤怠項目"},
        {ItemList::Sonota, "V立替金", "V立替金"},       // "other" names as they are
        {ItemList::Sikyu, "F基本給", "F基本給"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StoredItemName(o, c.list, c.name), c.want);
    }

    // FixTeate1 renamed to the text of FixTeate2's placeholder: FixTeate2's slot must stay
    // FixTeate2's, and a blank slot must not become the unnamed attendance item.
    TOption swapped;
    swapped.FixTeate1 = "固定手当２";
    swapped.FixTeate2 = "皆勤";
    EXPECT_EQ(StoredItemName(swapped, ItemList::Sikyu, "F固定手当２"), "F固定手当２");
    EXPECT_EQ(StoredItemName(swapped, ItemList::Kintai, "F"), "F");
}

TEST(SlipDefaults, MonthlyAttendanceTableFollowsTheDefaultFlags)
{
    SlipItems s = SlipItems::defaults(SlipKind::Kyuyo);
    const std::array<std::string, 16> monthly = {
        "F所定労働日数", "V出勤日数",     "V有休日数",     "V欠勤日数",
        "F",             "V特別休暇日数", "F所定労働時間", "V実働時間",
        "V普通残業時間", "V深夜残業時間", "V休日普通残業", "F",
        "V遅刻早退回数", "V遅刻早退時間", "V勤怠項目",     "V有休残日数"};
    EXPECT_EQ(s.KintaiNames[1], monthly);
    // Hourly: "0110010100000011".
    EXPECT_EQ(s.KintaiNames[3][0], "F");
    EXPECT_EQ(s.KintaiNames[3][1], "V出勤日数");
    EXPECT_EQ(s.KintaiNames[3][7], "V実働時間");
    EXPECT_EQ(s.KintaiNames[3][14], "V勤怠項目");
    EXPECT_EQ(s.KintaiNames[3][13], "F");
    // Daily pay: "111000000011010001".
    EXPECT_EQ(s.SikyuNames[2][0], "F基本給");
    EXPECT_EQ(s.SikyuNames[2][3], "F");
    EXPECT_EQ(s.SikyuNames[2][12], "F"); // no absence deduction for daily pay
    EXPECT_EQ(s.SikyuNames[2][11], "F課税通勤費");
    EXPECT_EQ(s.SikyuNames[2][13], "F遅刻早退控除");
    EXPECT_EQ(s.SikyuNames[2][17], "F課税支給合計");
    EXPECT_EQ(s.KoujoNames[1][9], "F住民税");
    EXPECT_EQ(s.SonotaNames[1], (std::array<std::string, 3>{"F", "F", "F"}));
    EXPECT_EQ(s.SonotaItems[0].Name, "Vその他１");
    for (const auto &name : s.KintaiNames[0])
        EXPECT_EQ(name, "F"); // index 0 is no pay form
}

TEST(SlipDefaults, BonusSet)
{
    SlipItems s = SlipItems::defaults(SlipKind::Syoyo);
    EXPECT_EQ(s.kind, SlipKind::Syoyo);
    EXPECT_EQ(s.SikyuItems[0].Name, "V賞与");
    EXPECT_EQ(s.SikyuItems[11].Name, "F課税支給合計");
    // "111000100011111111": the user-named allowances start unused in bonuses.
    EXPECT_EQ(s.SikyuNames[1][1], "V役員報酬");
    EXPECT_EQ(s.SikyuNames[1][3], "F");
    EXPECT_EQ(s.SikyuNames[1][7], "F");
    EXPECT_EQ(s.SikyuNames[1][11], "F課税支給合計");
    EXPECT_EQ(s.KoujoItems[9].Name, "F"); // no resident tax on bonuses
    EXPECT_EQ(s.KoujoItems[8].Name, "F所得税");
    for (int f = 1; f <= 3; ++f) {
        for (const auto &name : s.KintaiNames[f])
            EXPECT_EQ(name, "F");
    }
}

TEST_F(SlipItemsTest, MissingFileGivesTheDefaults)
{
    for (SlipKind kind : {SlipKind::Kyuyo, SlipKind::Syoyo}) {
        SlipItems loaded = LoadSlipItems(path("Orvane.ini"), kind, true);
        SlipItems defaults = SlipItems::defaults(kind);
        EXPECT_EQ(loaded.SikyuNames, defaults.SikyuNames);
        EXPECT_EQ(loaded.KoujoNames, defaults.KoujoNames);
        EXPECT_EQ(loaded.KintaiNames, defaults.KintaiNames);
        EXPECT_EQ(loaded.SonotaNames, defaults.SonotaNames);
    }
}

TEST_F(SlipItemsTest, ReadsListsAndFlags)
{
    auto p = writeSjis("Orvane.ini", "[KyuyoItemName]\r\n"
                                     "Kintai02=V\r\n"     // too short: the free item, unused
                                     "Kintai05=\r\n"      // empty: the default
                                     "Sikyu00=F役職手当\r\n"
                                     "Sikyu01=F基本給\r\n"
                                     "[KyuyoKeitai1]\r\n"
                                     "Kintai=1111111111111111\r\n"
                                     "Sikyu=01\r\n" // beyond the end: unused
                                     "[KyuyoKeitai2]\r\nKintai=0010000000000000\r\n");
    SlipItems s = LoadSlipItems(p, SlipKind::Kyuyo, true);
    EXPECT_EQ(s.KintaiItems[2].Name, "V勤怠項目");
    EXPECT_EQ(s.KintaiItems[2].Use, (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(s.KintaiItems[5].Name, "V特別休暇日数");
    EXPECT_EQ(s.KintaiNames[1][1], "V出勤日数");
    EXPECT_EQ(s.KintaiNames[1][2], "F");
    EXPECT_EQ(s.SikyuNames[1][0], "F");
    EXPECT_EQ(s.SikyuNames[1][1], "F基本給");
    EXPECT_EQ(s.SikyuNames[1][2], "F");
    EXPECT_EQ(s.SikyuNames[2][0], "F役職手当"); // form 2 keeps its default flags

    SlipItems noDerive = LoadSlipItems(p, SlipKind::Kyuyo, false);
    EXPECT_EQ(noDerive.SikyuItems[1].Name, "F基本給");
    EXPECT_EQ(noDerive.SikyuNames[1][1], "");
}

TEST_F(SlipItemsTest, RenamingAnItemLeavesTheStoredListsAlone)
{
    auto p = path("Orvane.ini");
    TOption before;
    SlipItems s = LoadSlipItems(p, SlipKind::Kyuyo, false);
    ASSERT_TRUE(SaveSlipItems(p, SlipKind::Kyuyo, before, s, true));
    const std::string saved = readBytes(p);

    // FixTeate1 renamed: the slip screen shows the new name in the same slot...
    TOption after = before;
    after.FixTeate1 = "皆勤手当";
    SlipItems reopened = LoadSlipItems(p, SlipKind::Kyuyo, false);
    EXPECT_EQ(ItemName(after, reopened.SikyuItems[3].Name), "F皆勤手当");
    // ...and saving the lists again stores the same placeholders.
    ASSERT_TRUE(SaveSlipItems(p, SlipKind::Kyuyo, after, reopened, true));
    EXPECT_EQ(readBytes(p), saved);
    EXPECT_EQ(IniFile::load(p).readString("KyuyoItemName", "Sikyu03"), "F固定手当１");
}

TEST_F(SlipItemsTest, SaveWritesNamesAndFlagsAndReloads)
{
    auto p = writeSjis("Orvane.ini", "[Option]\r\nFixTeate2=\"皆勤\"\r\n");
    TOption o;
    o.FixTeate2 = "皆勤";
    SlipItems s = LoadSlipItems(p, SlipKind::Kyuyo, false);
    // Swap 基本給 and 役職手当, switch 家族手当 off for hourly pay, take an entry back from
    // its display name as an older list may hold it.
    std::swap(s.SikyuItems[0], s.SikyuItems[1]);
    s.SikyuItems[2].Use[2] = false;
    s.SikyuItems[4].Name = "F皆勤";
    ASSERT_TRUE(SaveSlipItems(p, SlipKind::Kyuyo, o, s, true));
    EXPECT_EQ(s.SikyuNames[1][0], "F役職手当"); // derived on save

    IniFile ini = IniFile::load(p);
    EXPECT_EQ(ini.readString("KyuyoItemName", "Sikyu00"), "F役職手当");
    EXPECT_EQ(ini.readString("KyuyoItemName", "Sikyu04"), "F固定手当２");
    EXPECT_EQ(ini.readString("KyuyoKeitai3", "Sikyu"), "110000000011000001");
    EXPECT_EQ(ini.readString("KyuyoKeitai1", "Kintai"), "1111011111101111");
    EXPECT_EQ(ini.readString("KyuyoKeitai1", "Sonota"), "000");
    EXPECT_EQ(ini.readString("Option", "FixTeate2"), "皆勤");

    SlipItems back = LoadSlipItems(p, SlipKind::Kyuyo, true);
    EXPECT_EQ(back.SikyuItems[0].Name, "F役職手当");
    EXPECT_EQ(back.SikyuItems[4].Name, "F固定手当２");
    EXPECT_EQ(back.SikyuItems[2].Use, (std::array<bool, 3>{true, true, false}));
    EXPECT_EQ(back.KintaiNames, s.KintaiNames);
}

TEST_F(SlipItemsTest, BonusListsHaveNoAttendance)
{
    auto p = path("Orvane.ini");
    SlipItems s = LoadSlipItems(p, SlipKind::Syoyo, false);
    ASSERT_TRUE(SaveSlipItems(p, SlipKind::Syoyo, TOption{}, s, true));
    IniFile ini = IniFile::load(p);
    EXPECT_EQ(ini.keys("SyoyoItemName").size(), 18u + 18u + 3u);
    EXPECT_EQ(ini.keys("SyoyoKeitai2"), (std::vector<std::string>{"Sikyu", "Koujo", "Sonota"}));
    EXPECT_EQ(ini.readString("SyoyoKeitai2", "Sikyu"), "111000100011111111");
    EXPECT_TRUE(ini.keys("KyuyoItemName").empty());
}

TEST_F(SlipItemsTest, SaveWithoutWriteOnlyDerives)
{
    auto p = path("Orvane.ini");
    SlipItems s = LoadSlipItems(p, SlipKind::Kyuyo, false);
    s.SonotaItems[1].Use[0] = true;
    ASSERT_TRUE(SaveSlipItems(p, SlipKind::Kyuyo, TOption{}, s, false));
    EXPECT_EQ(s.SonotaNames[1][1], "Vその他２");
    EXPECT_FALSE(std::filesystem::exists(p));
    EXPECT_FALSE(SaveSlipItems(path("nosuch") / "x.ini", SlipKind::Kyuyo, TOption{}, s, true));
}

} // namespace
} // namespace orv
