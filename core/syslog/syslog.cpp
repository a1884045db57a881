#include "core/syslog/syslog.h"

#include "core/util/fileio.h"
#include "core/util/sjis.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace orv {

namespace {

// Length in characters of a UTF-8 prefix counted as the log counts them (one per character).
std::size_t utf8Offset(std::string_view s, std::size_t chars)
{
    std::size_t i = 0;
    while (i < s.size() && chars > 0) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        i += n;
        --chars;
    }
    return i < s.size() ? i : s.size();
}

} // namespace

std::string sysLogPath(const std::string &dataDir) { return dataDir + kSysLogFileName; }

std::string sysLogText(int code)
{
    switch (code) {
    case 10:
        return "給与計算ソフト ｢カナリエ｣を起動";
    case 11:
        return "従業員情報の登録";
    case 12:
        return "従業員情報の更新";
    case 13:
        return "従業員情報の削除";
    case 20:
        return "源泉徴収票作成 ｢ミズナラ｣を起動";
    case 21:
        return "源泉徴収票の印刷";
    default:
        return {};
    }
}

std::string sysLogLine(const LogTime &t, int code)
{
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d %02d:%02d  ", t.year, t.month, t.day,
                  t.hour, t.minute);
    return stamp + sysLogText(code);
}

Status SysLog(const std::string &dataDir, int code, const LogTime &t)
{
    const std::string path = sysLogPath(dataDir);
    const std::string bytes = sjis(sysLogLine(t, code)) + "\r\n";
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return Status::error(ioErrorMessage(path, "open", errno));
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            ::close(fd);
            return Status::error(ioErrorMessage(path, "write", err));
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0)
        return Status::error(ioErrorMessage(path, "close", errno));
    return Status::ok();
}

Result<std::vector<std::string>> readSysLog(const std::string &dataDir)
{
    auto bytes = readWholeFile(sysLogPath(dataDir));
    if (!bytes)
        return bytes.status();
    std::vector<std::string> lines;
    std::string_view rest = *bytes;
    while (!rest.empty()) {
        std::size_t nl = rest.find('\n');
        std::string_view line = rest.substr(0, nl);
        rest = nl == std::string_view::npos ? std::string_view() : rest.substr(nl + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(sjisToUtf8(line));
    }
    return lines;
}

std::string sysLogCsv(const std::vector<std::string> &lines)
{
    std::string out = "日時, 内容\r\n";
    for (const auto &line : lines) {
        std::string_view l = line;
        std::size_t stampEnd = utf8Offset(l, 16);
        std::size_t textStart = utf8Offset(l, 18);
        out += "\"";
        out += l.substr(0, stampEnd);
        out += "\", \"";
        out += l.substr(textStart);
        out += "\"\r\n";
    }
    return out;
}

Status writeSysLogCsv(const std::string &path, const std::vector<std::string> &lines)
{
    auto bytes = utf8ToSjis(sysLogCsv(lines));
    if (!bytes)
        return Status::error(path + ": text cannot be written in Shift-JIS");
    return writeFileAtomic(path, *bytes);
}

Status clearSysLog(const std::string &dataDir)
{
    const std::string path = sysLogPath(dataDir);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return Status::error(ioErrorMessage(path, "delete", errno));
    return Status::ok();
}

} // namespace orv
