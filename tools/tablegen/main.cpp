// tablegen: turns the statutory tables kept as CSV in data/tables/<year>/ into the table files
// the program ships. Writes <out>/tables/<year>/ for every year from the first data folder to
// the last, and the newest year's files directly into <out>.
//
// Which data folder a year's file comes from: the withholding tables (salary and bonus) are
// published as yearly editions, so the newest data folder not after the year that holds any
// withholding table is that year's edition; a withholding table it lacks has not been
// published and the year's set goes without it (the program then falls back to an earlier
// year's file and says so). The grade table and the rate list carry over from the newest
// folder not after the year that has them.
#include "core/tables/tablefile.h"
#include "core/tables/tablerecords.h"
#include "tools/tablegen/builders.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;
using namespace orv;
using namespace orv::tablegen;

namespace
{

std::vector<int> dataYears(const fs::path &data)
{
    std::vector<int> years;
    for (const auto &e : fs::directory_iterator(data)) {
        std::string n = e.path().filename().string();
        if (e.is_directory() && n.size() == 4 &&
            std::all_of(n.begin(), n.end(), [](char c) { return c >= '0' && c <= '9'; }))
            years.push_back(std::stoi(n));
    }
    std::sort(years.begin(), years.end());
    return years;
}

// Writes through a temporary file and a rename, so that a reader never sees half a table;
// an unchanged file is left alone (its date stays the date the table was made).
void writeFile(const fs::path &file, const std::string &bytes)
{
    std::ifstream old(file, std::ios::binary);
    if (old) {
        std::string cur((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
        if (cur == bytes)
            return;
    }
    fs::create_directories(file.parent_path());
    fs::path tmp = file;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error(tmp.string() + ": write failed");
    }
    fs::rename(tmp, file);
}

struct Source {
    const char *file;
    std::vector<const char *> csvs;
    bool yearlyEdition;
};

const Source kSources[] = {
    {kKyuyoZeiFile, {"kyuyo_getsugaku.csv", "kyuyo_top.csv", "kyuyo_rules.csv"}, true},
    {kSyoyoZeiFile, {"syoyo_kou.csv", "syoyo_otsu.csv"}, true},
    {kKenhoHyoFile, {"kenpo_grades.csv"}, false},
    {kKenhoRituFile, {"kenpo_rates.csv"}, false},
};

bool hasAll(const fs::path &dir, const Source &s)
{
    return std::all_of(s.csvs.begin(), s.csvs.end(),
                       [&](const char *c) { return fs::exists(dir / c); });
}

// The data folder year a year's file is built from, nullopt when the year has none.
std::optional<int> sourceYear(const fs::path &data, const std::vector<int> &years, int year,
                              const Source &s)
{
    for (auto it = years.rbegin(); it != years.rend(); ++it) {
        if (*it > year)
            continue;
        const fs::path dir = data / std::to_string(*it);
        if (hasAll(dir, s))
            return *it;
        if (s.yearlyEdition && (hasAll(dir, kSources[0]) || hasAll(dir, kSources[1])))
            return std::nullopt; // this year's edition lacks the table
    }
    return std::nullopt;
}

std::string build(const fs::path &dir, int year, const Source &s)
{
    if (s.file == kKyuyoZeiFile)
        return buildSalaryTable(dir, year);
    if (s.file == kSyoyoZeiFile)
        return buildBonusTable(dir);
    if (s.file == kKenhoHyoFile)
        return buildGradeTable(dir);
    return buildRateList(dir);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::cerr << "usage: tablegen DATA_DIR OUT_DIR [STAMP_FILE]\n";
        return 2;
    }
    try {
        const fs::path data = argv[1], out = argv[2];
        const std::vector<int> years = dataYears(data);
        if (years.empty())
            throw std::runtime_error(data.string() + ": no year folders");
        std::map<std::pair<int, const char *>, std::string> built; // (source year, file)
        std::map<const char *, std::string> newest;
        for (int y = years.front(); y <= years.back(); ++y) {
            const fs::path dir = out / "tables" / std::to_string(y);
            for (const Source &s : kSources) {
                const fs::path file = dir / utf8Path(s.file);
                auto src = sourceYear(data, years, y, s);
                if (!src) {
                    fs::remove(file);
                    continue;
                }
                auto key = std::make_pair(*src, s.file);
                if (!built.count(key))
                    built[key] = build(data / std::to_string(*src), *src, s);
                writeFile(file, built[key]);
                newest[s.file] = built[key];
            }
        }
        // The program folder: the newest year's set, and for a file that set lacks the newest
        // earlier one, as the program itself would use.
        for (const Source &s : kSources)
            if (newest.count(s.file))
                writeFile(out / utf8Path(s.file), newest[s.file]);
        if (argc > 3)
            std::ofstream(argv[3]) << "tables generated\n";
    } catch (const std::exception &e) {
        std::cerr << "tablegen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
