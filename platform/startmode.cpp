#include "platform/startmode.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

extern char **environ;

namespace orv
{

StartMode startModeFromArguments(const std::vector<std::string> &args)
{
    if (args.size() != 1)
        return StartMode::Normal;
    if (args[0] == "/Download")
        return StartMode::Download;
    if (args[0] == "/DownloadF")
        return StartMode::DownloadF;
    if (args[0] == "/Update")
        return StartMode::Update;
    return StartMode::Normal;
}

bool openDocument(const std::string &path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    std::string prog = "xdg-open";
    std::string arg = path;
    char *argv[] = {prog.data(), arg.data(), nullptr};
    // Started through an intermediate process that ends at once, so that the handler is
    // nobody's child here and never waited for.
    const pid_t middle = fork();
    if (middle < 0)
        return false;
    if (middle == 0) {
        setsid();
        pid_t pid = 0;
        _exit(posix_spawnp(&pid, prog.c_str(), nullptr, nullptr, argv, environ) == 0 ? 0 : 1);
    }
    int status = 0;
    if (waitpid(middle, &status, 0) != middle)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace orv
