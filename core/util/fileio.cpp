#include "core/util/fileio.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {
namespace {

struct Fd {
    int fd;
    explicit Fd(int f) : fd(f) {}
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
};

std::string dirOf(const std::string &path)
{
    auto p = path.find_last_of('/');
    return p == std::string::npos ? std::string(".") : path.substr(0, p == 0 ? 1 : p);
}

} // namespace

std::string ioErrorMessage(const std::string &path, const std::string &what, int err)
{
    std::string m = what + "\n【" + path + "】";
    if (err != 0)
        m += "\n(" + std::string(std::strerror(err)) + ")";
    return m;
}

bool fileExists(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

Status readAt(const std::string &path, std::size_t offset, void *dest, std::size_t size)
{
    Fd f(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (f.fd < 0)
        return Status::error(ioErrorMessage(path, "ファイルを開けません。", errno));
    auto *out = static_cast<char *>(dest);
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::pread(f.fd, out + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Status::error(ioErrorMessage(path, "ファイルを読み込めません。", errno));
        }
        if (n == 0)
            return Status::error(
                ioErrorMessage(path, "ファイルが途中で終わっています（壊れているか短すぎます）。", 0));
        done += static_cast<std::size_t>(n);
    }
    return Status::ok();
}

Result<std::string> readWholeFile(const std::string &path)
{
    Fd f(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (f.fd < 0)
        return Status::error(ioErrorMessage(path, "ファイルを開けません。", errno));
    std::string data;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(f.fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Status::error(ioErrorMessage(path, "ファイルを読み込めません。", errno));
        }
        if (n == 0)
            break;
        data.append(buf, static_cast<std::size_t>(n));
    }
    return data;
}

Status writeFileAtomic(const std::string &path, const std::string &bytes)
{
    std::string tmp = path + ".tmp";
    {
        Fd f(::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (f.fd < 0)
            return Status::error(ioErrorMessage(path, "ファイルに書き込めません。", errno));
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = ::write(f.fd, bytes.data() + done, bytes.size() - done);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                int err = errno;
                ::unlink(tmp.c_str());
                return Status::error(ioErrorMessage(path, "ファイルに書き込めません。", err));
            }
            done += static_cast<std::size_t>(n);
        }
        if (::fsync(f.fd) != 0) {
            int err = errno;
            ::unlink(tmp.c_str());
            return Status::error(ioErrorMessage(path, "ファイルに書き込めません。", err));
        }
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        return Status::error(ioErrorMessage(path, "ファイルに書き込めません。", err));
    }
    Fd d(::open(dirOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (d.fd >= 0)
        ::fsync(d.fd);
    return Status::ok();
}

} // namespace orv
