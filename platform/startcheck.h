#pragma once

#include <string>
#include <vector>

namespace orv {

inline constexpr const char *kSettingsNotWritableMessage = "設定ファイルに書き込み出来ません。";
// %d is the error code.
inline constexpr const char *kCannotStartMessage = "プログラム起動不可[%d]";

// Outcome of the start-up write check: on failure the messages to show, in order, and the
// error code the last one carries. The program then ends without opening a window.
struct WriteCheckResult {
    bool ok = true;
    int code = 0;
    std::vector<std::string> messages;
};

// The error code shown for a failed creation of the probe file, in the numbering users and
// support know: ENOENT 2 (not found), ENOTDIR 3 (path not found), EACCES and EPERM 5 (access
// denied), EROFS 19 (write protected), ENOSPC and EDQUOT 112 (disk full); any other errno is
// shown as it is.
int startErrorCode(int err);

// True when a settings file is read-only: no write permission bit is set, it is immutable, or
// the user is refused write access. Permission bits count even for root, who could write anyway.
bool isReadOnlyFile(const std::string &path);

// The write check of the settings folder: a read-only settings file refuses the start (code 0);
// otherwise BaseDir + "Write.chk" must be creatable (it is deleted again).
WriteCheckResult checkSettingsWritable(const std::string &baseDir, const std::string &sysIni);

} // namespace orv
