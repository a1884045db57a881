#pragma once

// Withholding income tax on salary (KyuyoZei) and on bonuses (SyoyoZei), from the loaded tables.
// Amounts are whole yen; results are never negative. hasuuKou is the HasuuKou setting for the
// excess times a rate: 0 truncation (what the law prescribes), 2 half up, 1 up. The product is
// rounded on its exact value.

#include "core/tables/bonustable.h"
#include "core/tables/salarytable.h"
#include "core/tables/tableset.h"

#include <cstdint>

namespace orv
{

// The tax column: the employee's Zeigaku.
inline constexpr int kKou = 0;  // 甲欄
inline constexpr int kOtsu = 1; // 乙欄

// Amount times a rate in 1/100,000, rounded by hasuuKou on the exact product (amount >= 0;
// a negative amount gives the negated result for its absolute value).
std::int64_t applyRate(std::int64_t amount, std::int64_t ratePer100k, int hasuuKou);
// The same for a rate stored as a fraction: exact when the rate is a whole number of
// 1/100,000 (every published rate is), else through the double product.
std::int64_t applyRate(std::int64_t amount, double rate, int hasuuKou);

// Salary tax for a month's pay after social insurance a, column kind (kKou or anything else
// for 乙欄) and dependants deps (a negative count counts as 0). Uses the table's extension
// brackets when present, the four-bracket rule otherwise. 0 when the table's file no longer
// exists at the path it was loaded from.
std::int64_t KyuyoZei(const SalaryTable &table, std::int64_t a, int kind, int deps, int hasuuKou);
// 0 when the set has no salary table.
std::int64_t KyuyoZei(const TableSet &set, std::int64_t a, int kind, int deps, int hasuuKou);

struct BonusTax {
    std::int64_t tax = 0;
    bool rateApplied = false; // false: no table, or computed by the monthly table
    double rate = 0.0;        // the rate applied, as a fraction
    // The same rate in 1/100,000 (4,084 for 4.084 %), rounded to the nearest unit: the rate
    // times 100,000 truncated in binary would give 4,083 for some published rates.
    std::int32_t ratePer100k = 0;
};

// Bonus tax on bonus b (after social insurance) by the rate table for previous-month pay after
// social insurance p. No rate and tax 0 when the table's file no longer exists.
BonusTax SyoyoZei(const BonusTable &table, std::int64_t p, std::int64_t b, int deps, int kind,
                  int hasuuKou);
BonusTax SyoyoZei(const TableSet &set, std::int64_t p, std::int64_t b, int deps, int kind,
                  int hasuuKou);

// True when the law computes the bonus tax with the monthly table instead of the rate table:
// no pay in the previous month (p == 0) or a bonus above ten times that pay.
bool bonusNeedsMonthlyTable(std::int64_t p, std::int64_t b);

// The monthly-table method for those cases: q = b / 6 (b / 12 when the bonus covers more than
// six months), fractions dropped; tax = (KyuyoZei(p + q) - KyuyoZei(p)) * 6 (or 12), never
// negative. The program's own bonus calculation does not use it: it asks for the tax by hand.
std::int64_t SyoyoZeiByMonthlyTable(const TableSet &set, std::int64_t p, std::int64_t b, int deps,
                                    int kind, int hasuuKou, bool overSixMonths);

} // namespace orv
