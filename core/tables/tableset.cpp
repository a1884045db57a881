#include "core/tables/tableset.h"

#include "core/tables/tablefile.h"
#include "core/util/sjis.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <system_error>

namespace fs = std::filesystem;

namespace orv
{
namespace
{

// The year folders under <progDir>/tables, ascending.
std::vector<int> yearFolders(const fs::path &root)
{
    std::vector<int> years;
    std::error_code ec;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_directory(ec))
            continue;
        std::string n = it->path().filename().string();
        if (n.size() == 4 &&
            std::all_of(n.begin(), n.end(), [](char c) { return c >= '0' && c <= '9'; }))
            years.push_back(std::stoi(n));
    }
    std::sort(years.begin(), years.end());
    return years;
}

bool isFile(const fs::path &p)
{
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

bool sameBytes(const fs::path &a, const fs::path &b)
{
    auto x = readTableFile(a, 1 << 20);
    auto y = readTableFile(b, 1 << 20);
    return x && y && *x == *y;
}

} // namespace

const char *tableKindFile(TableKind kind)
{
    switch (kind) {
    case TableKind::Kyuyo:
        return kKyuyoZeiFile;
    case TableKind::Syoyo:
        return kSyoyoZeiFile;
    case TableKind::Kenho:
        return kKenhoHyoFile;
    case TableKind::KenhoRitu:
        break;
    }
    return kKenhoRituFile;
}

void TableSet::loadFile(TableKind kind, const fs::path &path)
{
    TableFileInfo &info = m_info[static_cast<int>(kind)];
    info.path = path;
    Status st;
    switch (kind) {
    case TableKind::Kyuyo:
        if (auto t = SalaryTable::load(path))
            m_salary = *t;
        else
            st = t.status();
        break;
    case TableKind::Syoyo:
        if (auto t = BonusTable::load(path))
            m_bonus = *t;
        else
            st = t.status();
        break;
    case TableKind::Kenho:
        if (auto t = GradeTable::load(path))
            m_grades = *t;
        else
            st = t.status();
        break;
    case TableKind::KenhoRitu:
        if (auto t = loadRateList(path))
            m_rates = *t;
        else
            st = t.status();
        break;
    }
    info.loaded = st.isOk();
    info.status = st;
}

TableSet TableSet::loadFolder(const fs::path &dir)
{
    TableSet set;
    for (int k = 0; k < kTableKinds; ++k) {
        auto kind = static_cast<TableKind>(k);
        set.m_info[k].name = tableKindFile(kind);
        fs::path p = dir / utf8Path(tableKindFile(kind));
        if (isFile(p))
            set.loadFile(kind, p);
    }
    return set;
}

TableSet TableSet::load(const fs::path &progDir, int year)
{
    const fs::path root = progDir / "tables";
    const std::vector<int> years = yearFolders(root);
    if (years.empty()) {
        TableSet set = loadFolder(progDir);
        set.m_year = year;
        return set;
    }
    // The newest folder not after the year, else the oldest one.
    auto after = std::upper_bound(years.begin(), years.end(), year);
    const int setYear = after == years.begin() ? years.front() : *(after - 1);
    auto folder = [&](int y) { return root / std::to_string(y); };

    TableSet set;
    set.m_year = year;
    set.m_setYear = setYear;
    for (int k = 0; k < kTableKinds; ++k) {
        auto kind = static_cast<TableKind>(k);
        TableFileInfo &info = set.m_info[k];
        info.name = tableKindFile(kind);
        const fs::path name = utf8Path(info.name);
        // The set's own folder first, then each earlier folder, newest first.
        auto pos = std::find(years.begin(), years.end(), setYear);
        int found = -1;
        for (auto it = pos + 1; it != years.begin();) {
            --it;
            if (isFile(folder(*it) / name)) {
                found = static_cast<int>(it - years.begin());
                break;
            }
        }
        if (found < 0) {
            if (isFile(progDir / name)) {
                info.folderYear = 0;
                info.substituted = true;
                set.loadFile(kind, progDir / name);
            }
            continue;
        }
        info.folderYear = years[found];
        info.substituted = info.folderYear != setYear;
        const fs::path used = folder(info.folderYear) / name;
        set.loadFile(kind, used);
        // The first year of the run of identical files that ends at the one used.
        info.sourceYear = info.folderYear;
        for (int i = found - 1;
             i >= 0 && isFile(folder(years[i]) / name) && sameBytes(folder(years[i]) / name, used);
             --i)
            info.sourceYear = years[i];
    }
    return set;
}

int TableSet::TableCount() const
{
    return (m_salary ? 1 : 0) + (m_bonus ? 1 : 0) + (m_grades ? 1 : 0);
}

Status TableSet::startCheck() const
{
    if (TableCount() >= 3)
        return Status::ok();
    std::string msg = kTablesMissingMessage;
    for (int k = 0; k < 3; ++k) {
        const TableFileInfo &info = m_info[k];
        if (info.loaded)
            continue;
        msg += "\n" + (info.path.empty() ? info.name + ": not found" : info.status.message());
    }
    return Status::error(msg);
}

std::vector<std::string> TableSet::substitutionNotes() const
{
    std::vector<std::string> notes;
    if (m_setYear != 0 && m_year != 0 && m_year < m_setYear)
        notes.push_back("no table set for " + std::to_string(m_year) + "; the " +
                        std::to_string(m_setYear) + " set is used");
    for (const TableFileInfo &info : m_info) {
        if (!info.substituted || info.path.empty())
            continue;
        std::string from = info.folderYear ? "the " + std::to_string(info.folderYear) + " file"
                                           : "the program folder's file";
        notes.push_back(info.name + ": the " + std::to_string(m_setYear) + " set has none; " +
                        from + " is used");
    }
    return notes;
}

std::vector<std::string> tableDateLines(const TableSet &set)
{
    std::vector<std::string> lines;
    for (int k = 0; k < kTableKinds; ++k) {
        const TableFileInfo &info = set.info(static_cast<TableKind>(k));
        std::error_code ec;
        if (info.path.empty() || !fs::is_regular_file(info.path, ec))
            continue;
        auto ftime = fs::last_write_time(info.path, ec);
        if (ec)
            continue;
        std::time_t t = std::chrono::system_clock::to_time_t(
            std::chrono::time_point_cast<std::chrono::system_clock::duration>(
                std::chrono::file_clock::to_sys(ftime)));
        std::tm tm{};
        localtime_r(&t, &tm);
        char date[16];
        std::strftime(date, sizeof date, "%Y/%m/%d", &tm);
        // The name is padded by its Shift-JIS width, as the about box lays it out.
        std::string line = info.name;
        std::size_t width = sjis(info.name).size();
        if (width < 20)
            line.append(20 - width, ' ');
        line += "  ";
        line += date;
        if (info.substituted)
            line += info.folderYear ? "  (" + std::to_string(info.folderYear) + "年のファイル)"
                                    : std::string("  (プログラムフォルダのファイル)");
        lines.push_back(line);
    }
    return lines;
}

} // namespace orv
