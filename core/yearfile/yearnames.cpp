// Yearly file names, the previous year's file and the old-format migration.
#include "core/yearfile/yearfile.h"

#include "core/util/dates.h"
#include "core/util/fileio.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace orv {
namespace {

constexpr int kHeiseiCode = 4;
constexpr int kReiwaCode = 5;

} // namespace

std::string PrevYearFile(const std::string &path)
{
    fs::path p(path);
    auto id = parseYearFileName(p.filename().string());
    if (!id || id->eraCode == 0)
        return {};
    int era = id->eraCode;
    int year = id->eraYear - 1;
    if (era == kReiwaCode && id->eraYear <= 2) {
        era = kHeiseiCode;
        year = 31;
    }
    return (p.parent_path() / yearFileName(era, year)).string();
}

std::vector<std::string> YearFiles(const std::string &dataDir)
{
    std::vector<std::string> out;
    auto add = [&](int era, int from, int to) {
        for (int y = from; y <= to; ++y) {
            std::string f = (fs::path(dataDir) / yearFileName(era, y)).string();
            if (fileExists(f))
                out.push_back(f);
        }
    };
    add(kHeiseiCode, 16, 31);
    add(kReiwaCode, 2, 20);
    return out;
}

Status MigrateOldFile(const std::string &source, const std::string &target)
{
    auto old = readWholeFile(source);
    if (!old)
        return old.status();
    if (old->size() != kOldYearFileSize)
        return Status::error("旧形式のデータファイルではありません（大きさが違います）。\n【" +
                             source + "】");
    std::string out(kYearFileSize, '\0');
    std::memcpy(out.data(), old->data(), kHeadSize);
    const std::size_t parts[] = {sizeof(TSyainRec), sizeof(TKintaiRec), sizeof(TSikyuRec),
                                 sizeof(TKoujoRec)};
    for (int k = 1; k <= kPeriods; ++k) {
        const char *src = old->data() + kHeadSize + (k - 1) * kOldBlockSize;
        char *dst = out.data() + blockOffset(k);
        std::memcpy(dst, src, sizeof(TKihonRec));
        src += sizeof(TKihonRec);
        dst += sizeof(TKihonRec);
        for (std::size_t size : parts) {
            std::memcpy(dst, src, kOldSlots * size);
            src += kOldSlots * size;
            dst += kSlots * size;
        }
    }
    return writeFileAtomic(target, out);
}

MigrationResult MigrateOldFiles(const std::string &oldDir, const std::string &newDir)
{
    MigrationResult result;
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator(oldDir, ec)) {
        if (!entry.is_regular_file(ec))
            continue;
        std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".dat" && entry.path().extension() != ".DAT")
            continue;
        std::string target = (fs::path(newDir) / name).string();
        if (name == "社員情報.dat") {
            auto bytes = readWholeFile(entry.path().string());
            if (bytes && writeFileAtomic(target, *bytes))
                result.migrated.push_back(name);
            else
                result.skipped.push_back(name + "（コピーできません）");
            continue;
        }
        auto id = parseYearFileName(name);
        if (!id || id->eraCode == 0) {
            result.skipped.push_back(name + "（年度データファイルの名前ではありません）");
            continue;
        }
        if (entry.file_size(ec) != kOldYearFileSize) {
            result.skipped.push_back(name + "（旧形式の大きさではありません）");
            continue;
        }
        if (Status s = MigrateOldFile(entry.path().string(), target); s)
            result.migrated.push_back(name);
        else
            result.skipped.push_back(name + "（" + s.message() + "）");
    }
    return result;
}

} // namespace orv
