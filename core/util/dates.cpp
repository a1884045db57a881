#include "core/util/dates.h"

#include <algorithm>
#include <cstdio>

namespace orv {
namespace {

struct EraInfo {
    int code;
    const char *name;
    Date start;
    int offset; // Gregorian year = era year + offset
};

// First days as the Japanese calendar counts them.
constexpr EraInfo kEras[] = {
    {kEraMeiji, "明治", {1868, 1, 1}, 1867},   {kEraTaisho, "大正", {1912, 7, 30}, 1911},
    {kEraShowa, "昭和", {1926, 12, 25}, 1925}, {kEraHeisei, "平成", {1989, 1, 8}, 1988},
    {kEraReiwa, "令和", {2019, 5, 1}, 2018},
};

constexpr std::string_view kYearFileSuffix = "年給与･賞与.dat";

std::string twoDigits(int v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.2d", v);
    return buf;
}

std::string pad2(int v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2d", v);
    return buf;
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long daysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date civilFromDays(long long z)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
    return {y, m, d};
}

} // namespace

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && isLeapYear(year))
        return 29;
    return kDays[month - 1];
}

bool isValidDate(const Date &d) { return d.day >= 1 && d.day <= daysInMonth(d.year, d.month); }

Date addDays(const Date &d, int days)
{
    return civilFromDays(daysFromCivil(d.year, d.month, d.day) + days);
}

std::string eraName(int eraCode)
{
    for (const auto &e : kEras)
        if (e.code == eraCode)
            return e.name;
    return {};
}

int eraCodeOf(std::string_view name)
{
    for (const auto &e : kEras)
        if (name == e.name)
            return e.code;
    return 0;
}

int SeirekiNen(int eraCode, int eraYear)
{
    for (const auto &e : kEras)
        if (e.code == eraCode)
            return eraYear + e.offset;
    return eraYear;
}

EraYear eraOfDate(const Date &d)
{
    for (auto it = std::rbegin(kEras); it != std::rend(kEras); ++it)
        if (d >= it->start)
            return {it->code, d.year - it->offset};
    return {0, d.year};
}

CurrentEra currentEra(const Date &today)
{
    CurrentEra c;
    bool reiwa = today.year >= 2020 || (today.year == 2019 && today.month > 4);
    c.eraCode = reiwa ? kEraReiwa : kEraHeisei;
    c.eraYear = today.year - (reiwa ? 2018 : 1988);
    c.Gengo = eraName(c.eraCode);
    c.GengoNen = twoDigits(c.eraYear);
    return c;
}

std::string yearFileName(int eraCode, int eraYear)
{
    return eraName(eraCode) + twoDigits(eraYear) + std::string(kYearFileSuffix);
}

std::string yearFileNameForYear(int gregorianYear)
{
    // The file of 2019 keeps the Heisei name all year, though Reiwa began in May.
    if (gregorianYear >= 2020)
        return yearFileName(kEraReiwa, gregorianYear - 2018);
    return yearFileName(kEraHeisei, gregorianYear - 1988);
}

std::optional<YearFileId> parseYearFileName(std::string_view nameOrPath)
{
    std::size_t slash = nameOrPath.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? nameOrPath : nameOrPath.substr(slash + 1);
    if (name.size() <= kYearFileSuffix.size() || !name.ends_with(kYearFileSuffix))
        return std::nullopt;
    name.remove_suffix(kYearFileSuffix.size());
    // Two characters of era name, then the digits of the year.
    std::size_t i = 0;
    for (int chars = 0; chars < 2; ++chars) {
        if (i >= name.size())
            return std::nullopt;
        ++i;
        while (i < name.size() && (static_cast<unsigned char>(name[i]) & 0xC0) == 0x80)
            ++i;
    }
    std::string_view digits = name.substr(i);
    if (digits.empty() || digits.size() > 4)
        return std::nullopt;
    int year = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        year = year * 10 + (c - '0');
    }
    YearFileId id;
    id.eraName = std::string(name.substr(0, i));
    id.eraCode = eraCodeOf(id.eraName);
    id.eraYear = year;
    id.gregorianYear = id.eraCode ? SeirekiNen(id.eraCode, year) : 0;
    return id;
}

std::string PayDateResult::nenText() const { return pad2(eraYear); }
std::string PayDateResult::tukiText() const { return pad2(month); }
std::string PayDateResult::hiText() const { return pad2(day); }

PayDateResult PayDate(int fileEraCode, int fileEraYear, int kikanNo, int sikyubi, int sikyuKbn)
{
    PayDateResult r;
    r.eraCode = fileEraCode;
    r.eraYear = fileEraYear;
    r.gregorianYear = SeirekiNen(fileEraCode, fileEraYear);
    r.month = std::clamp(kikanNo, 1, 12);
    if (sikyuKbn == 1)
        ++r.month;
    if (r.month > 12) {
        r.month = 1;
        ++r.gregorianYear;
        if (eraName(fileEraCode).empty()) {
            r.eraYear = fileEraYear + 1;
        } else {
            // The next year's era: after 平成31 comes 令和2.
            EraYear next = eraOfDate({r.gregorianYear, 1, 1});
            r.eraCode = next.eraCode;
            r.eraYear = next.eraYear;
        }
    }
    r.day = std::clamp(sikyubi, 1, daysInMonth(r.gregorianYear, r.month));
    return r;
}

int Nenrei(const Date &reference, const Date &date)
{
    int years = reference.year - date.year;
    int m = date.month, d = date.day;
    if (m == 2 && d == 29 && !isLeapYear(reference.year)) {
        m = 3;
        d = 1;
    }
    if (reference.month < m || (reference.month == m && reference.day < d))
        --years;
    return years;
}

bool KeisanStop(int todayYear, int fileEraCode, int fileEraYear)
{
    return todayYear > 2012 && fileEraCode == kEraHeisei && fileEraYear >= 16 &&
           fileEraYear <= 24;
}

} // namespace orv
