#include "platform/singleinstance.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace orv {
namespace {

std::uint64_t fnv1a(const std::string &s)
{
    std::uint64_t h = 14695981039346656037ULL;
    for (unsigned char c : s) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

std::string runtimeFolder(const LockOptions &options)
{
    if (!options.runtimeDir.empty())
        return options.runtimeDir;
    const char *v = std::getenv("XDG_RUNTIME_DIR");
    if (v && v[0] == '/')
        return v;
    return "/tmp";
}

} // namespace

bool singleInstanceCheckApplies(int argc) { return argc <= 1; }

std::string lockFilePath(const std::string &baseDir, const LockOptions &options)
{
    auto writable = options.isWritable
                        ? options.isWritable
                        : [](const fs::path &p) { return ::access(p.c_str(), W_OK) == 0; };
    fs::path base(baseDir);
    if (writable(base))
        return (base / "Orvane2.lock").string();
    // One lock per settings folder, however the folder was spelt.
    std::error_code ec;
    fs::path canon = fs::weakly_canonical(base, ec);
    std::string key = (ec ? base.lexically_normal() : canon).string();
    while (key.size() > 1 && key.back() == '/')
        key.pop_back();
    char name[64];
    std::snprintf(name, sizeof name, "orvane2-%016llx.lock",
                  static_cast<unsigned long long>(fnv1a(key)));
    return (fs::path(runtimeFolder(options)) / name).string();
}

SingleInstanceLock SingleInstanceLock::acquire(const std::string &baseDir,
                                               const LockOptions &options)
{
    SingleInstanceLock lock;
    lock.m_lockPath = lockFilePath(baseDir, options);
    int fd = ::open(lock.m_lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        lock.m_message = lock.m_lockPath + ": " + std::strerror(errno);
        return lock;
    }
    // flock() belongs to the open file description, so a second open in this same process
    // conflicts too, as a second copy of the program would.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK) {
            lock.m_state = State::AlreadyRunning;
            lock.m_message = kDoubleStartMessage;
        } else {
            lock.m_message = lock.m_lockPath + ": " + std::strerror(err);
        }
        return lock;
    }
    lock.m_fd = fd;
    lock.m_state = State::Acquired;
    return lock;
}

SingleInstanceLock::SingleInstanceLock(SingleInstanceLock &&other) noexcept
    : m_state(other.m_state), m_fd(other.m_fd), m_lockPath(std::move(other.m_lockPath)),
      m_message(std::move(other.m_message))
{
    other.m_fd = -1;
    other.m_state = State::Unavailable;
}

SingleInstanceLock &SingleInstanceLock::operator=(SingleInstanceLock &&other) noexcept
{
    if (this != &other) {
        release();
        m_state = other.m_state;
        m_fd = other.m_fd;
        m_lockPath = std::move(other.m_lockPath);
        m_message = std::move(other.m_message);
        other.m_fd = -1;
        other.m_state = State::Unavailable;
    }
    return *this;
}

SingleInstanceLock::~SingleInstanceLock() { release(); }

void SingleInstanceLock::release()
{
    if (m_fd >= 0) {
        ::close(m_fd); // closing the last descriptor drops the flock
        m_fd = -1;
        m_state = State::Unavailable;
    }
}

std::string SingleInstanceLock::raiseRequestPath() const
{
    std::string p = m_lockPath;
    if (p.ends_with(".lock"))
        p.resize(p.size() - 5);
    return p + ".raise";
}

Status SingleInstanceLock::notifyRunningInstance() const
{
    std::string path = raiseRequestPath();
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return Status::error(path + ": " + std::strerror(errno));
    char line[32];
    int n = std::snprintf(line, sizeof line, "%ld\n", static_cast<long>(::getpid()));
    bool written = ::write(fd, line, static_cast<std::size_t>(n)) == n;
    int err = errno;
    ::close(fd);
    if (!written)
        return Status::error(path + ": " + std::strerror(err));
    return Status::ok();
}

bool SingleInstanceLock::takeRaiseRequest() const
{
    if (!acquired())
        return false;
    return ::unlink(raiseRequestPath().c_str()) == 0;
}

} // namespace orv
