#include "settings/noticecheck.h"

#include "core/util/fileio.h"

#include <cstdlib>
#include <filesystem>

namespace orv {

std::string noticeLinkPath()
{
    std::string dir;
    if (const char *x = std::getenv("XDG_CONFIG_HOME"); x && *x == '/')
        dir = x;
    else if (const char *h = std::getenv("HOME"); h && *h == '/')
        dir = std::string(h) + "/.config";
    else
        return {};
    return dir + "/autostart/" + kNoticeLinkName + ".desktop";
}

Status registerNoticeCheck(const std::string &progDir)
{
    const std::string path = noticeLinkPath();
    if (path.empty())
        return Status::error("スタートアップのフォルダーが見つかりません。");
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    if (ec)
        return Status::error(ioErrorMessage(path, "フォルダーを作成出来ません。", ec.value()));
    const std::string text = "[Desktop Entry]\nType=Application\nName=" + std::string(kNoticeLinkName) +
                             "\nExec=\"" + progDir + "ZuridaRazir.exe\" /Check\nPath=" + progDir +
                             "\nTerminal=false\n";
    return writeFileAtomic(path, text);
}

Status unregisterNoticeCheck()
{
    const std::string path = noticeLinkPath();
    if (path.empty())
        return Status::error("スタートアップのフォルダーが見つかりません。");
    std::error_code ec;
    std::filesystem::remove(path, ec);
    if (ec)
        return Status::error(ioErrorMessage(path, "ファイルを削除出来ません。", ec.value()));
    return Status::ok();
}

bool noticeCheckRegistered()
{
    const std::string path = noticeLinkPath();
    return !path.empty() && fileExists(path);
}

} // namespace orv
