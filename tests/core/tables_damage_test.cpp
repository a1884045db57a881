// Damaged table files are refused with a message naming the file and the fault, and are never
// read past their end (each image is parsed from an exact-size heap buffer).
#include "core/tables/tableset.h"
#include "tests/core/tables_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace orv
{
namespace
{

using namespace orv::testing;

struct Damage {
    const char *what;
    std::function<void(std::string &)> apply;
    const char *fault; // part of the expected message
};

template <typename T> void put(std::string &b, std::size_t off, T v)
{
    std::memcpy(b.data() + off, &v, sizeof v);
}
std::int32_t get32(const std::string &b, std::size_t off)
{
    std::int32_t v;
    std::memcpy(&v, b.data() + off, 4);
    return v;
}

template <typename Table>
void expectRefused(const std::string &good, const char *name, const std::vector<Damage> &cases)
{
    {
        ExactBuffer buf(good);
        auto ok = Table::fromBytes(buf.view(), name);
        ASSERT_TRUE(ok) << ok.message();
    }
    for (const Damage &d : cases) {
        SCOPED_TRACE(d.what);
        std::string bytes = good;
        d.apply(bytes);
        ExactBuffer buf(bytes);
        auto t = Table::fromBytes(buf.view(), name);
        ASSERT_FALSE(t);
        EXPECT_EQ(t.message().rfind(std::string(name) + ": ", 0), 0u) << t.message();
        EXPECT_NE(t.message().find(d.fault), std::string::npos) << t.message();
    }
}

TEST(DamagedTables, SalaryTable)
{
    const std::string good = readBytes(binDir() / "tables" / "2026" / u8(kKyuyoZeiFile));
    const std::size_t ext = kKyuyoZeiSize;
    const int n = get32(good, 0);
    auto rowAt = [](int k) { return 4 + 44 * static_cast<std::size_t>(k - 1); };
    expectRefused<SalaryTable>(
        good, kKyuyoZeiFile,
        {
            {"empty", [](std::string &b) { b.clear(); }, "file is short"},
            {"one byte short", [](std::string &b) { b.resize(kKyuyoZeiSize - 1); },
             "file is short"},
            {"count 381", [](std::string &b) { put<std::int32_t>(b, 0, 381); }, "outside 4..380"},
            {"count 3", [](std::string &b) { put<std::int32_t>(b, 0, 3); }, "outside 4..380"},
            {"count negative", [](std::string &b) { put<std::int32_t>(b, 0, -7); },
             "outside 4..380"},
            {"rows swapped",
             [&](std::string &b) {
                 std::string r5 = b.substr(rowAt(5), 44);
                 b.replace(rowAt(5), 44, b.substr(rowAt(6), 44));
                 b.replace(rowAt(6), 44, r5);
             },
             "out of order"},
            {"a gap",
             [&](std::string &b) {
                 put<std::int32_t>(b, rowAt(10) + 4, get32(b, rowAt(10) + 4) - 1);
             },
             "out of order or a gap"},
            {"top brackets descending",
             [&](std::string &b) { put<std::int32_t>(b, rowAt(n - 1), 780000); }, "top bracket"},
            {"negative rate", [](std::string &b) { put<double>(b, 16724, -0.5); }, "rate"},
            {"extension cut inside the header", [&](std::string &b) { b.resize(ext + 10); },
             "cut short"},
            {"extension cut inside a bracket", [&](std::string &b) { b.resize(b.size() - 1); },
             "cut short"},
            {"extension version 2", [&](std::string &b) { put<std::int32_t>(b, ext + 4, 2); },
             "version 2"},
            {"extension count 65", [&](std::string &b) { put<std::int32_t>(b, ext + 20, 65); },
             "outside 2..64"},
            {"extension count above its size",
             [&](std::string &b) { put<std::int32_t>(b, ext + 20, 12); }, "cut short"},
            {"extension brackets out of order",
             [&](std::string &b) { put<std::int32_t>(b, ext + 32 + 44 * 2 + 4, 780000); },
             "ascending"},
            {"extension unknown column", [&](std::string &b) { put<std::int32_t>(b, ext + 32, 5); },
             "unknown column"},
        });
}

TEST(DamagedTables, SalaryBytesAfterTheImageWithoutTheMagicAreIgnored)
{
    std::string bytes =
        readBytes(binDir() / "tables" / "2026" / u8(kKyuyoZeiFile)).substr(0, kKyuyoZeiSize);
    bytes += "ZZZZ trailing bytes";
    ExactBuffer buf(bytes);
    auto t = SalaryTable::fromBytes(buf.view(), kKyuyoZeiFile);
    ASSERT_TRUE(t) << t.message();
    EXPECT_FALSE(t->hasBrackets());
}

TEST(DamagedTables, BonusTable)
{
    const std::string good = readBytes(binDir() / u8(kSyoyoZeiFile));
    expectRefused<BonusTable>(
        good, kSyoyoZeiFile,
        {
            {"short", [](std::string &b) { b.resize(kSyoyoZeiSize - 1); }, "file is short"},
            {"KouCount 25", [](std::string &b) { put<std::int32_t>(b, 0, 25); }, "outside 1..24"},
            {"KouCount 0", [](std::string &b) { put<std::int32_t>(b, 0, 0); }, "outside 1..24"},
            {"OtsuCount 11", [](std::string &b) { put<std::int32_t>(b, 1732, 11); },
             "outside 1..10"},
            {"rows swapped",
             [](std::string &b) {
                 std::string r3 = b.substr(4 + 72 * 2, 72);
                 b.replace(4 + 72 * 2, 72, b.substr(4 + 72 * 3, 72));
                 b.replace(4 + 72 * 3, 72, r3);
             },
             "out of order"},
            {"otsu rows out of order",
             [](std::string &b) { put<std::int32_t>(b, 1736 + 12 + 8, 100000); }, "ascending"},
            {"rate above 1", [](std::string &b) { put<double>(b, 4, 1.5); }, "rate"},
        });
}

TEST(DamagedTables, GradeTable)
{
    const std::string good = readBytes(binDir() / u8(kKenhoHyoFile));
    expectRefused<GradeTable>(
        good, kKenhoHyoFile,
        {
            {"short", [](std::string &b) { b.resize(kKenhoHyoSize - 1); }, "file is short"},
            {"Count 81", [](std::string &b) { put<std::int32_t>(b, 0, 81); }, "outside 1..80"},
            {"NenMax beyond Count", [](std::string &b) { put<std::int32_t>(b, 8, 51); }, "NenMax"},
            {"NenMin above NenMax", [](std::string &b) { put<std::int32_t>(b, 4, 36); }, "NenMin"},
            {"NenMin 0", [](std::string &b) { put<std::int32_t>(b, 4, 0); }, "NenMin"},
            {"grades swapped",
             [](std::string &b) {
                 std::string g3 = b.substr(36, 12);
                 b.replace(36, 12, b.substr(48, 12));
                 b.replace(48, 12, g3);
             },
             "out of order"},
            {"standard amounts not ascending",
             [](std::string &b) { put<std::int32_t>(b, 12 * 10 + 8, 1); }, "standard amount"},
        });
}

TEST(DamagedTables, TableSetReportsTheRefusedFile)
{
    TempDir tmp("damaged_set");
    for (const char *name : {kKyuyoZeiFile, kSyoyoZeiFile, kKenhoHyoFile})
        std::filesystem::copy_file(binDir() / u8(name), tmp.path / u8(name));
    std::string salary = readBytes(tmp.path / u8(kKyuyoZeiFile));
    salary.resize(16000);
    writeBytes(tmp.path / u8(kKyuyoZeiFile), salary);
    const TableSet set = TableSet::loadFolder(tmp.path);
    EXPECT_EQ(set.TableCount(), 2);
    EXPECT_EQ(set.salary(), nullptr);
    EXPECT_FALSE(set.info(TableKind::Kyuyo).loaded);
    EXPECT_EQ(set.info(TableKind::Kyuyo).status.message(),
              "税額表(給与).dat: file is short (16000 bytes, the table needs 16788)");
    EXPECT_FALSE(set.startCheck());
}

} // namespace
} // namespace orv
