#include "settings/inifile.h"

#include "settings_fixture.h"

namespace orv {
namespace {

using test::SettingsDir;
using IniFileTest = SettingsDir;

// A file as a user or an older version may have left it: comments, unknown keys, blanks
// around "=", blank lines, CRLF line ends.
const std::string kHandFile = "; カナリエの設定\r\n"
                              "[Option]\r\n"
                              "FormType=0\r\n"
                              "  TimeStyle = 0 \r\n"
                              "Unbekannt=何か\r\n"
                              "JuryoStr=\"　　受領印\"\r\n"
                              "FontName = ＭＳ 明朝 \r\n"
                              "\r\n"
                              "[Window]\r\n"
                              "MainFormPX=0x10\r\n";

TEST_F(IniFileTest, ReadsPrivateProfileValues)
{
    IniFile ini = IniFile::load(writeSjis("Orvane.ini", kHandFile));
    EXPECT_EQ(ini.readInt("Option", "FormType", 1), 0);
    EXPECT_EQ(ini.readInt("OPTION", "timestyle", 1), 0); // names ignore letter case
    EXPECT_EQ(ini.readString("option", "UNBEKANNT"), "何か");
    EXPECT_EQ(ini.readString("Option", "JuryoStr"), "　　受領印"); // quotes keep the blanks
    EXPECT_EQ(ini.readString("Option", "FontName"), "ＭＳ 明朝");   // trimmed
    EXPECT_EQ(ini.readInt("Window", "MainFormPX", 0), 16);
    EXPECT_EQ(ini.readString("Option", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.readInt("Nosuch", "FormType", 7), 7);
    // The comment line before the first section belongs to no section.
    EXPECT_EQ(ini.keys("Option").size(), 5u);
}

TEST_F(IniFileTest, WritesOnlyTheChangedBytes)
{
    auto p = writeSjis("Orvane.ini", kHandFile);
    ASSERT_TRUE(IniFile::writeInt(p, "option", "formtype", 2));
    std::string want = kHandFile;
    want.replace(want.find("FormType=0"), 10, "FormType=2"); // the file's own spelling stays
    EXPECT_EQ(readBytes(p), *utf8ToSjis(want));

    // A new key goes after the last line of its section, before the blank separator;
    // a new section at the end, in the file's CRLF.
    ASSERT_TRUE(IniFile::writeInt(p, "Option", "HasuuSikS", 2));
    ASSERT_TRUE(IniFile::writeString(p, "PrintInfo", "DeviceName", "プリンタ"));
    want.insert(want.find("\r\n\r\n[Window]") + 2, "HasuuSikS=2\r\n");
    want += "\r\n[PrintInfo]\r\nDeviceName=プリンタ\r\n";
    EXPECT_EQ(readBytes(p), *utf8ToSjis(want));

    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), {}), 1);
}

TEST_F(IniFileTest, NewFileIsShiftJisWithCrlf)
{
    auto p = path("Orvane_a.ini");
    ASSERT_TRUE(IniFile::writeQuoted(p, "Option", "FixTeate1", " 皆勤手当 "));
    ASSERT_TRUE(IniFile::writeBool(p, "Option", "NoticeChk", true));
    EXPECT_EQ(readBytes(p), *utf8ToSjis("[Option]\r\nFixTeate1=\" 皆勤手当 \"\r\nNoticeChk=1\r\n"));
    EXPECT_EQ(IniFile::load(p).readString("Option", "FixTeate1"), " 皆勤手当 ");
}

TEST_F(IniFileTest, FirstMatchWins)
{
    auto p = writeSjis("x.ini", "[A]\r\nk=1\r\nK=2\r\n[B]\r\nk=3\r\n[a]\r\nk=4\r\nz=5\r\n");
    IniFile ini = IniFile::load(p);
    EXPECT_EQ(ini.readInt("A", "k", 0), 1);
    // Only the first section of a name is searched, as the private-profile functions do.
    EXPECT_EQ(ini.readInt("A", "z", 0), 0);
    ASSERT_TRUE(IniFile::writeInt(p, "a", "K", 9));
    ASSERT_TRUE(IniFile::writeInt(p, "a", "z", 6));
    EXPECT_EQ(readBytes(p), "[A]\r\nk=9\r\nK=2\r\nz=6\r\n[B]\r\nk=3\r\n[a]\r\nk=4\r\nz=5\r\n");
}

TEST_F(IniFileTest, CaseFoldingLeavesDoubleByteCharactersAlone)
{
    // ア is 0x83 0x41 and ヂ is 0x83 0x61: folding bytes would take one for the other.
    IniFile ini = IniFile::fromBytes(*utf8ToSjis("[ア]\r\nキー=1\r\n"));
    EXPECT_EQ(ini.readInt("ア", "キー", 0), 1);
    EXPECT_EQ(ini.readInt("ヂ", "キー", 0), 0);
}

TEST(IniFileValues, IntegersBooleansAndDefaults)
{
    struct Case {
        const char *value;
        int want; // default is -99
    } cases[] = {
        {"42", 42},         {"+7", 7},           {"-15", -15},    {" 3 ", 3},
        {"0x1F", 31},       {"0XfF", 255},       {"-0x10", -16},  {"0xFFFFFFFF", -1},
        {"", -99},          {"abc", -99},        {"12abc", -99},  {"1.5", -99},
        {"0x", -99},        {"+-1", -99},        {"2147483647", 2147483647},
        {"2147483648", -99}, {"-2147483648", -2147483647 - 1}, {"\"5\"", 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        IniFile ini = IniFile::fromBytes(std::string("[S]\r\nk=") + c.value + "\r\n");
        EXPECT_EQ(ini.readInt("S", "k", -99), c.want);
        // Booleans are integers: any non-zero value is true, an unreadable one the default.
        EXPECT_EQ(ini.readBool("S", "k", true), c.want != 0);
    }
    IniFile ini = IniFile::fromBytes("[S]\r\nd=8.00\r\ne=\r\nq=\"\"\r\nx=8h\r\n");
    EXPECT_EQ(ini.readDouble("S", "d", 0), 8.0);
    EXPECT_EQ(ini.readDouble("S", "x", 1.5), 1.5);
    EXPECT_EQ(ini.readString("S", "e", "dflt"), "dflt"); // empty value: the default
    EXPECT_EQ(ini.readString("S", "q", "dflt"), "dflt");
    EXPECT_EQ(ini.value("S", "e"), std::optional<std::string>(""));
    EXPECT_EQ(ini.value("S", "none"), std::nullopt);
}

TEST(IniFileValues, LongValueIsCutAt2047BytesWithoutSplittingACharacter)
{
    std::string value = "a" + std::string(1499, 'x');
    for (int i = 0; i < 300; ++i)
        value += *utf8ToSjis("漢"); // 1500 + 600 bytes; byte 2047 is a lead byte
    IniFile ini = IniFile::fromBytes("[S]\nk=" + value + "\n");
    std::string got = *utf8ToSjis(ini.readString("S", "k"));
    EXPECT_EQ(got.size(), 2046u);
    EXPECT_EQ(got, value.substr(0, 2046));
}

TEST_F(IniFileTest, DamagedFileIsReadAndRewrittenWithoutLosingLines)
{
    // A lone "[", a cut-off header, a line without "=" and no final newline.
    const std::string damaged = "[Option]\r\nFormType=2\r\n[\r\nJunk line\r\n[Wind\r\nTimeStyle=0";
    auto p = writeBytes("Orvane.ini", damaged);
    IniFile ini = IniFile::load(p);
    EXPECT_EQ(ini.readInt("Option", "FormType", 1), 2);
    EXPECT_EQ(ini.readInt("Option", "TimeStyle", 1), 0); // the broken lines are no headers
    ASSERT_TRUE(IniFile::writeInt(p, "Option", "AutoSelect", 0));
    EXPECT_EQ(readBytes(p), damaged + "\r\nAutoSelect=0\r\n");
    ASSERT_TRUE(IniFile::writeInt(p, "Option", "TimeStyle", 1));
    EXPECT_EQ(readBytes(p),
              "[Option]\r\nFormType=2\r\n[\r\nJunk line\r\n[Wind\r\nTimeStyle=1\r\nAutoSelect=0\r\n");

    // Cut inside a double-byte character and inside a key: still read, still kept.
    std::string cut = *utf8ToSjis("[Option]\nFixTeate1=\"皆勤\"\nJuryoStr=受領");
    cut.pop_back();
    cut += "\nForm";
    p = writeBytes("cut.ini", cut);
    EXPECT_EQ(IniFile::load(p).readString("Option", "FixTeate1"), "皆勤");
    ASSERT_TRUE(IniFile::writeInt(p, "Window", "MainFormPX", 5));
    EXPECT_EQ(readBytes(p), cut + "\n\n[Window]\nMainFormPX=5\n"); // the file's LF kept
}

TEST_F(IniFileTest, WriteFailuresAreReportedAndNameTheFile)
{
    auto missingFolder = path("nosuch") / "Orvane.ini";
    Status s = IniFile::writeInt(missingFolder, "Option", "FormType", 1);
    EXPECT_FALSE(s);
    EXPECT_NE(s.message().find(missingFolder.string()), std::string::npos);

    auto folder = path("Orvane.ini");
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(IniFile::writeInt(folder, "Option", "FormType", 1));
    EXPECT_TRUE(std::filesystem::is_directory(folder));

    // A read-only file is refused even for a user that could replace it.
    auto ro = writeBytes("ro.ini", "[Option]\r\nFormType=0\r\n");
    std::filesystem::permissions(ro, std::filesystem::perms::owner_read);
    EXPECT_FALSE(IniFile::writeInt(ro, "Option", "FormType", 1));
    EXPECT_EQ(readBytes(ro), "[Option]\r\nFormType=0\r\n");
}

TEST_F(IniFileTest, RefusesValuesThatCannotBeStored)
{
    auto p = writeBytes("Orvane.ini", "[Option]\r\nFormType=0\r\n");
    EXPECT_FALSE(IniFile::writeString(p, "Option", "FixTeate1", "手当😀")); // not in CP932
    EXPECT_FALSE(IniFile::writeString(p, "Option", "FixTeate1", "a\r\n[Evil]"));
    EXPECT_FALSE(IniFile::writeString(p, "Option", "Fix=Teate1", "a"));
    EXPECT_FALSE(IniFile::writeString(p, "Opt]ion", "FixTeate1", "a"));
    EXPECT_EQ(readBytes(p), "[Option]\r\nFormType=0\r\n");
}

TEST_F(IniFileTest, ByteValuesPassUnconverted)
{
    // Bytes that are no Shift-JIS text (a scrambled password) come back exactly.
    const std::string bytes = std::string("\x10\xF0\x7F ", 4);
    auto p = path("Orvane.ini");
    IniFile ini;
    ASSERT_TRUE(ini.setBytes("Option", "ListFile", "\"" + bytes + "\""));
    EXPECT_FALSE(ini.setBytes("Option", "ListFile", "a\nb"));
    ASSERT_TRUE(ini.save(p));
    EXPECT_EQ(IniFile::load(p).valueBytes("Option", "ListFile"), bytes);
}

TEST_F(IniFileTest, UnreadableFileIsNotReplacedByAWrite)
{
    auto folder = path("Orvane.ini");
    std::filesystem::create_directory(folder);
    EXPECT_TRUE(IniFile::load(folder).empty()); // a reader just sees defaults
    EXPECT_FALSE(IniFile::open(folder));
}

} // namespace
} // namespace orv
