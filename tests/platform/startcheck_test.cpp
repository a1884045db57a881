#include "platform/startcheck.h"

#include "testdir.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace orv {
namespace {

using test::TempDir;
using test::writeFile;

TEST(WriteCheck, PassesAndLeavesNoProbeBehind)
{
    TempDir tmp;
    writeFile(tmp.path() / "Orvane.ini", "");
    writeFile(tmp.path() / "Write.chk", "left over"); // from a crashed start
    WriteCheckResult r = checkSettingsWritable(tmp.dir(), tmp.dir() + "Orvane.ini");
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_FALSE(fs::exists(tmp.path() / "Write.chk"));
}

TEST(WriteCheck, ReadOnlySettingsFileRefusesWithCodeZero)
{
    TempDir tmp;
    writeFile(tmp.path() / "Orvane.ini", "");
    // Permission bits count even when the tests run as root.
    fs::permissions(tmp.path() / "Orvane.ini", fs::perms::owner_read | fs::perms::group_read);
    WriteCheckResult r = checkSettingsWritable(tmp.dir(), tmp.dir() + "Orvane.ini");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.messages,
              (std::vector<std::string>{"設定ファイルに書き込み出来ません。", "プログラム起動不可[0]"}));
    EXPECT_FALSE(fs::exists(tmp.path() / "Write.chk"));
}

TEST(WriteCheck, ProbeFailures)
{
    TempDir tmp;
    writeFile(tmp.path() / "plainfile", "");
    struct Case {
        std::string base;
        int code;
        std::vector<std::string> messages;
    } cases[] = {
        // A folder that does not exist: not found, so the settings message comes first.
        {tmp.dir("missing/deeper"),
         2,
         {"設定ファイルに書き込み出来ません。", "プログラム起動不可[2]"}},
        // A file where the folder should be: only the start failure with its code.
        {tmp.dir("plainfile"), 3, {"プログラム起動不可[3]"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.base);
        WriteCheckResult r = checkSettingsWritable(c.base, c.base + "Orvane.ini");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.messages, c.messages);
    }
}

TEST(WriteCheck, ErrorCodes)
{
    EXPECT_EQ(startErrorCode(ENOENT), 2);
    EXPECT_EQ(startErrorCode(EROFS), 19);
    EXPECT_EQ(startErrorCode(EACCES), 5);
    EXPECT_EQ(startErrorCode(ENOSPC), 112);
    EXPECT_EQ(startErrorCode(EMFILE), EMFILE);
}

} // namespace
} // namespace orv
