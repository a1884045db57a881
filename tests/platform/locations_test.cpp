#include "platform/locations.h"

#include "testdir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace orv {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

// An installed copy: a program folder with its shipped settings and old data.
struct InstalledCopy : ::testing::Test {
    TempDir tmp;
    std::string prog = tmp.dir("opt/orvane2");
    std::string user = tmp.dir("home/.local/share/orvane2");

    void SetUp() override
    {
        writeFile(fs::path(prog) / "Orvane.ini", "[CorpData]\r\nCount=1\r\n");
        writeFile(fs::path(prog) / "orvane2.exe", "binary");
        writeFile(fs::path(prog) / "DATA" / "平成30年給与･賞与.dat", "old");
        writeFile(fs::path(prog) / "DATA" / "sub" / "note.txt", "note");
        writeFile(fs::path(prog) / "DATA" / "Orvane2.CHM", "help");
        writeFile(fs::path(prog) / "DATA" / "tool.Exe", "binary");
    }

    LocationOptions options(bool progWritable) const
    {
        LocationOptions o;
        o.progDir = prog;
        o.userDataDir = user;
        o.isWritable = [progWritable, p = fs::path(prog)](const fs::path &d) {
            return progWritable || d != p;
        };
        return o;
    }
};

TEST_F(InstalledCopy, WritableProgramFolderHoldsEverything)
{
    Locations loc = resolveLocations(options(true));
    EXPECT_EQ(loc.ProgDir, prog);
    EXPECT_EQ(loc.BaseDir, prog);
    EXPECT_EQ(loc.SysIni, prog + "Orvane.ini");
    EXPECT_FALSE(loc.MigratedToShared);
    EXPECT_FALSE(fs::exists(user));
}

TEST_F(InstalledCopy, ReadOnlyProgramFolderSeedsTheUserFolderOnce)
{
    Locations loc = resolveLocations(options(false));
    EXPECT_EQ(loc.BaseDir, user);
    EXPECT_EQ(loc.SysIni, user + "Orvane.ini");
    EXPECT_TRUE(loc.MigratedToShared);
    EXPECT_EQ(readFile(loc.SysIni), "[CorpData]\r\nCount=1\r\n");
    // The old data folder arrives where the old-format migration looks for it.
    EXPECT_EQ(readFile(fs::path(loc.OldDataDir()) / "平成30年給与･賞与.dat"), "old");
    EXPECT_EQ(readFile(fs::path(loc.OldDataDir()) / "sub" / "note.txt"), "note");
    EXPECT_FALSE(fs::exists(fs::path(loc.OldDataDir()) / "Orvane2.CHM"));
    EXPECT_FALSE(fs::exists(fs::path(loc.OldDataDir()) / "tool.Exe"));

    // Later starts find the settings file and copy nothing again.
    writeFile(loc.SysIni, "changed");
    Locations again = resolveLocations(options(false));
    EXPECT_EQ(again.BaseDir, user);
    EXPECT_FALSE(again.MigratedToShared);
    EXPECT_EQ(readFile(again.SysIni), "changed");
}

TEST_F(InstalledCopy, OverrideIsUsedAsGiven)
{
    LocationOptions o = options(false);
    o.baseOverride = tmp.dir("elsewhere").substr(0, tmp.dir("elsewhere").size() - 1);
    Locations loc = resolveLocations(o);
    EXPECT_EQ(loc.BaseDir, tmp.dir("elsewhere"));
    EXPECT_EQ(loc.ProgDir, prog);
    EXPECT_FALSE(loc.MigratedToShared);
    EXPECT_FALSE(fs::exists(tmp.dir("elsewhere") + "Orvane.ini"));
}

TEST(Locations, CompanyFiles)
{
    Locations loc;
    loc.BaseDir = "/b/";
    loc.SysIni = "/b/Orvane.ini";
    EXPECT_EQ(loc.CorpIni(""), "/b/Orvane.ini");
    EXPECT_EQ(loc.DataDir(""), "/b/Data2/");
    EXPECT_EQ(loc.CorpIni("_a"), "/b/Orvane_a.ini");
    EXPECT_EQ(loc.DataDir("_a"), "/b/Data2_a/");
    EXPECT_EQ(loc.OldDataDir(), "/b/Data/");
    EXPECT_TRUE(isSafeCompanySuffix("_a"));
    EXPECT_FALSE(isSafeCompanySuffix("/x"));
    EXPECT_FALSE(isSafeCompanySuffix(".."));
}

TEST(Locations, ProgramDirIsTheTestBinaryFolder)
{
    std::string dir = programDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_EQ(fs::path(dir), fs::canonical(ORV_BIN_DIR) / "");
}

} // namespace
} // namespace orv
