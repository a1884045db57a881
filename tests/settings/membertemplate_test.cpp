#include "settings/membertemplate.h"

#include "core/util/sjis.h"
#include "settings_fixture.h"

#include <cstring>
#include <gtest/gtest.h>

namespace orv {
namespace {

using MemberTemplateTest = test::SettingsDir;

TEST_F(MemberTemplateTest, IndividualFieldsNeverReachTheTemplate)
{
    TSyainRec rec{};
    rec.Simei.set(sjis("山田 太郎"));
    rec.UniqueKey.set("240131_093005");
    rec.MailAdrs.set("taro@example.jp");
    rec.TaiYMD.set(" 6 331");
    rec.MyNo = 123456789018LL;
    rec.KenhoTokyu = 22;
    rec.SeqNo = 3;
    rec.Chingin1 = 250000;
    rec.Kenkou = true;
    rec.Keitai = 2;
    rec.reserved354[0] = 7;
    const std::string file = (m_dir / kMemberTemplateFile).string();
    ASSERT_TRUE(writeMemberTemplate(file, rec));
    EXPECT_EQ(std::filesystem::file_size(file), 500u);

    auto t = readMemberTemplate(file);
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->Simei.empty());
    EXPECT_TRUE(t->UniqueKey.empty());
    EXPECT_TRUE(t->MailAdrs.empty());
    EXPECT_TRUE(t->TaiYMD.empty());
    EXPECT_EQ(t->MyNo, 0);
    EXPECT_EQ(t->KenhoTokyu, 0);
    EXPECT_EQ(t->SeqNo, 0);
    EXPECT_EQ(t->reserved354[0], 0);
    EXPECT_EQ(t->Chingin1, 250000);
    EXPECT_TRUE(t->Kenkou);
    EXPECT_EQ(t->Keitai, 2);

    // An older file that does hold them passes none of them on either.
    writeBytes(kMemberTemplateFile, std::string(reinterpret_cast<const char *>(&rec), sizeof rec));
    t = readMemberTemplate(file);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->MyNo, 0);
    EXPECT_TRUE(t->MailAdrs.empty());
    EXPECT_TRUE(t->TaiYMD.empty());
    EXPECT_EQ(t->Chingin1, 250000);
}

TEST_F(MemberTemplateTest, MissingShortAndDeleted)
{
    const std::string file = (m_dir / kMemberTemplateFile).string();
    EXPECT_FALSE(readMemberTemplate(file));
    writeBytes(kMemberTemplateFile, std::string(499, '\0'));
    EXPECT_FALSE(readMemberTemplate(file));
    EXPECT_TRUE(deleteMemberTemplate(file));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(deleteMemberTemplate(file)); // already gone
    EXPECT_EQ(memberTemplatePath("/d/Data2/"), "/d/Data2/社員情報.dat");
}

} // namespace
} // namespace orv
