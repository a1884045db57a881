#pragma once

#include "core/util/status.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orv
{

// One line of 健康保険料率.dat: a region and its combined health-insurance rate.
struct RateEntry {
    std::string label;  // UTF-8, trailing blanks removed
    int hundredths = 0; // the rate in 1/100 percent: 1019 for 10.19 %
    double percent() const { return hundredths / 100.0; }
    // What the rate picker returns: the employee's half, in percent (10.19 -> 5.095).
    double half() const { return hundredths / 200.0; }
};

// Parses the Shift-JIS lines: bytes 1..10 label, bytes 11..15 the rate "%5.2f"; further
// characters are ignored, blank lines skipped. A line without a readable rate is refused with
// its line number.
Result<std::vector<RateEntry>> parseRateList(std::string_view sjisText, const std::string &name);
Result<std::vector<RateEntry>> loadRateList(const std::filesystem::path &file);

// The file line for one entry (Shift-JIS, without the line end); nullopt-free: a label that does
// not fit ten bytes is cut at a character boundary.
std::string formatRateLine(const std::string &labelUtf8, int hundredths);

} // namespace orv
