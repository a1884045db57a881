#include "settings/password.h"

#include "core/util/sjis.h"
#include "settings/inifile.h"
#include "settings_fixture.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using PasswordTest = test::SettingsDir;

TEST_F(PasswordTest, LegacyFormRoundTrip)
{
    // "abc" is stored as the bytes 0x51 0x52 0x53; a single blank as 0x10.
    EXPECT_EQ(legacyScramble("abc"), "QRS");
    EXPECT_EQ(legacyDescramble("QRS"), "abc");
    EXPECT_EQ(legacyScramble(" "), std::string(1, '\x10'));
    const std::string kanji = sjis("給与");
    EXPECT_EQ(legacyDescramble(legacyScramble(kanji)), kanji);
}

TEST_F(PasswordTest, SetVerifyAndRemove)
{
    auto ini = path("Orvane.ini");
    EXPECT_FALSE(loadPassword(ini).isSet());
    ASSERT_TRUE(savePassword(ini, "秘密 pass"));

    StoredPassword p = loadPassword(ini);
    ASSERT_TRUE(p.isSet());
    EXPECT_FALSE(p.converted);
    EXPECT_TRUE(verifyPassword(p, "秘密 pass"));
    EXPECT_FALSE(verifyPassword(p, "秘密 pas"));
    EXPECT_FALSE(verifyPassword(p, ""));

    // The file holds a salted hash, never the password or its old scrambled form.
    IniFile f = IniFile::load(ini);
    std::string stored = f.readString("Option", kPasswordHashKey);
    EXPECT_EQ(stored.rfind("$argon2", 0), 0u) << stored;
    EXPECT_EQ(f.bytes().find("pass"), std::string::npos);
    EXPECT_EQ(f.readString("Option", "ListFile"), "");

    // Two settings of the same password differ (salt).
    ASSERT_TRUE(savePassword(ini, "秘密 pass"));
    EXPECT_NE(IniFile::load(ini).readString("Option", kPasswordHashKey), stored);

    ASSERT_TRUE(savePassword(ini, ""));
    EXPECT_FALSE(loadPassword(ini).isSet());
    EXPECT_TRUE(verifyPassword(loadPassword(ini), "anything"));
}

TEST_F(PasswordTest, OldFormIsConvertedOnce)
{
    // A kanji password scrambled: its bytes are not valid Shift-JIS text any more.
    const std::string plain = sjis("給与 a");
    auto ini = writeBytes("Orvane.ini", "[Window]\r\nMainFormSY=500\r\n[option]\r\nlistfile=\"" +
                                            legacyScramble(plain) + "\"\r\nProgVer=1.00\r\n");
    EXPECT_EQ(readLegacyPasswordBytes(ini), legacyScramble(plain));

    StoredPassword p = loadPassword(ini);
    ASSERT_TRUE(p.converted);
    EXPECT_TRUE(p.rewrite) << p.rewrite.message();
    EXPECT_TRUE(verifyPassword(p, "給与 a"));
    EXPECT_FALSE(verifyPassword(p, "給与"));

    IniFile f = IniFile::load(ini);
    EXPECT_EQ(f.readString("Option", "ListFile"), "");
    EXPECT_EQ(f.readInt("Window", "MainFormSY", 0), 500);
    EXPECT_EQ(f.readString("Option", "ProgVer"), "1.00");

    StoredPassword again = loadPassword(ini);
    EXPECT_FALSE(again.converted);
    EXPECT_TRUE(verifyPassword(again, "給与 a"));
}

TEST_F(PasswordTest, OldFormStillAskedWhenTheFileCannotBeRewritten)
{
    auto ini = writeBytes("Orvane.ini", "[Option]\r\nListFile=\"" + legacyScramble(" ") + "\"\r\n");
    std::filesystem::permissions(ini, std::filesystem::perms::owner_read);
    StoredPassword p = loadPassword(ini);
    EXPECT_TRUE(p.isSet());
    EXPECT_FALSE(p.rewrite);
    EXPECT_TRUE(verifyPassword(p, " "));
    EXPECT_FALSE(verifyPassword(p, ""));
}

TEST_F(PasswordTest, RefusedPasswords)
{
    auto ini = path("Orvane.ini");
    EXPECT_TRUE(checkNewPassword(std::string(kMaxPasswordBytes, 'x')));
    Status tooLong = savePassword(ini, std::string(kMaxPasswordBytes + 1, 'x'));
    EXPECT_FALSE(tooLong);
    // A kanji takes two bytes: 1022 of them fit, 1023 (2046 bytes) do not.
    std::string kanji;
    for (int i = 0; i < 1022; ++i)
        kanji += "字";
    EXPECT_TRUE(checkNewPassword(kanji));
    EXPECT_FALSE(checkNewPassword(kanji + "字"));
    EXPECT_FALSE(checkNewPassword("😀")); // not representable in Shift-JIS
    EXPECT_FALSE(loadPassword(ini).isSet());
}

TEST_F(PasswordTest, WriteFailureIsReported)
{
    auto ini = writeBytes("Orvane.ini", "[Option]\r\n");
    std::filesystem::permissions(ini, std::filesystem::perms::owner_read);
    EXPECT_FALSE(savePassword(ini, "abc"));
    EXPECT_FALSE(loadPassword(ini).isSet());
}

} // namespace
} // namespace orv
