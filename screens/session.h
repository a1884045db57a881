#pragma once

// The program's working state: where things are, the company data set, its settings, the pay
// period in memory and the tables of its year. Plain C++ (no Qt) so that it can be tested and
// shared by every window.

#include "core/calc/calc.h"
#include "core/options/option.h"
#include "core/options/slipitems.h"
#include "core/records/payimage.h"
#include "core/tables/tableset.h"
#include "core/util/dates.h"
#include "core/util/prompter.h"
#include "core/util/status.h"
#include "core/yearfile/yearfile.h"
#include "platform/locations.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace orv {

class Session {
public:
    Session();

    Locations loc;
    std::string corpSuffix; // "" the first company data set, else "_a" …
    std::string corpIni;    // settings file of the company
    std::string dataDir;    // data folder of the company, with trailing "/"
    std::string curFile;    // the open yearly file
    YearFileRun run;        // a file created this run and whether it was saved

    std::unique_ptr<PayImage> img;
    TOption opt;
    SlipItems items;
    TableSet tables; // of the open file's year
    std::array<bool, kSlots + 1> zeiOk{};
    bool periodOpen = false;

    // Today's date; replaceable in tests.
    std::function<Date()> today;

    // Who answers questions: the message boxes in the program, a script in tests.
    Prompter *prompter = &nullPrompter();
    Prompter &ask() const { return *prompter; }

    // Sets corpIni and dataDir for a company data set.
    void selectCompany(const std::string &suffix);
    // Reads SysOption from the company's settings file.
    void loadOptions();
    // Gregorian year of the open file (0 when its name is not a yearly file name).
    int fileYear() const;
    int fileEraCode() const;
    int fileEraYear() const;
    // The calculation is withheld for old data.
    bool keisanStop() const;

    // Reads period k of `file` into memory (the image stays as it was on an error), then the
    // period's rounding, its slip item lists and the tables of the file's year.
    Status openPeriod(const std::string &file, int k);
    // After the image was filled by other means (a new period): rounding, slip items, tables.
    void preparePeriod(const std::string &file, int k);

    CalcContext calcContext() const;
    // ZenKeisan of every slot; keeps ZeiOk.
    ZenKeisanResult recalcAll();
    // One slot: the salary or bonus calculation.
    Result<BonusResult> recalc(int slot);

    // Saves the period in memory (asks the next-month question through the prompter).
    Result<bool> save(Prompter &prompter);
    Prompter::Answer unsavedChanges(bool ask, bool saveEnabled, Prompter &prompter) const;

    // "令和8年4月支給給与", "令和8年・夏期賞与" … for the open period.
    std::string periodTitle() const;
};

} // namespace orv
