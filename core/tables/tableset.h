#pragma once

#include "core/tables/bonustable.h"
#include "core/tables/gradetable.h"
#include "core/tables/ratelist.h"
#include "core/tables/salarytable.h"
#include "core/util/status.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orv
{

// The start check's message when a fixed-layout table could not be read.
inline constexpr const char kTablesMissingMessage[] = "必要な表データファイルが足りません。";

enum class TableKind { Kyuyo = 0, Syoyo = 1, Kenho = 2, KenhoRitu = 3 };
inline constexpr int kTableKinds = 4;

// Where one table file of a set came from.
struct TableFileInfo {
    std::string name;           // "税額表(給与).dat", ...
    std::filesystem::path path; // the file read; empty when none was found
    int folderYear = 0;         // the tables/<year> folder it was read from, 0 the program folder
    int sourceYear = 0;         // first year whose folder holds the same bytes (0 unknown)
    bool substituted = false;   // the set's own folder lacks it: an earlier year's file is used
    bool loaded = false;        // read and valid
    Status status;              // why it was refused, when it was found but not loaded
};

// The tables for one Gregorian year. The program folder holds tables/<year>/ sub-folders; the
// set is the newest folder not after the year (the oldest when the year is earlier than all),
// and a file missing from it is taken from the newest earlier folder that has it. Without any
// year folder the four files beside the program are used. Loading never throws: each file's
// outcome is in info(), and TableCount() counts the fixed-layout tables that were read.
class TableSet
{
public:
    static TableSet load(const std::filesystem::path &progDir, int year);
    // The four files of one folder, with no year logic (the program folder as it is).
    static TableSet loadFolder(const std::filesystem::path &dir);

    int year() const { return m_year; }       // the year asked for (0 for loadFolder)
    int setYear() const { return m_setYear; } // the folder year used, 0 the program folder

    const SalaryTable *salary() const { return m_salary ? &*m_salary : nullptr; }
    const BonusTable *bonus() const { return m_bonus ? &*m_bonus : nullptr; }
    const GradeTable *grades() const { return m_grades ? &*m_grades : nullptr; }
    const std::vector<RateEntry> *rates() const { return m_rates ? &*m_rates : nullptr; }

    const TableFileInfo &info(TableKind k) const { return m_info[static_cast<int>(k)]; }
    // Number of the three fixed-layout tables that were read and are valid.
    int TableCount() const;
    // Ok with all three tables, else kTablesMissingMessage followed by each file's fault.
    Status startCheck() const;
    // Lines that tell which files come from another year's set (UTF-8), for the table dates.
    std::vector<std::string> substitutionNotes() const;

private:
    void loadFile(TableKind kind, const std::filesystem::path &path);

    int m_year = 0;
    int m_setYear = 0;
    std::array<TableFileInfo, kTableKinds> m_info;
    std::optional<SalaryTable> m_salary;
    std::optional<BonusTable> m_bonus;
    std::optional<GradeTable> m_grades;
    std::optional<std::vector<RateEntry>> m_rates;
};

// The file name of a table kind.
const char *tableKindFile(TableKind kind);

// The table-date lines of the about box: for each file of the set that exists, in the order of
// TableKind, the name padded to 20 Shift-JIS bytes and "  yyyy/mm/dd" (local last-modified date),
// followed by "  (<year>年のファイル)" when the file was substituted from an earlier year. UTF-8.
std::vector<std::string> tableDateLines(const TableSet &set);

} // namespace orv
