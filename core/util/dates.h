#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

// Dates of the Japanese era calendar. Nothing here reads the clock: "today" is always a
// parameter. Era names are UTF-8.

struct Date {
    int year = 0; // Gregorian
    int month = 0;
    int day = 0;
    auto operator<=>(const Date &) const = default;
};

// Era codes as the program stores them.
inline constexpr int kEraMeiji = 1;
inline constexpr int kEraTaisho = 2;
inline constexpr int kEraShowa = 3;
inline constexpr int kEraHeisei = 4;
inline constexpr int kEraReiwa = 5;

bool isLeapYear(int year);
// Days of the month (28..31); 0 for a month outside 1..12.
int daysInMonth(int year, int month);
bool isValidDate(const Date &d);
// The date `days` days later (earlier when negative).
Date addDays(const Date &d, int days);

// "明治", "大正", "昭和", "平成", "令和"; empty for an unknown code.
std::string eraName(int eraCode);
// The code of an era name; 0 when unknown.
int eraCodeOf(std::string_view name);

// Gregorian year of an era year (SeirekiNen); an unknown code returns the year unchanged.
int SeirekiNen(int eraCode, int eraYear);

struct EraYear {
    int eraCode = 0; // 0 before Meiji: eraYear is then the Gregorian year
    int eraYear = 0;
    auto operator<=>(const EraYear &) const = default;
};
// The era a date falls in (Heisei from 1989-01-08, Reiwa from 2019-05-01).
EraYear eraOfDate(const Date &d);

// The current era name and two-digit era year (Gengo, GengoNen) as the main window sets them:
// Reiwa from May 2019, else Heisei.
struct CurrentEra {
    std::string Gengo;    // "令和"
    std::string GengoNen; // "08" ("%.2d")
    int eraCode = 0;
    int eraYear = 0;
};
CurrentEra currentEra(const Date &today);

// Name of the yearly pay data file of an era year: "令和08年給与･賞与.dat" (the middle dot is
// the half-width katakana "･", U+FF65).
std::string yearFileName(int eraCode, int eraYear);
// Name of the current yearly file for a Gregorian year: the whole of 2019 is "平成31年…",
// later years Reiwa, earlier ones Heisei.
std::string yearFileNameForYear(int gregorianYear);

// What a yearly file's name says: era name, era year and the Gregorian year.
struct YearFileId {
    std::string eraName; // the first two characters of the name
    int eraCode = 0;     // 0 when the name is not a known era
    int eraYear = 0;
    int gregorianYear = 0; // 0 when the era is unknown
};
// Parses a file name or path ending in "NN年給与･賞与.dat"; nullopt for any other name.
std::optional<YearFileId> parseYearFileName(std::string_view nameOrPath);

// The default pay date of a salary period (PayDate): month kikanNo (1..12; other values are
// taken as 1 or 12), or the next month when sikyuKbn is 1, January of the next year after
// December with the era of that year (平成31 December moves to 令和2 January). The day is
// sikyubi, 0 counting as 1, and never beyond the month's last day.
struct PayDateResult {
    int eraCode = 0;
    int eraYear = 0;
    int month = 0;
    int day = 0;
    int gregorianYear = 0;
    // The three texts the pay-date fields show, each "%2d".
    std::string nenText() const;
    std::string tukiText() const;
    std::string hiText() const;
};
PayDateResult PayDate(int fileEraCode, int fileEraYear, int kikanNo, int sikyubi, int sikyuKbn);

// Whole years from `date` to `reference` (Nenrei). A 29 February date counts as 1 March in a
// reference year that is not a leap year.
int Nenrei(const Date &reference, const Date &date);

// True when calculations are withheld for old data: today's year after 2012 and the file of
// Heisei 16..24 (KeisanStop).
bool KeisanStop(int todayYear, int fileEraCode, int fileEraYear);

} // namespace orv
