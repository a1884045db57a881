#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace orv {

// Where the program, its settings and its data live. Paths are UTF-8 and every folder ends in
// "/".
struct Locations {
    std::string ProgDir; // folder of the running program
    std::string BaseDir; // folder of the settings files and the data folders
    std::string SysIni;  // BaseDir + "Orvane.ini"
    // True when this start seeded a fresh per-user BaseDir from the program folder.
    bool MigratedToShared = false;

    // Settings file of a company data set: SysIni for the default set (suffix ""), else
    // BaseDir + "Orvane" + suffix + ".ini".
    std::string CorpIni(std::string_view suffix) const;
    // Data folder of a company data set: BaseDir + "Data2/" or BaseDir + "Data2" + suffix + "/".
    std::string DataDir(std::string_view suffix) const;
    // Folder of the old 30-employee files: BaseDir + "Data/".
    std::string OldDataDir() const;
};

// A company suffix is safe to put into a path: no folder separators, no "..", no NUL.
bool isSafeCompanySuffix(std::string_view suffix);

// Folder of the running program with trailing "/".
std::string programDir();

// The user's data folder for this program: $XDG_DATA_HOME (or ~/.local/share) + "/orvane2/";
// empty when neither variable gives an absolute path.
std::string userDataDir();

// Whether the program may write into a folder (access(W_OK)).
bool isWritableDir(const std::filesystem::path &dir);

struct LocationOptions {
    std::string progDir;      // empty: programDir()
    std::string baseOverride; // the --base option: used as BaseDir as it is, nothing seeded
    std::string userDataDir;  // empty: userDataDir()
    std::function<bool(const std::filesystem::path &)> isWritable; // empty: isWritableDir
};

// Resolves ProgDir and BaseDir. BaseDir is the program folder when it is writable. An installed
// copy (program folder not writable) keeps its settings in the user's data folder, which is
// seeded from the program folder on the first start (no settings file there yet): the "DATA"
// tree and "Orvane.ini" are copied, and MigratedToShared is set. Seeding failures are ignored;
// the write check that follows reports a BaseDir that cannot be used.
Locations resolveLocations(const LocationOptions &options = {});

// Copies a folder tree, overwriting: sub-folders recursively, every file except ".exe" and
// ".chm" (extension compared in lower case). Symbolic links are not followed. Failures of
// single entries are ignored.
void copyTree(const std::filesystem::path &from, const std::filesystem::path &to);

} // namespace orv
