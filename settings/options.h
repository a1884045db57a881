#pragma once

#include "core/options/option.h"
#include "core/util/status.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Reading and writing of the settings record and the other sections of a settings file.
// Readers never fail: a missing file, key or unreadable value gives the default.
// Writers return an error status naming the file when the file cannot be written.

using SettingsPath = std::filesystem::path;

// Every [Option] key of the company settings file except the rounding keys, DefJikanD,
// DaichoAdd/DaichoDel and BackupPath. `withholdingFileFound`: whether a data file of the
// withholding-slip program exists; without one KaigoChk is false whatever the file says.
TOption LoadOptions(const SettingsPath &corpIni, bool withholdingFileFound);

// Rounding of the period about to open (1..15): HasuuSik/HasuuGen/HasuuKou, and in a bonus
// period (13..15) HasuuSikS/HasuuGenS/HasuuKouS with the salary values as defaults.
void readRounding(const SettingsPath &corpIni, int kikanNo, TOption &opt);

// The [Option] keys the input-item settings screen writes, in its order; the rounding under
// the bonus keys in a bonus period (the salary keys stay as they are). All keys are written in
// one replacement of the file, so either all of them or none reach it.
Status SaveOptions(const SettingsPath &corpIni, const TOption &opt, int kikanNo);

bool isBonusPeriod(int kikanNo);

// Working hours per day of the company (0 = company information never entered).
double readDefJikanD(const SettingsPath &corpIni);
Status writeDefJikanD(const SettingsPath &corpIni, double hours); // "%.2f"

// Ledger print-item flags: 17 attendance additions (16 = pay date), 15 removed user items.
std::array<bool, 17> readDaichoAdd(const SettingsPath &corpIni);
std::array<bool, 15> readDaichoDel(const SettingsPath &corpIni);
Status writeDaichoFlags(const SettingsPath &corpIni, const std::array<bool, 17> &add,
                        const std::array<bool, 15> &del);

std::string readBackupPath(const SettingsPath &corpIni, std::string_view dataDir);
Status writeBackupPath(const SettingsPath &corpIni, std::string_view folder);

// "0"/"1" flag strings: character n is the flag of element n-1; a position beyond the end of
// the text counts as "0" and only "1" is set.
template <std::size_t N>
std::array<bool, N> flagsFromString(std::string_view text)
{
    std::array<bool, N> flags{};
    for (std::size_t i = 0; i < N && i < text.size(); ++i)
        flags[i] = text[i] == '1';
    return flags;
}
template <std::size_t N>
std::string flagsToString(const std::array<bool, N> &flags)
{
    std::string s(N, '0');
    for (std::size_t i = 0; i < N; ++i)
        s[i] = flags[i] ? '1' : '0';
    return s;
}

// ---- [CorpData] of the global settings file: the company data sets ----

constexpr int kMaxCorpData = 10;

// One data set: display name and suffix ("" for the first set, "_a".."_z" otherwise).
struct CorpDataEntry {
    std::string name;
    std::string suffix;
};

// Count, or `def` when missing (1 at start-up, 0 while a data set is being added).
int readCorpCount(const SettingsPath &sysIni, int def);
// Data1..Data<Count> (at most 10), entries blank after trimming skipped.
std::vector<CorpDataEntry> readCorpData(const SettingsPath &sysIni);
// Count and Data1..Data<n>, each the name padded with blanks to 60 bytes ("%-60s%s") and the
// suffix. More than 10 entries are refused.
Status writeCorpData(const SettingsPath &sysIni, const std::vector<CorpDataEntry> &entries);
// The stored text of one entry (UTF-8) and its parse.
std::string formatCorpEntry(const CorpDataEntry &entry);
CorpDataEntry parseCorpEntry(std::string_view text, bool first);

// ---- [PrintMemo] and [MailText] ----

// Line1..Line<LineCount>. A stored empty line stays an empty line; the mail text stops at a
// missing line or at the first line reading "NoData".
std::vector<std::string> readPrintMemo(const SettingsPath &corpIni);
std::vector<std::string> readMailText(const SettingsPath &corpIni);
// LineCount first, then the lines in double quotes (their blanks survive); keys beyond the new
// count stay in the file and are not read.
Status writePrintMemo(const SettingsPath &corpIni, const std::vector<std::string> &lines);
Status writeMailText(const SettingsPath &corpIni, const std::vector<std::string> &lines);

// ---- [Window] ----

// Main window, global file. Defaults are the designed height and the present screen.
struct MainWindowGeometry {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    int screenWidth = 0;
    int monitorCount = 0;
    // [Option] PreViewBtn: the print preview shows its button bar. Written with the geometry
    // when the main window closes; read at start-up by readPreviewBar.
    bool previewBar = true;
};
bool readPreviewBar(const SettingsPath &sysIni);
// `defaults` gives the values of missing keys (width and previewBar are not read).
MainWindowGeometry readMainWindow(const SettingsPath &sysIni, const MainWindowGeometry &defaults);
Status writeMainWindow(const SettingsPath &sysIni, const MainWindowGeometry &g);

// List input ("ListInp") and employee list editing ("ListMem") windows, company file.
struct ListWindowGeometry {
    std::string state; // "wsMaximized", "wsNormal" or empty (never closed)
    int left = 0;
    int top = 0;
    int width = 800;
    int height = 480;
};
ListWindowGeometry readListWindow(const SettingsPath &corpIni, std::string_view prefix);
Status writeListWindow(const SettingsPath &corpIni, std::string_view prefix,
                       const ListWindowGeometry &g);

// ---- [PrintInfo]: the printer set-up of the last print run ----

struct PrintInfo {
    std::string DeviceName; // at most 31 bytes
    int PaperSize = 0;
    int PaperWidth = 0;
    int PaperLength = 0;
    int Orientation = 0;
    int DefaultSource = 0;
    int PrintQuality = 0;
    int PrintColor = 0;
};
PrintInfo readPrintInfo(const SettingsPath &corpIni);
Status writePrintInfo(const SettingsPath &corpIni, const PrintInfo &info);

} // namespace orv
