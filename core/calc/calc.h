#pragma once

// The salary and bonus calculations. They change only the image in memory; the bonus
// calculation also reads the saved yearly files for the previous month and earlier bonuses.
// Amounts are whole yen; sums are formed in 64 bits and a result that does not fit its Int32
// field is reported, leaving the employee's records as they were.

#include "core/options/option.h"
#include "core/options/slipitems.h"
#include "core/records/payimage.h"
#include "core/tables/tableset.h"
#include "core/util/status.h"

#include <array>
#include <string>
#include <vector>

namespace orv {

// What a calculation works with besides the image.
struct CalcContext {
    const TOption &opt;     // SysOption, with the rounding of the period's kind
    const SlipItems &items; // slip item lists of the period's kind, derived
    const TableSet &tables; // the tables of the open file's year
    std::string curFile;    // the open yearly file (bonus look-ups read it and the year before)
    bool keisanStop = false; // old data: nothing is computed
};

// Which items exist for a pay form: pay items 1..17, deduction items 1..15, other items 1..3.
struct ItemUse {
    std::array<bool, 31> pay{};
    std::array<bool, 26> deduct{};
    std::array<bool, 4> sonota{};
};
ItemUse itemUse(const CalcContext &ctx, int keitai);

// One salary period's employee slot a. An error names the employee and the item that overflowed.
Status KyuyoKeisan(PayImage &img, int a, const CalcContext &ctx);

// Why the bonus tax could not be computed.
enum class TaxException {
    None = 0,
    NoPreviousPay = 1, // no salary was paid in the previous month
    OverTenTimes = 2,  // the bonus after social insurance exceeds ten times the previous pay
};
struct BonusResult {
    TaxException exception = TaxException::None;
    bool ok() const { return exception == TaxException::None; }
};
Result<BonusResult> SyoyoKeisan(PayImage &img, int a, const CalcContext &ctx);

// Pay after social insurance of the employee in salary month m as saved on disk (month 0 or
// less: December of the previous year's file); 0 when not found.
std::int64_t ZengetuSyahoGo(const std::string &curFile, int m, std::string_view uniqueKey);
// Health-insurance standard bonus of this bonus after the fiscal-year cap of 5,730,000 yen.
std::int64_t SyoyoHyojunKen(const PayImage &img, const std::string &curFile, std::int64_t b,
                            std::string_view uniqueKey);

// 差引支給額: pay total plus the other items in use for the pay form, less the deduction total.
std::int64_t SasihikiSikyu(const PayImage &img, int a, const SlipItems &items);

// Recomputation of all 90 slots.
struct ZenKeisanResult {
    std::array<bool, kSlots + 1> ZeiOk{};
    std::vector<int> exceptionSlots;             // bonus: slots whose tax was not computed
    std::vector<TaxException> exceptions;        // the reason, per entry of exceptionSlots
    std::vector<std::string> errors;             // overflow reports, one per employee
};
ZenKeisanResult ZenKeisan(PayImage &img, const CalcContext &ctx);
// After the user agreed: switches the income tax of the exception slots to entry by hand.
void switchTaxToManual(PayImage &img, const ZenKeisanResult &r);

// The texts of the bonus tax exception question.
extern const char kTaxExceptionWarning[];
extern const char kTaxExceptionAskAll[];
extern const char kTaxExceptionAskOne[];
extern const char kTaxSwitchedAll[];
extern const char kTaxSwitchedOne[];

} // namespace orv
