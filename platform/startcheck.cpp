#include "platform/startcheck.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {
namespace {

std::string cannotStart(int code)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, kCannotStartMessage, code);
    return buf;
}

bool isImmutable(const std::string &path)
{
#ifdef STATX_ATTR_IMMUTABLE
    struct statx stx {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS, &stx) == 0)
        return (stx.stx_attributes_mask & STATX_ATTR_IMMUTABLE) &&
               (stx.stx_attributes & STATX_ATTR_IMMUTABLE);
#else
    (void)path;
#endif
    return false;
}

} // namespace

int startErrorCode(int err)
{
    switch (err) {
    case ENOENT:
        return 2;
    case ENOTDIR:
        return 3;
    case EACCES:
    case EPERM:
        return 5;
    case EROFS:
        return 19;
    case ENOSPC:
    case EDQUOT:
        return 112;
    default:
        return err;
    }
}

bool isReadOnlyFile(const std::string &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    if (isImmutable(path))
        return true;
    // A read-only mount is left to the probe file, which reports it as write protected.
    return ::access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EPERM);
}

WriteCheckResult checkSettingsWritable(const std::string &baseDir, const std::string &sysIni)
{
    WriteCheckResult r;
    if (::access(sysIni.c_str(), F_OK) == 0 && isReadOnlyFile(sysIni)) {
        r.ok = false;
        r.code = 0;
        r.messages = {kSettingsNotWritableMessage, cannotStart(0)};
        return r;
    }
    std::string probe = baseDir + "Write.chk";
    int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.c_str());
        return r;
    }
    int err = errno;
    r.ok = false;
    r.code = startErrorCode(err);
    if (r.code == 2 || r.code == 19)
        r.messages.push_back(kSettingsNotWritableMessage);
    r.messages.push_back(cannotStart(r.code));
    return r;
}

} // namespace orv
