#pragma once

#include <filesystem>
#include <string>

namespace orv::tablegen
{

// Each builder reads the source CSV files of one data folder and returns the table file's
// bytes, validated by the same loader the program uses. Throws std::runtime_error naming the
// file and the fault.

// 税額表(給与).dat from kyuyo_getsugaku.csv, kyuyo_top.csv, kyuyo_rules.csv; year is the year the
// table is first in force, recorded in the extension block.
std::string buildSalaryTable(const std::filesystem::path &dir, int year);
// 税額表(賞与).dat from syoyo_kou.csv and syoyo_otsu.csv.
std::string buildBonusTable(const std::filesystem::path &dir);
// 健康保険料額表.dat from kenpo_grades.csv.
std::string buildGradeTable(const std::filesystem::path &dir);
// 健康保険料率.dat (Shift-JIS lines, CRLF) from kenpo_rates.csv.
std::string buildRateList(const std::filesystem::path &dir);

} // namespace orv::tablegen
