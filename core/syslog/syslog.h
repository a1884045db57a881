#pragma once

// The system log of a company data set: one Shift-JIS text line per notable event, ended by
// CR LF, in the data folder. The withholding-slip program of the same family appends to the
// same file, which is why its events have codes here too. Nothing here reads the clock: the
// time stamp is a parameter.

#include "core/util/status.h"

#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr const char kSysLogFileName[] = "システムログ.dat";

// Event codes.
inline constexpr int kLogStart = 10;          // the program started, first period open
inline constexpr int kLogEmployeeAdded = 11;  // new employee saved
inline constexpr int kLogEmployeeChanged = 12; // employee changed in the editor
inline constexpr int kLogEmployeeDeleted = 13; // employee deleted

// Local date and time of an event (minutes are the finest unit the log keeps).
struct LogTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

// dataDir ends with "/".
std::string sysLogPath(const std::string &dataDir);
// The event text of a code (UTF-8); empty for a code without one.
std::string sysLogText(int code);
// One line without its line end (UTF-8): "yyyy/mm/dd hh:nn" and two blanks, then the text.
std::string sysLogLine(const LogTime &t, int code);

// Appends the line of `code`, creating the file when it does not exist. An I/O failure names
// the file.
Status SysLog(const std::string &dataDir, int code, const LogTime &t);

// Every line of the log (UTF-8, line ends removed). A missing file is an error.
Result<std::vector<std::string>> readSysLog(const std::string &dataDir);

// The CSV text of the viewer's export (UTF-8, CR LF line ends): the line "日時, 内容", then per
// log line its first 16 characters and the characters from the 19th on, each in double quotes,
// separated by a comma and a blank. Quotes inside the text are written as they are.
std::string sysLogCsv(const std::vector<std::string> &lines);
// Writes sysLogCsv() as Shift-JIS to `path`, replacing the file as a whole.
Status writeSysLogCsv(const std::string &path, const std::vector<std::string> &lines);

// Deletes the log. A log that does not exist is not an error.
Status clearSysLog(const std::string &dataDir);

} // namespace orv
