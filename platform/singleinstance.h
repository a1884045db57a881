#pragma once

#include "core/util/status.h"

#include <filesystem>
#include <functional>
#include <string>

namespace orv {

inline constexpr const char *kDoubleStartMessage = "このプログラムは二重起動できません。";

// True when the single-instance check applies to a start with main()'s argc: any command-line
// argument lets a second copy start.
bool singleInstanceCheckApplies(int argc);

struct LockOptions {
    // empty: access(W_OK)
    std::function<bool(const std::filesystem::path &)> isWritable;
    // Folder for the lock when BaseDir is not writable; empty: $XDG_RUNTIME_DIR, else /tmp.
    std::string runtimeDir;
};

// The lock file for a settings folder: BaseDir + "Orvane2.lock", or, when BaseDir cannot be
// written, "orvane2-<hash of BaseDir>.lock" in the runtime folder.
std::string lockFilePath(const std::string &baseDir, const LockOptions &options = {});

// One running copy per settings folder, held by an flock() on the lock file. The lock is
// released when the object is destroyed or the process ends, however it ends.
class SingleInstanceLock {
public:
    enum class State {
        Acquired,       // this copy runs
        AlreadyRunning, // another copy holds the lock: show kDoubleStartMessage and end
        Unavailable,    // the lock file cannot be opened: message() says why
    };

    static SingleInstanceLock acquire(const std::string &baseDir, const LockOptions &options = {});

    SingleInstanceLock(SingleInstanceLock &&other) noexcept;
    SingleInstanceLock &operator=(SingleInstanceLock &&other) noexcept;
    SingleInstanceLock(const SingleInstanceLock &) = delete;
    SingleInstanceLock &operator=(const SingleInstanceLock &) = delete;
    ~SingleInstanceLock();

    State state() const { return m_state; }
    bool acquired() const { return m_state == State::Acquired; }
    const std::string &message() const { return m_message; }
    const std::string &lockPath() const { return m_lockPath; }

    // The file a second copy touches to ask the running one to come to the front; the running
    // copy watches or polls it.
    std::string raiseRequestPath() const;
    // Second copy: ask the running copy to come to the front.
    Status notifyRunningInstance() const;
    // Running copy: true once per request (the request file is removed).
    bool takeRaiseRequest() const;

    void release();

private:
    SingleInstanceLock() = default;
    State m_state = State::Unavailable;
    int m_fd = -1;
    std::string m_lockPath;
    std::string m_message;
};

} // namespace orv
