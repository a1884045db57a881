#include "platform/singleinstance.h"

#include "testdir.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace orv {
namespace {

using test::TempDir;

TEST(SingleInstance, SecondAcquireOfTheSameFolderFails)
{
    TempDir tmp;
    SingleInstanceLock first = SingleInstanceLock::acquire(tmp.dir());
    ASSERT_EQ(first.state(), SingleInstanceLock::State::Acquired) << first.message();
    EXPECT_EQ(first.lockPath(), tmp.dir() + "Orvane2.lock");

    SingleInstanceLock second = SingleInstanceLock::acquire(tmp.dir());
    EXPECT_EQ(second.state(), SingleInstanceLock::State::AlreadyRunning);
    EXPECT_EQ(second.message(), "このプログラムは二重起動できません。");

    TempDir other;
    EXPECT_TRUE(SingleInstanceLock::acquire(other.dir()).acquired());

    // Moving the lock keeps it held; releasing it lets the next start in.
    SingleInstanceLock moved = std::move(first);
    EXPECT_FALSE(SingleInstanceLock::acquire(tmp.dir()).acquired());
    moved.release();
    EXPECT_TRUE(SingleInstanceLock::acquire(tmp.dir()).acquired());
}

TEST(SingleInstance, HeldAgainstAnotherProcess)
{
    TempDir tmp;
    SingleInstanceLock lock = SingleInstanceLock::acquire(tmp.dir());
    ASSERT_TRUE(lock.acquired());
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        auto child = SingleInstanceLock::acquire(tmp.dir());
        ::_exit(child.state() == SingleInstanceLock::State::AlreadyRunning ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(SingleInstance, ReadOnlySettingsFolderLocksInTheRuntimeFolder)
{
    TempDir base, runtime;
    fs::create_directories(base.path() / "a" / "b");
    LockOptions o;
    o.isWritable = [](const fs::path &) { return false; };
    o.runtimeDir = runtime.path().string();

    std::string path = lockFilePath(base.dir("a/b"), o);
    EXPECT_EQ(fs::path(path).parent_path(), runtime.path());
    EXPECT_TRUE(fs::path(path).filename().string().starts_with("orvane2-"));
    // The same folder spelt differently shares the lock; another folder does not.
    EXPECT_EQ(lockFilePath(base.dir("a/b/../b"), o), path);
    EXPECT_EQ(lockFilePath(base.dir("a/b") + "/", o), path);
    EXPECT_NE(lockFilePath(base.dir("a"), o), path);

    SingleInstanceLock first = SingleInstanceLock::acquire(base.dir("a/b"), o);
    ASSERT_TRUE(first.acquired()) << first.message();
    EXPECT_FALSE(SingleInstanceLock::acquire(base.dir("a/b/../b"), o).acquired());
    EXPECT_TRUE(fs::is_empty(base.path() / "a" / "b"));
}

TEST(SingleInstance, SecondCopyAsksTheRunningOneToComeForward)
{
    TempDir tmp;
    SingleInstanceLock running = SingleInstanceLock::acquire(tmp.dir());
    ASSERT_TRUE(running.acquired());
    EXPECT_FALSE(running.takeRaiseRequest());

    SingleInstanceLock second = SingleInstanceLock::acquire(tmp.dir());
    ASSERT_EQ(second.state(), SingleInstanceLock::State::AlreadyRunning);
    EXPECT_TRUE(second.notifyRunningInstance().isOk());
    EXPECT_EQ(second.raiseRequestPath(), running.raiseRequestPath());
    EXPECT_TRUE(running.takeRaiseRequest());
    EXPECT_FALSE(running.takeRaiseRequest());
}

TEST(SingleInstance, AnyArgumentSkipsTheCheck)
{
    EXPECT_TRUE(singleInstanceCheckApplies(1));
    EXPECT_FALSE(singleInstanceCheckApplies(2));
    EXPECT_FALSE(singleInstanceCheckApplies(3));
}

} // namespace
} // namespace orv
