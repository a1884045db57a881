#pragma once

// Monthly social-insurance premiums from a grade of the health-insurance grade table, their
// recomputation after a rate change, and the care-insurance age check.

#include "core/records/payimage.h"
#include "core/tables/gradetable.h"
#include "core/util/dates.h"
#include "core/util/prompter.h"
#include "core/util/status.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// The four monthly amounts of a grade, yen.
struct Premiums {
    std::int32_t KenhoRyo = 0; // health
    std::int32_t KaigoRyo = 0; // care
    std::int32_t KoseiRyo = 0; // welfare pension
    std::int32_t Kakekin = 0;  // pension fund
};

// Rates in percent of the employee's share (health, care, pension, pension fund).
struct PremiumRates {
    double KenRitu = 0, KaiRitu = 0, NenRitu = 0, KknRitu = 0;
};

// Premiums for grade g (1..grades.count()); an error for a grade outside the table.
Result<Premiums> TokyuSettei(const GradeTable &grades, int g, const PremiumRates &rates);
PremiumRates ratesOf(const TKihonRec &kihon);

// After a rate change in company information: what the screen has to ask and report.
struct RateChangePlan {
    bool anyGrade = false; // some employee in use has a grade: ask whether to set them again
};
RateChangePlan planRateChange(const PayImage &img);
// Sets the four amounts of every employee with a grade from the image's rates; returns the
// names (UTF-8, trimmed) of employees in use without a grade. Grades outside the table are
// reported by name as well and change nothing.
std::vector<std::string> applyRateChange(PayImage &img, const GradeTable &grades);
// The messages of that dialogue.
extern const char kRateChangeInfo[];
extern const char kRateChangeAsk[];
std::string rateChangeUngradedMessage(const std::vector<std::string> &names);

// The withholding-slip program's file that holds birth dates, in dataDir: the last existing
// "源泉徴収(令和NN年).dat" for NN 02..25, else "源泉徴収(平成NN年).dat" for 28..31; files shorter
// than 135,300 bytes do not count. Empty when there is none.
std::string findWithholdingFile(const std::string &dataDir);

// The care-insurance age check on opening a salary month: asks, per employee with health
// insurance who is 65 or older and pays care insurance, or 40..64 and does not, whether to
// switch, and applies Yes answers. Does nothing without the file. `payDate` is the period's
// pay date.
void KaigoAgeCheck(PayImage &img, const std::string &dataDir, const Date &payDate,
                   Prompter &prompter);

} // namespace orv
