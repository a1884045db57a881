#pragma once

// The program's working state: where things are, the company data set, its settings, the pay
// period in memory and the tables of its year. Plain C++ (no Qt) so that it can be tested and
// shared by every window.

#include "core/calc/calc.h"
#include "core/options/option.h"
#include "core/options/slipitems.h"
#include "core/records/payimage.h"
#include "core/syslog/syslog.h"
#include "core/tables/tableset.h"
#include "core/util/dates.h"
#include "core/util/prompter.h"
#include "core/util/status.h"
#include "core/yearfile/yearfile.h"
#include "platform/locations.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// What the period selection hands over when the user confirms a period.
struct PeriodRequest {
    int k = 1;        // 1..15
    int nissu = 0;    // prescribed working days (months)
    double jikan = 0; // prescribed working hours (months)
    int sikyuM = 0;   // pay month and day (bonuses)
    int sikyuD = 0;
    // Offered when a new period of a set-up company would start without data.
    std::function<std::optional<ReferenceChoice>()> chooseReference;
};

// One created month of a yearly file that a new period may take its company and employees from.
struct ReferenceEntry {
    std::string text;     // "令和08年 4月支給給与"
    std::string yearText; // "令和08年"
    ReferenceChoice choice;
};

// The program's file version and the short form the settings and the about box show: the
// first character, ".", the third and the fifth ("3.2.0.0" gives "3.20").
inline constexpr char kFileVersion[] = "3.2.0.0";
std::string progVerStr();

// Orders of the employee list (the numbers are those the list keeps for the run).
enum class ListOrder { Slot = 1, Name = 2, Kubun = 3, Keitai = 4, Busyo = 5, SeqNo = 9 };

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
    Result<bool> save(Prompter &answerer);
    Prompter::Answer unsavedChanges(bool withQuestion, bool saveEnabled, Prompter &answerer) const;

    // "令和8年4月支給給与", "令和8年・夏期賞与" … for the open period.
    std::string periodTitle() const;
    // The main window's caption: "カナリエ 【company period】".
    std::string periodCaption() const;
    bool companyNameEmpty() const;

    // ---- start-up and end ----

    // True from the main window's creation until the first period is open; while true,
    // closing asks nothing and writes no window geometry.
    bool starting = true;
    // The print preview's button-bar check ([Option] PreViewBtn of the global settings).
    bool previewBar = true;
    // A period was opened in this run: cancelling the period selection no longer asks.
    bool setUpThisRun = false;
    // The first-time hint of the period selection was shown.
    bool selectionHintShown = false;

    // The current yearly file of the data folder for today (the whole of 2019 is Heisei 31).
    std::string currentYearFile() const;
    // Creates the data folder when it does not exist and then migrates the old 30-employee
    // files into it (removing the old folder afterwards when this start seeded a fresh settings
    // folder). Returns the number of files migrated, or "データ用フォルダーが作成できません。".
    Result<int> prepareDataDir();
    // Creates curFile when it does not exist.
    Status createYearFile();

    // Opens or creates a period as the selection window confirms it: rounding, the header's
    // bonus pay date, OpenPeriod or NewPeriod (with the reference chooser), the prescribed days
    // and hours, then the KeisanStop notice and the care-insurance age check (salary months).
    Status openRequestedPeriod(const PeriodRequest &req);
    // Every created month of every yearly file, for the reference chooser.
    std::vector<ReferenceEntry> referenceEntries() const;

    // ZenKeisan of every slot with the questions that follow it: overflow reports as errors,
    // and in a bonus period with tax exceptions whether to switch those employees' tax to entry
    // by hand.
    ZenKeisanResult recalcAllAsk();

    // Close: the unsaved-change test with its question, saving on Yes and testing again.
    // False when the user cancelled.
    bool confirmLeavePeriod();
    // On close: offers to delete a yearly file created in this run and never saved.
    void offerRemoveCreatedFile();

    // ---- employee list ----

    // The slots the main list shows in `order`, retired employees only with `showRetired`.
    std::vector<int> listSlots(ListOrder order, bool showRetired) const;
    int namedSlots() const; // slots with a name
    // The withholding-slip program's data file of the open file's era year exists.
    bool withholdingFileOfYearExists() const;

    // ---- system log ----

    // Local time now; replaceable in tests.
    std::function<LogTime()> now;
    // Appends event `code` to the company's system log.
    Status sysLog(int code) const;
};

} // namespace orv
