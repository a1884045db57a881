#include "settings/options.h"

#include "settings/inifile.h"
#include "settings_fixture.h"

namespace orv {
namespace {

using OptionsTest = test::SettingsDir;

TEST_F(OptionsTest, NewCompanyHasTheDefaults)
{
    TOption o = LoadOptions(path("Orvane_a.ini"), true); // "新規作成": no file yet
    readRounding(path("Orvane_a.ini"), 4, o);
    EXPECT_EQ(o, TOption{});
    EXPECT_EQ(o.FixTeate1, "固定手当１");
    EXPECT_EQ(o.HasuuSik, 1); // round up
    EXPECT_EQ(o.TimeStyle, 1); // 1:45
    EXPECT_EQ(o.FormType, 1);  // A4, two per sheet
    EXPECT_EQ(o.JuryoStr, "　　受領印");
    std::array<bool, 12> sixOn = {true, true, true, true, true, true};
    EXPECT_EQ(o.Kazei, sixOn);
    EXPECT_EQ(o.Syaho, sixOn);

    // The care-premium check needs the withholding program's file.
    EXPECT_TRUE(o.KaigoChk);
    auto p = writeSjis("Orvane.ini", "[Option]\r\nKaigoChk=1\r\n");
    EXPECT_FALSE(LoadOptions(p, false).KaigoChk);
    EXPECT_TRUE(LoadOptions(p, true).KaigoChk);
}

TEST_F(OptionsTest, ReadsFileValues)
{
    auto p = writeSjis("Orvane.ini", "[option]\r\n"
                                     "fixteate1=\"皆勤手当\"\r\n"
                                     "KintaiFre=\"  \"\r\n" // quoted blanks are a name
                                     "PrAdjustH=-15\r\n"
                                     "PrAdjustV=0x7\r\n"
                                     "FormType=9\r\n" // no such paper
                                     "TimeStyle=0\r\n"
                                     "NameWide=5\r\n"
                                     "PrnRuikei=no\r\n"
                                     "Syaho=0000000000001\r\n"
                                     "HasuuSik=2\r\n"
                                     "DefJikanD=7.50\r\n");
    TOption o = LoadOptions(p, true);
    EXPECT_EQ(o.FixTeate1, "皆勤手当");
    EXPECT_EQ(o.KintaiFre, "  ");
    EXPECT_DOUBLE_EQ(o.PrAdjustH, -1.5);
    EXPECT_DOUBLE_EQ(o.PrAdjustV, 0.7);
    EXPECT_EQ(o.FormType, 1);
    EXPECT_EQ(o.TimeStyle, 0);
    EXPECT_TRUE(o.NameWide);
    EXPECT_TRUE(o.PrnRuikei); // unreadable: default
    EXPECT_EQ(o.Syaho, (std::array<bool, 12>{}));
    EXPECT_EQ(o.HasuuSik, 1); // rounding is read when a period opens, not here
    EXPECT_EQ(readDefJikanD(p), 7.5);
}

TEST(FlagStrings, ShortStringsCountZeroBeyondTheEnd)
{
    struct Case {
        const char *text;
        std::array<bool, 12> want;
    } cases[] = {
        {"1", {true}},
        {"011", {false, true, true}},
        {"1x1 1", {true, false, true, false, true}},
        {"0000000000001111", {}},
        {"111111111111", {true, true, true, true, true, true, true, true, true, true, true, true}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(flagsFromString<12>(c.text), c.want);
        IniFile ini = IniFile::fromBytes(std::string("[Option]\r\nKazei=") + c.text + "\r\n");
        EXPECT_EQ(flagsFromString<12>(ini.readString("Option", "Kazei")), c.want);
    }
    EXPECT_EQ(flagsToString(std::array<bool, 4>{true, false, false, true}), "1001");
}

TEST_F(OptionsTest, KazeiOfOneCharacterSetsOnlyTheFirstItem)
{
    auto p = writeSjis("Orvane.ini", "[Option]\r\nKazei=1\r\n");
    EXPECT_EQ(LoadOptions(p, true).Kazei, (std::array<bool, 12>{true}));
}

TEST_F(OptionsTest, BonusPeriodsUseTheirOwnRoundingWithSalaryDefaults)
{
    auto p = writeSjis("Orvane.ini", "[Option]\r\nHasuuSik=2\r\nHasuuKou=2\r\nHasuuKouS=0\r\n");
    struct Case {
        int kikan, sik, gen, kou;
    } cases[] = {{1, 2, 0, 2}, {12, 2, 0, 2}, {13, 2, 0, 0}, {15, 2, 0, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kikan);
        TOption o;
        readRounding(p, c.kikan, o);
        EXPECT_EQ(o.HasuuSik, c.sik);
        EXPECT_EQ(o.HasuuGen, c.gen);
        EXPECT_EQ(o.HasuuKou, c.kou);
    }
}

TEST_F(OptionsTest, SavingInABonusPeriodWritesTheBonusRounding)
{
    auto p = writeSjis("Orvane.ini", "[Option]\r\nHasuuSik=1\r\n");
    TOption o;
    readRounding(p, 14, o);
    o.HasuuSik = 2;
    ASSERT_TRUE(SaveOptions(p, o, 14));
    IniFile ini = IniFile::load(p);
    EXPECT_EQ(ini.readString("Option", "HasuuSik"), "1");
    EXPECT_EQ(ini.readString("Option", "HasuuSikS"), "2");
    TOption salary, bonus;
    readRounding(p, 3, salary);
    readRounding(p, 14, bonus);
    EXPECT_EQ(salary.HasuuSik, 1);
    EXPECT_EQ(bonus.HasuuSik, 2);

    ASSERT_TRUE(SaveOptions(p, salary, 3));
    EXPECT_EQ(IniFile::load(p).readString("Option", "HasuuSikS"), "2");
}

TEST_F(OptionsTest, SaveAndReloadKeepEveryField)
{
    TOption o;
    o.FixTeate1 = "皆勤手当";
    o.VarKoujo3 = " 前後に空白 ";
    o.KintaiFre = "研修時間";
    o.TokuSyoyo = "決算賞与";
    o.JuryoStr = "　　受領印"; // the full-width blanks must survive
    o.FontNameM = "ＭＳ Ｐゴシック";
    o.Kazei = {false, true, false, false, false, false, false, false, false, false, false, true};
    o.Syaho = {};
    o.FormType = 2;
    o.TimeStyle = 0;
    o.PrAdjustH = -1.5;
    o.PrAdjustV = 2.3;
    o.AutoSelect = false;
    o.PrnFuyou = false;
    o.SyoyoName = true;
    o.NoticeChk = true;
    o.HasuuGen = 2;

    auto p = writeSjis("Orvane.ini", "; kept\r\n[Option]\r\nDefJikanD=8.00\r\nProgVer=3.10\r\n");
    ASSERT_TRUE(SaveOptions(p, o, 6));
    TOption back = LoadOptions(p, true);
    readRounding(p, 6, back);
    EXPECT_EQ(back, o);

    IniFile ini = IniFile::load(p);
    EXPECT_EQ(ini.readString("Option", "PrAdjustH"), "-15");
    EXPECT_EQ(ini.readString("Option", "Kazei"), "010000000001");
    EXPECT_EQ(ini.readString("Option", "DefJikanD"), "8.00");
    std::string bytes = readBytes(p);
    EXPECT_EQ(bytes.rfind("; kept\r\n[Option]\r\nDefJikanD=8.00\r\nProgVer=3.10\r\nFormType=2\r\n", 0),
              0u);
    EXPECT_NE(bytes.find(*utf8ToSjis("JuryoStr=\"　　受領印\"\r\n")), std::string::npos);

    // The keys in the order of the settings screen.
    std::vector<std::string> keys = ini.keys("Option");
    std::vector<std::string> want = {
        "DefJikanD", "ProgVer",   "FormType",   "TimeStyle", "HasuuSik",   "HasuuGen",
        "HasuuKou",  "PrAdjustH", "PrAdjustV",  "AutoSelect", "InputOverN", "PrnRuikei",
        "NameWide",  "NoBakCol",  "Use2kSatu",  "ManualOn",  "PrnJuryo",   "OldIchiran",
        "PrnFuyou",  "PrnSikyubi", "NoticeChk", "KaigoChk",  "SyoyoName",  "JuryoStr",
        "FontName",  "FontNameM", "FontNameS",  "FontNameO", "FixTeate1",  "FixTeate2",
        "FixTeate3", "VarTeate1", "VarTeate2",  "VarTeate3", "FixKoujo1",  "FixKoujo2",
        "FixKoujo3", "VarKoujo1", "VarKoujo2",  "VarKoujo3", "TokuSyoyo",  "KintaiFre",
        "Sonota1",   "Sonota2",   "Sonota3",    "Kazei",     "Syaho"};
    EXPECT_EQ(keys, want);
}

TEST_F(OptionsTest, SaveFailuresAreReported)
{
    TOption o;
    EXPECT_FALSE(SaveOptions(path("nosuch") / "Orvane.ini", o, 1));
    o.FixTeate1 = "手当①"; // CP932 has ①
    auto p = writeSjis("Orvane.ini", "[Option]\r\nFormType=0\r\n");
    EXPECT_TRUE(SaveOptions(p, o, 1));
    o.FixTeate1 = "手当😀";
    const std::string before = readBytes(p);
    EXPECT_FALSE(SaveOptions(p, o, 1));
    EXPECT_EQ(readBytes(p), before); // nothing of the refused save reached the file
}

TEST_F(OptionsTest, DefJikanDIsWrittenWithTwoDecimals)
{
    auto p = path("Orvane.ini");
    EXPECT_EQ(readDefJikanD(p), 0.0); // never entered
    ASSERT_TRUE(writeDefJikanD(p, 7.75));
    EXPECT_EQ(IniFile::load(p).readString("Option", "DefJikanD"), "7.75");
    ASSERT_TRUE(writeDefJikanD(p, 8));
    EXPECT_EQ(IniFile::load(p).readString("Option", "DefJikanD"), "8.00");
    EXPECT_EQ(readDefJikanD(p), 8.0);
}

TEST_F(OptionsTest, CorpDataEntriesArePaddedTo60BytesWithTheSuffixAfter)
{
    auto p = path("Orvane.ini");
    std::vector<CorpDataEntry> entries = {
        {"オリジナルデータ", ""}, {"新しい会社データ", "_a"}, {" 前に空白", "_b"}};
    ASSERT_TRUE(writeCorpData(p, entries));
    IniFile ini = IniFile::load(p);
    EXPECT_EQ(ini.readInt("CorpData", "Count", 0), 3);
    std::string data2 = *utf8ToSjis(ini.readString("CorpData", "Data2"));
    EXPECT_EQ(data2.size(), 62u);
    EXPECT_EQ(data2.substr(0, 16), *utf8ToSjis("新しい会社データ"));
    EXPECT_EQ(data2.substr(16, 44), std::string(44, ' '));
    EXPECT_EQ(data2.substr(60), "_a");

    auto back = readCorpData(p);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].name, "オリジナルデータ");
    EXPECT_EQ(back[0].suffix, "");
    EXPECT_EQ(back[1].suffix, "_a");
    EXPECT_EQ(back[2].name, "前に空白"); // leading blanks are trimmed away on reading
    EXPECT_EQ(back[2].suffix, "_b");

    EXPECT_FALSE(writeCorpData(p, std::vector<CorpDataEntry>(11, {"x", "_c"})));
    EXPECT_FALSE(writeCorpData(p, {{"名前😀", ""}}));
    EXPECT_EQ(readCorpData(p).size(), 3u);
}

TEST_F(OptionsTest, CorpDataReadingSkipsBlankEntriesAndHonoursCount)
{
    auto p = writeSjis("Orvane.ini", "[CorpData]\r\nCount=3\r\nData1=オリジナルデータ\r\n"
                                     "Data2=   \r\nData3=別会社" +
                                         std::string(54, ' ') + "_c\r\nData4=余分_d\r\n");
    auto entries = readCorpData(p);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].name, "別会社");
    EXPECT_EQ(entries[1].suffix, "_c");
    EXPECT_EQ(readCorpCount(p, 1), 3);
    EXPECT_EQ(readCorpCount(path("none.ini"), 1), 1);
    EXPECT_EQ(readCorpCount(path("none.ini"), 0), 0);
}

TEST_F(OptionsTest, MemoAndMailLines)
{
    auto p = writeSjis("Orvane.ini", "[PrintMemo]\r\nLineCount=2\r\nLine1=今月の\r\nLine2=お知らせ\r\n"
                                     "Line3=x\r\nLine4=y\r\nLine5=z\r\n"
                                     "[MailText]\r\nLineCount=4\r\nLine1=a\r\nLine2=NoData\r\n"
                                     "Line3=c\r\n");
    EXPECT_EQ(readPrintMemo(p), (std::vector<std::string>{"今月の", "お知らせ"}));
    EXPECT_EQ(readMailText(p), std::vector<std::string>{"a"});

    // An empty line in the middle of the mail body stays (it is not the end of the text),
    // and blanks at the ends of a line survive.
    std::vector<std::string> body = {"各位", "", "  明細を送ります。", "以上"};
    ASSERT_TRUE(writeMailText(p, body));
    EXPECT_EQ(readMailText(p), body);
    ASSERT_TRUE(writePrintMemo(p, {"一行"}));
    EXPECT_EQ(readPrintMemo(p), std::vector<std::string>{"一行"});
    EXPECT_EQ(IniFile::load(p).readString("PrintMemo", "Line2"), "お知らせ"); // left, not read
}

TEST_F(OptionsTest, WindowAndPrinterSettings)
{
    auto corp = path("Orvane_a.ini");
    ListWindowGeometry fresh = readListWindow(corp, "ListInp");
    EXPECT_EQ(fresh.state, "");
    EXPECT_EQ(fresh.width, 800);
    EXPECT_EQ(fresh.height, 480);
    ASSERT_TRUE(writeListWindow(corp, "ListMem", {"wsMaximized", 10, 20, 1000, 600}));
    ListWindowGeometry g = readListWindow(corp, "ListMem");
    EXPECT_EQ(g.state, "wsMaximized");
    EXPECT_EQ(g.top, 20);
    EXPECT_EQ(g.width, 1000);
    EXPECT_EQ(readListWindow(corp, "ListInp").width, 800);

    auto sys = path("Orvane.ini");
    MainWindowGeometry defaults{0, 640, 0, 0, 1920, 1};
    EXPECT_TRUE(readPreviewBar(sys)); // on by default
    ASSERT_TRUE(writeMainWindow(sys, {1024, 700, 30, 40, 2560, 2, false}));
    EXPECT_FALSE(readPreviewBar(sys));
    MainWindowGeometry m = readMainWindow(sys, defaults);
    EXPECT_EQ(m.width, 0); // the width is not read back
    EXPECT_EQ(m.height, 700);
    EXPECT_EQ(m.left, 30);
    EXPECT_EQ(m.screenWidth, 2560);
    EXPECT_EQ(m.monitorCount, 2);

    PrintInfo info;
    info.DeviceName = "とても長い名前のプリンタ・ドライバ名称です"; // over 31 bytes
    info.PaperSize = 9;
    info.Orientation = 2;
    ASSERT_TRUE(writePrintInfo(corp, info));
    PrintInfo back = readPrintInfo(corp);
    EXPECT_EQ(utf8ToSjis(back.DeviceName)->size(), 30u);
    EXPECT_EQ(back.PaperSize, 9);
    EXPECT_EQ(back.Orientation, 2);
    EXPECT_EQ(back.PrintColor, 0);
}

} // namespace
} // namespace orv
