#pragma once

// The yearly pay data file: a 128-byte header and 15 fixed blocks of 89,944 bytes, one per pay
// period, read and written by position. Every operation opens the file for its own duration.

#include "core/records/payimage.h"
#include "core/util/prompter.h"
#include "core/util/status.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {

constexpr std::size_t kHeadSize = 128;
constexpr std::size_t kBlockSize = 89944;
constexpr std::size_t kYearFileSize = kHeadSize + kPeriods * kBlockSize; // 1,349,288
constexpr int kOldSlots = 30;
constexpr std::size_t kOldBlockSize = 30904;
constexpr std::size_t kOldYearFileSize = kHeadSize + kPeriods * kOldBlockSize; // 463,688

constexpr std::size_t blockOffset(int k) { return kHeadSize + (k - 1) * kBlockSize; }

// What one run remembers about files it created (offered for deletion when never saved).
struct YearFileRun {
    std::string CreatedFile;
    bool CreatedSaved = false;
};

// Creates an all-zero yearly file when none exists; clears the image's period and header.
// An existing file is left alone. Records the path in `run`.
Status CreateYearFile(const std::string &path, PayImage &img, YearFileRun &run);

// Reads the header and block k of `path` into the image. On any failure the image is left
// exactly as it was. Long mail addresses are cut to 48 bytes.
Status OpenPeriod(const std::string &path, int k, PayImage &img);

// Reads only the header.
Status readYearHead(const std::string &path, THeadRec &head);

// Whether the image differs from what the file holds for its period. With `ask` and
// `saveEnabled` and a change, asks "データが変更されています。保存しますか？" (Yes/No/Cancel)
// and returns the answer; otherwise returns Yes when something changed and No when not.
// A file that cannot be read counts as changed.
enum class Change { None, Changed };
Change periodChanged(const std::string &path, const PayImage &img);
Prompter::Answer UnsavedChanges(const std::string &path, const PayImage &img, bool ask,
                                bool saveEnabled, Prompter &prompter);

// Writes the image's period into the file (header with the period's Sakusei flag set).
// The file is replaced as a whole through a synced temporary file, so a crash or a full disk
// leaves either the old or the new content. Returns false when the user declined the
// next-month question, true when saved.
Result<bool> SavePeriod(const std::string &path, PayImage &img, Prompter &prompter,
                        YearFileRun &run);

// Removes a created period after the confirmation; clears the image and writes it as block k.
// Returns false when the user declined.
Result<bool> DeletePeriod(const std::string &path, int k, PayImage &img, Prompter &prompter);

// The previous era year's file in the same folder ("令和02" -> "平成31"); empty when the name
// is not a yearly file name.
std::string PrevYearFile(const std::string &path);
// The yearly files in `dataDir` offered for selection: Heisei 16..31, then Reiwa 02..20.
std::vector<std::string> YearFiles(const std::string &dataDir);

// Paid leave remaining of the employee with `uniqueKey` in period k-1 of `curFile` (for k = 1,
// period 12 of the previous year's file); -999 when the file is missing or the key is not found.
double PrevYukyuZan(const std::string &curFile, int k, std::string_view uniqueKey);

// A month of a yearly file chosen as the source of company and employee data.
struct ReferenceChoice {
    std::string file; // full path of the yearly file
    int month = 0;    // 0 clears
};

// What creating a period needs besides the image.
struct NewPeriodInput {
    std::string curFile;
    int k = 1;
    double defJikanD = 0;  // company's hours per day; above 0 once company information exists
    int nissu = 0;         // prescribed days and hours from the period dialog
    double jikan = 0;
    // Offered when the set-up company would start a period without data; may return nothing.
    std::function<std::optional<ReferenceChoice>()> chooseReference;
};

// Fills the image for period k that has not been created yet, carrying the company block,
// the employee master and paid-leave balances over from the source period. Writes nothing.
Status NewPeriod(const NewPeriodInput &in, PayImage &img, Prompter &prompter);

// Loads the company block and employee master of a reference month (other arrays cleared).
Status loadReference(const ReferenceChoice &ref, PayImage &img, Prompter &prompter);

// Converts the old 30-employee files of `oldDir` into `newDir`. Only files named like yearly
// files and exactly 463,688 bytes long are converted; "社員情報.dat" is copied unchanged.
struct MigrationResult {
    std::vector<std::string> migrated; // file names written into newDir
    std::vector<std::string> skipped;  // file names left alone, with the reason
};
MigrationResult MigrateOldFiles(const std::string &oldDir, const std::string &newDir);
Status MigrateOldFile(const std::string &source, const std::string &target);

} // namespace orv
