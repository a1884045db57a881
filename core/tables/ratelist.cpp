#include "core/tables/ratelist.h"

#include "core/tables/tablefile.h"
#include "core/util/sjis.h"

#include <cstdio>

namespace orv
{
namespace
{

// "10.19", " 9.85", "9.8" or "10": the rate in hundredths of a percent, -1 when unreadable.
int parseHundredths(std::string_view text)
{
    text = trimView(text);
    int whole = 0, frac = 0, fracDigits = 0;
    bool dot = false, any = false;
    for (char c : text) {
        if (c == '.' && !dot) {
            dot = true;
        } else if (c >= '0' && c <= '9') {
            any = true;
            if (!dot) {
                whole = whole * 10 + (c - '0');
                if (whole > 100)
                    return -1;
            } else if (++fracDigits <= 2) {
                frac = frac * 10 + (c - '0');
            } else {
                return -1;
            }
        } else {
            return -1;
        }
    }
    if (!any)
        return -1;
    if (fracDigits == 1)
        frac *= 10;
    return whole * 100 + frac;
}

} // namespace

Result<std::vector<RateEntry>> parseRateList(std::string_view text, const std::string &name)
{
    std::vector<RateEntry> out;
    int lineNo = 0;
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (trimView(line).empty())
            continue;
        int h = line.size() > 10 ? parseHundredths(line.substr(10, 5)) : -1;
        if (h < 0)
            return tableError(name,
                              "line " + std::to_string(lineNo) + " has no rate in bytes 11-15");
        RateEntry e;
        e.label = sjisToUtf8(trimView(line.substr(0, 10)));
        e.hundredths = h;
        out.push_back(std::move(e));
    }
    return out;
}

Result<std::vector<RateEntry>> loadRateList(const std::filesystem::path &file)
{
    auto bytes = readTableFile(file, 1 << 20);
    if (!bytes)
        return bytes.status();
    return parseRateList(*bytes, tableFileName(file));
}

std::string formatRateLine(const std::string &labelUtf8, int hundredths)
{
    std::string label = CutBytes(utf8ToSjis(labelUtf8).value_or(std::string()), 10);
    label.resize(10, ' ');
    char rate[16];
    std::snprintf(rate, sizeof rate, "%2d.%02d", hundredths / 100, hundredths % 100);
    return label + rate;
}

} // namespace orv
