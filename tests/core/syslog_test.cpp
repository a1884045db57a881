#include "core/syslog/syslog.h"

#include "core/util/fileio.h"
#include "core/util/sjis.h"
#include "tests/platform/testdir.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

const LogTime kMorning{2026, 4, 3, 9, 5};

std::string fileBytes(const std::string &path)
{
    auto r = readWholeFile(path);
    return r ? *r : std::string("<missing>");
}

TEST(SysLog, LineFormatPerCode)
{
    struct Case {
        int code;
        const char *line;
    } cases[] = {
        {10, "2026/04/03 09:05  給与計算ソフト ｢カナリエ｣を起動"},
        {11, "2026/04/03 09:05  従業員情報の登録"},
        {12, "2026/04/03 09:05  従業員情報の更新"},
        {13, "2026/04/03 09:05  従業員情報の削除"},
        {20, "2026/04/03 09:05  源泉徴収票作成 ｢ミズナラ｣を起動"},
        {21, "2026/04/03 09:05  源泉徴収票の印刷"},
        {99, "2026/04/03 09:05  "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(sysLogLine(kMorning, c.code), c.line);
    }
}

TEST(SysLog, AppendsShiftJisLinesWithCrLfAndReadsThemBack)
{
    test::TempDir dir;
    const std::string data = dir.dir();
    ASSERT_TRUE(SysLog(data, kLogStart, kMorning));
    ASSERT_TRUE(SysLog(data, kLogEmployeeDeleted, LogTime{2026, 12, 31, 23, 59}));

    const std::string expected = sjis("2026/04/03 09:05  給与計算ソフト ｢カナリエ｣を起動") + "\r\n" +
                                 sjis("2026/12/31 23:59  従業員情報の削除") + "\r\n";
    EXPECT_EQ(fileBytes(data + "システムログ.dat"), expected);

    auto lines = readSysLog(data);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ((*lines)[1], "2026/12/31 23:59  従業員情報の削除");
}

TEST(SysLog, ClearDeletesTheFileAndTheNextEventStartsANewOne)
{
    test::TempDir dir;
    const std::string data = dir.dir();
    ASSERT_TRUE(SysLog(data, kLogStart, kMorning));
    ASSERT_TRUE(clearSysLog(data));
    EXPECT_FALSE(fileExists(sysLogPath(data)));
    EXPECT_FALSE(readSysLog(data)); // the viewer reports this and shows an empty list
    EXPECT_TRUE(clearSysLog(data)); // nothing to delete is fine

    ASSERT_TRUE(SysLog(data, kLogEmployeeAdded, kMorning));
    auto lines = readSysLog(data);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, std::vector<std::string>{"2026/04/03 09:05  従業員情報の登録"});
}

TEST(SysLog, AppendToAFolderThatCannotBeWrittenReportsTheFile)
{
    Status s = SysLog("/nonexistent-orv-folder/", kLogStart, kMorning);
    ASSERT_FALSE(s);
    EXPECT_NE(s.message().find("システムログ.dat"), std::string::npos) << s.message();
}

TEST(SysLog, CsvQuotesStampAndTextAndKeepsInnerQuotes)
{
    std::vector<std::string> lines = {
        "2026/04/03 09:05  従業員情報の登録",
        "2026/04/03 09:06  a \"quoted\" text",
        "2026/04/03 09:07  ",
    };
    EXPECT_EQ(sysLogCsv(lines), "日時, 内容\r\n"
                                "\"2026/04/03 09:05\", \"従業員情報の登録\"\r\n"
                                "\"2026/04/03 09:06\", \"a \"quoted\" text\"\r\n"
                                "\"2026/04/03 09:07\", \"\"\r\n");

    test::TempDir dir;
    const std::string csv = dir.dir() + "log.csv";
    ASSERT_TRUE(writeSysLogCsv(csv, lines));
    EXPECT_EQ(fileBytes(csv), sjis(sysLogCsv(lines)));
}

} // namespace
} // namespace orv
